// A store filled from fuzzed slot texts, attributes and IDs (entries with and without IDs
// mixed), then every look-up and both renderings; destroying the store must release every
// slot it holds and nothing else (LeakSanitizer checks at exit of each run).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "dayweave/time_slot_store.h"

using dayweave::CString;
using dayweave::CStringArray;
using dayweave::CTimeSlot;
using dayweave::CTimeSlotStore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  CTimeSlotStore store;
  const int entries = input.ConsumeIntegralInRange(0, 16);
  for (int i = 0; i < entries; ++i) {
    const std::string start = input.ConsumeRandomLengthString(40);
    const std::string end = input.ConsumeRandomLengthString(40);
    const int minutes = input.ConsumeIntegral<int>();
    const std::string attribute = input.ConsumeRandomLengthString(8);
    auto* slot = new CTimeSlot(CString(start.c_str()), CString(end.c_str()), minutes);
    if (input.ConsumeBool()) {
      store.Add(slot, CString(attribute.c_str()), CString(input.ConsumeRandomLengthString(8)));
    } else {
      store.Add(slot, CString(attribute.c_str()));
    }
  }
  if (store.GetCount() != entries) std::abort();

  const std::string asked = input.ConsumeRandomLengthString(8);
  const int position = input.ConsumeIntegral<int>();
  CTimeSlot probe;
  if (CTimeSlot* stored = store.GetTimeSlot(position)) probe = *stored;
  const int found = store.GetIndex(&probe, CString(asked.c_str()));
  if (found >= 0 && store.GetAttribute(found) != CString(asked.c_str())) std::abort();
  if (store.Exists(&probe, CString(asked.c_str())) != (found >= 0 ? 1 : 0)) std::abort();
  (void)store.GetIndex(&probe, CString(asked.c_str()), position);
  (void)store.GetID(position);
  (void)store.GetID(&probe, CString(asked.c_str()));
  (void)store.GetLastSlot(CString(asked.c_str()));
  CStringArray* unique = store.GetAttributesUnique();
  if (unique->GetSize() > store.GetAttributes()->GetSize()) std::abort();
  delete unique;
  (void)store.ToString();
  (void)store.ToKQML();
  if (input.ConsumeBool()) {
    // After Clear the store owns nothing: release the slots it held ourselves.
    CTimeSlot* held[16];
    for (int i = 0; i < entries; ++i) held[i] = store.GetTimeSlot(i);
    store.Clear();
    for (int i = 0; i < entries; ++i) delete held[i];
  }
  return 0;
}
