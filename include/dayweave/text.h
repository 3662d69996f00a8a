// CString: an 8-bit text with value semantics, shaped like the platform framework's string
// so that agent code written against that framework ports with little change.
//
//   CString status("Busy");
//   status += " until 5 PM";        // status.GetLength() == 15
//
// CONSTRUCTION
//   A CString is built implicitly from a C string (a null pointer gives the empty text) or
//   from a std::string, or from a pointer and a length. It owns a copy of its characters.
//
// COMPARISON
//   ==, != and Compare are exact and case-sensitive, character for character.
//
// FORMATTING
//   Format writes printf-style output into the text; the compiler checks the format.
//
//   CString n;
//   n.Format("%d Minutes", 15);     // "15 Minutes"
#pragma once

#include <string>

#include "dayweave/export.h"

namespace dayweave {

class DAYWEAVE_API CString {
 public:
  CString() = default;
  CString(const char* text);         // NOLINT(google-explicit-constructor): framework shape
  CString(const std::string& text);  // NOLINT(google-explicit-constructor)
  // The first `length` characters of `text`, which must hold that many.
  CString(const char* text, int length);

  // GetLength
  // The number of characters (bytes) in the text.
  int GetLength() const;

  // IsEmpty, Empty
  // Whether the text has no characters; Empty makes it so.
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }

  // GetString, operator const char*
  // The characters, null-terminated; valid until the text next changes.
  const char* GetString() const { return m_text.c_str(); }
  operator const char*() const { return m_text.c_str(); }  // NOLINT(google-explicit-constructor)

  // str
  // The text as a standard string.
  const std::string& str() const { return m_text; }

  // Format
  // Replaces the text with printf-style output. An encoding error leaves the text empty.
  void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

  // Compare
  // Like strcmp: negative, zero or positive as this text sorts before, equal to or after
  // `other` byte by byte. A null `other` counts as the empty text.
  int Compare(const char* other) const;

  CString& operator+=(const CString& other);
  CString& operator+=(const char* other);
  CString& operator+=(char c);

 private:
  std::string m_text;
};

DAYWEAVE_API CString operator+(const CString& a, const CString& b);
DAYWEAVE_API CString operator+(const CString& a, const char* b);
DAYWEAVE_API CString operator+(const char* a, const CString& b);
DAYWEAVE_API CString operator+(const CString& a, char b);
DAYWEAVE_API CString operator+(char a, const CString& b);
// Adding a number to a text is almost always a mistake that would otherwise compile as
// pointer arithmetic through the conversion to const char*.
CString operator+(const CString& a, int b) = delete;

DAYWEAVE_API bool operator==(const CString& a, const CString& b);
DAYWEAVE_API bool operator==(const CString& a, const char* b);
DAYWEAVE_API bool operator==(const char* a, const CString& b);
DAYWEAVE_API bool operator!=(const CString& a, const CString& b);
DAYWEAVE_API bool operator!=(const CString& a, const char* b);
DAYWEAVE_API bool operator!=(const char* a, const CString& b);

}  // namespace dayweave
