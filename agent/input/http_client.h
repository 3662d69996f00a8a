// Several HTTP conversations at once, each a short series of requests to one URL, over
// libcurl's multi interface, every one bounded in time and size.
//
//   class Fetch : public HttpConversation {
//     std::optional<HttpRequest> Next(const HttpResponse* previous) override {
//       if (previous == nullptr) return HttpRequest{.method = "GET"};  // the first request
//       body = previous->body;                                         // then done
//       return std::nullopt;
//     }
//     std::string body;
//   };
//   Fetch a, b;
//   RunConversations({{loginA, &a}, {loginB, &b}}, HttpLimits{});
//
// LIMITS
//   `timeout` bounds a conversation's whole exchange, all its requests together; connecting
//   is bounded by `connectTimeout` as well. A response body larger than `maxBytes` is cut off
//   and reported: the bytes are counted as they arrive, so a chunked answer, which states no
//   length up front, is stopped too. TLS is always verified, against the system's
//   authorities or `caFile`; nothing turns that off. Only http and https are spoken, and at
//   most a few redirects are followed; libcurl sends credentials to the first host only.
//
// FAILURES
//   A request that got no complete answer reaches the conversation as an HttpResponse whose
//   `error` says why in words that name no credential ("could not connect to the server",
//   "timed out: no complete answer within 30 seconds", "the answer is larger than 67108864
//   bytes (--max-bytes)"). An answer with any status is a response; judging it is the
//   conversation's job.
//
// STOPPING
//   A stop requested through `stop` ends every conversation still waiting at once, each with
//   the response error "stopped before an answer came", even in the middle of a transfer.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "agent/input/credentials.h"

namespace dayweave::agent {

struct HttpLimits {
  std::chrono::seconds timeout{30};
  std::chrono::seconds connectTimeout{10};
  std::size_t maxBytes = std::size_t{64} << 20;
  std::string caFile;  // "" for the system's authorities
};

struct HttpRequest {
  std::string method;  // GET, PROPFIND, REPORT
  std::string depth;   // the WebDAV Depth header, "" for none
  std::string body;    // an XML body, "" for none
};

struct HttpResponse {
  std::string error;  // why no complete answer came; "" when one did
  long status = 0;
  std::string contentType;
  std::string body;
};

// One conversation: asked first with no response, then with the response to each request it
// made, it answers the next request, or nothing when it is done. A response with an `error`
// ends the conversation whatever it answers.
class HttpConversation {
 public:
  virtual ~HttpConversation() = default;
  virtual std::optional<HttpRequest> Next(const HttpResponse* previous) = 0;
};

struct HttpTarget {
  CalendarLogin login;
  HttpConversation* conversation;
};

// RunConversations
// Runs every target's conversation to its end, all at once; returns when all are done or
// when `stop` is requested.
void RunConversations(const std::vector<HttpTarget>& targets, const HttpLimits& limits,
                      std::stop_token stop = {});

}  // namespace dayweave::agent
