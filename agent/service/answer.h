// What the service answers to one question, before the envelope goes around it: the reply's
// performative and the rest of the reply, already written as KQML.
//
// An Answerer is the question work behind the service: it receives the :content of an
// ask-one or ask-all message and answers it. The service adds :sender, :receiver and
// :in-reply-to.
//
// Example:
//   Answerer answerer = [](const KqmlValue& content) {
//     return content.IsList() ? Answer::Tell(KqmlValue::List({KqmlValue::Word("free")}))
//                             : Answer::Error("a question is a list");
//   };
//   // the reply to (ask-one :reply-with q1 :content (free x)) is then
//   // (tell :sender dayweave :in-reply-to q1 :content (free))
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "agent/service/kqml_value.h"
#include "agent/service/kqml_writer.h"

namespace dayweave::agent {

struct Answer {
  // Tell
  // (tell ... :content CONTENT).
  static Answer Tell(const KqmlValue& content) {
    return {"tell", ":content " + WriteKqml(content)};
  }
  // Sorry
  // (sorry ... :comment "COMMENT"): a question understood but not answered.
  static Answer Sorry(std::string_view comment) {
    return {"sorry", ":comment " + QuoteKqml(comment)};
  }
  // Error
  // (error ... :comment "COMMENT"): a question that cannot be understood.
  static Answer Error(std::string_view comment) {
    return {"error", ":comment " + QuoteKqml(comment)};
  }

  std::string performative;
  std::string parameters;  // written KQML that follows the envelope, e.g. ":content (free)"
};

using Answerer = std::function<Answer(const KqmlValue& content)>;

}  // namespace dayweave::agent
