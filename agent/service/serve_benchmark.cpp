// The KQML service under load: starts `dayweave serve` on the bundled sample calendar, opens
// 100 connections to it, and has each ask 1,000 `ask-one free` questions, reading each answer
// before asking the next. Reports the answers per second over the whole run, the answer time
// (from writing a question to reading its whole answer) at the median, the 99th percentile
// and the worst, the service's CPU time (the figure that other work on the machine moves
// least), and its resident size a tenth of the way through and at the end.
//
// Usage: dayweave_serve_benchmark [CONNECTIONS [QUESTIONS_EACH]]
// The service runs as its own process, so that its resident size is its alone; the clients
// share one thread, as the service does.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <asio/connect.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/read_until.hpp>
#include <asio/streambuf.hpp>
#include <asio/write.hpp>

namespace {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;

// The service's resident size in KiB, from /proc.
long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// The CPU time the service has used, user and system, in seconds.
double CpuSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::stod(field);  // utime, stime
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Starts the program serving the sample calendar on a free port; answers its process id and
// port (0 when it did not start).
pid_t StartService(std::uint16_t& port) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    execl(DAYWEAVE_AGENT_PROGRAM, "dayweave", "serve", DAYWEAVE_SOURCE_DIR "/examples/sample.ics",
          "--port", "0", "--tz", "UTC", "--quiet", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string line;
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
  close(out[0]);
  const auto colon = line.rfind(':');
  port = line.rfind("listening on ", 0) == 0 && colon != std::string::npos
             ? static_cast<std::uint16_t>(std::stoi(line.substr(colon + 1)))
             : 0;
  return pid;
}

// The free/busy questions asked in turn: every quarter hour of the week of 14 April 2003.
std::vector<std::string> Questions() {
  std::vector<std::string> questions;
  for (int day = 14; day < 21; ++day) {
    for (int minute = 0; minute < 24 * 60; minute += 15) {
      char when[32];
      std::snprintf(when, sizeof when, "2003-04-%02dT%02d:%02d", day, minute / 60, minute % 60);
      questions.push_back(
          "(ask-one :sender bench :receiver dayweave :reply-with q :content (free " +
          std::string(when) + " 30))\n");
    }
  }
  return questions;
}

struct Run {
  std::vector<std::string> questions = Questions();
  std::vector<double> microseconds;  // one answer time per answer
  long wrong = 0;
  long answered = 0;
  long total = 0;
  long residentAtTenth = 0;
  pid_t service = 0;
};

class Client : public std::enable_shared_from_this<Client> {
 public:
  Client(asio::io_context& io, Run& run, int index, int questions)
      : socket_(io), run_(run), next_(index * 7), left_(questions) {}

  void Start(const tcp::endpoint& service) {
    socket_.connect(service);
    socket_.set_option(tcp::no_delay(true));
    Ask();
  }

 private:
  void Ask() {
    const std::string& question = run_.questions[next_++ % run_.questions.size()];
    asked_ = Clock::now();
    asio::async_write(socket_, asio::buffer(question),
                      [self = shared_from_this()](const std::error_code& error, std::size_t) {
                        if (!error) self->Await();
                      });
  }

  void Await() {
    asio::async_read_until(
        socket_, answer_, '\n',
        [self = shared_from_this()](const std::error_code& error, std::size_t size) {
          if (error) {
            ++self->run_.wrong;
            return;
          }
          self->run_.microseconds.push_back(
              std::chrono::duration<double, std::micro>(Clock::now() - self->asked_).count());
          const char* data = static_cast<const char*>(self->answer_.data().data());
          if (std::string(data, std::min<std::size_t>(size, 5)) != "(tell") ++self->run_.wrong;
          self->answer_.consume(size);
          if (++self->run_.answered == self->run_.total / 10) {
            self->run_.residentAtTenth = ResidentKiB(self->run_.service);
          }
          if (--self->left_ > 0) self->Ask();
        });
  }

  tcp::socket socket_;
  Run& run_;
  std::size_t next_;
  int left_;
  asio::streambuf answer_;
  Clock::time_point asked_;
};

}  // namespace

int main(int argc, char** argv) {
  const int connections = argc > 1 ? std::stoi(argv[1]) : 100;
  const int questions = argc > 2 ? std::stoi(argv[2]) : 1000;
  Run run;
  run.total = static_cast<long>(connections) * questions;
  run.microseconds.reserve(static_cast<std::size_t>(run.total));
  std::uint16_t port = 0;
  run.service = StartService(port);
  if (port == 0) {
    std::cerr << "dayweave_serve_benchmark: the service did not start\n";
    return 2;
  }

  asio::io_context io;
  const tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), port);
  std::vector<std::shared_ptr<Client>> clients;
  for (int i = 0; i < connections; ++i) {
    clients.push_back(std::make_shared<Client>(io, run, i, questions));
  }
  const double cpuBefore = CpuSeconds(run.service);
  const auto start = Clock::now();
  for (const auto& client : clients) client->Start(endpoint);
  io.run();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const long residentAtEnd = ResidentKiB(run.service);
  const double cpu = CpuSeconds(run.service) - cpuBefore;

  kill(run.service, SIGTERM);
  int status = 0;
  waitpid(run.service, &status, 0);

  std::sort(run.microseconds.begin(), run.microseconds.end());
  const auto at = [&](double share) {
    if (run.microseconds.empty()) return 0.0;
    return run.microseconds[static_cast<std::size_t>(share * (run.microseconds.size() - 1))];
  };
  std::printf("connections x questions     %d x %d\n", connections, questions);
  std::printf("answers                     %ld (%ld wrong or missing)\n", run.answered, run.wrong);
  std::printf("answers per second          %.0f\n", run.answered / seconds);
  std::printf("service CPU time            %.2f s (%.0f answers per CPU second)\n", cpu,
              run.answered / cpu);
  std::printf("answer time median          %.0f us\n", at(0.5));
  std::printf("answer time 99th percentile %.0f us\n", at(0.99));
  std::printf("answer time worst           %.0f us\n", at(1.0));
  std::printf("resident size at a tenth    %ld KiB\n", run.residentAtTenth);
  std::printf("resident size at the end    %ld KiB (%+ld KiB)\n", residentAtEnd,
              residentAtEnd - run.residentAtTenth);
  std::printf("service exit status         %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return run.wrong == 0 && run.answered == run.total ? 0 : 1;
}
