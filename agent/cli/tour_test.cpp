#include "agent/cli/tour.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dayweave::agent {
namespace {

// The tour over the bundled sample: a weekly and a one-off appointment asked the typical
// questions, slots from another agent, and the free slots as KQML.
TEST(TourTest, AnswersTheTypicalQuestionsOfTheSample) {
  std::ostringstream out;
  RunTour(out);
  const std::string tour = out.str();
  // Weekly review: every Monday 09:00-10:00 from 6 January 2003; 13 January is a Monday.
  for (const char* expected : {
           "   Weekly review (recurring, every Monday, Busy, 60 Minutes, reminder 15 Minutes, "
           "from 1/6/2003 9:00:00 AM to 1/6/2003 10:00:00 AM)\n"
           "     IsFree(1/13/2003 9:30:00 AM)      = 0\n"
           "     IsFree(1/13/2003 9:30:00 AM, 30)  = 0\n"
           "     OccursOn(13, 1, 2003) = 1     OccursOn(14, 1, 2003) = 0\n",
           // The dentist, 11:00-12:00 on 13 January only, out of office, reminder 90 minutes.
           "   Dentist (one-off, Out Of Office, 60 Minutes, reminder 1 Hours, from 1/13/2003 "
           "11:00:00 AM to 1/13/2003 12:00:00 PM)\n"
           "     IsFree(1/13/2003 9:30:00 AM)      = 1\n",
           "     1/13/2003 10:00:00 AM for 30 minutes: free\n"
           "     1/13/2003 10:30:00 AM for 60 minutes: busy (Dentist, Out Of Office)\n",
           "   CTimeSlot(\"(4/14/2003 9:00 AM)\", \"(4/14/2003 10:00 AM)\", \"60\"): "
           "valid 1, 60 minutes; the user is busy\n"
           "   CTimeSlot(\"(4/15/2003 10:00 AM)\", \"(4/15/2003 11:30 AM)\", \"90\"): "
           "valid 1, 90 minutes; the user is free\n",
           "     (tell :t1 (4/14/2003 9:00:00 AM) :t2 (4/15/2003 10:00:00 AM))\n",
           // 14 April: the review until 10:00 and the kickoff until 11:30 come first.
           "     (tell :t1 (4/14/2003 11:30:00 AM) :t2 (4/14/2003 12:00:00 PM)",
       }) {
    EXPECT_NE(tour.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
}  // namespace dayweave::agent
