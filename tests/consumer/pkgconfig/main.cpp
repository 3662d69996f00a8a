// Books a one-hour meeting through an installed dayweave found by pkg-config, and asks whether
// the user is free for an hour that overlaps it and for the half hour after it. Exits with 1
// when an answer is wrong.
#include <cstdio>

#include <dayweave/dayweave.h>

using namespace dayweave;

int main() {
  COleDateTime start, end, query;
  start.ParseDateTime("2003-04-14T10:00");
  end.ParseDateTime("2003-04-14T11:00");
  query.ParseDateTime("2003-04-14T09:30");
  const int busy = 2;
  CAppointment meeting(1, "Planning", "", "", "", "", start, end, 60, 0, 0, busy, end, "");

  const int freeOverlapping = meeting.IsFree(query, 60), freeAfter = meeting.IsFree(end, 30);
  std::printf("free for 60 minutes from %s: %d\n", query.Format().GetString(), freeOverlapping);
  std::printf("free for 30 minutes from %s: %d\n", end.Format().GetString(), freeAfter);
  return freeOverlapping == 0 && freeAfter == 1 ? 0 : 1;
}
