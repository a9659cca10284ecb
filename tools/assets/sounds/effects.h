// The game's ten short sounds, each played once.
#pragma once

#include <vector>

std::vector<float> ButtonSound();   // a cursor moves: a short blip
std::vector<float> BoxSound();      // a message box or menu opens
std::vector<float> ItemSound();     // a herb handed over the counter
std::vector<float> FanfareSound();  // equipment, victory and a new level
std::vector<float> HealSound();     // hp restored: a rising chime
std::vector<float> SlashSound();    // the hero's blow
std::vector<float> ThudSound();     // the monster's blow
std::vector<float> IntroSound();    // the title credits begin
std::vector<float> LamentMelody();  // game over, the tune ...
std::vector<float> LamentBass();    // ... and, started with it, its bass
