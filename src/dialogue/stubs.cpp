// Placeholder until the title sequence exists.
#include "dialogue/title_sequence.h"

void TitleSequence() {}
