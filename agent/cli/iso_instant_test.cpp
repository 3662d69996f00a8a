#include "agent/cli/iso_instant.h"

#include <gtest/gtest.h>

#include <string>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

TEST(IsoInstant, ReadsTheTableOfInstants) {
  for (const auto& row : testing::TableRows("iso-instants.txt")) {
    const auto expected =
        row.at(1).empty() ? std::nullopt : std::optional(testing::Instant(row[1]));
    EXPECT_EQ(IsoInstant(row.at(0)), expected) << "\"" << row[0] << "\"";
  }
  EXPECT_EQ(IsoInstant(std::string("2003-01-13T10:00Z\0", 18)), std::nullopt);
}

}  // namespace
}  // namespace dayweave::agent
