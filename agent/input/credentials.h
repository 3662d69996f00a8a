// Who the agent is when it asks a calendar server, and how messages may show the URL.
//
//   CredentialOptions options = CredentialsFromEnvironment("ana", "");  // --user ana
//   CalendarLogin login = ResolveLogin("https://cal.example.org/ana/work/", options);
//   if (!login.error.empty()) ...  // not a URL, or one that carries a password
//   login.shownUrl                 // "https://cal.example.org/ana/work/", for every message
//
// WHOSE LOGIN
//   A URL's user part (https://bo@cal.example.org/...) is that calendar's login and overrides
//   --user, so that one command can read several people's calendars. DAYWEAVE_PASSWORD is the
//   password of the --user login. Any other login, and a URL with no login at all, takes its
//   password from the netrc file (~/.netrc, or --netrc FILE), looked up by host and login when
//   the request is made; a calendar whose host the file does not name is asked without one.
//
// WHAT NEVER SHOWS
//   A URL that carries a password is refused: a password on the command line is seen by every
//   user of the machine. Messages show a URL without its user part (`shownUrl`), and nothing
//   here or in the fetching ever prints a password.
#pragma once

#include <optional>
#include <string>

namespace dayweave::agent {

// What the command line and the environment say about credentials.
struct CredentialOptions {
  std::string user;                     // --user, "" when not given
  std::optional<std::string> password;  // DAYWEAVE_PASSWORD, the --user login's password
  std::string netrcFile;                // --netrc, or ~/.netrc when it exists; "" for none
};

// One calendar URL as the request uses it and as messages show it.
struct CalendarLogin {
  std::string error;       // one line when the URL cannot be used; the rest is then empty
  std::string shownUrl;    // the URL without its user part
  std::string requestUrl;  // the URL with the login as its user part, never a password
  std::string user;        // the login, "" for none
  std::optional<std::string> password;  // known up front; otherwise the netrc file may hold it
  std::string netrcFile;
};

// CredentialsFromEnvironment
// The options for --user `user` and --netrc `netrcFile` ("" when not given), with the password
// from DAYWEAVE_PASSWORD and, without --netrc, the netrc file ~/.netrc when there is one.
CredentialOptions CredentialsFromEnvironment(const std::string& user, const std::string& netrcFile);

// ResolveLogin
// The login of the calendar at `url` (an http or https URL), by the rules above.
CalendarLogin ResolveLogin(const std::string& url, const CredentialOptions& options);

// IsCalendarUrl
// Whether a command's CALENDAR argument names a calendar on a server rather than a file:
// it starts with http:// or https:// (in any case).
bool IsCalendarUrl(const std::string& calendar);

}  // namespace dayweave::agent
