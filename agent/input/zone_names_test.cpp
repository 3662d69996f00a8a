#include "agent/input/zone_names.h"

#include <gtest/gtest.h>

#include <string>

namespace dayweave::agent {
namespace {

struct NameCase {
  std::string tzid;
  std::optional<std::string> iana;
};

// The names of cli/real_calendars_test.cpp's exporter-zones.ics (Mozilla and Tzfile prefixes,
// a leading slash, Windows names) are checked there on a real calendar.
TEST(IanaZoneName, ResolvesTheNamesThatExportersWrite) {
  const NameCase cases[] = {
      {"Europe/Berlin", "Europe/Berlin"},
      {"America/Argentina/Buenos_Aires", "America/Argentina/Buenos_Aires"},
      {"UTC", "UTC"},
      {"/freeassociation.sourceforge.net/Europe/Stockholm", "Europe/Stockholm"},
      {"/softwarestudio.org/Olson_20011030_5/America/Argentina/Buenos_Aires",
       "America/Argentina/Buenos_Aires"},
      // A Windows name maps to the zone of its main region, as CLDR lists it.
      {"Tokyo Standard Time", "Asia/Tokyo"},
      {"\"W. Europe Standard Time\"", "Europe/Berlin"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(IanaZoneName(c.tzid), c.iana) << c.tzid;
}

TEST(IanaNameIn, LeavesWindowsNamesAside) {
  EXPECT_EQ(IanaNameIn("/mozilla.org/20070129_1/America/New_York"), "America/New_York");
  EXPECT_EQ(IanaNameIn("W. Europe Standard Time"), std::nullopt);
}

TEST(IanaZoneName, NamesNothingForWhatIsNoZone) {
  const std::string bad[] = {"",
                             "   ",
                             "/",
                             "//",
                             "Nowhere/Atlantis",
                             "/mozilla.org/20070129_1/Nowhere/Atlantis",
                             "Europe/",
                             "Stockholm",
                             "Standard Time",
                             "Pacific Standard Time Zone",
                             "../../../etc/passwd",
                             std::string("Europe/Berlin\0x", 15),
                             "Europe/Berlin\n",
                             std::string(5000, '/')};
  for (const std::string& tzid : bad) {
    EXPECT_EQ(IanaZoneName(tzid), std::nullopt) << tzid;
    EXPECT_EQ(IanaNameIn(tzid), std::nullopt) << tzid;
  }
}

}  // namespace
}  // namespace dayweave::agent
