#include "agent/cli/iso_instant.h"

namespace dayweave::agent {

namespace {

using namespace std::chrono;

// Reads `count` digits at `at` and moves past them.
std::optional<int> Digits(std::string_view text, std::size_t& at, std::size_t count) {
  if (text.size() < at + count) return {};
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = text[at + i];
    if (c < '0' || c > '9') return {};
    value = value * 10 + (c - '0');
  }
  at += count;
  return value;
}

bool Skip(std::string_view text, std::size_t& at, char expected) {
  if (at >= text.size() || text[at] != expected) return false;
  ++at;
  return true;
}

// The offset east of UTC that ends the text at `at`: Z, or a sign, HH and optionally [:]MM.
std::optional<seconds> Offset(std::string_view text, std::size_t at) {
  if (at + 1 == text.size() && (text[at] == 'Z' || text[at] == 'z')) return seconds{0};
  if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return {};
  const int sign = text[at++] == '-' ? -1 : 1;
  const auto hours = Digits(text, at, 2);
  std::optional<int> minutes = 0;
  if (at < text.size()) {
    Skip(text, at, ':');
    minutes = Digits(text, at, 2);
  }
  if (!hours || !minutes || at != text.size() || *hours > 23 || *minutes > 59) return {};
  return sign * (std::chrono::hours{*hours} + std::chrono::minutes{*minutes});
}

}  // namespace

std::optional<sys_seconds> IsoInstant(std::string_view text) {
  std::size_t at = 0;
  const auto y = Digits(text, at, 4);
  if (!y || !Skip(text, at, '-')) return {};
  const auto m = Digits(text, at, 2);
  if (!m || !Skip(text, at, '-')) return {};
  const auto d = Digits(text, at, 2);
  if (!d || !(Skip(text, at, 'T') || Skip(text, at, 't'))) return {};
  const auto hh = Digits(text, at, 2);
  if (!hh || !Skip(text, at, ':')) return {};
  const auto mm = Digits(text, at, 2);
  std::optional<int> ss = 0;
  if (mm && Skip(text, at, ':')) ss = Digits(text, at, 2);
  if (!mm || !ss || *hh > 23 || *mm > 59 || *ss > 59) return {};
  const year_month_day date{year{*y}, month{static_cast<unsigned>(*m)},
                            day{static_cast<unsigned>(*d)}};
  const auto offset = Offset(text, at);
  if (!date.ok() || !offset) return {};
  const sys_seconds wall = sys_days{date} + hours{*hh} + minutes{*mm} + seconds{*ss};
  return wall - *offset;
}

}  // namespace dayweave::agent
