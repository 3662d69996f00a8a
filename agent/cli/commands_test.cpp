#include "agent/cli/program.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "agent/cli/sample_calendar.h"
#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result Agent(const std::vector<std::string>& arguments, const std::string& input = "",
             const std::string& machineZone = "UTC") {
  std::istringstream in(input);
  std::ostringstream out, err;
  AgentIo io{in, out, err, machineZone};
  const int status = RunAgent(arguments, io);
  return Result{status, out.str(), err.str()};
}

const std::string& kSample = testing::kSamplePath;

// The plain busy and free answers and their exit statuses are checked by running the program.
TEST(CommandsTest, FreeNamesWhatBlocksWithItsStatus) {
  // An instant: the dentist (out of office) and the tentative lunch overlap nothing at 11:30.
  EXPECT_EQ(Agent({"free", kSample, "1/13/2003 11:30 AM"}).out, "busy\nOut Of Office Dentist\n");
  EXPECT_EQ(Agent({"free", kSample, "1/13/2003 12:00 PM", "60"}).out,
            "busy\nTentative     Lunch with Ana\n");
  // The tax day is transparent: it blocks nothing.
  EXPECT_EQ(Agent({"free", kSample, "4/15/2003 6:00 AM", "60"}).status, 0);
}

TEST(CommandsTest, ListOccursAndSlots) {
  const Result occurs = Agent({"occurs", kSample, "4/15/2003"});
  EXPECT_EQ(occurs.status, 0);
  EXPECT_EQ(occurs.out,
            "4   R  1/6/2003 8:45:00 AM   1/6/2003 9:00:00 AM   15 Minutes  Busy  -  Standup\n"
            "9   R  4/15/2003 2:00:00 PM  4/15/2003 3:00:00 PM  60 Minutes  Busy  -  Company "
            "anniversary\n"
            "10     4/15/2003             4/16/2003             24 Hours    Free  -  Tax day\n");
  EXPECT_EQ(Agent({"list", kSample, "--on", "2003-04-15"}).out, occurs.out);
  EXPECT_EQ(Agent({"list", kSample, "--on=4/15/2003"}).out, occurs.out);
  EXPECT_EQ(Agent({"list", kSample}).out.find("7      4/16/2003"), std::string::npos);

  EXPECT_EQ(Agent({"slots", kSample, "4/15/2003 12:00 PM", "4/15/2003 5:00 PM", "60"}).out,
            "(tell :t1 (4/15/2003 12:00:00 PM) :t2 (4/15/2003 12:30:00 PM) :t3 (4/15/2003 "
            "1:00:00 PM) :t4 (4/15/2003 3:00:00 PM) :t5 (4/15/2003 3:30:00 PM) :t6 (4/15/2003 "
            "4:00:00 PM))\n");
  EXPECT_EQ(Agent({"slots", kSample, "4/14/2003", "4/15/2003", "90", "--hours", "15:00-17:00",
                   "--step", "60", "--text"})
                .out,
            "StartTime: 4/14/2003 3:00:00 PM\nEndTime: 4/14/2003 4:30:00 PM\n"
            "Duration: 90 Minutes\nValid: TRUE\nSlotType : Absolute\nDays : No Days\nfree\nt1\n");
  // Saturday and Sunday, weekdays only: nothing.
  EXPECT_EQ(Agent({"slots", kSample, "4/12/2003", "4/14/2003", "60", "--weekdays"}).out,
            "(tell)\n");
}

