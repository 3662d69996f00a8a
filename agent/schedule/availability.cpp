#include "agent/schedule/availability.h"

#include <algorithm>
#include <set>
#include <utility>

#include "agent/input/local_time.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

constexpr double kQuarterSecond = 0.25 / 86400.0;

int Minutes(minutes length) { return static_cast<int>(length.count()); }

bool OneOffLeavesFree(const CAppointment& appointment, local_seconds when, minutes length) {
  const COleDateTime from = ToOle(when);
  return appointment.IsFree(from, Minutes(length)) ||
         appointment.IsFree(from - COleDateTimeSpan(kQuarterSecond), Minutes(length));
}

// Whether a recurring appointment leaves free the piece [from, to) of one day, `to` being at
// most the day's end.
bool PieceLeavesFree(const CAppointment& appointment, local_seconds from, local_seconds to) {
  const local_seconds dayEnd = floor<days>(from) + days{1};
  if (to == dayEnd) to = dayEnd - seconds{1};
  const seconds length = to - from;
  if (length <= seconds{0}) return true;
  if (length >= minutes{1}) {
    const minutes whole = floor<minutes>(length);
    if (!appointment.IsFree(ToOle(from), Minutes(whole))) return false;
    return length == whole || appointment.IsFree(ToOle(to - whole), Minutes(whole));
  }
  for (local_seconds second = from; second < to; second += seconds{1}) {
    if (!appointment.IsFree(ToOle(second))) return false;
  }
  return true;
}

bool ByEventThenStart(const Appointment& a, const Appointment& b) {
  return a.event->index != b.event->index ? a.event->index < b.event->index : a.start < b.start;
}

}  // namespace

bool LeavesFree(const Appointment& appointment, local_seconds when, minutes length) {
  if (!appointment.TakesTime()) return true;
  const CAppointment& library = appointment.appointment;
  if (!library.IsRecurring()) return OneOffLeavesFree(library, when, length);
  const local_seconds end = when + length;
  const local_days firstDay = floor<days>(when);
  if (end < firstDay + days{1}) return library.IsFree(ToOle(when), Minutes(length)) != 0;
  for (local_days day = firstDay; day < end; day += days{1}) {
    const local_seconds from = std::max<local_seconds>(when, day);
    const local_seconds to = std::min<local_seconds>(end, day + days{1});
    if (!PieceLeavesFree(library, from, to)) return false;
  }
  return true;
}

namespace {

// The most days a FreeBusy keeps; past that it lets them all go and learns them again.
constexpr std::size_t kMostKeptDays = 400;

// The most days a sweep walks forward to reach the day asked about; a day farther ahead is
// reached by a new sweep that starts there, which costs less than walking a long way.
constexpr days kLongestWalk{31};

}  // namespace

FreeBusy::FreeBusy(const Schedule& schedule) : schedule_(schedule) {}

const std::vector<Appointment>& FreeBusy::Day(local_days day) {
  const auto known = days_.find(day);
  if (known != days_.end()) return known->second;
  if (sweep_ == nullptr || day < nextDay_ || day - nextDay_ > kLongestWalk) {
    if (sweep_ != nullptr) {
      for (const std::string& warning : sweep_->Warnings()) {
        if (std::find(warnings_.begin(), warnings_.end(), warning) == warnings_.end()) {
          warnings_.push_back(warning);
        }
      }
    }
    sweep_ = std::make_unique<DaySweep>(schedule_, day);
    nextDay_ = day;
  }
  for (; nextDay_ < day; nextDay_ += days{1}) sweep_->Touching(nextDay_);
  std::vector<Appointment>& appointments = days_[day];
  for (const Appointment* a : sweep_->Touching(day)) appointments.push_back(*a);
  nextDay_ = day + days{1};
  return appointments;
}

std::vector<std::string> FreeBusy::Warnings() const {
  std::vector<std::string> warnings = warnings_;
  if (sweep_ != nullptr) {
    warnings.insert(warnings.end(), sweep_->Warnings().begin(), sweep_->Warnings().end());
  }
  return warnings;
}

StretchAnswer FreeBusy::AskAt(local_seconds when) {
  StretchAnswer answer;
  const local_days day = floor<days>(when);
  if (days_.size() >= kMostKeptDays) days_.clear();
  const COleDateTime at = ToOle(when);
  for (const Appointment& appointment : Day(day)) {
    if (appointment.TakesTime() && !appointment.appointment.IsFree(at)) {
      answer.blocking.push_back(appointment);
    }
  }
  answer.free = answer.blocking.empty();
  return answer;
}

StretchAnswer FreeBusy::AskStretch(local_seconds when, minutes length) {
  StretchAnswer answer;
  const local_seconds end = when + length;
  const local_days firstDay = floor<days>(when);
  if (days_.size() >= kMostKeptDays) days_.clear();
  // An appointment that meets several days of the stretch is asked once, about all of it.
  std::set<std::pair<int, local_seconds>> asked;
  for (local_days day = firstDay; day <= floor<days>(end - seconds{1}); day += days{1}) {
    for (const Appointment& appointment : Day(day)) {
      if (!asked.emplace(appointment.event->index, appointment.start).second) continue;
      if (!LeavesFree(appointment, when, length)) answer.blocking.push_back(appointment);
    }
  }
  std::stable_sort(answer.blocking.begin(), answer.blocking.end(), ByEventThenStart);
  answer.free = answer.blocking.empty();
  return answer;
}

}  // namespace dayweave::agent
