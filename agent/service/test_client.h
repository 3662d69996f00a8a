// A plain blocking TCP client for the service's tests: connects to 127.0.0.1, sends text and
// reads reply lines, and never waits longer than a few seconds for anything, so that a test
// of a broken service fails instead of hanging.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdint>
#include <string>

namespace dayweave::agent::testing {

class TestClient {
 public:
  explicit TestClient(std::uint16_t port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    timeval wait{5, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~TestClient() { close(fd_); }
  TestClient(const TestClient&) = delete;
  TestClient& operator=(const TestClient&) = delete;

  bool Connected() const { return connected_; }

  void Send(const std::string& text) {
    for (std::size_t sent = 0; sent < text.size();) {
      const ssize_t n = send(fd_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return;
      sent += static_cast<std::size_t>(n);
    }
  }

  // The next reply line without its break; "<closed>" at the end of the stream and
  // "<timeout>" when nothing came for five seconds.
  std::string Line() {
    while (true) {
      const auto end = pending_.find('\n');
      if (end != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      char buffer[4096];
      const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
      if (n == 0) return "<closed>";
      if (n < 0) return "<timeout>";
      pending_.append(buffer, static_cast<std::size_t>(n));
    }
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
  std::string pending_;
};

}  // namespace dayweave::agent::testing
