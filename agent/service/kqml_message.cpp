#include "agent/service/kqml_message.h"

namespace dayweave::agent {

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::optional<KqmlMessage> KqmlMessage::From(KqmlValue value, std::string& problem) {
  std::vector<KqmlValue>& items = value.items;
  if (!value.IsList() || items.empty() || items[0].kind != KqmlValue::Kind::kWord) {
    problem = "a message begins with its performative, a word";
    return {};
  }
  KqmlMessage message;
  message.performative_ = LowerCase(items[0].text);
  for (std::size_t i = 1; i < items.size(); i += 2) {
    const KqmlValue& keyword = items[i];
    if (keyword.kind != KqmlValue::Kind::kWord || keyword.text.size() < 2 ||
        keyword.text[0] != ':') {
      problem = "a message's parameters are pairs of a :keyword and a value";
      return {};
    }
    if (i + 1 == items.size()) {
      problem = "the keyword " + keyword.text + " has no value";
      return {};
    }
    std::string name = LowerCase(keyword.text);
    if (message.Parameter(name) == nullptr) {
      message.parameters_.emplace_back(std::move(name), std::move(items[i + 1]));
    }
  }
  return message;
}

const KqmlValue* KqmlMessage::Parameter(std::string_view keyword) const {
  for (const auto& [name, value] : parameters_) {
    if (name == keyword) return &value;
  }
  return nullptr;
}

}  // namespace dayweave::agent
