#include "dayweave/recurrence_data.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace dayweave {
namespace {

// Opens the rule's protected window tests and fields to the tests.
class RuleProbe : public CRecurrenceData {
 public:
  using CRecurrenceData::CRecurrenceData;
  using CRecurrenceData::IsWithinTime;
  using CRecurrenceData::m_dayOfMonth;
  using CRecurrenceData::m_endDate;
  using CRecurrenceData::m_ends;
  using CRecurrenceData::m_endTime;
  using CRecurrenceData::m_instance;
  using CRecurrenceData::m_interval;
  using CRecurrenceData::m_startDate;
  using CRecurrenceData::m_startTime;
  using CRecurrenceData::m_status;
  using CRecurrenceData::m_type;
};

void ExpectZeroDateTime(const COleDateTime& value) {
  EXPECT_EQ(value.m_dt, 0.0);
  EXPECT_EQ(value.GetStatus(), COleDateTime::valid);
}

TEST(RecurrenceDataTest, ConstructorsLeaveDocumentedValues) {
  const RuleProbe plain;
  const RuleProbe typed(3);
  EXPECT_EQ(plain.m_status, 0);
  EXPECT_EQ(plain.m_type, 0);
  EXPECT_EQ(typed.m_status, 1);
  EXPECT_EQ(typed.m_type, 3);
  for (const RuleProbe* rule : {&plain, &typed}) {
    EXPECT_EQ(rule->GetDays(), 0);
    EXPECT_EQ(rule->m_interval, 1);
    EXPECT_EQ(rule->m_dayOfMonth, 0);
    EXPECT_EQ(rule->m_instance, 0);
    EXPECT_EQ(rule->m_ends, 0);
    ExpectZeroDateTime(rule->m_startTime);
    ExpectZeroDateTime(rule->m_startDate);
    ExpectZeroDateTime(rule->m_endTime);
    ExpectZeroDateTime(rule->m_endDate);
  }
}

TEST(RecurrenceDataTest, IntervalIsNeverZero) {
  const struct {
    long given;
    int stored;
  } cases[] = {
      {0, 1},
      {-2, -2},
      {5, 5},
      {INT_MIN, INT_MIN},
      {INT_MAX, INT_MAX},
      {1L << 32, 1},  // low 32 bits are 0
      {(1L << 32) + 3, 3},
      {LONG_MIN, 1},
      {0xFFFFFFFFL, -1},
  };
  for (const auto& c : cases) {
    RuleProbe rule;
    rule.SetInterval(c.given);
    EXPECT_EQ(rule.m_interval, c.stored) << c.given;
  }
}

TEST(RecurrenceDataTest, SettersStoreTheirArgumentsUnchanged) {
  RuleProbe rule(1);
  rule.SetRecType(9);
  rule.SetStatus(-4);
  rule.SetInstance(7);
  rule.Ends(-3);
  rule.SetDayOfMonth(40);
  EXPECT_EQ(rule.m_type, 9);
  EXPECT_EQ(rule.m_status, -4);
  EXPECT_EQ(rule.m_instance, 7);
  EXPECT_EQ(rule.m_ends, -3);
  EXPECT_EQ(rule.m_dayOfMonth, 40);

  // The forms that take a value keep its day count and status, invalid or not.
  COleDateTime odd(12.75);
  odd.SetStatus(COleDateTime::invalid);
  rule.SetStartTime(odd);
  rule.SetEndTime(COleDateTime(-1.25));
  rule.SetStartDate(COleDateTime(37725.5));
  rule.SetEndDate(odd);
  EXPECT_EQ(rule.m_startTime.m_dt, 12.75);
  EXPECT_EQ(rule.m_startTime.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(rule.m_endTime.m_dt, -1.25);
  EXPECT_EQ(rule.m_startDate.m_dt, 37725.5);
  EXPECT_EQ(rule.m_endDate.GetStatus(), COleDateTime::invalid);

  // The component forms build a time of day on 30 December 1899 and a date at midnight.
  rule.SetStartTime(9, 30, 15);
  rule.SetEndTime(17, 0, 0);
  rule.SetStartDate(2003, 4, 14);
  rule.SetEndDate(2003, 1, 6);
  EXPECT_DOUBLE_EQ(rule.m_startTime.m_dt, 0.39600694444444445);
  EXPECT_EQ(rule.m_startTime.GetYear(), 1899);
  EXPECT_EQ(rule.m_startTime.GetDay(), 30);
  EXPECT_DOUBLE_EQ(rule.m_endTime.m_dt, 17.0 / 24);
  EXPECT_EQ(rule.m_startDate.m_dt, 37725.0);
  EXPECT_EQ(rule.m_endDate.m_dt, 37627.0);
  EXPECT_EQ(rule.m_startDate.GetStatus(), COleDateTime::valid);

  // Components that form no time or date leave the field invalid.
  rule.SetStartTime(-1, -1, -1);
  rule.SetEndTime(24, 0, 0);
  rule.SetStartDate(-1, -1, -1);
  rule.SetEndDate(2003, 2, 29);
  EXPECT_EQ(rule.m_startTime.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(rule.m_endTime.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(rule.m_startDate.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(rule.m_endDate.GetStatus(), COleDateTime::invalid);
}

TEST(RecurrenceDataTest, WindowHoldsItsStartButNotItsEnd) {
  RuleProbe rule;
  rule.SetStartTime(9, 0, 0);
  rule.SetEndTime(17, 0, 0);
  const struct {
    int hour, minute, second, within;
  } cases[] = {
      {9, 0, 0, 1},   {16, 59, 59, 1}, {12, 0, 0, 1},   {17, 0, 0, 0},
      {8, 59, 59, 0}, {0, 0, 0, 0},    {23, 59, 59, 0},
  };
  // The date plays no part, before 1899 included, where the day count is negative.
  const int dates[][3] = {{2003, 1, 13}, {1899, 12, 30}, {1000, 1, 1}, {9999, 12, 31}};
  for (const auto& date : dates) {
    for (const auto& c : cases) {
      const COleDateTime at(date[0], date[1], date[2], c.hour, c.minute, c.second);
      EXPECT_EQ(rule.IsWithinTime(at), c.within)
          << date[0] << "-" << date[1] << "-" << date[2] << " " << c.hour << ":" << c.minute;
    }
  }
}

TEST(RecurrenceDataTest, BackwardAndEmptyWindowsHoldNothing) {
  RuleProbe overnight;
  overnight.SetStartTime(22, 0, 0);
  overnight.SetEndTime(2, 0, 0);
  RuleProbe empty;
  empty.SetStartTime(9, 0, 0);
  empty.SetEndTime(9, 0, 0);
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute : {0, 30, 59}) {
      const COleDateTime at(2003, 4, 14, hour, minute, 0);
      EXPECT_EQ(overnight.IsWithinTime(at), 0) << hour << ":" << minute;
      EXPECT_EQ(empty.IsWithinTime(at), 0) << hour << ":" << minute;
    }
  }
  // A range still overlaps an empty window that lies strictly inside it.
  EXPECT_EQ(
      empty.IsWithinTime(COleDateTime(2003, 4, 14, 8, 0, 0), COleDateTime(2003, 4, 14, 10, 0, 0)),
      1);
}

TEST(RecurrenceDataTest, RangeMustOverlapTheWindowByMoreThanAPoint) {
  RuleProbe rule;
  rule.SetStartTime(9, 0, 0);
  rule.SetEndTime(17, 0, 0);
  const struct {
    int from[3];
    int to[3];
    int within;
  } cases[] = {
      {{8, 0, 0}, {9, 0, 0}, 0},    // ends at the start: touching only
      {{17, 0, 0}, {18, 0, 0}, 0},  // begins at the end: touching only
      {{8, 0, 0}, {9, 0, 1}, 1},   {{16, 59, 59}, {18, 0, 0}, 1},
      {{10, 0, 0}, {11, 0, 0}, 1},  // inside
      {{7, 0, 0}, {19, 0, 0}, 1},   // around
      {{6, 0, 0}, {8, 0, 0}, 0},   {{18, 0, 0}, {20, 0, 0}, 0},
      {{12, 0, 0}, {10, 0, 0}, 1},  // backward range inside: not treated specially
      {{18, 0, 0}, {10, 0, 0}, 0},  // backward, begins after the end
      {{8, 0, 0}, {8, 30, 0}, 0},
  };
  for (const auto& c : cases) {
    const COleDateTime from(2003, 4, 14, c.from[0], c.from[1], c.from[2]);
    const COleDateTime to(2003, 4, 14, c.to[0], c.to[1], c.to[2]);
    EXPECT_EQ(rule.IsWithinTime(from, to), c.within)
        << c.from[0] << ":" << c.from[1] << " to " << c.to[0] << ":" << c.to[1];
  }
  // Only times of day count, the dates are dropped: 16:00 one day to 10:00 the next overlaps,
  // while 16:00 to 08:00 the next day ends (as a time of day) before the window starts, and
  // 18:00 to 10:00 the next day begins after it ends.
  const struct {
    int fromHour, toHour, within;
  } overnight[] = {{16, 10, 1}, {16, 8, 0}, {18, 10, 0}};
  for (const auto& c : overnight) {
    EXPECT_EQ(rule.IsWithinTime(COleDateTime(2003, 4, 14, c.fromHour, 0, 0),
                                COleDateTime(2003, 4, 15, c.toHour, 0, 0)),
              c.within)
        << c.fromHour << " to " << c.toHour;
  }
}

TEST(RecurrenceDataTest, CopiesAreIndependentOfTheirSource) {
  auto source = std::make_unique<RuleProbe>(2);
  source->SetInterval(2);
  source->SetDayOfMonth(15);
  source->SetStartDate(2003, 1, 15);
  source->SetStartTime(9, 0, 0);
  source->SetEndTime(10, 0, 0);
  source->SetDays(4u);

  const RuleProbe copied(*source);
  RuleProbe assigned(5);
  assigned = *source;
  for (const RuleProbe* copy : {&copied, static_cast<const RuleProbe*>(&assigned)}) {
    EXPECT_EQ(copy->m_type, 2);
    EXPECT_EQ(copy->m_status, 1);
    EXPECT_EQ(copy->GetDays(), 4);
    EXPECT_EQ(copy->OccursOn(15, 3, 2003), source->OccursOn(15, 3, 2003));
    EXPECT_EQ(copy->IsWithinTime(COleDateTime(2003, 3, 15, 9, 30, 0)), 1);
  }

  source->SetDayOfMonth(16);
  source->SetDays(0u);
  source.reset();
  for (const RuleProbe* copy : {&copied, static_cast<const RuleProbe*>(&assigned)}) {
    EXPECT_EQ(copy->OccursOn(15, 3, 2003), 1);
    EXPECT_EQ(copy->OccursOn(15, 2, 2003), 0);
    EXPECT_EQ(copy->GetDays(), 4);
  }

  RuleProbe& self = assigned;
  assigned = self;
  EXPECT_EQ(assigned.OccursOn(15, 5, 2003), 1);
}

TEST(RecurrenceDataTest, RuleIsADaySet) {
  std::unique_ptr<CDay> days = std::make_unique<CRecurrenceData>(1);
  days->AddDays(2u | 8u);
  EXPECT_EQ(days->ToStringAbb(), "MonWed");
  auto* rule = static_cast<CRecurrenceData*>(days.get());
  rule->SetStartDate(2003, 4, 2);
  EXPECT_EQ(rule->OccursOn(7, 4, 2003), 1);  // a Monday
  EXPECT_EQ(rule->OccursOn(8, 4, 2003), 0);  // a Tuesday
}

}  // namespace
}  // namespace dayweave
