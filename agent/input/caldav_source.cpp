#include "agent/input/caldav_source.h"

#include <curl/curl.h>
#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include "agent/input/multistatus.h"

namespace dayweave::agent {
namespace {

using std::chrono::days;

constexpr const char* kPropfindBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<D:propfind xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">\n"
    "  <D:prop><D:resourcetype/><C:calendar-timezone/></D:prop>\n"
    "</D:propfind>\n";

// An instant as iCalendar's UTC form, 20030113T083000Z.
std::string UtcText(std::chrono::sys_seconds instant) {
  const auto day = std::chrono::floor<days>(instant);
  const std::chrono::year_month_day date(day);
  const std::chrono::hh_mm_ss time(instant - day);
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02ld%02ld%02ldZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
                static_cast<long>(time.seconds().count()));
  return text;
}

// The REPORT calendar-query for the VEVENTs that meet the window, a day wider on each side.
std::string QueryBody(const std::optional<TimeWindow>& window) {
  std::string range;
  if (window) {
    range = "<C:time-range start=\"" + UtcText(window->from - days(1)) + "\" end=\"" +
            UtcText(window->to + days(1)) + "\"/>";
  }
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
         "<C:calendar-query xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">\n"
         "  <D:prop><D:getetag/><C:calendar-data/></D:prop>\n"
         "  <C:filter><C:comp-filter name=\"VCALENDAR\"><C:comp-filter name=\"VEVENT\">" +
         range + "</C:comp-filter></C:comp-filter></C:filter>\n</C:calendar-query>\n";
}

// Whether a text starts as a VCALENDAR does, after any byte-order mark and blank lines.
bool LooksLikeCalendar(const std::string& text) {
  std::size_t at = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  constexpr std::string_view kBegin = "BEGIN:VCALENDAR";
  if (text.size() - at < kBegin.size()) return false;
  return std::equal(
      kBegin.begin(), kBegin.end(), text.begin() + static_cast<long>(at),
      [](char want, char got) { return want == std::toupper(static_cast<unsigned char>(got)); });
}

// The TZID of the VTIMEZONE in a calendar-timezone property, "" when there is none.
std::string ZoneIdOf(const std::string& calendarText) {
  std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> root(
      icalparser_parse_string(calendarText.c_str()), icalcomponent_free);
  if (!root) return "";
  icalcomponent* zone =
      icalcomponent_isa(root.get()) == ICAL_VTIMEZONE_COMPONENT
          ? root.get()
          : icalcomponent_get_first_component(root.get(), ICAL_VTIMEZONE_COMPONENT);
  if (zone == nullptr) return "";
  icalproperty* tzid = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY);
  return tzid != nullptr && icalproperty_get_tzid(tzid) != nullptr ? icalproperty_get_tzid(tzid)
                                                                   : "";
}

// The URL of a resource whose href the server gave, relative to the calendar's URL.
std::string ResourceUrl(const std::string& calendarUrl, const std::string& href) {
  std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), curl_url_cleanup);
  char* text = nullptr;
  if (!url || curl_url_set(url.get(), CURLUPART_URL, calendarUrl.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_URL, href.c_str(), 0) != CURLUE_OK ||
      curl_url_get(url.get(), CURLUPART_URL, &text, 0) != CURLUE_OK) {
    return calendarUrl + " " + href;
  }
  std::string resolved(text);
  curl_free(text);
  return resolved;
}

// What an HTTP status that is not the one asked for means, for every request alike.
std::string StatusText(long status) {
  const std::string code = "(HTTP " + std::to_string(status) + ")";
  if (status == 401 || status == 403) return "not authorised " + code;
  if (status == 404) return "not found " + code;
  if (status >= 500 && status <= 599) return "server error " + code;
  return "unexpected answer " + code;
}

// The exchange with one calendar URL: PROPFIND, then REPORT or GET.
class CalendarConversation : public HttpConversation {
 public:
  CalendarConversation(FetchedCalendar& result, const std::optional<TimeWindow>& window)
      : result_(result), window_(window) {}

  std::optional<HttpRequest> Next(const HttpResponse* previous) override {
    if (previous == nullptr) return Ask({"PROPFIND", "0", kPropfindBody});
    Note(*previous);
    if (!previous->error.empty()) return Fail(previous->error);
    const std::string method = asked_;
    if (method == "PROPFIND") return AfterPropfind(*previous);
    if (method == "REPORT") return AfterReport(*previous);
    return AfterGet(*previous);
  }

