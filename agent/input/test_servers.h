// Servers the calendar-fetching tests talk to, all on loopback and all stopped by their
// destructors: a real CalDAV server (Radicale, in a scratch folder, with logins of its own) and a
// small fake web server that answers each way a server can go wrong.
//
//   Radicale server;                       // users ana and bo, passwords kAnaPassword, ...
//   server.Send("ana", "MKCALENDAR", "/ana/work/", "");        // the HTTP status
//   server.PutEachEvent("ana", "/ana/sample/", calendarText);   // 01.ics, 02.ics ...
//   server.Pause();                        // a request now waits for an answer
//   FakeServer faults;                     // faults.Url("/status/404") answers 404
#pragma once

#include <curl/curl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <asio.hpp>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "agent/test_support.h"

extern char** environ;

namespace dayweave::agent::testing {

inline const std::string kAnaPassword = "ana-S3cret!";
inline const std::string kBoPassword = "bo-pa55word";

// A loopback port nothing listens on at the moment of asking.
inline int FreeLoopbackPort() {
  asio::io_context io;
  asio::ip::tcp::acceptor acceptor(io, {asio::ip::address_v4::loopback(), 0});
  return acceptor.local_endpoint().port();
}

// A folder of its own under the system's temporary folder, removed with everything in it.
struct ScratchFolder {
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dayweave-XXXXXX").string();
    path = mkdtemp(pattern.data()) ? pattern : "";
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

class Radicale {
 public:
  // With `tls`, the server speaks https with a certificate for 127.0.0.1 that no authority
  // but Certificate() vouches for.
  explicit Radicale(bool tls = false) : port_(FreeLoopbackPort()), tls_(tls) {
    const std::string users = folder_.path + "/users";
    std::ofstream(users) << "ana:" << kAnaPassword << "\nbo:" << kBoPassword << "\n";
    if (tls) {
      std::system(("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
                   "-days 1 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout " +
                   folder_.path + "/key.pem -out " + Certificate() + " 2>/dev/null")
                      .c_str());
    }
    std::string config = folder_.path + "/config";
    std::ofstream(config) << "[server]\nhosts = 127.0.0.1:" << port_ << "\nssl = " << tls
                          << "\ncertificate = " << Certificate() << "\nkey = " << folder_.path
                          << "/key.pem\n[auth]\ntype = htpasswd\nhtpasswd_filename = " << users
                          << "\nhtpasswd_encryption = plain\ndelay = 0\n[rights]\ntype = owner_only"
                          << "\n[storage]\nfilesystem_folder = " << folder_.path << "/store"
                          << "\n[logging]\nlevel = warning\n";
    // The shell gives its own process to Radicale (exec), so pid_ is the server's.
    std::string command = "exec radicale -C " + config + " >" + folder_.path + "/log 2>&1";
    char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), command.data(), nullptr};
    if (posix_spawn(&pid_, "/bin/sh", nullptr, nullptr, argv, environ) != 0) pid_ = 0;
    // Python takes a moment to start; wait until it answers, at most ten seconds.
    for (int tries = 0; pid_ != 0 && tries < 200 && !Running(); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  ~Radicale() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    Resume();
    waitpid(pid_, nullptr, 0);
  }

  // Pause, Resume: the server stops answering (connections are still taken, and wait) and
  // answers again.
  void Pause() const { kill(pid_, SIGSTOP); }
  void Resume() const { kill(pid_, SIGCONT); }

  std::string Url(const std::string& path) const {
    return (tls_ ? "https" : "http") + std::string("://127.0.0.1:") + std::to_string(port_) + path;
  }

  std::string Certificate() const { return folder_.path + "/cert.pem"; }

  // One request as `user` (ana, bo, or "" for none); the HTTP status, 0 when none came.
  long Send(const std::string& user, const std::string& method, const std::string& path,
            const std::string& body) const {
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy(curl_easy_init(), curl_easy_cleanup);
    curl_easy_setopt(easy.get(), CURLOPT_URL, Url(path).c_str());  // libcurl copies strings
    curl_easy_setopt(easy.get(), CURLOPT_CUSTOMREQUEST, method.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT, 10L);
    curl_easy_setopt(easy.get(), CURLOPT_CAINFO, Certificate().c_str());
    curl_easy_setopt(
        easy.get(), CURLOPT_WRITEFUNCTION, +[](char*, size_t s, size_t n, void*) { return s * n; });
    const std::string login = user + ":" + (user == "ana" ? kAnaPassword : kBoPassword);
    if (!user.empty()) curl_easy_setopt(easy.get(), CURLOPT_USERPWD, login.c_str());
    if (!body.empty()) curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, body.c_str());
    long status = 0;
    if (curl_easy_perform(easy.get()) == CURLE_OK) {
      curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    }
    return status;
  }

