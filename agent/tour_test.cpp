#include "agent/tour.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dayweave::agent {
namespace {

std::string Tour() {
  std::ostringstream out;
  RunTour(out);
  return out.str();
}

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
  const auto start = text.find(from);
  if (start == std::string::npos) return {};
  return text.substr(start, text.find(to, start) - start);
}

TEST(TourTest, TheTypicalQuestionOfAWeeklyAndAOneOffAppointment) {
  const std::string tour = Tour();
  // Weekly review: every Monday 09:00-10:00 from 6 January 2003; 13 January is a Monday.
  EXPECT_EQ(Between(tour, "   Weekly review (", "   Dentist"),
            "   Weekly review (recurring, every Monday, Busy, 60 Minutes, reminder 15 Minutes, "
            "from 1/6/2003 9:00:00 AM to 1/6/2003 10:00:00 AM)\n"
            "     IsFree(1/13/2003 9:30:00 AM)      = 0\n"
            "     IsFree(1/13/2003 9:30:00 AM, 30)  = 0\n"
            "     OccursOn(13, 1, 2003) = 1     OccursOn(14, 1, 2003) = 0\n");
  // The dentist, 11:00-12:00 on 13 January only, out of office, reminder 90 minutes.
  EXPECT_EQ(Between(tour, "   Dentist (", "\n\n"),
            "   Dentist (one-off, Out Of Office, 60 Minutes, reminder 1 Hours, from 1/13/2003 "
            "11:00:00 AM to 1/13/2003 12:00:00 PM)\n"
            "     IsFree(1/13/2003 9:30:00 AM)      = 1\n"
            "     IsFree(1/13/2003 9:30:00 AM, 30)  = 1\n"
            "     OccursOn(13, 1, 2003) = 1     OccursOn(14, 1, 2003) = 0");
  EXPECT_NE(tour.find("     1/13/2003 9:30:00 AM for 30 minutes: busy (Weekly review, Busy)\n"
                      "     1/13/2003 10:00:00 AM for 30 minutes: free\n"
                      "     1/13/2003 10:30:00 AM for 60 minutes: busy (Dentist, Out Of Office)\n"
                      "     1/13/2003 12:00:00 PM for 60 minutes: busy (Lunch with Ana, "
                      "Tentative)\n"),
            std::string::npos);
}

TEST(TourTest, SlotsFromAnotherAgentAndTheFreeSlotsAsKqml) {
  const std::string tour = Tour();
  EXPECT_NE(tour.find("   CTimeSlot(\"(4/14/2003 9:00 AM)\", \"(4/14/2003 10:00 AM)\", \"60\"): "
                      "valid 1, 60 minutes; the user is busy\n"
                      "   CTimeSlot(\"(4/15/2003 10:00 AM)\", \"(4/15/2003 11:30 AM)\", \"90\"): "
                      "valid 1, 90 minutes; the user is free\n"),
            std::string::npos);
  EXPECT_NE(tour.find("     StartTime: 4/14/2003 9:00:00 AM\n     EndTime: 4/14/2003 10:00:00 AM\n"
                      "     Duration: 60 Minutes\n     Valid: TRUE\n     SlotType : Absolute\n"
                      "     Days : No Days\n     busy\n     proposal-1\n"),
            std::string::npos);
  EXPECT_NE(tour.find("     (tell :t1 (4/14/2003 9:00:00 AM) :t2 (4/15/2003 10:00:00 AM))\n"),
            std::string::npos);
  // 14 April: the weekly review until 10:00 and the kickoff until 11:30; 15 April: the
  // standup ends at 09:00 and the anniversary runs 14:00-15:00 (the tax day is free time).
  std::string slots = "     (tell";
  int number = 0;
  for (const char* start :
       {"4/14/2003 11:30:00 AM", "4/14/2003 12:00:00 PM", "4/14/2003 12:30:00 PM",
        "4/14/2003 1:00:00 PM",  "4/14/2003 1:30:00 PM",  "4/14/2003 2:00:00 PM",
        "4/14/2003 2:30:00 PM",  "4/14/2003 3:00:00 PM",  "4/14/2003 3:30:00 PM",
        "4/14/2003 4:00:00 PM",  "4/15/2003 9:00:00 AM",  "4/15/2003 9:30:00 AM",
        "4/15/2003 10:00:00 AM", "4/15/2003 10:30:00 AM", "4/15/2003 11:00:00 AM",
        "4/15/2003 11:30:00 AM", "4/15/2003 12:00:00 PM", "4/15/2003 12:30:00 PM",
        "4/15/2003 1:00:00 PM",  "4/15/2003 3:00:00 PM",  "4/15/2003 3:30:00 PM",
        "4/15/2003 4:00:00 PM"}) {
    slots += " :t" + std::to_string(++number) + " (" + start + ")";
  }
  EXPECT_NE(tour.find(slots + ")\n"), std::string::npos);
}

TEST(TourTest, TheCalendarListAndTheExpandedEvent) {
  const std::string tour = Tour();
  EXPECT_NE(tour.find("   1   R  1/6/2003 9:00:00 AM    1/6/2003 10:00:00 AM   60 Minutes"),
            std::string::npos);
  EXPECT_NE(tour.find("event 7 (UID gym@sample.dayweave) is expanded into one-off "
                      "appointments: it has EXDATE"),
            std::string::npos);
  // Gym: Wednesdays and Fridays from 2 April, six times, less 16 April.
  EXPECT_EQ(Between(tour, "   7  ", "   8  ").size(),
            5 * std::string("   7      4/2/2003 6:00:00 PM    4/2/2003 7:00:00 PM    60 Minutes    "
                            "     Busy           "
                            "-           Gym\n")
                    .size());
}

}  // namespace
}  // namespace dayweave::agent
