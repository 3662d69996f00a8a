// Compiles the framework subset exactly as calling code writes it, through the umbrella
// header and the shared library alone, and checks a few answers across the library boundary.
#include <dayweave/dayweave.h>

#include <cstdio>

using namespace dayweave;

int main() {
  int failures = 0;
  auto check = [&failures](bool ok, const char* what) {
    if (!ok) {
      std::printf("FAILED: %s\n", what);
      ++failures;
    }
  };

  CString a("ab"), b(std::string("cd")), n(nullptr);
  CString c = a + b + "ef" + CString("g");
  c += 'h';
  c += "i";
  c += CString("j");
  check(c == "abcdefghij" && "abcdefghij" == c && c != a && n.IsEmpty(), "CString");
  check(c.GetLength() == 10 && c.Compare("abcdefghij") == 0 && a.Compare("b") < 0, "Compare");
  const char* raw = c;
  check(raw[0] == 'a' && c.GetString()[1] == 'b' && c.str().size() == 10, "access");
  CString f;
  f.Format("%d-%s", 7, "x");
  check(f == "7-x", "Format");
  f.Empty();
  check(f.IsEmpty(), "Empty");

  CStringArray list;
  check(list.Add("x") == 0 && list.Add(c) == 1 && list.GetSize() == 2 && list.GetCount() == 2,
        "CStringArray Add");
  list[0] = "y";
  const CStringArray& view = list;
  check(view[0] == "y" && list.GetAt(1) == c, "CStringArray access");
  list.RemoveAll();
  check(list.GetSize() == 0, "RemoveAll");

  CObArray objects;
  check(objects.Add(nullptr) == 0 && objects.GetSize() == 1 && objects.GetAt(0) == nullptr,
        "CObArray");
  objects.RemoveAll();

  COleDateTimeSpan zero, days(1.5), parts(1L, 2, 3, 4);
  parts.SetDateTimeSpan(0, 0, 90, 0);
  check(zero.m_span == 0.0 && days.GetStatus() == COleDateTimeSpan::valid &&
            parts.GetWholeMinutes() == 90 && days.GetWholeDays() == 1,
        "COleDateTimeSpan");

  COleDateTime d0, d1(1.0), d2(2003, 4, 14, 15, 56, 57);
  check(d0.m_dt == 0.0 && d0.m_status == COleDateTime::valid && d1 > d0, "COleDateTime ctor");
  check(d2.GetYear() == 2003 && d2.GetMonth() == 4 && d2.GetDay() == 14 && d2.GetHour() == 15 &&
            d2.GetMinute() == 56 && d2.GetSecond() == 57 && d2.GetDayOfWeek() == 2,
        "components");
  check(d2.Format() == "4/14/2003 3:56:57 PM", "Format");
  COleDateTime p;
  check(p.ParseDateTime(CString("4/14/2003 3:56:57 PM")) && p == d2, "ParseDateTime");
  check(d0.SetDateTime(2003, 2, 30, 0, 0, 0) == 1 && d0.GetStatus() == COleDateTime::invalid,
        "invalid SetDateTime");
  d0.SetStatus(COleDateTime::valid);
  check(d0.SetDate(2003, 1, 1) == 0 && d0.SetTime(9, 30, 0) == 0, "SetDate/SetTime");
  COleDateTime e = d2 + COleDateTimeSpan(1.0);
  e -= COleDateTimeSpan(1.0);
  e += COleDateTimeSpan(0.0);
  COleDateTimeSpan diff = (d2 - COleDateTimeSpan(1.0)) - d2;
  check(e == d2 && diff.GetWholeDays() == -1 && d2 <= e && d2 >= e && !(d2 < e) && !(d2 != e),
        "arithmetic");

  CDay set(kWeekdayMask);
  check(set.ContainsMFCDays(2) == 1 && set.ToStringAbb() == "MonTueWedThuFri", "CDay");

  std::printf("%d passed, %d failed\n", failures == 0 ? 1 : 0, failures);
  return failures == 0 ? 0 : 1;
}
