// What the web build's C++ library (Emscripten 3.1.6) still lacks of C++20,
// given to every file of that build (-include), so that the game and the
// platform compile unchanged. Nothing here when the library has it.
#pragma once

#include <bit>
#include <cstring>
#include <type_traits>

#if !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
         is_trivially_copyable_v<From>) To bit_cast(const From& from)
noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
