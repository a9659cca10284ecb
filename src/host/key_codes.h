// The game's key codes: the keyboard's scan codes, as KeySnapshot indexes them.
#pragma once

inline constexpr int DIK_ESCAPE = 0x01;
inline constexpr int DIK_A = 0x1E;
inline constexpr int DIK_S = 0x1F;
inline constexpr int DIK_Z = 0x2C;
inline constexpr int DIK_UP = 0xC8;
inline constexpr int DIK_LEFT = 0xCB;
inline constexpr int DIK_RIGHT = 0xCD;
inline constexpr int DIK_DOWN = 0xD0;
