// Tells the host that the visible picture was drawn on without a present.
#pragma once

#include "platform/surface.h"

void NoteDrawn(const Surface* surface);
