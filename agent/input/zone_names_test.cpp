#include "agent/input/zone_names.h"

#include <gtest/gtest.h>

#include <string>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

// Each row of zone-names.txt. The names of exporter-zones.ics (Mozilla and Tzfile prefixes, a
// leading slash, Windows names) are checked on that real calendar in answers.txt.
TEST(IanaZoneName, ResolvesTheNamesThatExportersWriteAndNothingElse) {
  for (const auto& row : testing::TableRows("zone-names.txt")) {
    const std::optional<std::string> iana =
        row.at(1).empty() ? std::nullopt : std::optional(row[1]);
    EXPECT_EQ(IanaZoneName(row.at(0)), iana) << row[0];
    if (iana) continue;
    EXPECT_EQ(IanaNameIn(row[0]), std::nullopt) << row[0];
  }
  for (const std::string& tzid :
       {std::string(""), std::string("   "), std::string("Europe/Berlin\0x", 15),
        std::string("Europe/Berlin\n"), std::string(5000, '/')}) {
    EXPECT_EQ(IanaZoneName(tzid), std::nullopt) << tzid;
    EXPECT_EQ(IanaNameIn(tzid), std::nullopt) << tzid;
  }
  EXPECT_EQ(IanaNameIn("/mozilla.org/20070129_1/America/New_York"), "America/New_York");
  EXPECT_EQ(IanaNameIn("W. Europe Standard Time"), std::nullopt);
}

}  // namespace
}  // namespace dayweave::agent
