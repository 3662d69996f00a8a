// Format on arbitrary day counts and statuses, NaN and infinities included: never undefined
// behaviour, and "Invalid DateTime" exactly when the value cannot be read.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dayweave/date_time.h"

using dayweave::COleDateTime;
using dayweave::COleDateTimeSpan;
using dayweave::DateTimeParts;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < sizeof(double) + 1) return 0;
  double count = 0;
  std::memcpy(&count, data, sizeof count);
  const auto status = static_cast<COleDateTime::DateTimeStatus>(data[sizeof count] % 3);
  COleDateTime value(count);
  value.SetStatus(status);

  const auto text = value.Format();
  DateTimeParts parts;
  const bool readable = value.GetAsSystemTime(parts) == 1;
  if (status == COleDateTime::null) {
    if (!text.IsEmpty()) std::abort();
  } else if ((text == "Invalid DateTime") == readable) {
    std::abort();
  }
  // The rest of the value's surface must stay defined on the same input.
  const COleDateTime later = value + COleDateTimeSpan(count);
  (void)(later < value);
  (void)(later - value).GetWholeMinutes();
  (void)value.GetDayOfWeek();
  return 0;
}