 private:
  std::optional<HttpRequest> Ask(HttpRequest request) {
    asked_ = request.method;
    return request;
  }

  std::nullopt_t Fail(const std::string& what) {
    result_.error = result_.url + ": " + what;
    result_.resources.clear();
    return std::nullopt;
  }

  void Note(const HttpResponse& response) {
    result_.exchanges.push_back(asked_ + " " + result_.url + ": " +
                                (response.error.empty()
                                     ? "HTTP " + std::to_string(response.status) + ", " +
                                           std::to_string(response.body.size()) + " bytes"
                                     : response.error));
  }

  std::optional<HttpRequest> AfterPropfind(const HttpResponse& response) {
    if (response.status == 401 || response.status == 403) return Fail(StatusText(response.status));
    if (response.status != 207) return Ask({"GET", "", ""});
    const Multistatus answer = ReadMultistatus(response.body);
    if (!answer.error.empty()) return Fail("the PROPFIND answer is " + answer.error);
    for (const DavResponse& resource : answer.responses) {
      const DavProperty* type = resource.Find(kDavNamespace, "resourcetype");
      const XmlName calendar{std::string(kCalDavNamespace), "calendar"};
      if (type == nullptr || std::ranges::find(type->children, calendar) == type->children.end())
        continue;
      if (const DavProperty* zone = resource.Find(kCalDavNamespace, "calendar-timezone")) {
        result_.timeZone = zone->text;
        result_.timeZoneId = ZoneIdOf(zone->text);
      }
      return Ask({"REPORT", "1", QueryBody(window_)});
    }
    return Ask({"GET", "", ""});
  }

  std::optional<HttpRequest> AfterReport(const HttpResponse& response) {
    if (response.status != 207) return Fail(StatusText(response.status));
    const Multistatus answer = ReadMultistatus(response.body);
    if (!answer.error.empty()) return Fail("the REPORT answer is " + answer.error);
    for (const DavResponse& resource : answer.responses) {
      const DavProperty* data = resource.Find(kCalDavNamespace, "calendar-data");
      if (data == nullptr || !LooksLikeCalendar(data->text)) {
        result_.warnings.push_back(result_.url + ": " + resource.href +
                                   " skipped: its calendar-data is not iCalendar");
        continue;
      }
      result_.resources.push_back(
          {resource.href, ResourceUrl(result_.url, resource.href), data->text});
    }
    std::ranges::stable_sort(result_.resources, {}, &CalendarResource::href);
    return std::nullopt;
  }

  std::optional<HttpRequest> AfterGet(const HttpResponse& response) {
    if (response.status < 200 || response.status > 299) return Fail(StatusText(response.status));
    if (!LooksLikeCalendar(response.body)) {
      const std::string type =
          response.contentType.empty() ? "" : " (Content-Type " + response.contentType + ")";
      return Fail("the answer is not iCalendar" + type);
    }
    result_.resources.push_back({"", result_.url, response.body});
    return std::nullopt;
  }

  FetchedCalendar& result_;
  const std::optional<TimeWindow>& window_;
  std::string asked_;
};

}  // namespace

std::vector<FetchedCalendar> FetchCalendars(const std::vector<std::string>& urls,
                                            const std::optional<TimeWindow>& window,
                                            const FetchOptions& options, std::stop_token stop) {
  std::vector<FetchedCalendar> results(urls.size());
  std::vector<std::unique_ptr<CalendarConversation>> conversations;
  std::vector<HttpTarget> targets;
  for (std::size_t i = 0; i < urls.size(); ++i) {
    CalendarLogin login = ResolveLogin(urls[i], options.credentials);
    if (!login.error.empty()) {
      results[i].error = login.error;
      continue;
    }
    results[i].url = login.shownUrl;
    conversations.push_back(std::make_unique<CalendarConversation>(results[i], window));
    targets.push_back({std::move(login), conversations.back().get()});
  }
  RunConversations(targets, options.limits, stop);
  return results;
}

CalendarFile ReadFetchedCalendar(const FetchedCalendar& fetched) {
  std::vector<CalendarPart> parts;
  for (const CalendarResource& resource : fetched.resources) {
    parts.push_back({resource.url, resource.text});
  }
  return ReadCalendarParts(parts, fetched.url);
}

}  // namespace dayweave::agent
