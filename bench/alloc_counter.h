// Counts the heap allocations of the whole benchmark program (the library's included), so a
// benchmark can show that a query allocates nothing and how much a calendar occupies.
#pragma once

#include <cstddef>

namespace bench {

struct AllocationTotals {
  std::size_t allocations = 0;
  std::size_t bytes = 0;
};

// The totals since the program started.
AllocationTotals Allocated();

}  // namespace bench
