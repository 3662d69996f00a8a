#include "agent/input/event_times.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

// Each row of event-times.txt, read with InstantOf (checked in time_zones_test.cpp). Exporters'
// zone names, an unknown zone, DTEND taken over DURATION and an event of no length are checked on
// real calendars in answers.txt.
TEST(ReadEventTimes, StartsAndEndsAsTheAuthorMeantThem) {
  for (const auto& row : testing::TableRows("event-times.txt")) {
    const testing::Parsed root =
        testing::Parse(testing::Calendar(testing::Event("UID:a\n" + row.at(0) + "\n")));
    const EventTimes times =
        ReadEventTimes(icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT));
    EXPECT_EQ(InstantOf(times.start), testing::Instant(row.at(1))) << row[0];
    EXPECT_EQ(InstantOf(times.end), testing::Instant(row.at(2))) << row[0];
    EXPECT_EQ(times.start.zone == nullptr && !icaltime_is_utc(times.start), row.at(3) == "1")
        << row[0];
    EXPECT_EQ(times.notes, std::vector(!row.at(4).empty(), row[4])) << row[0];
  }
}

}  // namespace
}  // namespace dayweave::agent
