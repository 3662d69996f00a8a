// The question work of `dayweave serve`: free, slots and occurs asked of all of one user's
// calendars together, answered by the code of the `free`, `slots` and `occurs` commands and
// refused with their error texts.
//
//   (free WHEN [MINUTES])           -> (free) or (busy); with details (busy "SUBJECT" ...)
//   (slots FROM TO MINUTES [:step N] [:hours "HH:MM-HH:MM"] [:weekdays])
//                                   -> the store's tell message, as `dayweave slots` prints it
//   (occurs DATE)                   -> with details ("SUBJECT" ...); otherwise a sorry
//
// Other agents learn when the user is busy, never why: without details no answer carries a
// subject, location, description or attendee. With several calendars the user is free when
// every calendar leaves them free, and a slot is free when it is free in every calendar.
//
// A calendar is a file or the http or https URL of a calendar on a server. Each calendar file
// is read again before the next answer once it changes on disk (a new inode, size or
// modification time). A URL calendar is fetched whole by Load, and then again by whoever
// owns the answers, off the answering thread: ReadAgain reads the new versions there, Renew
// puts them in place between answers. When a new version cannot be read, the last good one
// keeps answering and one warning line says so.
//
// Example:
//   ServeAnswers answers({"work.ics", "https://cal.example.org/ana/home/"}, "Europe/Berlin",
//                        false, FetchOptions{}, std::cerr);
//   std::string problem;
//   if (!answers.Load(problem)) ...            // "work.ics: cannot read the file (...)"
//   Answer answer = answers.Ask(content);      // content: (free "4/14/2003 9:30 AM" 30)
//   // on another thread, from time to time:
//   auto renewal = answers.ReadAgain(FetchCalendars(answers.Urls(), std::nullopt, options));
//   // and then on the answering thread, between answers:
//   answers.Renew(*renewal);
#pragma once

#include <libical/ical.h>

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "agent/input/caldav_source.h"
#include "agent/service/answer.h"

namespace dayweave::agent {

class ServeAnswers {
 public:
  struct Renewal;

  ServeAnswers(std::vector<std::string> calendars, std::string zoneName, bool details,
               FetchOptions fetching, std::ostream& err);
  ~ServeAnswers();

  // Load
  // Reads every calendar file and fetches every URL calendar (all of them at once, all their
  // events); false, with the command line's error text in `problem`, when one cannot be read
  // or is no calendar. Warnings about single events go to the error stream.
  bool Load(std::string& problem);

  // Ask
  // The answer to one question's content.
  Answer Ask(const KqmlValue& content);

  // Urls
  // The URL calendars, in the order they were given: what to fetch again.
  std::vector<std::string> Urls() const;

  // ReadAgain
  // The new versions of the URL calendars in `fetched` (in the order of Urls()), read and laid
  // out, with the warning lines that go with them; a calendar fetched as it was before has no
  // new version and no lines. It touches nothing Ask, Renew or the error stream use, so it
  // may run on another thread while they run; one ReadAgain at a time, after Load.
  std::shared_ptr<Renewal> ReadAgain(const std::vector<FetchedCalendar>& fetched);

  // Renew
  // Puts the versions of `renewal` in place and writes its lines; on the answering thread,
  // between answers.
  void Renew(Renewal& renewal);

 private:
  struct Version;
  struct Calendar;
  struct Fetched;
  struct Question;

  std::unique_ptr<Version> Read(CalendarFile file, std::vector<std::string>& lines,
                                std::string& error) const;
  std::optional<std::string> ReadFile(Calendar& calendar);
  void Refresh();
  Answer Refusal(const Question& question) const;
  Answer Free(const Question& question);
  Answer Slots(const Question& question);
  Answer Occurs(const Question& question);

  const std::vector<std::string> sources_;
  const std::string zoneName_;
  icaltimezone* const zone_;
  const bool details_;
  const FetchOptions fetching_;
  std::ostream& err_;
  std::vector<std::unique_ptr<Calendar>> calendars_;  // the answering thread's
  std::vector<Fetched> fetched_;                      // ReadAgain's, one per URL calendar
};

}  // namespace dayweave::agent
