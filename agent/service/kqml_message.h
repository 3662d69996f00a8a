// A KQML message read apart: its performative and its keyword parameters, both compared
// without regard to case, as KQML names are.
//
// Example:
//   KqmlReader reader;  // reads (ASK-ONE :Sender ana :content (free "4/14/2003 9:30 AM"))
//   std::string problem;
//   auto message = KqmlMessage::From(std::move(value), problem);
//   message->Performative() == "ask-one"
//   message->Parameter(":sender")->text == "ana"
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "agent/service/kqml_value.h"

namespace dayweave::agent {

class KqmlMessage {
 public:
  // From
  // The message that `value` is: a list of a word (the performative) followed by pairs of a
  // keyword (a word beginning with a colon) and a value. Otherwise nothing, with `problem`
  // saying why. When a keyword is repeated, its first value counts.
  static std::optional<KqmlMessage> From(KqmlValue value, std::string& problem);

  // Performative
  // The performative in lower case: "ask-one".
  const std::string& Performative() const { return performative_; }

  // Parameter
  // The value of `keyword` (":content", in lower case), or null when the message has none.
  const KqmlValue* Parameter(std::string_view keyword) const;

 private:
  std::string performative_;
  std::vector<std::pair<std::string, KqmlValue>> parameters_;  // keywords in lower case
};

// LowerCase
// `text` with the letters A to Z in lower case.
std::string LowerCase(std::string_view text);

}  // namespace dayweave::agent
