#include "agent/cli/meeting_store.h"

#include <string>

#include "dayweave/time_slot.h"

namespace dayweave::agent {

COleDateTime OleOf(std::chrono::local_seconds local) {
  const auto day = std::chrono::floor<std::chrono::days>(local);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss<std::chrono::seconds> time{local - day};
  return COleDateTime(
      static_cast<int>(date.year()), static_cast<int>(unsigned{date.month()}),
      static_cast<int>(unsigned{date.day()}), static_cast<int>(time.hours().count()),
      static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
}

std::unique_ptr<CTimeSlotStore> MeetingStore(const std::vector<MeetingSlot>& slots,
                                             std::size_t optionalCount, const ZoneOffsets& display,
                                             std::chrono::minutes length) {
  auto store = std::make_unique<CTimeSlotStore>();
  int number = 0;
  for (const MeetingSlot& slot : slots) {
    std::string attribute = "free";
    if (optionalCount > 0) {
      attribute += ' ';
      attribute += std::to_string(slot.optionalFree.size());
      attribute += '/';
      attribute += std::to_string(optionalCount);
    }
    CString id;
    id.Format("t%d", ++number);
    store->Add(new CTimeSlot(OleOf(display.ToLocal(slot.start)), static_cast<int>(length.count())),
               attribute.c_str(), id);
  }
  return store;
}

}  // namespace dayweave::agent
