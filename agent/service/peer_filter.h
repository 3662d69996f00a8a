// Which peers may talk to the service: loopback always, anyone else only from an address range
// given with --allow (CIDR notation: 192.168.1.0/24, fd00::/8; a bare address is a range of
// one). An IPv4 peer seen through an IPv6 socket (::ffff:10.0.0.7) counts as IPv4.
//
// Example:
//   std::string problem;
//   auto lan = AddressRange::Parse("192.168.1.0/24", problem);
//   PeerFilter filter({*lan});
//   filter.Allows(asio::ip::make_address("192.168.1.9")) == true
//   filter.Allows(asio::ip::make_address("10.0.0.1")) == false
//   filter.Allows(asio::ip::make_address("::1")) == true
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <asio/ip/address.hpp>

namespace dayweave::agent {

class AddressRange {
 public:
  // Parse
  // The range that `text` writes, or nothing with `problem` saying why.
  static std::optional<AddressRange> Parse(std::string_view text, std::string& problem);

  // Contains
  // Whether `address` lies in the range.
  bool Contains(const asio::ip::address& address) const;

 private:
  bool v6_ = false;
  std::array<unsigned char, 16> bytes_{};
  unsigned prefix_ = 0;  // leading bits that must match
};

class PeerFilter {
 public:
  explicit PeerFilter(std::vector<AddressRange> allowed) : allowed_(std::move(allowed)) {}

  // Allows
  // Whether a peer at `address` may talk to the service.
  bool Allows(const asio::ip::address& address) const;

 private:
  std::vector<AddressRange> allowed_;
};

}  // namespace dayweave::agent
