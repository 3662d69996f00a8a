#include "agent/cli/iso_instant.h"

#include <gtest/gtest.h>

#include <string>

namespace dayweave::agent {
namespace {

using namespace std::chrono;

TEST(IsoInstant, ReadsUtcAndOffsets) {
  const sys_seconds tenUtc = sys_days{2003y / 1 / 13} + 10h;
  const struct {
    std::string text;
    sys_seconds instant;
  } cases[] = {
      {"2003-01-13T10:00Z", tenUtc},
      {"2003-01-13t10:00z", tenUtc},
      {"2003-01-13T10:00:00Z", tenUtc},
      {"2003-01-13T10:00:59Z", tenUtc + 59s},
      {"2003-01-13T12:00+02:00", tenUtc},
      {"2003-01-13T12:00+0200", tenUtc},
      {"2003-01-13T12:00+02", tenUtc},
      {"2003-01-13T05:30-04:30", tenUtc},
      {"2003-01-13T10:00-00:00", tenUtc},
      {"2003-01-14T01:00+15:00", tenUtc},
      // An offset can move the instant into another day, month or year.
      {"2003-01-01T00:30+01:00", sys_days{2002y / 12 / 31} + 23h + 30min},
      {"2004-02-29T23:00-02:00", sys_days{2004y / 3 / 1} + 1h},
  };
  for (const auto& c : cases) EXPECT_EQ(IsoInstant(c.text), c.instant) << c.text;
}

TEST(IsoInstant, NamesNothingForOtherText) {
  const std::string bad[] = {
      "",
      "2003-01-13T10:00",      // a wall-clock time: no instant
      "2003-01-13",            // a date
      "1/13/2003 10:00 AM Z",  // the library's form
      "2003-01-13 10:00Z",     // no T
      "20030113T100000Z",      // the basic form
      "2003-02-29T10:00Z",     // no such day
      "2003-13-01T10:00Z",     // no such month
      "2003-00-10T10:00Z",
      "2003-01-00T10:00Z",
      "2003-01-13T24:00Z",  // no such hour
      "2003-01-13T10:60Z",
      "2003-01-13T10:00:60Z",    // leap seconds are not counted
      "2003-01-13T10:00+24:00",  // offsets up to 23:59
      "2003-01-13T10:00+02:60",
      "2003-01-13T10:00+2:00",
      "2003-01-13T10:00+02:0",
      "2003-01-13T10:00+02:00:00",
      "2003-01-13T10:00ZZ",
      "2003-01-13T10:00Z ",
      " 2003-01-13T10:00Z",
      "2003-01-13T10:00.5Z",
      "2003-01-13T10Z",
      "+2003-01-13T10:00Z",
      "2003-01-13T10:00+",
      std::string("2003-01-13T10:00Z\0", 18),
  };
  for (const std::string& text : bad) EXPECT_EQ(IsoInstant(text), std::nullopt) << text;
}

}  // namespace
}  // namespace dayweave::agent
