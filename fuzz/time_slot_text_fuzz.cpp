// The text constructors of CTimeSlot, RemoveParens and both slot renderings on arbitrary
// texts: nothing crashes, and the constructors' answers keep their documented shape.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dayweave/time_slot.h"

using dayweave::CString;
using dayweave::CTimeSlot;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string startText = input.ConsumeRandomLengthString(64);
  const std::string endText = input.ConsumeRandomLengthString(64);
  std::string durationText = input.ConsumeRandomLengthString(32);
  const int number = input.ConsumeIntegral<int>();

  const CString stripped = CTimeSlot::RemoveParens(CString(startText.c_str()));
  if (stripped.GetLength() > static_cast<int>(startText.size())) std::abort();

  const CTimeSlot byNumber(CString(startText.c_str()), CString(endText.c_str()), number);
  const CTimeSlot byText(CString(startText.c_str()), CString(endText.c_str()),
                         durationText.c_str());
  std::vector<char> writable(durationText.begin(), durationText.end());
  writable.push_back('\0');
  const CTimeSlot fromStart(CString(startText.c_str()), writable.data(), number);

  for (const CTimeSlot* slot : {&byNumber, &byText, &fromStart}) {
    if (!slot->IsAbsolute() || slot->GetDays() != 0) std::abort();
    (void)slot->ToString();
    (void)slot->ToStringDebug();
  }
  // A slot whose texts did not both parse is the default slot apart from its flag.
  if (byNumber.IsValid() == 0 && byNumber.GetDuration() != 0 && byNumber.GetDuration() != number)
    std::abort();
  // The third constructor keeps the caller's flag whether or not the start text parsed.
  if (fromStart.IsValid() != number) std::abort();
  return 0;
}
