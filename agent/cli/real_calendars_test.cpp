// The agent on small calendars shaped like those that real calendar programs export, one for
// each way such a file was once misread (agent/testdata). Every time is asked on the UTC clock
// unless a case says otherwise.
#include <gtest/gtest.h>

#include <sstream>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

using testing::Outcome;

Outcome Agent(std::vector<std::string> arguments, const std::string& zone = "UTC") {
  arguments[1] = testing::TestDataPath(arguments[1]);
  arguments.insert(arguments.end(), {"--tz", zone});
  return testing::Agent(arguments);
}

constexpr int kFree = 0;
constexpr int kBusy = 1;

struct FreeCase {
  const char* when;
  const char* minutes;  // "" for an instant
  int status;
  const char* blocking;  // the lines after "busy"
};

void ExpectFree(const char* file, const std::vector<FreeCase>& cases,
                const std::string& zone = "UTC") {
  for (const FreeCase& c : cases) {
    std::vector<std::string> arguments = {"free", file, c.when};
    if (*c.minutes != '\0') arguments.push_back(c.minutes);
    const Outcome result = Agent(arguments, zone);
    EXPECT_EQ(result.status, c.status) << file << " " << c.when << " " << c.minutes;
    EXPECT_EQ(result.out, std::string(c.status == kFree ? "free\n" : "busy\n") + c.blocking)
        << file << " " << c.when << " " << c.minutes;
  }
}

// The rows of `list` (or `occurs`) whose subject is `subject`, as start-end-duration triples.
std::vector<std::string> Rows(const Outcome& result, const std::string& subject) {
  std::vector<std::string> rows;
  std::istringstream lines(result.out);
  for (std::string line; std::getline(lines, line);) {
    if (line.size() < subject.size() ||
        line.compare(line.size() - subject.size(), subject.size(), subject) != 0) {
      continue;
    }
    std::string row;
    std::istringstream words(line.substr(0, line.size() - subject.size()));
    for (std::string word; words >> word;) row += (row.empty() ? "" : " ") + word;
    rows.push_back(row);
  }
  return rows;
}

TEST(RealCalendars, RdatesHonourTheirTzid) {
  // RDATE;TZID=America/New_York;VALUE=PERIOD:20060103T150000/PT2H is 20:00-22:00 UTC.
  ExpectFree("rdate-zone.ics",
             {{"2006-01-03T20:30", "", kBusy, "Busy          Period in New York\n"},
              {"2006-01-03T15:30", "", kFree, ""}});
  const Outcome list = Agent({"list", "rdate-zone.ics"});
  EXPECT_EQ(Rows(list, "Period in New York")[1],
            "1 1/3/2006 8:00:00 PM 1/3/2006 10:00:00 PM 2 Hours Busy -");
  // An RDATE whose TZID names no zone is kept, on the display clock, and said so.
  EXPECT_EQ(Rows(list, "Extra date in an unknown zone")[1],
            "3 1/17/2006 9:00:00 AM 1/17/2006 10:00:00 AM 60 Minutes Busy -");
  EXPECT_EQ(list.err,
            "dayweave: " + testing::TestDataPath("rdate-zone.ics") +
                ":18: event 3 (UID rdate-unknown@dayweave.test): its RDATE names the unknown "
                "time zone Nowhere/Atlantis: read as floating time, on the display clock\n");
}

TEST(RealCalendars, AnIanaZoneDefinedLateKeepsItsHistory) {
  // Europe/Berlin is defined from October 2018 on; 3 December 2016 14:00-19:00 Berlin time
  // is 13:00-18:00 UTC. "Office Time" is no IANA zone: its first TZOFFSETFROM (+03:00) holds.
  const Outcome list = Agent({"list", "short-vtimezone.ics"});
  EXPECT_EQ(Rows(list, "Winter workshop")[0],
            "1 12/3/2016 1:00:00 PM 12/3/2016 6:00:00 PM 5 Hours Busy -");
  EXPECT_EQ(Rows(list, "Summer workshop")[0],
            "2 7/4/2016 12:00:00 PM 7/4/2016 1:00:00 PM 60 Minutes Busy -");
  EXPECT_EQ(Rows(list, "Office before its zone began")[0],
            "4 12/3/2016 11:00:00 AM 12/3/2016 12:00:00 PM 60 Minutes Busy -");
  ExpectFree("short-vtimezone.ics",
             {{"2016-12-03T17:30", "", kBusy, "Busy          Winter workshop\n"},
              {"2016-12-03T12:30", "", kFree, ""}});
  ExpectFree("short-vtimezone.ics",
             {{"2016-12-03T18:30", "", kBusy, "Busy          Winter workshop\n"}}, "Europe/Berlin");
}