// Each row: the arguments and the error line after "dayweave: "; the exit status is 2.
TEST(CommandsTest, ErrorLinesForEachKindOfBadInput) {
  const std::string missing = testing::TestDataPath("none.ics");
  const std::string folder = testing::TestDataPath("");
  const std::string csv = testing::TestDataPath("not-a-calendar.csv");
  const std::string minutes = "\" is not a whole number from 1 to 527040";
  const std::string hours = "\" is not HH:MM-HH:MM with the first time before the second";
  const std::string usage = " (usage: dayweave ";
  struct Case {
    std::vector<std::string> arguments;
    std::string err;
  } cases[] = {
      {{"free", missing, "4/14/2003"},
       missing + ": cannot read the file (No such file or directory)"},
      {{"list", folder}, folder + ": cannot read the file (Is a directory)"},
      {{"list", csv}, csv + ": not an iCalendar file (libical finds no complete calendar in it)"},
      {{"free", kSample, "4/31/2003"}, "free: WHEN \"4/31/2003\" is not a date and time"},
      {{"occurs", kSample, "2003-13-01"}, "occurs: DATE \"2003-13-01\" is not a date"},
      {{"slots", kSample, "x", "4/15/2003", "60"}, "slots: FROM \"x\" is not a date and time"},
      {{"slots", kSample, "4/14/2003", "4/14/2003 25:00", "60"},
       "slots: TO \"4/14/2003 25:00\" is not a date and time"},
      {{"slots", kSample, "4/14/2003 9:00 AM", "4/14/2003 9:00 AM", "60"},
       "slots: FROM 4/14/2003 9:00:00 AM is not before TO 4/14/2003 9:00:00 AM"},
      {{"free", kSample, "4/14/2003", "0"}, "free: MINUTES \"0" + minutes},
      {{"free", kSample, "4/14/2003", "-5"}, "free: MINUTES \"-5" + minutes},
      {{"free", kSample, "4/14/2003", "1.5"}, "free: MINUTES \"1.5" + minutes},
      {{"free", kSample, "4/14/2003", "527041"}, "free: MINUTES \"527041" + minutes},
      {{"slots", kSample, "4/13/1001", "4/16/2003", "60", "--step", "15"},
       "slots: FROM 4/13/1001 to TO 4/16/2003 every 15 minutes is more than 1000000 candidate "
       "starts"},
      {{"slots", kSample, "4/14/2003", "4/15/2003", "60", "--step", "0"},
       "slots: --step \"0" + minutes},
      {{"slots", kSample, "4/14/2003", "4/15/2003", "60", "--hours", "17:00-09:00"},
       "slots: --hours \"17:00-09:00" + hours},
      {{"slots", kSample, "4/14/2003", "4/15/2003", "60", "--hours", "9-17"},
       "slots: --hours \"9-17" + hours},
      {{"free", kSample, "4/14/2003", "--tz", "Mars/Olympus_Mons"},
       "free: --tz \"Mars/Olympus_Mons\" is not a time zone libical knows"},
      {{"lsit", kSample},
       "unknown command \"lsit\" (commands: list, free, occurs, slots; dayweave --help tells "
       "more)"},
      {{"free", kSample},
       "free: WHEN is required" + usage + "free FILE WHEN [MINUTES] [--tz NAME] [--verbose])"},
      {{"occurs", kSample, "4/14/2003", "extra"},
       "occurs: The following argument was not expected: extra" + usage +
           "occurs FILE DATE [--tz NAME] [--verbose])"},
      {{"list", kSample, "--tz"},
       "list: --tz: 1 required NAME missing" + usage +
           "list FILE [--tz NAME] [--on DATE] [--verbose])"},
      {{"list", kSample, "--text"},
       "list: The following argument was not expected: --text" + usage +
           "list FILE [--tz NAME] [--on DATE] [--verbose])"},
  };
  for (const Case& c : cases) {
    const Result result = Agent(c.arguments);
    EXPECT_EQ(result.status, 2) << c.err;
    EXPECT_EQ(result.err, "dayweave: " + c.err + "\n");
    EXPECT_EQ(result.out, "") << c.err;
  }
}

TEST(CommandsTest, HelpForTheProgramAndEachCommand) {
  EXPECT_NE(Agent({"--help"}).out.find("dayweave slots FILE FROM TO MINUTES"), std::string::npos);
  for (const char* command : {"list", "free", "occurs", "slots"}) {
    const Result one = Agent({command, "--help"});
    EXPECT_EQ(one.status, 0) << command;
    EXPECT_NE(one.out.find(std::string("\nusage: dayweave ") + command), std::string::npos)
        << command;
  }
}

