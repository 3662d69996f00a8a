// Books a one-hour meeting and asks whether the user is free during and after it, through an
// installed dayweave found by pkg-config. Exits with 1 when an answer is wrong.
#include <cstdio>

#include <dayweave/dayweave.h>

using namespace dayweave;

int main() {
  COleDateTime start;
  start.ParseDateTime("2003-04-14T10:00");
  const COleDateTime end = start + COleDateTimeSpan(0, 1, 0, 0);
  const COleDateTime query = start + COleDateTimeSpan(0, 0, 30, 0);
  const int isFree = (query >= start && query < end) ? 0 : 1;
  std::printf("free at %s: %d\n", query.Format().GetString(), isFree);
  return isFree == 0 ? 0 : 1;
}