TEST(RealCalendars, ExportersZoneNamesAreResolved) {
  const Outcome list = Agent({"list", "exporter-zones.ics"});
  // 09:00 on each clock: New York UTC-5 and Los Angeles UTC-8 before 11 March 2007,
  // Stockholm and Berlin UTC+1; the unknown zone reads as the display clock.
  const std::pair<const char*, const char*> starts[] = {
      {"Mozilla prefix", "3/5/2007 2:00:00 PM"},      {"Tzfile prefix", "3/6/2007 8:00:00 AM"},
      {"Leading slash", "3/7/2007 8:00:00 AM"},       {"Windows Pacific", "3/8/2007 5:00:00 PM"},
      {"Windows West Europe", "3/9/2007 8:00:00 AM"}, {"Unresolvable zone", "3/10/2007 9:00:00 AM"},
  };
  for (const auto& [subject, start] : starts) {
    ASSERT_EQ(Rows(list, subject).size(), 1u) << subject;
    EXPECT_NE(Rows(list, subject)[0].find(start), std::string::npos) << subject;
  }
  EXPECT_EQ(list.err, "dayweave: " + testing::TestDataPath("exporter-zones.ics") +
                          ":34: event 6 (UID unknown@dayweave.test): its DTSTART and DTEND name "
                          "the unknown time zone Nowhere/Atlantis: read as floating time, on the "
                          "display clock\n");
}

TEST(RealCalendars, AnOverrideWithDtendAndDurationTakesDtend) {
  ExpectFree("override-end-and-duration.ics",
             {{"2024-06-05T09:10", "", kFree, ""},
              {"2024-06-05T14:30", "", kBusy, "Busy          Standup moved\n"},
              {"2024-06-06T09:10", "", kBusy, "Busy          Standup\n"}});
  const Outcome list = Agent({"list", "override-end-and-duration.ics"});
  EXPECT_EQ(
      Rows(list, "Standup moved"),
      std::vector<std::string>{"2 6/5/2024 2:00:00 PM 6/5/2024 3:00:00 PM 60 Minutes Busy -"});
  EXPECT_EQ(list.err, "dayweave: " + testing::TestDataPath("override-end-and-duration.ics") +
                          ":11: event 2 (UID standup@dayweave.test): it has both DTEND and "
                          "DURATION: DTEND is taken\n");
}

TEST(RealCalendars, AnEventOfNoLengthTakesNoTime) {
  ExpectFree("no-length.ics", {{"2024-06-03T10:00", "", kFree, ""},
                               {"2024-06-03T09:30", "60", kFree, ""},
                               {"2024-06-03T12:30", "60", kBusy, "Busy          Planning\n"}});
  EXPECT_EQ(
      Agent({"slots", "no-length.ics", "2024-06-03", "2024-06-04", "60", "--hours", "09:00-11:00"})
          .out,
      "(tell :t1 (6/3/2024 9:00:00 AM) :t2 (6/3/2024 9:30:00 AM) :t3 (6/3/2024 10:00:00 AM))\n");
  // It is still listed, and occurs on its date.
  EXPECT_EQ(Rows(Agent({"occurs", "no-length.ics", "2024-06-03"}), "Call the bank").size(), 1u);
}

