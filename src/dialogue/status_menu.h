#pragma once
// The hero's status window, with the use of a herb.
void StatusMenu();
