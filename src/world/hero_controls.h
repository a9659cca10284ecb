#pragma once
// Status menu on Z, walking direction from the arrows or the stick.
void ReadHeroControls();
