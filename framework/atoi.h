// Internal: reading a whole number from text the way the C library's atoi does on this
// platform, (int)strtol(text, nullptr, 10), without its undefined behaviour on overflow.
//
//   internal::Atoi(" 12abc");   // 12
//   internal::Atoi("abc");      // 0
#pragma once

namespace dayweave::internal {

// Skips leading white space, reads an optional sign and the decimal digits after it; a text
// without digits, or a null pointer, gives 0. A number beyond the range of long saturates as
// strtol does, and the long is then cut to its low 32 bits as the cast to int does.
int Atoi(const char* text);

}  // namespace dayweave::internal
