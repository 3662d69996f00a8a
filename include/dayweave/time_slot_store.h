// CTimeSlotStore: an ordered collection of time slots, each with an attribute text and
// optionally an ID text, that renders itself as text and as a KQML message.
//
//   CTimeSlotStore store;
//   store.Add(new CTimeSlot("(4/14/2003 9:00 AM)", "(4/14/2003 5:00 PM)", 480), "free", "a1");
//   store.ToKQML();                          // "(tell :t1 (4/14/2003 9:00:00 AM))"
//
// OWNERSHIP
//   Add takes ownership of the slot it is given: the store deletes it when the store is
//   destroyed. Clear forgets every entry without deleting any slot, so after Clear the caller
//   is responsible for slots it still holds. A slot must be a heap object and must be in one
//   store at most, once. Add ignores a null slot: it adds no entry, no attribute and no ID.
//   GetAttributes and GetIDs hand out the store's own arrays; GetAttributesUnique hands out a
//   new array that the caller deletes. The store cannot be copied.
//
// IDS BY POSITION
//   IDs are kept in a list of their own that grows only when an entry is added with an ID,
//   and the ID of position i is element i of that list, whichever entry it came with. When
//   entries with and without IDs are mixed, IDs therefore shift towards the front:
//
//   store.Add(first, "free");                // position 0, no ID given
//   store.Add(second, "free", "x");          // position 1, ID "x"
//   store.GetID(0);                          // "x"
//   store.GetID(1);                          // "": the list has one element only
//
//   Give every entry an ID, or none, to keep IDs with their entries.
//
// LOOK-UPS
//   Every look-up scans the entries from position 0 upward and the first that qualifies
//   wins. An entry matches a slot and an attribute when its attribute is the same text
//   (exactly, case included) and its slot equals the given one by CTimeSlot::operator==.
//
// EDITING THE ARRAYS
//   A caller that adds or removes elements of the arrays from GetAttributes or GetIDs changes
//   what the store reports for those positions; a position without an element reads as "".
#pragma once

#include "dayweave/export.h"
#include "dayweave/object.h"
#include "dayweave/text.h"
#include "dayweave/text_array.h"
#include "dayweave/time_slot.h"

namespace dayweave {

class DAYWEAVE_API CTimeSlotStore {
 public:
  // An empty store.
  CTimeSlotStore();
  // Deletes the slot of every entry the store holds.
  virtual ~CTimeSlotStore();

  CTimeSlotStore(const CTimeSlotStore&) = delete;
  CTimeSlotStore& operator=(const CTimeSlotStore&) = delete;

  // Add
  // Appends an entry for `slot`, which the store now owns, with `attribute` and, in the
  // second form, `id` (see IDS BY POSITION). A null slot is ignored.
  void Add(CTimeSlot* slot, CString attribute);
  void Add(CTimeSlot* slot, CString attribute, CString id);

  // Clear
  // Forgets every entry, attribute and ID without deleting the slots.
  void Clear();

  // GetCount
  // The number of entries.
  int GetCount() const;

  // GetTimeSlot
  // The slot of entry `index`, still owned by the store; null outside the entries.
  CTimeSlot* GetTimeSlot(int index) const;

  // GetAttributes, GetIDs
  // The store's own arrays of attributes and IDs; the store keeps them.
  CStringArray* GetAttributes();
  CStringArray* GetIDs();

  // GetAttributesUnique
  // A new array of the distinct attributes, each where it first occurs ("a", "b", "a", "c"
  // gives "a", "b", "c"). The caller deletes it.
  CStringArray* GetAttributesUnique() const;

  // GetAttribute
  // The attribute of entry `index`; "" outside the entries.
  CString GetAttribute(int index) const;

  // GetID
  // The ID of position `index` (see IDS BY POSITION); "" outside the entries or the IDs.
  CString GetID(int index) const;

  // GetIndex
  // The position of the first entry, from `start` on (0 when omitted), that matches `slot`
  // and `attribute`; -1 when none does, or when `start` is negative or past the last entry.
  int GetIndex(const CTimeSlot* slot, const CString& attribute) const;
  int GetIndex(const CTimeSlot* slot, const CString& attribute, int start) const;

  // Exists
  // 1 when some entry matches `slot` and `attribute`, else 0.
  int Exists(const CTimeSlot* slot, const CString& attribute) const;

  // GetID
  // The ID of the position of the first entry matching `slot` and `attribute`; "" when none
  // matches or that position has no ID.
  CString GetID(const CTimeSlot* slot, const CString& attribute) const;

  // GetLastSlot
  // Of the entries with `attribute`, the slot that ends latest, the first added on a tie;
  // null when none ends after 1 January 1900 12:00:00.
  CTimeSlot* GetLastSlot(const CString& attribute) const;

  // ToString
  // Per entry: the slot's ToString, then the attribute and the ID of the position, each
  // after a line feed, and a closing line feed. An empty store gives "".
  CString ToString() const;

  // ToKQML
  // One KQML tell message with the start time of every slot:
  //   (tell :t1 (4/14/2003 3:00:00 PM) :t2 (4/15/2003 9:30:00 AM))
  // An empty store gives "(tell)".
  CString ToKQML() const;

 private:
  bool Matches(int index, const CTimeSlot* slot, const CString& attribute) const;

  CObArray m_TimeSlots;
  CStringArray m_Attributes;
  CStringArray m_IDs;
  int m_nCount = 0;
};

}  // namespace dayweave
