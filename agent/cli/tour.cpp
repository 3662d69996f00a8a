#include "agent/cli/tour.h"

#include <ostream>
#include <string>
#include <vector>

#include "agent/cli/listing.h"
#include "agent/cli/sample_calendar.h"
#include "agent/input/local_time.h"
#include "agent/input/time_zones.h"
#include "agent/schedule/availability.h"
#include "agent/schedule/loaded_schedule.h"
#include "agent/schedule/slot_search.h"
#include "dayweave/time_slot.h"
#include "dayweave/time_slot_store.h"

namespace dayweave::agent {

using namespace std::chrono;

namespace {

constexpr const char* kSampleName = "examples/sample.ics";

std::string Indented(const std::string& text, const char* indent = "   ") {
  std::string result;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find('\n', begin);
    const std::size_t stop = end == std::string::npos ? text.size() : end;
    result += indent + text.substr(begin, stop - begin) + "\n";
    begin = stop + 1;
  }
  return result;
}

const Appointment* EventNumber(const Schedule& schedule, int index) {
  for (const auto* group : {&schedule.OneOffs(), &schedule.Recurring()}) {
    for (const Appointment& a : *group) {
      if (a.event->index == index) return &a;
    }
  }
  return nullptr;
}

void ShowCalendar(std::ostream& out, const Schedule& schedule) {
  out << "1. The sample calendar, as `dayweave list " << kSampleName << "` prints it\n"
      << "   (index, R for recurring, start, end, duration, status, reminder, subject):\n\n";
  std::vector<std::string> warnings;
  out << Indented(Rows(Listed(schedule, std::nullopt, warnings)));
  for (const std::string& note : schedule.ExpansionNotes()) out << "\n" << Indented(note);
  out << "\n";
}

void ShowTypicalQuestion(std::ostream& out, const Schedule& schedule, FreeBusy& freeBusy) {
  const COleDateTime when(2003, 1, 13, 9, 30, 0);
  const std::string at = when.Format().str();
  out << "2. Is the user free for 30 minutes from " << at << "?\n\n";
  for (int index : {1, 2}) {
    const Appointment* a = EventNumber(schedule, index);
    if (a == nullptr) continue;
    const CAppointment& appointment = a->appointment;
    out << "   " << a->event->subject << " ("
        << (appointment.IsRecurring() ? "recurring, every Monday" : "one-off") << ", "
        << appointment.GetApptStatusString().str() << ", " << appointment.GetDurationString().str()
        << ", reminder " << appointment.GetReminderString().str() << ", from "
        << appointment.GetStartTimeString().str() << " to " << appointment.GetEndTimeString().str()
        << ")\n"
        << "     IsFree(" << at << ")      = " << appointment.IsFree(when) << "\n"
        << "     IsFree(" << at << ", 30)  = " << appointment.IsFree(when, 30) << "\n"
        << "     OccursOn(13, 1, 2003) = " << appointment.OccursOn(13, 1, 2003)
        << "     OccursOn(14, 1, 2003) = " << appointment.OccursOn(14, 1, 2003) << "\n";
  }
  out << "\n   The whole calendar (`dayweave free " << kSampleName
      << " \"1/13/2003 9:30 AM\" 30`):\n";
  const local_days day{2003y / January / 13};
  const struct {
    local_seconds from;
    minutes length;
  } questions[] = {{day + 9h + 30min, 30min},
                   {day + 10h, 30min},
                   {day + 10h + 30min, 60min},
                   {day + 12h, 60min}};
  for (const auto& q : questions) {
    const StretchAnswer answer = freeBusy.AskStretch(q.from, q.length);
    out << "     " << ToOle(q.from).Format().str() << " for " << q.length.count()
        << " minutes: " << (answer.free ? "free" : "busy");
    for (const Appointment& blocking : answer.blocking) {
      out << " (" << blocking.event->subject << ", "
          << blocking.appointment.GetApptStatusString().str() << ")";
    }
    out << "\n";
  }
  out << "\n";
}

void ShowProposedSlots(std::ostream& out, FreeBusy& freeBusy) {
  out << "3. Two slots that another agent proposes, read from its text:\n\n";
  struct Proposal {
    const char* start;
    const char* end;
    const char* minutes;
    const char* id;
  } proposals[] = {{"(4/14/2003 9:00 AM)", "(4/14/2003 10:00 AM)", "60", "proposal-1"},
                   {"(4/15/2003 10:00 AM)", "(4/15/2003 11:30 AM)", "90", "proposal-2"}};
  CTimeSlotStore store;
  for (const Proposal& p : proposals) {
    auto* slot = new CTimeSlot(CString(p.start), CString(p.end), p.minutes);
    const auto start = FromOle(slot->GetStartTime());
    const bool free = start && freeBusy.AskStretch(*start, minutes{slot->GetDuration()}).free;
    out << "   CTimeSlot(\"" << p.start << "\", \"" << p.end << "\", \"" << p.minutes
        << "\"): valid " << slot->IsValid() << ", " << slot->GetDuration()
        << " minutes; the user is " << (free ? "free" : "busy") << "\n";
    store.Add(slot, free ? "free" : "busy", p.id);
  }
  out << "\n   The store as text (ToString):\n\n"
      << Indented(store.ToString().str(), "     ") << "\n   The store as KQML (ToKQML):\n\n     "
      << store.ToKQML().str() << "\n\n";
}

void ShowFreeSlots(std::ostream& out, const Schedule& schedule) {
  out << "4. The free 60-minute slots of 14 and 15 April 2003 (09:00 to 17:00, every 30\n"
         "   minutes), as `dayweave slots "
      << kSampleName << " 4/14/2003 4/16/2003 60` prints them:\n\n";
  SlotQuery query;
  query.from = local_days{2003y / April / 14};
  query.to = local_days{2003y / April / 16};
  query.length = 60min;
  const auto store = FreeSlotStore(schedule, query);
  out << "     " << store->ToKQML().str() << "\n";
}

}  // namespace

void RunTour(std::ostream& out) {
  const LoadedSchedule loaded(kSampleCalendar, kSampleName, icaltimezone_get_utc_timezone(), "UTC");
  const Schedule& schedule = loaded.schedule;
  out << "dayweave: a tour of the bundled sample calendar (" << kSampleName
      << "), its times as written\n\n";
  ShowCalendar(out, schedule);
  FreeBusy freeBusy(schedule);
  ShowTypicalQuestion(out, schedule, freeBusy);
  ShowProposedSlots(out, freeBusy);
  ShowFreeSlots(out, schedule);
}

}  // namespace dayweave::agent
