// A plain blocking TCP client for the service's tests: connects to 127.0.0.1, sends text and
// reads reply lines, and never waits longer than five seconds for a line, so that a test of a
// broken service fails instead of hanging.
#pragma once

#include <asio/ip/tcp.hpp>
#include <chrono>
#include <cstdint>
#include <string>

namespace dayweave::agent::testing {

class TestClient {
 public:
  explicit TestClient(std::uint16_t port)
      : stream_(asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), port)) {}

  bool Connected() const { return !stream_.error(); }

  void Send(const std::string& text) { stream_ << text << std::flush; }

  // The next reply line without its break; "<closed>" at the end of the stream, and the
  // failure in angle brackets ("<Connection timed out>") when there is no line.
  std::string Line() {
    stream_.expires_after(std::chrono::seconds(5));
    std::string line;
    if (std::getline(stream_, line)) return line;
    return stream_.error() == asio::error::eof ? "<closed>" : "<" + stream_.error().message() + ">";
  }

 private:
  asio::ip::tcp::iostream stream_;
};

}  // namespace dayweave::agent::testing
