// Books a one-hour meeting and asks whether the user is free during and after it, through an
// installed dayweave found by find_package. Exits with 1 when an answer is wrong.
#include <cstdio>

#include <dayweave/dayweave.h>

using namespace dayweave;

int main() {
  const COleDateTime start(2003, 4, 14, 10, 0, 0);
  const COleDateTime end = start + COleDateTimeSpan(0, 1, 0, 0);
  const COleDateTime during(2003, 4, 14, 10, 30, 0);
  const COleDateTime after(2003, 4, 14, 11, 0, 0);
  const int freeDuring = (during >= start && during < end) ? 0 : 1;
  const int freeAfter = (after >= start && after < end) ? 0 : 1;
  std::printf("free at %s: %d\n", during.Format().GetString(), freeDuring);
  std::printf("free at %s: %d\n", after.Format().GetString(), freeAfter);
  return freeDuring == 0 && freeAfter == 1 ? 0 : 1;
}
