// Books a one-hour meeting through an installed dayweave found by find_package, and asks
// whether it leaves the user free at an instant and for a stretch. Exits with 1 when an answer
// is wrong.
#include <cstdio>

#include <dayweave/dayweave.h>

using namespace dayweave;

int main() {
  const COleDateTime start(2003, 4, 14, 10, 0, 0), end(2003, 4, 14, 11, 0, 0);
  const int busy = 2;
  CAppointment meeting(1, "Planning", "Next quarter", "Room 2", "ann@example.org", "", start, end,
                       60, 1, 15, busy, end, "work");

  const COleDateTime during(2003, 4, 14, 10, 30, 0), before(2003, 4, 14, 9, 0, 0);
  const int freeDuring = meeting.IsFree(during), freeAtEnd = meeting.IsFree(end);
  const int freeBefore = meeting.IsFree(before, 30);
  std::printf("free at %s: %d\n", during.Format().GetString(), freeDuring);
  std::printf("free at %s: %d\n", end.Format().GetString(), freeAtEnd);
  std::printf("free for 30 minutes from %s: %d\n", before.Format().GetString(), freeBefore);
  return freeDuring == 0 && freeAtEnd == 1 && freeBefore == 1 ? 0 : 1;
}
