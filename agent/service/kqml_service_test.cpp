// The service over real TCP connections on a free loopback port, with an answerer that
// echoes each question's content (and takes its time over `(slow)`, and answers `(big)` with
// 100,000 bytes).
#include "agent/service/kqml_service.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sstream>
#include <thread>

#include "agent/service/test_client.h"

namespace dayweave::agent {
namespace {

using testing::TestClient;
using namespace std::chrono_literals;

std::atomic<bool> answeringSlowly{false};

Answer Echo(const KqmlValue& content) {
  const std::string head = content.IsList() && !content.items.empty() ? content.items[0].text : "";
  if (head == "slow") {
    answeringSlowly = true;
    std::this_thread::sleep_for(300ms);
  }
  if (head == "big") return Answer::Tell(KqmlValue::String(std::string(100000, 'x')));
  return Answer::Tell(content);
}

class Running {
 public:
  explicit Running(ServiceSettings settings = {}) {
    settings.port = 0;
    std::string problem;
    service_ = KqmlService::Open(settings, Echo, log_, problem);
    EXPECT_EQ(problem, "");
    thread_ = std::thread([this] { service_->Run(); });
  }
  ~Running() { Stop(); }
  std::uint16_t Port() const { return service_->Port(); }
  // Stops the service and waits until Run returns; then the log may be read.
  void Stop() {
    if (!thread_.joinable()) return;
    service_->Stop();
    thread_.join();
  }
  void Join() { thread_.join(); }
  std::string Log() const { return log_.str(); }

 private:
  std::ostringstream log_;
  std::unique_ptr<KqmlService> service_;
  std::thread thread_;
};

// Answers far longer than the questions are written in batches, still in order. Questions
// pipelined across reads are met by cli/serve_command_test.cpp, whose tens of kilobytes of
// questions span many reads.
TEST(KqmlServiceTest, LongAnswersAreWrittenInOrder) {
  Running service;
  TestClient client(service.Port());
  client.Send(
      "(ask-one :content (big)) (ask-one :content (big)) (ask-one :content (big)) "
      "(ask-one :content (f))");
  const std::string big = "(tell :sender dayweave :content \"" + std::string(100000, 'x') + "\")";
  for (int i = 0; i < 3; ++i) EXPECT_EQ(client.Line(), big);
  EXPECT_EQ(client.Line(), "(tell :sender dayweave :content (f))");
  service.Stop();
  EXPECT_EQ(client.Line(), "<closed>");
}

// A question the responder refuses is answered and the connection stays open; text that is
// not KQML is answered, after the questions before it, with the reader's fault and closes it.
// Each fault is logged.
TEST(KqmlServiceTest, FaultsAreAnsweredAndTextThatIsNotKqmlCloses) {
  Running service;
  TestClient refused(service.Port());
  refused.Send("(ask-one :sender ana :receiver bo :content (a)) (ask-one :content (b))");
  EXPECT_EQ(refused.Line(),
            R"((sorry :sender dayweave :receiver ana :comment "this is dayweave, not bo"))");
  EXPECT_EQ(refused.Line(), "(tell :sender dayweave :content (b))");
  TestClient tooLong(service.Port());
  tooLong.Send("(ask-one :content (a)) (ask-one :content " +
               std::string(KqmlReader::kMostMessageBytes, 'x') + ")");
  EXPECT_EQ(tooLong.Line(), "(tell :sender dayweave :content (a))");
  EXPECT_EQ(tooLong.Line(),
            R"((error :sender dayweave :comment "a message longer than 65536 bytes"))");
  EXPECT_EQ(tooLong.Line(), "<closed>");
  refused.Send("(ask-one :content (still-open))");
  EXPECT_EQ(refused.Line(), "(tell :sender dayweave :content (still-open))");
  service.Stop();
  const std::string log = service.Log();
  for (const char* fault : {"fault: sorry :comment \"this is dayweave, not bo\"",
                            "fault: a message longer than 65536 bytes"}) {
    EXPECT_NE(log.find(fault), std::string::npos) << fault << "\n" << log;
  }
}

TEST(KqmlServiceTest, AnIdleConnectionIsClosed) {
  ServiceSettings settings;
  settings.idleLimit = 300ms;
  Running service(settings);
  TestClient idle(service.Port());
  TestClient busy(service.Port());
  for (int i = 0; i < 6; ++i) {  // traffic every 100 ms keeps a connection open past the limit
    busy.Send("(ask-one :content (a))");
    EXPECT_EQ(busy.Line(), "(tell :sender dayweave :content (a))");
    std::this_thread::sleep_for(100ms);
  }
  EXPECT_EQ(idle.Line(), "<closed>");
  busy.Send("(ask-one :content (b))");
  EXPECT_EQ(busy.Line(), "(tell :sender dayweave :content (b))");
  service.Stop();
  EXPECT_NE(service.Log().find("fault: idle for 300 ms"), std::string::npos) << service.Log();
}

TEST(KqmlServiceTest, ConnectionsBeyondTheLimitAreTurnedAway) {
  for (const std::size_t most : {std::size_t{3}, ServiceSettings().mostConnections}) {
    ServiceSettings settings;
    settings.mostConnections = most;
    Running service(settings);
    std::vector<std::unique_ptr<TestClient>> clients;
    for (std::size_t i = 0; i < most; ++i) {
      clients.push_back(std::make_unique<TestClient>(service.Port()));
      clients.back()->Send("(ask-one :content (a))");
      ASSERT_EQ(clients.back()->Line(), "(tell :sender dayweave :content (a))") << i;
    }
    TestClient extra(service.Port());
    EXPECT_EQ(extra.Line(), R"((error :sender dayweave :comment "too many connections"))");
    EXPECT_EQ(extra.Line(), "<closed>");
    // Once one closes, a new connection is served again.
    clients.pop_back();
    std::string reply;
    for (int attempt = 0; attempt < 50 && reply.find("tell") == std::string::npos; ++attempt) {
      TestClient again(service.Port());
      again.Send("(ask-one :content (a))");
      reply = again.Line();
      if (reply.find("tell") == std::string::npos) std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(reply, "(tell :sender dayweave :content (a))") << most;
  }
}

TEST(KqmlServiceTest, SigtermFinishesTheAnswersInProgressAndStops) {
  Running service;
  TestClient client(service.Port());
  client.Send("(ask-one :content (slow)) (ask-one :content (next))");
  while (!answeringSlowly) std::this_thread::sleep_for(1ms);
  std::raise(SIGTERM);
  EXPECT_EQ(client.Line(), "(tell :sender dayweave :content (slow))");
  EXPECT_EQ(client.Line(), "(tell :sender dayweave :content (next))");
  EXPECT_EQ(client.Line(), "<closed>");
  service.Join();
  EXPECT_FALSE(TestClient(service.Port()).Connected());
}

}  // namespace
}  // namespace dayweave::agent
