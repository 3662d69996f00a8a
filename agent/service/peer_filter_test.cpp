#include "agent/service/peer_filter.h"

#include <gtest/gtest.h>

#include "agent/test_support.h"

namespace dayweave::agent {
namespace {

TEST(PeerFilterTest, LoopbackAndAllowedRanges) {
  std::vector<AddressRange> ranges;
  std::string problem;
  for (const char* text : {"192.168.1.0/24", "10.1.2.3", "fd00::/8", "172.16.0.0/12"}) {
    ranges.push_back(AddressRange::Parse(text, problem).value());
  }
  const PeerFilter filter(ranges), loopbackOnly({});
  const PeerFilter everyIPv4({AddressRange::Parse("0.0.0.0/0", problem).value()});
  for (const auto& row : testing::TableRows("peer-addresses.txt")) {
    const auto address = asio::ip::make_address(row.at(0));
    EXPECT_EQ(filter.Allows(address), row.at(1) == "yes") << row[0];
    EXPECT_EQ(loopbackOnly.Allows(address), address.is_loopback() || row[0] == "::ffff:127.0.0.1")
        << row[0];
    EXPECT_EQ(everyIPv4.Allows(address),
              address.is_v4() || address.is_loopback() || row[0].starts_with("::ffff:"))
        << row[0];
  }
}

TEST(PeerFilterTest, RangesThatDoNotParse) {
  for (const auto& row : testing::TableRows("address-ranges-refused.txt")) {
    std::string problem;
    EXPECT_FALSE(AddressRange::Parse(row.at(0), problem)) << row[0];
    EXPECT_EQ(problem, row.at(1));
  }
}

}  // namespace
}  // namespace dayweave::agent
