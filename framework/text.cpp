#include "dayweave/text.h"

#include <climits>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace dayweave {

namespace {

std::string_view View(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

}  // namespace

CString::CString(const char* text) : m_text(View(text)) {}

CString::CString(const std::string& text) : m_text(text) {}

CString::CString(const char* text, int length)
    : m_text(text && length > 0 ? std::string_view(text, static_cast<std::size_t>(length))
                                : std::string_view()) {}

int CString::GetLength() const {
  return m_text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                           : static_cast<int>(m_text.size());
}

void CString::Format(const char* fmt, ...) {
  m_text.clear();
  if (!fmt) return;
  char small[128];
  va_list args;
  va_start(args, fmt);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(small, sizeof small, fmt, args);
  va_end(args);
  if (needed >= 0 && static_cast<std::size_t>(needed) < sizeof small) {
    m_text.assign(small, static_cast<std::size_t>(needed));
  } else if (needed >= 0) {
    m_text.resize(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(m_text.data(), m_text.size(), fmt, again);
    m_text.resize(static_cast<std::size_t>(needed));
  }
  va_end(again);
}

int CString::Compare(const char* other) const {
  const int order = std::string_view(m_text).compare(View(other));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

CString& CString::operator+=(const CString& other) {
  m_text += other.m_text;
  return *this;
}

CString& CString::operator+=(const char* other) {
  m_text += View(other);
  return *this;
}

CString& CString::operator+=(char c) {
  m_text += c;
  return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a) += b; }
CString operator+(const CString& a, const char* b) { return CString(a) += b; }
CString operator+(const char* a, const CString& b) { return CString(a) += b; }
CString operator+(const CString& a, char b) { return CString(a) += b; }
CString operator+(char a, const CString& b) {
  CString result;
  result += a;
  return result += b;
}

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, const char* b) { return a.str() == View(b); }
bool operator==(const char* a, const CString& b) { return View(a) == b.str(); }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }

}  // namespace dayweave