TEST(CommandsTest, StandardInputZonesWarningsAndVerbose) {
  const std::string calendar = testing::Calendar(
      testing::Event("UID:u\nSUMMARY:Call\nDTSTART:20030414T083000Z\nDTEND:20030414T090000Z\n"));
  // The machine's zone by default, --tz over it.
  EXPECT_EQ(Agent({"free", "-", "4/14/2003 10:40 AM"}, calendar, "Europe/Berlin").status, 1);
  EXPECT_EQ(Agent({"free", "-", "4/14/2003 10:40 AM"}, calendar, "UTC").status, 0);
  EXPECT_EQ(Agent({"free", "-", "4/14/2003 10:40 AM", "--tz", "Europe/Berlin"}, calendar).status,
            1);
  const Result unknown = Agent({"free", "-", "4/14/2003 8:40 AM"}, calendar, "Nowhere/Special");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err,
            "dayweave: warning: the machine's time zone \"Nowhere/Special\" is not one libical "
            "knows; times are shown in UTC\n");

  const Result broken =
      Agent({"free", testing::TestDataPath("broken.ics"), "4/14/2003 2:30 PM"}, "", "UTC");
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out, "busy\nBusy          Readable after\n");
  EXPECT_EQ(std::count(broken.err.begin(), broken.err.end(), '\n'), 6);

  const Result verbose = Agent({"occurs", kSample, "4/18/2003", "--verbose"});
  EXPECT_EQ(verbose.err,
            "dayweave: " + kSample +
                ":65: event 7 (UID gym@sample.dayweave) is expanded into one-off appointments: "
                "it has EXDATE\n");
  EXPECT_NE(verbose.out.find("4/18/2003 6:00:00 PM"), std::string::npos);
  EXPECT_EQ(Agent({"occurs", kSample, "4/18/2003"}).err, "");
}

// libical counts the years before 1752 by the Julian rule and reads 29 February 1700; the
// library's Gregorian calendar has no such day, so the events that start or end on it are
// skipped with a warning, never listed with an invalid date.
TEST(CommandsTest, EventsOnADayTheLibraryLacksAreSkipped) {
  const std::string path = testing::TestDataPath("julian-leap-day.ics");
  const Result list = Agent({"list", path});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out,
            "3     3/1/1700 9:00:00 AM  3/1/1700 10:00:00 AM  60 Minutes  Busy  -  Readable\n");
  const std::string range =
      " is not a date of the library's calendar (years 100 to 9999, "
      "Gregorian)\n";
  EXPECT_EQ(list.err,
            "dayweave: " + path + ":4: event 1 (UID leap-1700@test) skipped: its DTSTART" + range +
                "dayweave: " + path + ":10: event 2 (UID ends-past@test) skipped: its end" + range);
}

// No input, however malformed, crashes the program: every test calendar cut short at many
// places and with bytes flipped goes through each command, which answers or fails cleanly.
TEST(CommandsTest, MalformedCalendarsNeverCrash) {
  std::vector<std::string> texts = {kSampleCalendar};
  for (const char* name : {"recurrence.ics", "zones.ics", "broken.ics", "crlf.ics"}) {
    texts.push_back(testing::TestData(name));
  }
  std::mt19937 random(20030414);
  std::vector<std::string> inputs;
  for (const std::string& text : texts) {
    for (std::size_t cut = 0; cut < text.size(); cut += text.size() / 17 + 1) {
      inputs.push_back(text.substr(0, cut));
      inputs.push_back(text.substr(0, cut) + "END:VEVENT\nEND:VCALENDAR\n");
    }
    for (int i = 0; i < 12; ++i) {
      std::string mutated = text;
      for (int j = 0; j < 8; ++j) {
        const std::size_t at = random() % mutated.size();
        const char bytes[] = {':', ';', '\n', '=', ',', '-', '0', '9', 'Z', 'T', '\0', '\xff'};
        mutated[at] = bytes[random() % sizeof(bytes)];
      }
      inputs.push_back(mutated);
    }
  }
  for (const std::string& input : inputs) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"list", "-"},
             {"free", "-", "1/13/2003 9:30 AM", "90"},
             {"occurs", "-", "4/15/2003"},
             {"slots", "-", "4/14/2003", "4/16/2003", "60", "--tz", "Europe/Berlin"}}) {
      const Result result = Agent(arguments, input);
      EXPECT_TRUE(result.status == 0 || result.status == 1 || !result.err.empty());
      EXPECT_TRUE(result.status >= 0 && result.status <= 2);
      // Every message is a whole line of its own.
      std::istringstream lines(result.err);
      for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("dayweave: ", 0), 0u) << line;
      }
    }
  }
  EXPECT_GT(inputs.size(), 200u);
}

}  // namespace
}  // namespace dayweave::agent
