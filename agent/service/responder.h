// The service's side of a conversation: which messages it answers, and the envelope that
// every reply carries.
//
// A reply names the service as :sender, the question's :sender as :receiver and the
// question's :reply-with as :in-reply-to, each when the question had one. The service answers
// ask-one and ask-all addressed to it (or to nobody in particular); anything else gets a sorry
// and a message without :content an error. Text that is not KQML at all gets a Refusal, after
// which the connection closes. A reply is always one line: a line break inside a string (an
// echoed name, an event's subject) is sent as a blank.
//
// Example:
//   Responder responder("dayweave", answerer);
//   responder.Respond(/* (ask-one :sender ana :receiver bo :content (free x)) */).text
//       == R"((sorry :sender dayweave :receiver ana :comment "this is dayweave, not bo"))"
//   responder.Refusal("a closing parenthesis with nothing open")
//       == R"((error :sender dayweave :comment "a closing parenthesis with nothing open"))"
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "agent/service/answer.h"
#include "agent/service/kqml_value.h"

namespace dayweave::agent {

struct Reply {
  std::string text;   // one KQML expression on one line, without the line break
  std::string fault;  // for a sorry or an error reply, what was wrong; otherwise empty
};

class Responder {
 public:
  static constexpr std::size_t kMostReplyBytes = 1024 * 1024;

  // A reply longer than `mostReplyBytes` is replaced by an error saying so.
  Responder(std::string name, Answerer answerer, std::size_t mostReplyBytes = kMostReplyBytes);

  // Respond
  // The reply to one message.
  Reply Respond(KqmlValue message) const;

  // Refusal
  // The reply to text that is not KQML: (error :sender NAME :comment "PROBLEM").
  std::string Refusal(std::string_view problem) const;

 private:
  std::size_t mostReplyBytes_;
  std::string name_;
  std::string sender_;  // the name as written in a reply
  Answerer answerer_;
};

}  // namespace dayweave::agent
