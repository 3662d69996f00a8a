#include "agent/input/credentials.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string_view>

namespace dayweave::agent {
namespace {

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

// One part of a parsed URL, "" when it has none.
std::string Part(CURLU* url, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, flags) != CURLUE_OK || text == nullptr) return "";
  std::string result(text);
  curl_free(text);
  return result;
}

// The URL without the user part: the form every message shows.
std::string WithoutUserInfo(CURLU* url) {
  UrlHandle copy(curl_url_dup(url));
  curl_url_set(copy.get(), CURLUPART_USER, nullptr, 0);
  curl_url_set(copy.get(), CURLUPART_PASSWORD, nullptr, 0);
  return Part(copy.get(), CURLUPART_URL);
}

bool Readable(const std::string& path) { return std::ifstream(path).is_open(); }

}  // namespace

bool IsCalendarUrl(const std::string& calendar) {
  auto startsWith = [&](std::string_view prefix) {
    if (calendar.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(calendar[i])) != prefix[i]) return false;
    }
    return true;
  };
  return startsWith("http://") || startsWith("https://");
}

CredentialOptions CredentialsFromEnvironment(const std::string& user,
                                             const std::string& netrcFile) {
  CredentialOptions options{.user = user, .password = std::nullopt, .netrcFile = netrcFile};
  if (const char* password = std::getenv("DAYWEAVE_PASSWORD")) options.password = password;
  if (netrcFile.empty()) {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
      std::string path = std::string(home) + "/.netrc";
      if (Readable(path)) options.netrcFile = path;
    }
  }
  return options;
}

CalendarLogin ResolveLogin(const std::string& url, const CredentialOptions& options) {
  CalendarLogin login;
  UrlHandle parsed(curl_url());
  if (!parsed || !IsCalendarUrl(url) ||
      curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    // A URL that cannot be parsed cannot be shown without its user part either.
    const bool showable = url.find('@') == std::string::npos;
    login.error = (showable ? url : "a calendar URL") + " is not a well-formed http or https URL";
    return login;
  }
  const std::string shown = WithoutUserInfo(parsed.get());
  if (!Part(parsed.get(), CURLUPART_PASSWORD).empty()) {
    login.error = shown + ": the URL carries a password; give it in DAYWEAVE_PASSWORD or a " +
                  "netrc file instead";
    return login;
  }
  if (!options.netrcFile.empty() && !Readable(options.netrcFile)) {
    login.error = "cannot read the netrc file " + options.netrcFile;
    return login;
  }
  login.shownUrl = shown;
  login.user = Part(parsed.get(), CURLUPART_USER, CURLU_URLDECODE);
  if (login.user.empty()) login.user = options.user;
  if (!login.user.empty() && login.user == options.user) login.password = options.password;
  if (!login.password) login.netrcFile = options.netrcFile;

  // libcurl looks a login up in the netrc file only when the login is the URL's user part.
  UrlHandle request(curl_url_dup(parsed.get()));
  curl_url_set(request.get(), CURLUPART_USER,
               login.user.empty() || login.password ? nullptr : login.user.c_str(),
               CURLU_URLENCODE);
  login.requestUrl = Part(request.get(), CURLUPART_URL);
  return login;
}

}  // namespace dayweave::agent
