#include "agent/schedule/availability.h"

#include <gtest/gtest.h>

#include <tuple>

#include "agent/input/time_zones.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

std::int64_t At(int year, int month, int day, int hour, int minute, int second = 0) {
  return ToSeconds({year, month, day, hour, minute, second});
}

// The stretch's end is formed by the library in floating point and lands a hair past a
// start a quarter of the time; a stretch that ends exactly at a one-off's start must still be
// free, and one a minute longer busy, whatever the date and times.
TEST(AvailabilityTest, StretchesThatEndExactlyAtAOneOffAreFree) {
  EventRecord event;
  for (int year : {1950, 2003, 2038, 2099}) {
    for (int startMinute = 6 * 60; startMinute < 20 * 60; startMinute += 37) {
      const LocalTime start{year, 4, 14, startMinute / 60, startMinute % 60, 0};
      const LocalTime end{year, 4, 14, startMinute / 60 + 1, startMinute % 60, 0};
      const Appointment meeting{CAppointment(1, "", "", "", "", "", ToOle(start), ToOle(end), 60, 0,
                                             0, 2, COleDateTime(), ""),
                                &event, ToSeconds(start), ToSeconds(end)};
      for (int before = 1; before <= 300; ++before) {
        const std::int64_t when = ToSeconds(start) - before * 60LL;
        EXPECT_TRUE(LeavesFree(meeting, when, before))
            << year << " " << startMinute << " " << before;
        EXPECT_FALSE(LeavesFree(meeting, when, before + 1));
      }
      EXPECT_TRUE(LeavesFree(meeting, ToSeconds(end), 30));
    }
  }
}

TEST(AvailabilityTest, RecurringAppointmentsAreAskedDayByDayAcrossMidnight) {
  // Mondays from 00:10 to 00:20 and from 23:59:30 to 23:59:50 (14 April 2003 is a Monday).
  const testing::Loaded loaded(
      Calendar(Event("UID:early@test\nDTSTART:20030414T001000\nDTEND:20030414T002000\n"
                     "RRULE:FREQ=WEEKLY\n") +
               Event("UID:late@test\nDTSTART:20030414T235930\nDTEND:20030414T235950\n"
                     "RRULE:FREQ=WEEKLY\n")));
  const Schedule& schedule = loaded.schedule;
  ASSERT_EQ(schedule.Recurring().size(), 2u);
  struct Case {
    std::int64_t when;
    int minutes;
    bool free;
  } cases[] = {
      {At(2003, 4, 13, 23, 50), 30, false},  // Sunday night into the Monday window
      {At(2003, 4, 13, 23, 50), 20, true},   // ends where it starts
      {At(2003, 4, 13, 23, 50), 21, false},
      {At(2003, 4, 14, 23, 59), 5, false},       // the last minute of Monday
      {At(2003, 4, 14, 23, 58), 1, true},        // ends at 23:59:00
      {At(2003, 4, 14, 23, 59, 50), 5, true},    // starts at the window's end
      {At(2003, 4, 14, 23, 59, 49), 1, false},   // one second of overlap
      {At(2003, 4, 13, 23, 0), 1500, false},     // 25 hours over the whole Monday
      {At(2003, 4, 14, 0, 20), 1419, true},      // 00:20 to 23:59
      {At(2003, 4, 14, 0, 20), 1420, false},     // 00:20 to midnight
      {At(2003, 4, 14, 0, 9, 30), 1, false},     // seconds in the start
      {At(2003, 4, 20, 23, 59, 59), 11, false},  // one second of Sunday, then Monday 00:10
      {At(2003, 4, 20, 23, 59, 59), 10, true},
  };
  FreeBusy freeBusy(schedule);
  for (const Case& c : cases) {
    EXPECT_EQ(AskStretch(schedule, c.when, c.minutes).free, c.free)
        << ToOle(FromSeconds(c.when)).Format().str() << " for " << c.minutes;
    EXPECT_EQ(freeBusy.AskStretch(c.when, c.minutes).free, c.free);
  }
  EXPECT_TRUE(AskInstant(schedule, At(2003, 4, 14, 0, 20)).free);
  // Questions may go back in time; the answers stay the same.
  EXPECT_FALSE(freeBusy.AskInstant(At(2003, 4, 14, 0, 15)).free);
}

