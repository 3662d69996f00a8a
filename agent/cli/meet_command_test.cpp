#include "agent/cli/meet_command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Calendar;
using testing::Event;

using testing::Outcome;

Outcome Meet(const MeetOptions& options, const std::string& input = "") {
  return testing::InProcess([&](AgentIo& io) { return RunMeet(options, io); }, input);
}

std::string Example(const char* name) {
  return std::string(DAYWEAVE_SOURCE_DIR) + "/examples/" + name;
}

MeetOptions Week() {
  MeetOptions options;
  options.from = "2024-03-04";
  options.to = "2024-03-09";
  options.minutes = "60";
  options.calendars = {Example("ana-new-york.ics"), Example("bo-berlin.ics")};
  options.tz = "UTC";
  return options;
}

TEST(RunMeet, RefusesBadInputBeforeReading) {
  struct Row {
    const char* what;
    void (*change)(MeetOptions&);
    const char* message;
  };
  const Row rows[] = {
      {"unknown zone", [](MeetOptions& o) { o.tz = "Mars/Olympus"; }, "--tz \"Mars/Olympus\""},
      {"FROM not a time", [](MeetOptions& o) { o.from = "2024-02-30"; }, "FROM \"2024-02-30\""},
      {"FROM not before TO", [](MeetOptions& o) { o.to = o.from; }, "is not before TO"},
      {"MINUTES zero", [](MeetOptions& o) { o.minutes = "0"; }, "MINUTES \"0\""},
      {"MINUTES fraction", [](MeetOptions& o) { o.minutes = "1.5"; }, "MINUTES \"1.5\""},
      {"MINUTES negative", [](MeetOptions& o) { o.minutes = "-30"; }, "MINUTES \"-30\""},
      {"step", [](MeetOptions& o) { o.step = "0"; }, "--step \"0\""},
      {"hours backwards", [](MeetOptions& o) { o.hours = "17:00-09:00"; }, "--hours"},
      {"hours past midnight", [](MeetOptions& o) { o.hours = "09:00-24:30"; }, "--hours"},
      {"person hours without a calendar", [](MeetOptions& o) { o.personHours = {"09:00-10:00"}; },
       "--person-hours"},
      {"person hours of someone else",
       [](MeetOptions& o) { o.personHours = {"cy.ics=09:00-10:00"}; }, "names no calendar"},
      {"tentative", [](MeetOptions& o) { o.tentative = "maybe"; }, "--tentative \"maybe\""},
      {"limit", [](MeetOptions& o) { o.limit = "0"; }, "--limit \"0\""},
      {"standard input twice",
       [](MeetOptions& o) {
         o.calendars = {"-", "-@Asia/Tokyo"};
       },
       "standard input"},
      {"too many candidates",
       [](MeetOptions& o) {
         o.to = "2030-01-01";
         o.step = "1";
       },
       "candidate starts"},
      {"missing calendar", [](MeetOptions& o) { o.optional = {"/nonexistent/cy.ics"}; },
       "/nonexistent/cy.ics: cannot read the file"},
      {"not a calendar",
       [](MeetOptions& o) {
         o.calendars = {std::string(DAYWEAVE_SOURCE_DIR) + "/agent/testdata/not-a-calendar.csv"};
       },
       "not-a-calendar.csv"},
  };
  for (const Row& row : rows) {
    MeetOptions options = Week();
    row.change(options);
    const Outcome outcome = Meet(options);
    EXPECT_EQ(outcome.status, 2) << row.what;
    EXPECT_EQ(outcome.out, "") << row.what;
    EXPECT_EQ(outcome.err.rfind("dayweave: meet: ", 0), 0u) << row.what;
    EXPECT_NE(outcome.err.find(row.message), std::string::npos) << row.what << ": " << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << row.what;
  }
}

// A calendar without X-WR-TIMEZONE on standard input, whose owner keeps 09:00-10:00: in Tokyo
// that is 00:00 UTC, in Berlin 08:00 UTC, and on the --tz clock (UTC) 09:00 UTC.
TEST(RunMeet, TheOwnersZoneComesFromTheSuffixThenTheCalendarThenTz) {
  const std::string berlin = Calendar("X-WR-TIMEZONE:Europe/Berlin\n");
  const std::string plain = Calendar("");
  struct Row {
    const char* calendar;
    std::string text;
    const char* start;
  };
  const Row rows[] = {
      {"-@Asia/Tokyo", berlin, "2024-03-04T00:00:00+00:00"},
      {"-", berlin, "2024-03-04T08:00:00+00:00"},
      {"-", plain, "2024-03-04T09:00:00+00:00"},
  };
  for (const Row& row : rows) {
    MeetOptions options = Week();
    options.to = "2024-03-05";
    options.calendars = {row.calendar};
    options.personHours = {std::string(row.calendar) + "=09:00-10:00"};
    options.form = MeetOptions::Form::kJson;
    const Outcome outcome = Meet(options, row.text);
    EXPECT_EQ(outcome.status, 0) << row.calendar << outcome.err;
    EXPECT_EQ(nlohmann::json::parse(outcome.out)["slots"][0]["start"], row.start) << row.calendar;
  }
}

TEST(RunMeet, SaysWhyNothingQualifies) {
  MeetOptions options = Week();
  options.calendars.push_back(Example("cy-tokyo.ics"));
  Outcome outcome = Meet(options);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "(tell)\n");
  EXPECT_NE(outcome.err.find("working hours; the hours of"), std::string::npos) << outcome.err;

  const std::string busy =
      Calendar(Event("UID:away\nDTSTART:20240304T000000Z\nDTEND:20240309T000000Z\n"
                     "X-MICROSOFT-CDO-BUSYSTATUS:OOF\n"));
  options = Week();
  options.calendars.push_back("-");
  options.form = MeetOptions::Form::kJson;
  outcome = Meet(options, busy);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(nlohmann::json::parse(outcome.out), nlohmann::json::parse(R"({"slots": []})"));
  EXPECT_NE(outcome.err.find("- is busy at"), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace dayweave::agent
