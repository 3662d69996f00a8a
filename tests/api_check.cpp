// Compiles the framework subset exactly as calling code writes it, through the umbrella
// header and the shared library alone, and checks a few answers across the library boundary.
#include <dayweave/dayweave.h>

#include <cstdio>

using namespace dayweave;

int failures = 0;
#define CHECK(ok) (void)((ok) || (std::printf("FAILED: %s\n", #ok), ++failures))

int main() {
  CString a("ab"), b(std::string("cd")), n(nullptr), f;
  CString c = a + b + "ef" + CString("g");
  c += 'h';
  c += "i";
  c += CString("j");
  const char* raw = c;
  CHECK(c == "abcdefghij" && "abcdefghij" == c && c != a && n.IsEmpty() && c.GetLength() == 10);
  CHECK(c.Compare("abcdefghij") == 0 && a.Compare("b") < 0);
  CHECK(raw[0] == 'a' && c.GetString()[1] == 'b' && c.str().size() == 10);
  f.Format("%d-%s", 7, "x");
  CHECK(f == "7-x");
  f.Empty();
  CHECK(f.IsEmpty());

  CStringArray list;
  CHECK(list.Add("x") == 0 && list.Add(c) == 1 && list.GetSize() == 2 && list.GetCount() == 2);
  list[0] = "y";
  const CStringArray& view = list;
  CHECK(view[0] == "y" && list.GetAt(1) == c);
  list.RemoveAll();
  CHECK(list.GetSize() == 0);
  CObArray objects;
  CHECK(objects.Add(nullptr) == 0 && objects.GetSize() == 1 && objects.GetAt(0) == nullptr);
  objects.RemoveAll();

  COleDateTimeSpan zero, days(1.5), parts(1L, 2, 3, 4);
  parts.SetDateTimeSpan(0, 0, 90, 0);
  CHECK(zero.m_span == 0.0 && days.GetStatus() == COleDateTimeSpan::valid &&
        parts.GetWholeMinutes() == 90 && days.GetWholeDays() == 1);

  COleDateTime d0, d1(1.0), d2(2003, 4, 14, 15, 56, 57), p;
  CHECK(d0.m_dt == 0.0 && d0.m_status == COleDateTime::valid && d1 > d0);
  CHECK(d2.GetYear() == 2003 && d2.GetMonth() == 4 && d2.GetDay() == 14 && d2.GetHour() == 15 &&
        d2.GetMinute() == 56 && d2.GetSecond() == 57 && d2.GetDayOfWeek() == 2);
  CHECK(d2.Format() == "4/14/2003 3:56:57 PM");
  CHECK(p.ParseDateTime(CString("4/14/2003 3:56:57 PM")) && p == d2);
  CHECK(d0.SetDateTime(2003, 2, 30, 0, 0, 0) == 1 && d0.GetStatus() == COleDateTime::invalid);
  d0.SetStatus(COleDateTime::valid);
  CHECK(d0.SetDate(2003, 1, 1) == 0 && d0.SetTime(9, 30, 0) == 0);
  COleDateTime e = d2 + COleDateTimeSpan(1.0);
  e -= COleDateTimeSpan(1.0);
  e += COleDateTimeSpan(0.0);
  COleDateTimeSpan diff = (d2 - COleDateTimeSpan(1.0)) - d2;
  CHECK(e == d2 && diff.GetWholeDays() == -1 && d2 <= e && d2 >= e && !(d2 < e) && !(d2 != e));

  CDay set(kWeekdayMask);
  CHECK(set.ContainsMFCDays(2) == 1 && set.ToStringAbb() == "MonTueWedThuFri");

  std::printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
