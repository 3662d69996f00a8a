#include "dayweave/text_array.h"

#include <climits>
#include <cstddef>

namespace dayweave {

namespace {

const CString& EmptyText() {
  static const CString empty;
  return empty;
}

}  // namespace

int CStringArray::GetSize() const {
  return m_items.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                            : static_cast<int>(m_items.size());
}

bool CStringArray::Holds(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < m_items.size();
}

const CString& CStringArray::GetAt(int index) const {
  return Holds(index) ? m_items[static_cast<std::size_t>(index)] : EmptyText();
}

CString& CStringArray::operator[](int index) {
  if (Holds(index)) return m_items[static_cast<std::size_t>(index)];
  m_outside.Empty();
  return m_outside;
}

int CStringArray::Add(const CString& text) {
  m_items.push_back(text);
  return GetSize() - 1;
}

void CStringArray::RemoveAll() {
  m_items.clear();
  m_items.shrink_to_fit();
}

}  // namespace dayweave
