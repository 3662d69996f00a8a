#include "agent/service/peer_filter.h"

#include <gtest/gtest.h>

namespace dayweave::agent {
namespace {

TEST(PeerFilterTest, LoopbackAndAllowedRanges) {
  std::vector<AddressRange> ranges;
  for (const char* text : {"192.168.1.0/24", "10.1.2.3", "fd00::/8", "172.16.0.0/12"}) {
    std::string problem;
    ranges.push_back(*AddressRange::Parse(text, problem));
  }
  const PeerFilter filter(ranges);
  const PeerFilter loopbackOnly({});
  struct Case {
    const char* peer;
    bool allowed;
  } cases[] = {
      {"127.0.0.1", true},
      {"127.3.4.5", true},
      {"::1", true},
      {"::ffff:127.0.0.1", true},
      {"192.168.1.0", true},
      {"192.168.1.255", true},
      {"192.168.2.1", false},
      {"::ffff:192.168.1.9", true},
      {"10.1.2.3", true},
      {"10.1.2.4", false},
      {"fdab::1", true},
      {"fe80::1", false},
      {"172.31.255.255", true},
      {"172.32.0.0", false},
      {"8.8.8.8", false},
  };
  for (const Case& c : cases) {
    const auto address = asio::ip::make_address(c.peer);
    EXPECT_EQ(filter.Allows(address), c.allowed) << c.peer;
    EXPECT_EQ(loopbackOnly.Allows(address),
              address.is_loopback() || std::string(c.peer) == "::ffff:127.0.0.1")
        << c.peer;
  }
}

TEST(PeerFilterTest, RangesThatDoNotParse) {
  struct Case {
    const char* text;
    const char* problem;
  } cases[] = {
      {"10.0.0.0/33", R"("10.0.0.0/33" has a prefix length that is not from 0 to 32)"},
      {"::/129", R"("::/129" has a prefix length that is not from 0 to 128)"},
      {"10.0.0.0/", R"("10.0.0.0/" has a prefix length that is not from 0 to 32)"},
      {"10.0.0.0/-1", R"("10.0.0.0/-1" has a prefix length that is not from 0 to 32)"},
      {"lan", R"("lan" is not an address or an address range)"},
      {"10.0.0/8", R"("10.0.0/8" is not an address or an address range)"},
      {"", R"("" is not an address or an address range)"},
  };
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_FALSE(AddressRange::Parse(c.text, problem)) << c.text;
    EXPECT_EQ(problem, c.problem);
  }
  std::string problem;
  const auto everyone = AddressRange::Parse("0.0.0.0/0", problem);
  ASSERT_TRUE(everyone);
  EXPECT_TRUE(everyone->Contains(asio::ip::make_address("203.0.113.7")));
  EXPECT_FALSE(everyone->Contains(asio::ip::make_address("2001:db8::1")));
}

}  // namespace
}  // namespace dayweave::agent
