// Writes KQML values as text that the expression reader reads back to the same values: a
// string between double quotes with `"` and `\` escaped, a list in parentheses with one blank
// between its values. A word that could not be read back as one word (empty, or holding a
// blank, a parenthesis or a double quote) is written as a string.
//
// Example:
//   WriteKqml(KqmlValue::List({KqmlValue::Word("busy"),
//                              KqmlValue::String("Lunch with \"Bo\"")}))
//       == R"((busy "Lunch with \"Bo\""))"
//   QuoteKqml(R"(C:\temp)") == R"("C:\\temp")"
#pragma once

#include <string>
#include <string_view>

#include "agent/service/kqml_value.h"

namespace dayweave::agent {

// WriteKqml
// The text of `value`.
std::string WriteKqml(const KqmlValue& value);

// QuoteKqml
// `text` as a KQML string: in double quotes, with `"` and `\` escaped by a backslash.
std::string QuoteKqml(std::string_view text);

// IsKqmlWordText
// Whether `text` reads back as one word: not empty, and no blank, parenthesis or double quote.
bool IsKqmlWordText(std::string_view text);

}  // namespace dayweave::agent
