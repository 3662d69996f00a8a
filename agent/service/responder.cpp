#include "agent/service/responder.h"

#include <utility>

#include "agent/service/kqml_message.h"
#include "agent/service/kqml_writer.h"

namespace dayweave::agent {

namespace {

// The text by which a message names an agent: a word's or a string's text.
const std::string* NameIn(const KqmlValue* value) {
  return value != nullptr && !value->IsList() ? &value->text : nullptr;
}

// The reply on one line: a line break inside a string is sent as a blank.
std::string Written(const Answer& answer, const std::string& envelope) {
  std::string text = "(" + answer.performative + envelope;
  if (!answer.parameters.empty()) text += " " + answer.parameters;
  text += ")";
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

Responder::Responder(std::string name, Answerer answerer, std::size_t mostReplyBytes)
    : mostReplyBytes_(mostReplyBytes),
      name_(std::move(name)),
      sender_(WriteKqml(KqmlValue::Word(name_))),
      answerer_(std::move(answerer)) {}

Reply Responder::Respond(KqmlValue value) const {
  std::string problem;
  const auto message = KqmlMessage::From(std::move(value), problem);
  if (!message) return {Refusal(problem), problem};

  std::string envelope = " :sender " + sender_;
  if (const KqmlValue* sender = message->Parameter(":sender")) {
    envelope += " :receiver " + WriteKqml(*sender);
  }
  if (const KqmlValue* replyWith = message->Parameter(":reply-with")) {
    envelope += " :in-reply-to " + WriteKqml(*replyWith);
  }

  const std::string& performative = message->Performative();
  const std::string* receiver = NameIn(message->Parameter(":receiver"));
  const KqmlValue* content = message->Parameter(":content");
  Answer answer;
  if (message->Parameter(":receiver") != nullptr && (receiver == nullptr || *receiver != name_)) {
    answer = Answer::Sorry("this is " + name_ + ", not " +
                           (receiver ? *receiver : WriteKqml(*message->Parameter(":receiver"))));
  } else if (performative != "ask-one" && performative != "ask-all") {
    answer = Answer::Sorry(name_ + " answers ask-one and ask-all, not " + performative);
  } else if (content == nullptr) {
    answer = Answer::Error("the question has no :content");
  } else {
    answer = answerer_(*content);
  }

  std::string text = Written(answer, envelope);
  if (text.size() > mostReplyBytes_) {
    answer = Answer::Error("the answer would be longer than " + std::to_string(mostReplyBytes_) +
                           " bytes");
    text = Written(answer, envelope);
  }
  std::string fault;
  if (answer.performative != "tell") fault = answer.performative + " " + answer.parameters;
  return {std::move(text), std::move(fault)};
}

std::string Responder::Refusal(std::string_view problem) const {
  return "(error :sender " + sender_ + " :comment " + QuoteKqml(problem) + ")";
}

}  // namespace dayweave::agent
