// The victory step after a won battle: exp, gold and the level-up.
#pragma once

// Pays currentMonster's exp and gold, raises the level when exp / 50 has
// reached it, and clears currentMonster.
void GrantVictoryRewards();
// Returns once S or gamepad button 2 is down (at once if already held).
void WaitForContinue();
