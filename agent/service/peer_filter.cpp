#include "agent/service/peer_filter.h"

#include <algorithm>

#include <asio/ip/address_v4.hpp>
#include <asio/ip/address_v6.hpp>

namespace dayweave::agent {

namespace {

// `address` with an IPv4-mapped IPv6 address read as the IPv4 address it maps.
asio::ip::address Unmapped(const asio::ip::address& address) {
  if (address.is_v6() && address.to_v6().is_v4_mapped()) {
    return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6());
  }
  return address;
}

// The address's bytes in network order, and how many of them there are.
std::array<unsigned char, 16> BytesOf(const asio::ip::address& address, std::size_t& count) {
  std::array<unsigned char, 16> bytes{};
  if (address.is_v4()) {
    const auto v4 = address.to_v4().to_bytes();
    std::copy(v4.begin(), v4.end(), bytes.begin());
    count = v4.size();
  } else {
    const auto v6 = address.to_v6().to_bytes();
    std::copy(v6.begin(), v6.end(), bytes.begin());
    count = v6.size();
  }
  return bytes;
}

}  // namespace

std::optional<AddressRange> AddressRange::Parse(std::string_view text, std::string& problem) {
  const auto slash = text.find('/');
  std::error_code error;
  const auto address = Unmapped(asio::ip::make_address(std::string(text.substr(0, slash)), error));
  if (error) {
    problem = "\"" + std::string(text) + "\" is not an address or an address range";
    return {};
  }
  AddressRange range;
  std::size_t count = 0;
  range.bytes_ = BytesOf(address, count);
  range.v6_ = address.is_v6();
  range.prefix_ = static_cast<unsigned>(count * 8);
  if (slash != std::string_view::npos) {
    const std::string_view bits = text.substr(slash + 1);
    unsigned prefix = 0;
    const bool digits = !bits.empty() && bits.size() <= 3 &&
                        bits.find_first_not_of("0123456789") == std::string_view::npos;
    if (digits) prefix = static_cast<unsigned>(std::stoul(std::string(bits)));
    if (!digits || prefix > range.prefix_) {
      problem = "\"" + std::string(text) + "\" has a prefix length that is not from 0 to " +
                std::to_string(range.prefix_);
      return {};
    }
    range.prefix_ = prefix;
  }
  return range;
}

bool AddressRange::Contains(const asio::ip::address& address) const {
  const auto peer = Unmapped(address);
  if (peer.is_v6() != v6_) return false;
  std::size_t count = 0;
  const auto bytes = BytesOf(peer, count);
  for (unsigned bit = 0; bit < prefix_; ++bit) {
    const unsigned mask = 0x80u >> (bit % 8);
    if ((bytes[bit / 8] & mask) != (bytes_[bit / 8] & mask)) return false;
  }
  return true;
}

bool PeerFilter::Allows(const asio::ip::address& address) const {
  if (Unmapped(address).is_loopback()) return true;
  for (const AddressRange& range : allowed_) {
    if (range.Contains(address)) return true;
  }
  return false;
}

}  // namespace dayweave::agent
