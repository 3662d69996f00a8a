// The KQML service: listens on TCP, reads KQML messages from every connection and answers
// each with one line, in the order the questions came, all on the one thread that calls Run
// (no thread per connection: a question is answered as soon as its message is complete).
//
// Limits, each a setting so that tests can use small ones:
//   - a peer outside loopback and every allowed range is disconnected at once;
//   - beyond mostConnections open connections, a new one gets
//     (error :sender NAME :comment "too many connections") and is closed;
//   - a connection without traffic either way for idleLimit is closed;
//   - text that is not KQML, or a message over mostMessageBytes, gets an error reply and the
//     connection is closed (see KqmlReader);
//   - a reply over mostReplyBytes is replaced by an error saying so (see Responder).
// Each connection opened and closed and each fault is one line on the log, unless quiet.
// SIGINT and SIGTERM (caught from construction on) or Stop close the listener, let every
// connection finish writing the answers it owes, and make Run return.
//
// Example:
//   ServiceSettings settings;
//   settings.port = 0;  // any free port
//   std::string problem;
//   auto service = KqmlService::Open(settings, answerer, std::cerr, problem);
//   std::cout << "listening on " << service->Address() << std::endl;
//   service->Run();
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "agent/service/answer.h"
#include "agent/service/kqml_reader.h"
#include "agent/service/peer_filter.h"
#include "agent/service/responder.h"

namespace dayweave::agent {

struct ServiceSettings {
  std::string host = "127.0.0.1";
  std::uint16_t port = 5555;  // 0 picks a free port
  std::string name = "dayweave";
  std::vector<AddressRange> allowed;
  std::size_t mostConnections = 256;
  std::chrono::milliseconds idleLimit = std::chrono::seconds(60);
  std::size_t mostMessageBytes = KqmlReader::kMostMessageBytes;
  std::size_t mostReplyBytes = Responder::kMostReplyBytes;
  bool quiet = false;
};

class KqmlService {
 public:
  // Open
  // A service listening as `settings` say, or null with `problem` saying why (an address that
  // does not resolve, a port in use).
  static std::unique_ptr<KqmlService> Open(const ServiceSettings& settings, Answerer answerer,
                                           std::ostream& log, std::string& problem);
  ~KqmlService();

  // Address
  // Where the service listens, as HOST:PORT ([HOST]:PORT for IPv6): "127.0.0.1:5555".
  std::string Address() const;

  // Port
  // The port the service listens on.
  std::uint16_t Port() const;

  // Run
  // Serves until a signal or Stop, then until the answers owed are written.
  void Run();

  // Stop
  // Stops the service as SIGTERM does; safe to call from any thread.
  void Stop();

  // Post
  // Runs `work` on the service's thread, between answers; safe to call from any thread. Work
  // posted once Run has returned is dropped.
  void Post(std::function<void()> work);

  class Impl;

 private:
  explicit KqmlService(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace dayweave::agent
