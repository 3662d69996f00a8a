// The characters that shape KQML text, shared by the expression reader and the writer.
//
// Example:
//   IsKqmlBlank('\t') == true   (blanks separate values and messages)
#pragma once

namespace dayweave::agent {

// IsKqmlBlank
// Whether `c` is white space: a blank, a tab, a line or page break.
constexpr bool IsKqmlBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace dayweave::agent
