// The store as text: a plain listing of its entries, and a KQML tell message that reports
// the start time of every slot under the keywords :t1, :t2 and so on.
#include "dayweave/date_time.h"
#include "dayweave/time_slot_store.h"

namespace dayweave {

CString CTimeSlotStore::ToString() const {
  CString text;
  for (int i = 0; i < m_nCount; ++i) {
    text += GetTimeSlot(i)->ToString();
    text += '\n';
    text += m_Attributes.GetAt(i);
    text += '\n';
    text += m_IDs.GetAt(i);
    text += '\n';
  }
  return text;
}

CString CTimeSlotStore::ToKQML() const {
  CString message("(tell");
  for (int i = 0; i < m_nCount; ++i) {
    CString keyword;
    keyword.Format(" :t%d", i + 1);
    message += keyword;
    message += " (";
    message += GetTimeSlot(i)->GetStartTime().Format();
    message += ')';
  }
  message += ')';
  return message;
}

}  // namespace dayweave
