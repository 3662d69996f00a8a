// The time slot store: entries appended in order, each an owned slot with an attribute and,
// when one was given, an ID; look-ups scan from the first entry and the first match wins.
#include "dayweave/time_slot_store.h"

#include <string>
#include <unordered_set>

#include "dayweave/date_time.h"

namespace dayweave {

CTimeSlotStore::CTimeSlotStore() = default;

CTimeSlotStore::~CTimeSlotStore() {
  for (int i = 0; i < m_nCount; ++i) delete m_TimeSlots.GetAt(i);
  m_TimeSlots.RemoveAll();
}

void CTimeSlotStore::Add(CTimeSlot* slot, CString attribute) {
  if (!slot) return;
  m_TimeSlots.Add(slot);
  m_Attributes.Add(attribute);
  ++m_nCount;
}

void CTimeSlotStore::Add(CTimeSlot* slot, CString attribute, CString id) {
  if (!slot) return;
  m_TimeSlots.Add(slot);
  m_Attributes.Add(attribute);
  m_IDs.Add(id);
  ++m_nCount;
}

void CTimeSlotStore::Clear() {
  m_TimeSlots.RemoveAll();
  m_Attributes.RemoveAll();
  m_IDs.RemoveAll();
  m_nCount = 0;
}

int CTimeSlotStore::GetCount() const { return m_nCount; }

CTimeSlot* CTimeSlotStore::GetTimeSlot(int index) const {
  if (index < 0 || index >= m_nCount) return nullptr;
  // Only slots are ever added, so every object held is a CTimeSlot.
  return static_cast<CTimeSlot*>(m_TimeSlots.GetAt(index));
}

CStringArray* CTimeSlotStore::GetAttributes() { return &m_Attributes; }

CStringArray* CTimeSlotStore::GetIDs() { return &m_IDs; }

CStringArray* CTimeSlotStore::GetAttributesUnique() const {
  auto* unique = new CStringArray();
  std::unordered_set<std::string> seen;
  for (int i = 0; i < m_Attributes.GetSize(); ++i) {
    const CString& attribute = m_Attributes.GetAt(i);
    if (seen.insert(attribute.str()).second) unique->Add(attribute);
  }
  return unique;
}

CString CTimeSlotStore::GetAttribute(int index) const {
  if (index < 0 || index >= m_nCount) return CString();
  return m_Attributes.GetAt(index);
}

CString CTimeSlotStore::GetID(int index) const {
  if (index < 0 || index >= m_nCount) return CString();
  // Element `index` of the IDs, or "" when there are fewer IDs than that.
  return m_IDs.GetAt(index);
}

bool CTimeSlotStore::Matches(int index, const CTimeSlot* slot, const CString& attribute) const {
  return m_Attributes.GetAt(index) == attribute && *slot == *GetTimeSlot(index);
}

int CTimeSlotStore::GetIndex(const CTimeSlot* slot, const CString& attribute) const {
  return GetIndex(slot, attribute, 0);
}

int CTimeSlotStore::GetIndex(const CTimeSlot* slot, const CString& attribute, int start) const {
  if (start < 0) return -1;
  for (int i = start; i < m_nCount; ++i) {
    if (Matches(i, slot, attribute)) return i;
  }
  return -1;
}

int CTimeSlotStore::Exists(const CTimeSlot* slot, const CString& attribute) const {
  return GetIndex(slot, attribute) >= 0 ? 1 : 0;
}

CString CTimeSlotStore::GetID(const CTimeSlot* slot, const CString& attribute) const {
  const int index = GetIndex(slot, attribute);
  if (index < 0) return CString();
  return GetID(index);
}

CTimeSlot* CTimeSlotStore::GetLastSlot(const CString& attribute) const {
  // Only slots ending after this instant can be chosen.
  COleDateTime latest(1900, 1, 1, 12, 0, 0);
  CTimeSlot* last = nullptr;
  for (int i = 0; i < m_nCount; ++i) {
    if (m_Attributes.GetAt(i) != attribute) continue;
    CTimeSlot* slot = GetTimeSlot(i);
    const COleDateTime end = slot->GetEndTime();
    if (end > latest) {
      latest = end;
      last = slot;
    }
  }
  return last;
}

}  // namespace dayweave
