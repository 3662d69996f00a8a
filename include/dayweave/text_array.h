// CStringArray: a growable, ordered list of CString values, shaped like the platform
// framework's string array.
//
//   CStringArray names;
//   names.Add("free");              // returns 0, the position of the new element
//
// A position outside the array never reads past its end: GetAt and the const operator[]
// give an empty text, and the writable operator[] gives a scratch text that belongs to no
// position (writing to it changes nothing in the array).
#pragma once

#include <vector>

#include "dayweave/export.h"
#include "dayweave/text.h"

namespace dayweave {

class DAYWEAVE_API CStringArray {
 public:
  // GetSize, GetCount
  // The number of elements.
  int GetSize() const;
  int GetCount() const { return GetSize(); }

  // GetAt, operator[]
  // The element at `index` (0-based).
  const CString& GetAt(int index) const;
  CString& operator[](int index);
  const CString& operator[](int index) const { return GetAt(index); }

  // Add
  // Appends a copy of `text` and answers its position.
  int Add(const CString& text);

  // RemoveAll
  // Removes every element and releases the storage.
  void RemoveAll();

 private:
  bool Holds(int index) const;

  std::vector<CString> m_items;
  CString m_outside;
};

}  // namespace dayweave
