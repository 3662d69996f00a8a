// ParseDateTime on arbitrary bytes: a failure leaves status invalid and day count 0.0 or
// -1.0; a success formats to a text that reads back to the same value, to the second.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>

#include "dayweave/date_time.h"

using dayweave::COleDateTime;
using dayweave::DateTimeParts;

namespace {

auto Seconds(const DateTimeParts& p) {
  return std::tie(p.year, p.month, p.day, p.hour, p.minute, p.second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  COleDateTime value(12345.5);
  if (!value.ParseDateTime(text.c_str())) {
    if (value.GetStatus() != COleDateTime::invalid) std::abort();
    if (value.m_dt != 0.0 && value.m_dt != -1.0) std::abort();
    return 0;
  }
  if (value.GetStatus() != COleDateTime::valid) std::abort();
  DateTimeParts read, again;
  if (!value.GetAsSystemTime(read)) std::abort();
  COleDateTime back;
  if (!back.ParseDateTime(value.Format()) || !back.GetAsSystemTime(again)) std::abort();
  if (Seconds(read) != Seconds(again)) std::abort();
  return 0;
}
