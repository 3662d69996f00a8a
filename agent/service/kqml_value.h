// One KQML value, as the expression reader reads it and the writer writes it: a word
// (`tell`, `:content`, `4/15/2003`: no blanks, parentheses or double quotes), a string (the
// text between double quotes, escapes undone), or a parenthesised list of values. A message
// is a list whose first value is its performative, followed by keyword and value pairs.
//
// Example:
//   KqmlValue question = KqmlValue::List({KqmlValue::Word("ask-one"),
//                                         KqmlValue::Word(":content"),
//                                         KqmlValue::List({KqmlValue::Word("free")})});
//   WriteKqml(question) == "(ask-one :content (free))"
#pragma once

#include <string>
#include <vector>

namespace dayweave::agent {

struct KqmlValue {
  enum class Kind { kWord, kString, kList };

  static KqmlValue Word(std::string text) { return {Kind::kWord, std::move(text), {}}; }
  static KqmlValue String(std::string text) { return {Kind::kString, std::move(text), {}}; }
  static KqmlValue List(std::vector<KqmlValue> items) {
    return {Kind::kList, {}, std::move(items)};
  }

  bool IsList() const { return kind == Kind::kList; }

  Kind kind = Kind::kWord;
  std::string text;              // a word's or a string's text
  std::vector<KqmlValue> items;  // a list's values
};

}  // namespace dayweave::agent
