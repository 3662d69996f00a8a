// CDay::SetDays from arbitrary text: reads as atoi does and renders without fault.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dayweave/day.h"

using dayweave::CDay;
using dayweave::CString;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CDay days;
  days.SetDays(CString(text.c_str()));
  const CString names = days.ToString();
  const CString abbreviations = days.ToStringAbb();
  // The mask's own decimal text reads back to the same mask.
  CDay again;
  again.SetDays(days.GetDaysStr());
  if (!(again == days)) std::abort();
  if (days.GetDays() == 0 && names != "No Days") std::abort();
  (void)abbreviations;
  return 0;
}
