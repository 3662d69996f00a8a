#include "agent/input/calendar_argument.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

TEST(SplitCalendarArgument, TakesTheSuffixOnlyWhenItNamesAZone) {
  struct Row {
    const char* text;
    const char* source;
    std::optional<std::string> zone;
  };
  const Row rows[] = {
      {"ana.ics@America/New_York", "ana.ics", "America/New_York"},
      {"-@Asia/Tokyo", "-", "Asia/Tokyo"},
      {"team@home.ics", "team@home.ics", std::nullopt},
      {"https://ana@cal.example.org/dav/ana/calendar/",
       "https://ana@cal.example.org/dav/ana/calendar/", std::nullopt},
      {"https://ana@cal.example.org/dav/ana/calendar/@UTC",
       "https://ana@cal.example.org/dav/ana/calendar/", "UTC"},
      {"a@b@Europe/Berlin", "a@b", "Europe/Berlin"},
      {"ana.ics@Europe/Nowhere", "ana.ics@Europe/Nowhere", std::nullopt},
      {"ana.ics@", "ana.ics@", std::nullopt},
  };
  for (const Row& row : rows) {
    const CalendarArgument argument = SplitCalendarArgument(row.text);
    EXPECT_EQ(argument.source, row.source) << row.text;
    EXPECT_EQ(argument.zone, row.zone) << row.text;
  }
}

}  // namespace
}  // namespace dayweave::agent
