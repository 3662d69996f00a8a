#include "dayweave/object.h"

#include <climits>
#include <cstddef>

namespace dayweave {

CObject::~CObject() = default;

void CObject::AssertValid() const {}

void CObject::Dump() const {}

int CObArray::GetSize() const {
  return m_items.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                            : static_cast<int>(m_items.size());
}

CObject* CObArray::GetAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return nullptr;
  return m_items[static_cast<std::size_t>(index)];
}

int CObArray::Add(CObject* object) {
  m_items.push_back(object);
  return GetSize() - 1;
}

void CObArray::RemoveAll() {
  m_items.clear();
  m_items.shrink_to_fit();
}

}  // namespace dayweave
