// Where a calendar's text comes from: a file named on the command line, or standard input for
// the name "-".
//
//   CalendarText source = ReadCalendarText("work.ics", std::cin);
//   if (!source.error.empty()) ...   // "work.ics: cannot read the file (No such file ...)"
//   ReadCalendar(source.text, source.name);
#pragma once

#include <iosfwd>
#include <string>

namespace dayweave::agent {

struct CalendarText {
  std::string name;   // how messages name the calendar: the file name, or "<stdin>"
  std::string text;   // empty when it could not be read
  std::string error;  // one line when it could not be read
};

// ReadCalendarText
// The text of the file `name`, or of `standardInput` for "-".
CalendarText ReadCalendarText(const std::string& name, std::istream& standardInput);

}  // namespace dayweave::agent
