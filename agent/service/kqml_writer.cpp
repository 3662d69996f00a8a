#include "agent/service/kqml_writer.h"

#include "agent/service/kqml_syntax.h"

namespace dayweave::agent {

namespace {

void Write(const KqmlValue& value, std::string& out) {
  switch (value.kind) {
    case KqmlValue::Kind::kWord:
      if (IsKqmlWordText(value.text)) {
        out += value.text;
        return;
      }
      [[fallthrough]];
    case KqmlValue::Kind::kString:
      out += QuoteKqml(value.text);
      return;
    case KqmlValue::Kind::kList:
      out += '(';
      for (std::size_t i = 0; i < value.items.size(); ++i) {
        if (i > 0) out += ' ';
        Write(value.items[i], out);
      }
      out += ')';
      return;
  }
}

}  // namespace

std::string WriteKqml(const KqmlValue& value) {
  std::string out;
  Write(value, out);
  return out;
}

std::string QuoteKqml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

bool IsKqmlWordText(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (IsKqmlBlank(c) || c == '(' || c == ')' || c == '"') return false;
  }
  return true;
}

}  // namespace dayweave::agent
