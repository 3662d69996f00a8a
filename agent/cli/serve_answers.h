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
// Each calendar file is read again before the next answer once it changes on disk (a new
// inode, size or modification time). When the new version cannot be read, the last good one
// keeps answering and one warning line says so.
//
// Example:
//   ServeAnswers answers({"work.ics", "home.ics"}, "Europe/Berlin", false, std::cerr);
//   std::string problem;
//   if (!answers.Load(problem)) ...            // "work.ics: cannot read the file (...)"
//   Answer answer = answers.Ask(content);      // content: (free "4/14/2003 9:30 AM" 30)
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "agent/service/answer.h"

namespace dayweave::agent {

class ServeAnswers {
 public:
  ServeAnswers(std::vector<std::string> paths, std::string zoneName, bool details,
               std::ostream& err);
  ~ServeAnswers();

  // Load
  // Reads every calendar; false, with the command line's error text in `problem`, when one
  // cannot be read or is no calendar. Warnings about single events go to the error stream.
  bool Load(std::string& problem);

  // Ask
  // The answer to one question's content.
  Answer Ask(const KqmlValue& content);

 private:
  struct Calendar;
  struct Question;

  std::optional<std::string> Read(Calendar& calendar);
  void Refresh();
  Answer Refusal(const Question& question) const;
  Answer Free(const Question& question);
  Answer Slots(const Question& question);
  Answer Occurs(const Question& question);

  std::vector<std::string> paths_;
  std::string zoneName_;
  bool details_;
  std::ostream& err_;
  std::vector<std::unique_ptr<Calendar>> calendars_;
};

}  // namespace dayweave::agent
