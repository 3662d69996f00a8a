// The tour's meeting search: three people in New York, Berlin and Tokyo, their calendars
// embedded in the program (examples/ana-new-york.ics and its two neighbours), find an hour in
// the week of 4 March 2024, as `dayweave meet` finds it.
//
//   ShowMeetingSearch(std::cout, "5. ");
#pragma once

#include <ostream>
#include <string>

namespace dayweave::agent {

// ShowMeetingSearch
// Writes the tour's section on the meeting search, its heading starting with `number`.
void ShowMeetingSearch(std::ostream& out, const std::string& number);

}  // namespace dayweave::agent
