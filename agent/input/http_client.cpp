#include "agent/input/http_client.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>

namespace dayweave::agent {
namespace {

using Clock = std::chrono::steady_clock;
constexpr long kMaxRedirects = 5;

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

void InitialiseOnce() {
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)initialised;
}

// One conversation in flight: its handle, its deadline and the response being received.
struct Transfer {
  const HttpTarget* target = nullptr;
  std::unique_ptr<CURL, EasyDeleter> easy;
  std::unique_ptr<curl_slist, ListDeleter> headers;
  Clock::time_point deadline;
  HttpRequest request;
  HttpResponse response;
  std::size_t maxBytes = 0;
  bool running = false;  // in the multi handle
  bool tooLarge = false;
  char errorText[CURL_ERROR_SIZE] = {};
};

size_t ReceiveBody(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (bytes > transfer->maxBytes - transfer->response.body.size()) {
    transfer->tooLarge = true;
    return 0;
  }
  transfer->response.body.append(data, bytes);
  return bytes;
}

// A new status line starts a new response (after a redirect or an authentication round),
// whose body alone counts.
size_t ReceiveHeader(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  if (std::string_view(data, size * count).starts_with("HTTP/")) transfer->response.body.clear();
  return size * count;
}

std::string Seconds(std::chrono::seconds seconds) {
  return std::to_string(seconds.count()) + (seconds.count() == 1 ? " second" : " seconds");
}

// Why a transfer got no complete answer, in words that name no credential.
std::string FailureText(CURLcode code, const Transfer& transfer, const HttpLimits& limits) {
  switch (code) {
    case CURLE_COULDNT_CONNECT:
      return "could not connect to the server";
    case CURLE_COULDNT_RESOLVE_HOST:
      return "unknown host";
    case CURLE_OPERATION_TIMEDOUT: {
      curl_off_t connected = 0;
      curl_easy_getinfo(transfer.easy.get(), CURLINFO_CONNECT_TIME_T, &connected);
      return connected == 0 ? "timed out: could not connect within " +
                                  Seconds(std::min(limits.connectTimeout, limits.timeout))
                            : "timed out: no complete answer within " + Seconds(limits.timeout);
    }
    case CURLE_WRITE_ERROR:
    case CURLE_FILESIZE_EXCEEDED:
      return "the answer is larger than " + std::to_string(limits.maxBytes) +
             " bytes (--max-bytes)";
    case CURLE_TOO_MANY_REDIRECTS:
      return "more than " + std::to_string(kMaxRedirects) + " redirects";
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
      return std::string("TLS: ") +
             (transfer.errorText[0] != '\0' ? transfer.errorText : curl_easy_strerror(code));
    default:
      return curl_easy_strerror(code);
  }
}

// Sets the handle up for the transfer's request, within what is left of its deadline.
void Prepare(Transfer& transfer, const HttpLimits& limits) {
  CURL* easy = transfer.easy.get();
  const CalendarLogin& login = transfer.target->login;
  curl_easy_reset(easy);
  transfer.response = HttpResponse{};
  transfer.tooLarge = false;
  transfer.errorText[0] = '\0';

  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(transfer.deadline - Clock::now());
  const long leftMs = std::max<long>(1, static_cast<long>(left.count()));
  const long connectMs = static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(limits.connectTimeout).count());
  curl_easy_setopt(easy, CURLOPT_URL, login.requestUrl.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, leftMs);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, std::min(leftMs, connectMs));
  curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!limits.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, limits.caFile.c_str());
  curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(easy, CURLOPT_USERAGENT, "dayweave");
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.errorText);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, ReceiveBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, ReceiveHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_PRIVATE, &transfer);

  curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_BASIC | CURLAUTH_DIGEST);
  if (login.password) {
    curl_easy_setopt(easy, CURLOPT_USERNAME, login.user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, login.password->c_str());
  } else if (!login.netrcFile.empty()) {
    curl_easy_setopt(easy, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_OPTIONAL));
    curl_easy_setopt(easy, CURLOPT_NETRC_FILE, login.netrcFile.c_str());
  }

  const HttpRequest& request = transfer.request;
  curl_slist* headers = nullptr;
  if (!request.depth.empty())
    headers = curl_slist_append(headers, ("Depth: " + request.depth).c_str());
  if (!request.body.empty()) {
    headers = curl_slist_append(headers, "Content-Type: application/xml; charset=utf-8");
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.data());
  }
  transfer.headers.reset(headers);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  if (request.method != "GET")
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
}

// Ends the transfer's current request and fills in its response.
void Finish(Transfer& transfer, CURLcode code, const HttpLimits& limits) {
  CURL* easy = transfer.easy.get();
  if (code != CURLE_OK) {
    const std::string error = transfer.tooLarge ? FailureText(CURLE_WRITE_ERROR, transfer, limits)
                                                : FailureText(code, transfer, limits);
    transfer.response = HttpResponse{};
    transfer.response.error = error;
    return;
  }
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &transfer.response.status);
  const char* contentType = nullptr;
  curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &contentType);
  if (contentType != nullptr) transfer.response.contentType = contentType;
}

}  // namespace

void RunConversations(const std::vector<HttpTarget>& targets, const HttpLimits& limits,
                      std::stop_token stop) {
  InitialiseOnce();
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  std::vector<std::unique_ptr<Transfer>> transfers;
  int running = 0;
  // Gone before the handle it wakes: a stop from another thread ends the wait for traffic.
  const std::stop_callback wake(stop, [&multi] { curl_multi_wakeup(multi.get()); });

  auto start = [&](Transfer& transfer, std::optional<HttpRequest> next) {
    if (!next) return;
    if (Clock::now() >= transfer.deadline) {
      const std::string error = "timed out: no complete answer within " + Seconds(limits.timeout);
      HttpResponse late;
      late.error = error;
      transfer.target->conversation->Next(&late);
      return;
    }
    transfer.request = std::move(*next);
    Prepare(transfer, limits);
    curl_multi_add_handle(multi.get(), transfer.easy.get());
    transfer.running = true;
    ++running;
  };

  const auto now = Clock::now();
  for (const HttpTarget& target : targets) {
    auto transfer = std::make_unique<Transfer>();
    transfer->target = &target;
    transfer->easy.reset(curl_easy_init());
    transfer->deadline = now + limits.timeout;
    transfer->maxBytes = limits.maxBytes;
    start(*transfer, target.conversation->Next(nullptr));
    transfers.push_back(std::move(transfer));
  }

  while (running > 0 && !stop.stop_requested()) {
    int stillRunning = 0;
    curl_multi_perform(multi.get(), &stillRunning);
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
      if (message->msg != CURLMSG_DONE) continue;
      CURL* easy = message->easy_handle;
      const CURLcode code = message->data.result;
      Transfer* transfer = nullptr;
      curl_easy_getinfo(easy, CURLINFO_PRIVATE, &transfer);
      curl_multi_remove_handle(multi.get(), easy);
      transfer->running = false;
      --running;
      Finish(*transfer, code, limits);
      auto next = transfer->target->conversation->Next(&transfer->response);
      if (transfer->response.error.empty()) start(*transfer, std::move(next));
    }
    if (running > 0) curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
  }
  for (const auto& transfer : transfers) {
    if (!transfer->running) continue;
    curl_multi_remove_handle(multi.get(), transfer->easy.get());
    HttpResponse stopped;
    stopped.error = "stopped before an answer came";
    transfer->target->conversation->Next(&stopped);
  }
}

}  // namespace dayweave::agent
