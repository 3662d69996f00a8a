// One client connection of the KQML service: reads messages as they arrive, answers each
// through the Responder, writes the replies in order, and closes on a fault, after idleness
// or when the service stops. Reading waits while replies are being written, and the questions
// of one read are answered about kMostOutputBytes of replies at a time, each batch written
// before the next is answered: a client that does not read its answers holds little memory.
//
// Example (inside the service's accept handler):
//   auto connection = std::make_shared<Connection>(std::move(socket), peer, context);
//   connection->Start();
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>

#include "agent/service/kqml_reader.h"
#include "agent/service/responder.h"

namespace dayweave::agent {

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  static constexpr std::size_t kMostOutputBytes = 64 * 1024;

  // What every connection of one service shares.
  struct Context {
    const Responder& responder;
    std::chrono::milliseconds idleLimit;
    std::size_t mostMessageBytes;
    std::function<void(const std::string& line)> log;  // one line, without its break
    std::function<void(Connection*)> closed;           // called once, when the socket closes
  };

  Connection(asio::ip::tcp::socket socket, std::string peer, const Context& context);

  // Start
  // Begins reading; logs the connection as opened.
  void Start();

  // Stop
  // Reads nothing more; closes once the replies owed are written.
  void Stop();

 private:
  void Read();
  void OnRead(const std::error_code& error, std::size_t size);
  void Answer();
  void Write();
  void OnWritten(const std::error_code& error);
  void WaitIdle();
  void Close(const std::string& why);

  asio::ip::tcp::socket socket_;
  asio::steady_timer idle_;
  std::chrono::steady_clock::time_point lastTraffic_;
  std::string peer_;
  const Context& context_;
  KqmlReader reader_;
  std::vector<KqmlValue> messages_;  // read by the last read; answered_ of them answered
  std::size_t answered_ = 0;
  std::optional<std::string> fault_;  // what the reader found wrong, after those messages
  std::array<char, 16 * 1024> input_;
  std::string output_;
  bool writing_ = false;
  bool refused_ = false;   // a reply to text that is not KQML is the last one
  bool draining_ = false;  // after that reply: reading until the peer closes
  bool stopping_ = false;
  bool closed_ = false;
};

}  // namespace dayweave::agent