TEST(AvailabilityTest, BlockingAppointmentsAreNamedInEventOrder) {
  const testing::Loaded loaded(Calendar(
      Event("UID:b@test\nSUMMARY:Second\nDTSTART:20030414T100000\nDTEND:20030414T110000\n") +
      Event("UID:a@test\nSUMMARY:First\nDTSTART:20030414T093000\nDTEND:20030414T103000\n"
            "STATUS:TENTATIVE\n") +
      Event("UID:c@test\nSUMMARY:Free\nDTSTART:20030414T090000\nDTEND:20030414T120000\n"
            "TRANSP:TRANSPARENT\n")));
  const Schedule& schedule = loaded.schedule;
  const StretchAnswer answer = AskStretch(schedule, At(2003, 4, 14, 10, 0), 15);
  EXPECT_FALSE(answer.free);
  ASSERT_EQ(answer.blocking.size(), 2u);
  EXPECT_EQ(answer.blocking[0].event->subject, "Second");
  EXPECT_EQ(answer.blocking[1].event->subject, "First");
  EXPECT_TRUE(AskStretch(schedule, At(2003, 4, 14, 11, 0), 60).free);
}

TEST(AvailabilityTest, CandidateSlotsFollowTheGridTheHoursAndTheWeekdays) {
  // A one-off on Monday 14 April 2003 from 10:00 to 11:00.
  const testing::Loaded loaded(
      Calendar(Event("UID:m@test\nDTSTART:20030414T100000\nDTEND:20030414T110000\n")));
  const Schedule& schedule = loaded.schedule;
  struct Case {
    SlotQuery query;
    std::vector<std::int64_t> free;
  } cases[] = {
      // The grid starts at FROM, not at the hours; 09:40 runs into the meeting; TO excludes.
      {{At(2003, 4, 14, 9, 10), At(2003, 4, 14, 12, 10), 30, 30, 9 * 3600, 17 * 3600, false},
       {At(2003, 4, 14, 9, 10), At(2003, 4, 14, 11, 10), At(2003, 4, 14, 11, 40)}},
      // A slot must end by the end of the hours; one that ends at the meeting's start is free.
      {{At(2003, 4, 14, 0, 0), At(2003, 4, 15, 0, 0), 60, 30, 9 * 3600, 10 * 3600, false},
       {At(2003, 4, 14, 9, 0)}},
      // Saturday to Monday, weekdays only.
      {{At(2003, 4, 12, 0, 0), At(2003, 4, 15, 0, 0), 60, 60, 9 * 3600, 10 * 3600, true},
       {At(2003, 4, 14, 9, 0)}},
      {{At(2003, 4, 14, 9, 0), At(2003, 4, 14, 12, 0), 30, 45, 9 * 3600, 17 * 3600, false},
       {At(2003, 4, 14, 9, 0), At(2003, 4, 14, 11, 15)}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FreeSlots(schedule, c.query), c.free)
        << ToOle(FromSeconds(c.query.from)).Format().str() << " " << c.query.minutes;
  }
}

// Asking only the appointments that can touch a day gives the answers that asking every
// appointment about every candidate gives.
TEST(AvailabilityTest, TheDaySweepChangesNoAnswer) {
  const testing::Loaded loaded(testing::TestData("recurrence.ics"));
  const Schedule& schedule = loaded.schedule;
  const std::int64_t from = At(2003, 1, 1, 0, 0);
  const std::int64_t to = At(2003, 4, 1, 0, 0);
  std::vector<Appointment> everything = schedule.OneOffs();
  everything.insert(everything.end(), schedule.Recurring().begin(), schedule.Recurring().end());
  for (const ExpandedEvent& expanded : schedule.Expanded()) {
    OccurrenceStream stream(*expanded.event, schedule.Display(), from - 3 * kSecondsPerDay);
    Occurrence occurrence;
    while (stream.Next(occurrence) && occurrence.start < to + 3 * kSecondsPerDay) {
      everything.push_back(OccurrenceAppointment(*expanded.event, occurrence));
    }
  }
  for (const auto& [minutes, hoursFrom, hoursTo] :
       {std::tuple{60, 8 * 3600, 18 * 3600}, std::tuple{45, 0, 24 * 3600}}) {
    const SlotQuery query{from, to, minutes, 15, hoursFrom, hoursTo, false};
    std::vector<std::int64_t> expected;
    for (std::int64_t day = DayOf(from); day < DayOf(to); ++day) {
      for (std::int64_t t = day * kSecondsPerDay + hoursFrom;
           t + minutes * 60 <= day * kSecondsPerDay + hoursTo; t += 15 * 60) {
        const bool free =
            std::all_of(everything.begin(), everything.end(),
                        [&](const Appointment& a) { return LeavesFree(a, t, minutes); });
        if (free) expected.push_back(t);
      }
    }
    const std::vector<std::int64_t> found = FreeSlots(schedule, query);
    EXPECT_EQ(found, expected) << minutes;
    EXPECT_GT(found.size(), 100u);
  }
}

}  // namespace
}  // namespace dayweave::agent
