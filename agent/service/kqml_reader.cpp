#include "agent/service/kqml_reader.h"

#include <utility>

#include "agent/service/kqml_syntax.h"

namespace dayweave::agent {

std::optional<std::string> KqmlReader::Read(std::string_view bytes,
                                            std::vector<KqmlValue>& messages) {
  for (std::size_t i = 0; i < bytes.size() && !fault_; ++i) {
    fault_ = Step(bytes[i], messages);
  }
  if (fault_) {
    open_.clear();
    text_.clear();
  }
  return fault_;
}

std::optional<std::string> KqmlReader::Step(char c, std::vector<KqmlValue>& messages) {
  if (open_.empty()) {
    if (IsKqmlBlank(c)) return {};
    if (c == '(') {
      messageBytes_ = 0;
      values_ = 0;
    } else if (c == ')') {
      return "a closing parenthesis with nothing open";
    } else {
      return "text outside a message, which begins with an opening parenthesis";
    }
  }
  if (++messageBytes_ > mostMessageBytes_) {
    return "a message longer than " + std::to_string(mostMessageBytes_) + " bytes";
  }

  switch (token_) {
    case Token::kEscape:
      if (c != '"' && c != '\\') return "a backslash in a string before neither \" nor \\";
      text_ += c;
      token_ = Token::kString;
      return {};
    case Token::kString:
      if (c == '\\') {
        token_ = Token::kEscape;
      } else if (c == '"') {
        return EndToken(KqmlValue::Kind::kString);
      } else {
        text_ += c;
      }
      return {};
    case Token::kWord:
      if (c == '"') return "a double quote inside a word";
      if (!IsKqmlBlank(c) && c != '(' && c != ')') {
        text_ += c;
        return {};
      }
      if (auto fault = EndToken(KqmlValue::Kind::kWord)) return fault;
      break;
    case Token::kNone:
      break;
  }

  if (c == '(') return Open();
  if (c == ')') {
    Close(messages);
  } else if (c == '"') {
    token_ = Token::kString;
  } else if (!IsKqmlBlank(c)) {
    token_ = Token::kWord;
    text_ += c;
  }
  return {};
}

std::optional<std::string> KqmlReader::Open() {
  if (open_.size() >= kDeepestNesting) {
    return "lists nested deeper than " + std::to_string(kDeepestNesting);
  }
  if (++values_ > kMostValues) {
    return "a message of more than " + std::to_string(kMostValues) + " values";
  }
  open_.push_back(KqmlValue::List({}));
  return {};
}

void KqmlReader::Close(std::vector<KqmlValue>& messages) {
  KqmlValue closed = std::move(open_.back());
  open_.pop_back();
  if (open_.empty()) {
    messages.push_back(std::move(closed));
  } else {
    open_.back().items.push_back(std::move(closed));
  }
}

std::optional<std::string> KqmlReader::EndToken(KqmlValue::Kind kind) {
  token_ = Token::kNone;
  if (++values_ > kMostValues) {
    return "a message of more than " + std::to_string(kMostValues) + " values";
  }
  open_.back().items.push_back({kind, std::move(text_), {}});
  text_.clear();
  return {};
}

}  // namespace dayweave::agent
