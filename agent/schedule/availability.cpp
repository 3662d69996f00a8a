#include "agent/schedule/availability.h"

#include "agent/input/local_time.h"
#include "dayweave/time_slot.h"

#include <algorithm>
#include <set>
#include <utility>

namespace dayweave::agent {

namespace {

constexpr double kQuarterSecond = 0.25 / 86400.0;

COleDateTime At(std::int64_t seconds) { return ToOle(FromSeconds(seconds)); }

bool OneOffLeavesFree(const CAppointment& appointment, std::int64_t when, int minutes) {
  const COleDateTime from = At(when);
  return appointment.IsFree(from, minutes) ||
         appointment.IsFree(from - COleDateTimeSpan(kQuarterSecond), minutes);
}

// Whether a recurring appointment leaves free the piece [from, to) of one day, `to` being at
// most the day's end.
bool PieceLeavesFree(const CAppointment& appointment, std::int64_t from, std::int64_t to) {
  const std::int64_t dayEnd = (DayOf(from) + 1) * kSecondsPerDay;
  if (to == dayEnd) to = dayEnd - 1;
  const std::int64_t length = to - from;
  if (length <= 0) return true;
  if (length >= 60) {
    const int whole = static_cast<int>(length / 60);
    if (!appointment.IsFree(At(from), whole)) return false;
    return length % 60 == 0 || appointment.IsFree(At(to - whole * 60LL), whole);
  }
  for (std::int64_t second = from; second < to; ++second) {
    if (!appointment.IsFree(At(second))) return false;
  }
  return true;
}

}  // namespace

bool LeavesFree(const Appointment& appointment, std::int64_t when, int minutes) {
  const CAppointment& library = appointment.appointment;
  if (!library.IsRecurring()) return OneOffLeavesFree(library, when, minutes);
  const std::int64_t end = when + minutes * 60LL;
  const std::int64_t firstDayEnd = (DayOf(when) + 1) * kSecondsPerDay;
  if (end < firstDayEnd) return library.IsFree(At(when), minutes) != 0;
  for (std::int64_t dayStart = DayOf(when) * kSecondsPerDay; dayStart < end;
       dayStart += kSecondsPerDay) {
    const std::int64_t from = std::max(when, dayStart);
    const std::int64_t to = std::min(end, dayStart + kSecondsPerDay);
    if (!PieceLeavesFree(library, from, to)) return false;
  }
  return true;
}

FreeBusy::FreeBusy(const Schedule& schedule) : schedule_(schedule) {}

const std::vector<Appointment>& FreeBusy::Day(std::int64_t day) {
  const auto known = days_.find(day);
  if (known != days_.end()) return known->second;
  if (sweep_ == nullptr || day < nextDay_) {
    if (sweep_ != nullptr) {
      warnings_.insert(warnings_.end(), sweep_->Warnings().begin(), sweep_->Warnings().end());
    }
    sweep_ = std::make_unique<DaySweep>(schedule_, day);
    nextDay_ = day;
  }
  for (; nextDay_ < day; ++nextDay_) sweep_->Touching(nextDay_);
  std::vector<Appointment>& appointments = days_[day];
  for (const Appointment* a : sweep_->Touching(day)) appointments.push_back(*a);
  nextDay_ = day + 1;
  return appointments;
}

std::vector<std::string> FreeBusy::Warnings() const {
  std::vector<std::string> warnings = warnings_;
  if (sweep_ != nullptr) {
    warnings.insert(warnings.end(), sweep_->Warnings().begin(), sweep_->Warnings().end());
  }
  return warnings;
}

StretchAnswer FreeBusy::AskInstant(std::int64_t when) {
  StretchAnswer answer;
  // Questions mostly move forward in time; the days behind this one are let go.
  days_.erase(days_.begin(), days_.lower_bound(DayOf(when)));
  const COleDateTime at = At(when);
  for (const Appointment& appointment : Day(DayOf(when))) {
    if (!appointment.appointment.IsFree(at)) answer.blocking.push_back(appointment);
  }
  answer.free = answer.blocking.empty();
  return answer;
}

StretchAnswer FreeBusy::AskStretch(std::int64_t when, int minutes) {
  StretchAnswer answer;
  const std::int64_t end = when + minutes * 60LL;
  days_.erase(days_.begin(), days_.lower_bound(DayOf(when)));
  // An appointment that meets several days of the stretch is asked once, about all of it.
  std::set<std::pair<int, std::int64_t>> asked;
  for (std::int64_t day = DayOf(when); day <= DayOf(end - 1); ++day) {
    for (const Appointment& appointment : Day(day)) {
      if (!asked.emplace(appointment.event->index, appointment.start).second) continue;
      if (!LeavesFree(appointment, when, minutes)) answer.blocking.push_back(appointment);
    }
  }
  std::stable_sort(answer.blocking.begin(), answer.blocking.end(),
                   [](const Appointment& a, const Appointment& b) {
                     return a.event->index != b.event->index ? a.event->index < b.event->index
                                                             : a.start < b.start;
                   });
  answer.free = answer.blocking.empty();
  return answer;
}

StretchAnswer AskInstant(const Schedule& schedule, std::int64_t when) {
  return FreeBusy(schedule).AskInstant(when);
}

StretchAnswer AskStretch(const Schedule& schedule, std::int64_t when, int minutes) {
  return FreeBusy(schedule).AskStretch(when, minutes);
}

std::vector<std::int64_t> FreeSlots(const Schedule& schedule, const SlotQuery& query) {
  std::vector<std::int64_t> starts;
  if (query.from >= query.to || query.minutes < 1 || query.step < 1) return starts;
  const std::int64_t step = query.step * 60LL;
  const std::int64_t length = query.minutes * 60LL;
  DaySweep sweep(schedule, DayOf(query.from));
  for (std::int64_t day = DayOf(query.from); day <= DayOf(query.to - 1); ++day) {
    if (query.weekdaysOnly && (DayOfWeek(day) == 1 || DayOfWeek(day) == 7)) continue;
    const std::int64_t dayStart = day * kSecondsPerDay;
    const std::int64_t low = std::max(query.from, dayStart + query.hoursFrom);
    const std::int64_t high = std::min(query.to - 1, dayStart + query.hoursTo - length);
    if (low > high) continue;
    std::int64_t candidate = query.from + (low - query.from + step - 1) / step * step;
    if (candidate > high) continue;
    const std::vector<const Appointment*>& touching = sweep.Touching(day);
    for (; candidate <= high; candidate += step) {
      const bool free = std::all_of(touching.begin(), touching.end(), [&](const Appointment* a) {
        return LeavesFree(*a, candidate, query.minutes);
      });
      if (free) starts.push_back(candidate);
    }
  }
  return starts;
}

std::unique_ptr<CTimeSlotStore> FreeSlotStore(const Schedule& schedule, const SlotQuery& query) {
  auto store = std::make_unique<CTimeSlotStore>();
  int number = 0;
  for (std::int64_t start : FreeSlots(schedule, query)) {
    CString id;
    id.Format("t%d", ++number);
    store->Add(new CTimeSlot(ToOle(FromSeconds(start)), query.minutes), "free", id);
  }
  return store;
}

}  // namespace dayweave::agent
