// The search for a meeting time among several people, each on their own clock, with their own
// working hours and busy time.
//
//   std::vector<Person> required = {{"ana.ics", &new_york, {9h, 17h}, &anaBusy},
//                                   {"bo.ics", &berlin, {14h, 20h}, &boBusy}};
//   MeetingQuery query{monday, saturday, 60min};
//   MeetingAnswer answer = FindMeetings(required, {}, query);
//   for (const MeetingSlot& slot : answer.slots) ...          // in order of their start
//   if (answer.slots.empty()) answer.none->kind ...           // why nothing qualifies
//
// THE CANDIDATES
//   Candidate starts lie every `step` of real time from `from` (included) to `to` (excluded).
//   A candidate qualifies when, for every required person, the whole meeting lies inside one
//   of their working windows (working_hours.h: one local day of their own zone, Monday to
//   Friday of that zone with weekdaysOnly) and none of their blocking time meets it. Optional
//   people never rule a candidate out; each slot names those among them for whom the same two
//   tests hold.
//
// WHY A SWEEP
//   Candidates come in time order, so each person's working windows and blocking intervals
//   are walked with one position each that only moves forward: a candidate costs each person
//   a comparison or two, not a question to every appointment.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "agent/input/zone_offsets.h"
#include "agent/schedule/busy_time.h"
#include "agent/schedule/working_hours.h"

namespace dayweave::agent {

struct Person {
  std::string name;          // how answers name the person
  const ZoneOffsets* clock;  // the person's own zone
  WorkingHours hours;
  const BusyTime* busy;  // must cover the candidates' stretches
};

struct MeetingQuery {
  std::chrono::sys_seconds from;  // the first candidate
  std::chrono::sys_seconds to;    // candidates start before this
  std::chrono::minutes length{60};
  std::chrono::minutes step{30};
  bool weekdaysOnly = false;
  BusyKind weakestBlocking = BusyKind::kTentative;  // kBusy lets tentative time through
  std::optional<std::size_t> limit;                 // the most slots to find
};

struct MeetingSlot {
  std::chrono::sys_seconds start;
  std::chrono::sys_seconds end;
  std::vector<std::size_t> optionalFree;  // positions among the optional people, in order
};

// Why no candidate qualifies.
struct NoSlot {
  enum Kind {
    kOutsideHours,  // no candidate lies inside every required person's working hours
    kBlocked,       // some do, and each of them meets someone's blocking time
  };
  Kind kind = kOutsideHours;
  // kOutsideHours: the required people whose hours rule the candidates out, by position.
  // kBlocked: the one required person busy at the most of those candidates.
  std::vector<std::size_t> people;
  std::size_t count = 0;  // kBlocked: at how many of them that person is busy
  std::size_t of = 0;     // kBlocked: the candidates inside everyone's hours
};

struct MeetingAnswer {
  std::vector<MeetingSlot> slots;
  std::optional<NoSlot> none;  // set exactly when there is no slot
};

// FindMeetings
// The qualifying candidates of `query`, in order, up to its limit; when there is none, why.
MeetingAnswer FindMeetings(const std::vector<Person>& required, const std::vector<Person>& optional,
                           const MeetingQuery& query);

// CandidateCount
// How many candidate starts `query` has.
std::size_t CandidateCount(const MeetingQuery& query);

}  // namespace dayweave::agent
