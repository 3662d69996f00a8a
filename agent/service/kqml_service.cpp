#include "agent/service/kqml_service.h"

#include <csignal>
#include <ostream>
#include <unordered_map>
#include <utility>

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/post.hpp>
#include <asio/signal_set.hpp>
#include <asio/steady_timer.hpp>
#include <asio/write.hpp>

#include "agent/service/connection.h"
#include "agent/service/responder.h"

namespace dayweave::agent {

namespace {

using asio::ip::tcp;

// How long to wait before accepting again after accept failed (out of file descriptors).
constexpr std::chrono::milliseconds kAcceptRetry(100);

constexpr std::size_t kLongestLogLine = 300;

std::string EndpointText(const tcp::endpoint& endpoint) {
  const std::string host = endpoint.address().to_string();
  const std::string port = std::to_string(endpoint.port());
  return endpoint.address().is_v6() ? "[" + host + "]:" + port : host + ":" + port;
}

}  // namespace

class KqmlService::Impl {
 public:
  Impl(const ServiceSettings& settings, Answerer answerer, std::ostream& log)
      : settings_(settings),
        log_(log),
        acceptor_(io_),
        signals_(io_, SIGINT, SIGTERM),
        retry_(io_),
        responder_(settings.name, std::move(answerer), settings.mostReplyBytes),
        filter_(settings.allowed),
        context_{responder_, settings.idleLimit, settings.mostMessageBytes,
                 settings.quiet ? std::function<void(const std::string&)>()
                                : [this](const std::string& line) { Log(line); },
                 [this](Connection* connection) { Forget(connection); }} {}

  bool Listen(std::string& problem);
  tcp::endpoint Endpoint() const { return endpoint_; }
  void Run();
  void Stop() {
    asio::post(io_, [this] { Shutdown(); });
  }
  void Post(std::function<void()> work) { asio::post(io_, std::move(work)); }

 private:
  void Accept();
  void OnAccepted(const std::error_code& error, tcp::socket socket);
  void Turn(tcp::socket socket, const std::string& peer, const std::string& why);
  void Shutdown();
  void Forget(Connection* connection);
  void Log(const std::string& line);

  ServiceSettings settings_;
  std::ostream& log_;
  asio::io_context io_;
  tcp::endpoint endpoint_;  // where the service listens
  tcp::acceptor acceptor_;
  asio::signal_set signals_;
  asio::steady_timer retry_;
  Responder responder_;
  PeerFilter filter_;
  Connection::Context context_;
  std::unordered_map<Connection*, std::shared_ptr<Connection>> connections_;
  bool stopping_ = false;
};

// One line, whatever a peer sent: control characters become '?', and a line longer than
// kLongestLogLine is cut there.
void KqmlService::Impl::Log(const std::string& line) {
  std::string shown = line.substr(0, kLongestLogLine);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  if (line.size() > kLongestLogLine) shown += "...";
  log_ << "dayweave: serve: " << shown << std::endl;
}

bool KqmlService::Impl::Listen(std::string& problem) {
  const std::string where = settings_.host + ":" + std::to_string(settings_.port);
  std::error_code error;
  tcp::resolver resolver(io_);
  const auto found =
      resolver.resolve(settings_.host, std::to_string(settings_.port),
                       tcp::resolver::passive | tcp::resolver::numeric_service, error);
  if (error || found.empty()) {
    problem = "cannot listen on " + where + " (" + error.message() + ")";
    return false;
  }
  const tcp::endpoint endpoint = *found.begin();
  acceptor_.open(endpoint.protocol(), error);
  if (!error) acceptor_.set_option(tcp::acceptor::reuse_address(true), error);
  if (!error) acceptor_.bind(endpoint, error);
  if (!error) acceptor_.listen(asio::socket_base::max_listen_connections, error);
  if (!error) endpoint_ = acceptor_.local_endpoint(error);
  if (error) {
    problem = "cannot listen on " + where + " (" + error.message() + ")";
    return false;
  }
  signals_.async_wait([this](const std::error_code& failed, int) {
    if (!failed) Shutdown();
  });
  Accept();
  return true;
}

void KqmlService::Impl::Run() { io_.run(); }

void KqmlService::Impl::Accept() {
  acceptor_.async_accept([this](const std::error_code& error, tcp::socket socket) {
    OnAccepted(error, std::move(socket));
  });
}

void KqmlService::Impl::OnAccepted(const std::error_code& error, tcp::socket socket) {
  if (stopping_ || error == asio::error::operation_aborted) return;
  if (error) {
    if (!settings_.quiet) Log("fault: cannot accept a connection (" + error.message() + ")");
    retry_.expires_after(kAcceptRetry);
    retry_.async_wait([this](const std::error_code& failed) {
      if (!failed && !stopping_) Accept();
    });
    return;
  }
  Accept();

  std::error_code unknown;
  const tcp::endpoint remote = socket.remote_endpoint(unknown);
  if (unknown) return;
  const std::string peer = EndpointText(remote);
  if (!filter_.Allows(remote.address())) {
    if (!settings_.quiet) Log(peer + ": fault: outside loopback and every --allow range");
    std::error_code ignored;
    socket.close(ignored);
  } else if (connections_.size() >= settings_.mostConnections) {
    Turn(std::move(socket), peer, "too many connections");
  } else {
    auto connection = std::make_shared<Connection>(std::move(socket), peer, context_);
    connections_.emplace(connection.get(), connection);
    connection->Start();
  }
}

// Answers a connection the service does not take with an error, then closes it.
void KqmlService::Impl::Turn(tcp::socket socket, const std::string& peer, const std::string& why) {
  if (!settings_.quiet) Log(peer + ": fault: " + why);
  auto turned = std::make_shared<std::pair<tcp::socket, std::string>>(
      std::move(socket), responder_.Refusal(why) + "\n");
  asio::async_write(turned->first, asio::buffer(turned->second),
                    [turned](const std::error_code&, std::size_t) {
                      std::error_code ignored;
                      turned->first.shutdown(tcp::socket::shutdown_both, ignored);
                      turned->first.close(ignored);
                    });
}

void KqmlService::Impl::Shutdown() {
  if (stopping_) return;
  stopping_ = true;
  std::error_code ignored;
  acceptor_.close(ignored);
  signals_.cancel(ignored);
  retry_.cancel();
  const auto open = connections_;
  for (const auto& [key, connection] : open) connection->Stop();
}

void KqmlService::Impl::Forget(Connection* connection) { connections_.erase(connection); }

std::unique_ptr<KqmlService> KqmlService::Open(const ServiceSettings& settings, Answerer answerer,
                                               std::ostream& log, std::string& problem) {
  auto impl = std::make_unique<Impl>(settings, std::move(answerer), log);
  if (!impl->Listen(problem)) return nullptr;
  return std::unique_ptr<KqmlService>(new KqmlService(std::move(impl)));
}

KqmlService::KqmlService(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
KqmlService::~KqmlService() = default;

std::string KqmlService::Address() const { return EndpointText(impl_->Endpoint()); }
std::uint16_t KqmlService::Port() const { return impl_->Endpoint().port(); }
void KqmlService::Run() { impl_->Run(); }
void KqmlService::Stop() { impl_->Stop(); }
void KqmlService::Post(std::function<void()> work) { impl_->Post(std::move(work)); }

}  // namespace dayweave::agent