  // The events of a calendar text put into `collection` (made here) one per resource, named
  // 01.ics, 02.ics ... in the text's order, so that the server's order of resource names is
  // the text's order.
  void PutEachEvent(const std::string& user, const std::string& collection,
                    const std::string& text) const {
    Send(user, "MKCALENDAR", collection, "");
    int number = 0;
    for (std::size_t at = text.find("BEGIN:VEVENT"); at != std::string::npos;
         at = text.find("BEGIN:VEVENT", at + 1)) {
      const std::string event = text.substr(at, text.find("END:VEVENT", at) - at) + "END:VEVENT\n";
      const std::string name = std::to_string(++number);
      Send(user, "PUT", collection + (number < 10 ? "0" : "") + name + ".ics", Calendar(event));
    }
  }

  bool Running() const { return pid_ != 0 && Send("", "GET", "/", "") != 0; }

 private:
  ScratchFolder folder_;
  int port_;
  bool tls_;
  pid_t pid_ = 0;
};

// Answers by path with the rows of agent/testdata/fake-server-answers.txt, then closes the
// connection; besides them:
//   /silent        never answers
//   /huge          a chunked text/calendar body of 256 KiB
//   /digest        asks for Digest authentication (any digest will do) before its rows answer
class FakeServer {
 public:
  FakeServer()
      : answers_(TableRows("fake-server-answers.txt")),
        acceptor_(io_, {asio::ip::address_v4::loopback(), 0}) {
    thread_ = std::thread([this] { Serve(); });
  }
  // Shut down, the listening socket fails the serving thread's accept, which ends it.
  ~FakeServer() {
    ::shutdown(acceptor_.native_handle(), SHUT_RDWR);
    thread_.join();
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(acceptor_.local_endpoint().port()) + path;
  }

 private:
  // One connection at a time: each answer but /silent's is at hand, and /silent's are kept open.
  void Serve() {
    for (;;) {
      auto client = std::make_unique<asio::ip::tcp::iostream>();
      std::error_code error;
      acceptor_.accept(client->socket(), error);
      if (error) return;
      std::string method, path, head, line;
      *client >> method >> path;
      while (std::getline(*client, line) && line != "\r") head += line + "\n";
      if (path == "/silent") {
        silent_.push_back(std::move(client));
        continue;
      }
      *client << Response(method, path, head) << std::flush;
      // Reads the rest of the request until the client hangs up: closing a socket with unread
      // bytes resets the connection.
      client->socket().shutdown(asio::ip::tcp::socket::shutdown_send, error);
      client->ignore(std::numeric_limits<std::streamsize>::max());
    }
  }

  std::string Response(const std::string& method, const std::string& path,
                       const std::string& head) const {
    if (path == "/digest" && head.find("Authorization: Digest ") == std::string::npos) {
      return "HTTP/1.1 401 Unauthorized\r\nConnection: close\r\nWWW-Authenticate: Digest "
             "realm=\"fake\", nonce=\"1\", qop=\"auth\"\r\nContent-Length: 0\r\n\r\n";
    }
    if (path == "/huge") {
      return "HTTP/1.1 200 OK\r\nContent-Type: text/calendar\r\nTransfer-Encoding: chunked\r\n\r\n"
             "40000\r\n" +
             std::string(0x40000, 'x') + "\r\n0\r\n\r\n";
    }
    const auto found = std::ranges::find_if(answers_, [&](const std::vector<std::string>& row) {
      return row.at(0) == method + " " + path || row[0] == "* " + path;
    });
    const std::vector<std::string> answer =
        found != answers_.end() ? *found
                                : std::vector<std::string>{"", "404 Not Found", "text/plain", ""};
    return "HTTP/1.1 " + answer.at(1) + "\r\nConnection: close\r\nContent-Type: " + answer.at(2) +
           "\r\nContent-Length: " + std::to_string(answer.at(3).size()) + "\r\n\r\n" + answer[3];
  }

  const std::vector<std::vector<std::string>> answers_;
  asio::io_context io_;
  asio::ip::tcp::acceptor acceptor_;
  std::vector<std::unique_ptr<asio::ip::tcp::iostream>> silent_;
  std::thread thread_;
};

}  // namespace dayweave::agent::testing
