#include "framework/atoi.h"

#include <cstdint>
#include <cstdlib>

namespace dayweave::internal {

int Atoi(const char* text) {
  if (!text) return 0;
  const long value = std::strtol(text, nullptr, 10);
  // Narrowing to a 32-bit int keeps the low bits (two's complement) and is well defined.
  return static_cast<int>(
      static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<unsigned long>(value))));
}

}  // namespace dayweave::internal
