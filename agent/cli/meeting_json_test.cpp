#include "agent/cli/meeting_json.h"

#include <gtest/gtest.h>

#include "agent/input/time_zones.h"

namespace dayweave::agent {
namespace {

using namespace std::chrono;

TEST(Rfc3339, WritesTheClockAndItsOffset) {
  struct Row {
    const char* zone;
    sys_seconds instant;
    const char* text;
  };
  const Row rows[] = {
      {"Europe/Berlin", sys_days{2024y / March / 4} + 14h, "2024-03-04T15:00:00+01:00"},
      {"Europe/Berlin", sys_days{2024y / July / 1} + 14h, "2024-07-01T16:00:00+02:00"},
      {"America/New_York", sys_days{2024y / November / 3} + 5h + 30min,
       "2024-11-03T01:30:00-04:00"},
      {"America/New_York", sys_days{2024y / November / 3} + 6h + 30min,
       "2024-11-03T01:30:00-05:00"},
      {"Asia/Kolkata", sys_days{2024y / January / 1} + 3s, "2024-01-01T05:30:03+05:30"},
      {"America/St_Johns", sys_days{2024y / January / 1}, "2023-12-31T20:30:00-03:30"},
      {"UTC", sys_days{2024y / February / 29} + 23h + 59min, "2024-02-29T23:59:00+00:00"},
  };
  for (const Row& row : rows) {
    const ZoneOffsets clock(FindZone(row.zone), 2023y, 2024y);
    EXPECT_EQ(Rfc3339(row.instant, clock), row.text) << row.zone;
  }
}

TEST(MeetingJson, NamesTheFreeOptionalPeopleOnEverySlot) {
  const ZoneOffsets berlin(FindZone("Europe/Berlin"), 2024y, 2024y);
  const sys_days day{2024y / March / 4};
  const std::vector<MeetingSlot> slots = {{day + 14h, day + 15h, {1}}, {day + 15h, day + 16h, {}}};
  const nlohmann::ordered_json expected = nlohmann::ordered_json::parse(R"({"slots": [
      {"start": "2024-03-04T15:00:00+01:00", "end": "2024-03-04T16:00:00+01:00",
       "optional_free": ["cy.ics"]},
      {"start": "2024-03-04T16:00:00+01:00", "end": "2024-03-04T17:00:00+01:00",
       "optional_free": []}]})");
  EXPECT_EQ(MeetingJson(slots, {"bo.ics", "cy.ics"}, berlin), expected);
  EXPECT_EQ(MeetingJson({}, {}, berlin), nlohmann::ordered_json::parse(R"({"slots": []})"));
}

}  // namespace
}  // namespace dayweave::agent
