#include "agent/input/zone_names.h"

#include <algorithm>

#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include "agent/input/time_zones.h"

namespace dayweave::agent {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\"");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\"");
  return text.substr(first, last - first + 1);
}

// Far longer than any zone name (the longest IANA names have about 30 characters) and than
// any prefix that exporters put before one.
constexpr std::size_t kLongestTzid = 256;

// Whether a name is past reading: too long, or holding control characters.
bool Unreadable(std::string_view name) {
  return name.size() > kLongestTzid || std::any_of(name.begin(), name.end(), [](char c) {
           return static_cast<unsigned char>(c) < 0x20;
         });
}

// `name` when it is the name of a system zone. libical also finds a zone for a name with a
// leading slash, but then names the zone that way; such a name is read by its tail.
std::optional<std::string> Known(std::string_view name) {
  if (name.empty() || name.front() == '/' || FindZone(std::string(name)) == nullptr) return {};
  return std::string(name);
}

std::optional<std::string> FromWindowsName(std::string_view name) {
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString iana;
  icu::TimeZone::getIDForWindowsID(icu::UnicodeString::fromUTF8(icu::StringPiece(
                                       name.data(), static_cast<int32_t>(name.size()))),
                                   nullptr, iana, status);
  if (U_FAILURE(status) || iana.isEmpty()) return {};
  std::string found;
  iana.toUTF8String(found);
  return Known(found);
}

}  // namespace

std::optional<std::string> IanaNameIn(std::string_view tzid) {
  const std::string_view name = Trimmed(tzid);
  if (name.empty() || Unreadable(name)) return {};
  if (auto known = Known(name)) return known;
  for (auto slash = name.find('/'); slash != std::string_view::npos;
       slash = name.find('/', slash + 1)) {
    if (auto known = Known(name.substr(slash + 1))) return known;
  }
  return {};
}

std::optional<std::string> IanaZoneName(std::string_view tzid) {
  if (auto spelled = IanaNameIn(tzid)) return spelled;
  const std::string_view name = Trimmed(tzid);
  if (name.empty() || Unreadable(name)) return {};
  return FromWindowsName(name);
}

}  // namespace dayweave::agent