TEST(RealCalendars, AnEventOccursOnEveryDateItMeets) {
  const struct {
    const char* date;
    std::vector<std::string> subjects;
  } cases[] = {
      {"2024-06-09", {}},
      {"2024-06-10", {"Conference"}},
      {"2024-06-11", {"Conference"}},
      {"2024-06-12", {"Conference"}},
      {"2024-06-13", {}},  // an all-day event ends at the start of its DTEND date
      {"2024-06-14", {"Night shift"}},
      {"2024-06-15", {"Night shift"}},
      {"2024-06-16", {"Until midnight"}},
      {"2024-06-17", {}},
      {"2024-06-18", {"Deadline"}},  // no length: on its start date
  };
  for (const auto& c : cases) {
    const Outcome occurs = Agent({"occurs", "multi-day.ics", c.date});
    std::vector<std::string> subjects;
    for (const char* subject : {"Conference", "Night shift", "Until midnight", "Deadline"}) {
      if (!Rows(occurs, subject).empty()) subjects.push_back(subject);
    }
    EXPECT_EQ(subjects, c.subjects) << c.date;
  }
}

TEST(RealCalendars, FreeNamesEachBlockingEventOnce) {
  ExpectFree("secondly.ics", {{"2024-06-03T09:00", "30", kBusy,
                               "Busy          Ping (1800 times)\nBusy          Review\n"},
                              {"2024-06-03T09:59:59", "", kBusy, "Busy          Ping\n"}});
}

TEST(RealCalendars, EachOccurrenceShowsItsOwnLength) {
  EXPECT_EQ(Rows(Agent({"list", "rdate-period-length.ics"}), "Course"),
            (std::vector<std::string>{
                "1 6/3/2024 9:00:00 AM 6/3/2024 1:00:00 PM 4 Hours Busy -",
                "1 6/5/2024 8:00:00 AM 6/5/2024 9:00:00 PM 13 Hours Busy -",
                "1 6/7/2024 9:00:00 AM 6/7/2024 9:30:00 AM 30 Minutes Busy -",
            }));
}

TEST(RealCalendars, ThisAndFutureMovesEveryLaterOccurrence) {
  // From 5 June on the daily 12:00-14:00 series runs 09:00-16:00; 8 June has its own override.
  ExpectFree("this-and-future.ics",
             {{"2024-06-04T09:30", "", kFree, ""},
              {"2024-06-04T12:30", "", kBusy, "Busy          Series\n"},
              {"2024-06-05T09:30", "", kBusy, "Busy          Series moved\n"},
              {"2024-06-07T09:30", "", kBusy, "Busy          Series\n"},
              {"2024-06-12T15:30", "", kBusy, "Busy          Series\n"},
              {"2024-06-08T10:00", "", kFree, ""},
              {"2024-06-13T10:00", "", kFree, ""}});
  EXPECT_EQ(Rows(Agent({"list", "this-and-future.ics"}), "Series")[2],
            "1 6/6/2024 9:00:00 AM 6/6/2024 4:00:00 PM 7 Hours Busy -");
}

TEST(RealCalendars, TimesWithZOrAnOffsetAreReadOnTheDisplayClock) {
  // The kickoff runs 11:00-12:00 in Berlin, 10:00-11:00 UTC.
  ExpectFree("iso-times.ics", {{"2003-01-13T10:30Z", "", kBusy, "Busy          Kickoff\n"},
                               {"2003-01-13T12:30+02:00", "", kBusy, "Busy          Kickoff\n"},
                               {"2003-01-13T11:00Z", "30", kFree, ""},
                               {"2003-01-13T10:59:59Z", "", kBusy, "Busy          Kickoff\n"}});
  ExpectFree("iso-times.ics",
             {{"2003-01-13T05:30-05:00", "", kBusy, "Busy          Kickoff\n"},
              {"2003-01-13T10:30", "", kFree, ""}},
             "Europe/Berlin");
  EXPECT_EQ(
      Agent({"slots", "iso-times.ics", "2003-01-13T08:00Z", "2003-01-13T12:00Z", "60", "--hours",
             "00:00-24:00"},
            "Europe/Berlin")
          .out,
      "(tell :t1 (1/13/2003 9:00:00 AM) :t2 (1/13/2003 9:30:00 AM) :t3 (1/13/2003 10:00:00 AM) "
      ":t4 (1/13/2003 12:00:00 PM) :t5 (1/13/2003 12:30:00 PM))\n");
  const Outcome bad = Agent({"free", "iso-times.ics", "2003-01-13T25:00Z"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "dayweave: free: WHEN \"2003-01-13T25:00Z\" is not a date and time\n");
}

}  // namespace
}  // namespace dayweave::agent
