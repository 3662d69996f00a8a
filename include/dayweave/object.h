// CObject: the root of the framework's object hierarchy, and CObArray, a growable array of
// object pointers. A time slot is a CObject, so a store can keep slots in a CObArray and
// destroy them through the virtual destructor.
//
//   CObArray objects;
//   int where = objects.Add(new CTimeSlot());   // 0; the array does not own what it holds
//
// CObArray never deletes the objects it points to: whoever adds them decides their fate.
#pragma once

#include <vector>

#include "dayweave/export.h"

namespace dayweave {

class DAYWEAVE_API CObject {
 public:
  virtual ~CObject();

  // AssertValid, Dump
  // Diagnostic hooks a derived class may override; the base versions do nothing.
  virtual void AssertValid() const;
  virtual void Dump() const;

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

class DAYWEAVE_API CObArray {
 public:
  // GetSize
  // The number of elements.
  int GetSize() const;

  // GetAt
  // The pointer at `index` (0-based); null outside the array.
  CObject* GetAt(int index) const;

  // Add
  // Appends `object` (null included) and answers its position.
  int Add(CObject* object);

  // RemoveAll
  // Forgets every pointer, destroying none of the objects, and releases the storage.
  void RemoveAll();

 private:
  std::vector<CObject*> m_items;
};

}  // namespace dayweave
