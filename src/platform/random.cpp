#include "platform/random.h"

namespace {
std::uint32_t state = 1;
}

int Rand() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

void SetRandState(std::uint32_t s) {
  state = s;
}

std::uint32_t RandState() {
  return state;
}
