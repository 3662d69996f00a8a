// The tour that `dayweave` runs without arguments: the bundled sample calendar
// (examples/sample.ics, built into the program) read, listed and asked the library's
// questions, from the Overview's typical question to a KQML message of free slots.
#pragma once

#include <iosfwd>

namespace dayweave::agent {

// RunTour
// Writes the tour.
void RunTour(std::ostream& out);

}  // namespace dayweave::agent
