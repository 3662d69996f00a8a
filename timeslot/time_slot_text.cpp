// Time slots as text: building a slot from the date-time and duration texts that other agents
// send (wrapped in parentheses as a KQML message writes them), and the slot's own renderings.
#include <string_view>

#include "dayweave/time_slot.h"
#include "framework/atoi.h"

namespace dayweave {

namespace {

// Reads a number of minutes as atoi does, after dropping the parentheses around it.
int ReadMinutes(const char* durationText) {
  return internal::Atoi(CTimeSlot::RemoveParens(CString(durationText)).GetString());
}

const char* TrueOrFalse(int flag) { return flag != 0 ? "TRUE\n" : "FALSE\n"; }

}  // namespace

CString CTimeSlot::RemoveParens(const CString& text) {
  std::string_view rest(text.str());
  const std::size_t first = rest.find_first_not_of('(');
  rest.remove_prefix(first == std::string_view::npos ? rest.size() : first);
  const std::size_t last = rest.find_last_not_of(')');
  rest.remove_suffix(last == std::string_view::npos ? rest.size() : rest.size() - last - 1);
  return CString(std::string(rest));
}

CTimeSlot::CTimeSlot(CString startText, CString endText, int duration) {
  // When either text does not read, nothing read is kept: the slot stays a default one,
  // absolute, invalid and without days. The end is read only after the start has been.
  COleDateTime start;
  COleDateTime end;
  if (start.ParseDateTime(RemoveParens(startText)) && end.ParseDateTime(RemoveParens(endText))) {
    SetTimeSlotValid(start, end, duration);
  }
}

CTimeSlot::CTimeSlot(CString startText, const char* endText, int duration)
    : CTimeSlot(startText, CString(endText), duration) {}

CTimeSlot::CTimeSlot(CString startText, CString endText, const char* durationText)
    : CTimeSlot(startText, endText, ReadMinutes(durationText)) {}

CTimeSlot::CTimeSlot(CString startText, char* durationText, int valid) {
  const int minutes = ReadMinutes(durationText);
  COleDateTime start;
  // A start that does not read is kept as ParseDateTime leaves it, with status invalid.
  start.ParseDateTime(RemoveParens(startText));
  SetTimeSlot(start, minutes, valid);
}

CString CTimeSlot::GetDurationString() const {
  CString text;
  text.Format("%d", m_nDuration);
  return text;
}

CString CTimeSlot::GetSlotTypeString() const { return IsRelative() ? "Relative" : "Absolute"; }

CString CTimeSlot::GetStatusString() const { return m_nValid != 0 ? "Valid" : "InValid"; }

CString CTimeSlot::ToString() const {
  CString text;
  text.Format("StartTime: %s\nEndTime: %s\nDuration: %d Minutes\nValid: ",
              m_StartTime.Format().GetString(), m_EndTime.Format().GetString(), m_nDuration);
  text += TrueOrFalse(m_nValid);
  text += "SlotType : ";
  if (IsRelative()) {
    text += "Relative\n";
  } else if (IsAbsolute()) {
    text += "Absolute\n";
  }
  text += "Days : ";
  text += CDay::ToString();
  return text;
}

CString CTimeSlot::ToStringDebug() const {
  CString text;
  text.Format(
      "StartTime: %s\nHours: %d Minutes: %d Seconds: %d\n"
      "EndTime: %s\nHours: %dMinutes: %dSeconds: %d\n"
      "Duration: %d Minutes\nValid: ",
      m_StartTime.Format().GetString(), m_StartTime.GetHour(), m_StartTime.GetMinute(),
      m_StartTime.GetSecond(), m_EndTime.Format().GetString(), m_EndTime.GetHour(),
      m_EndTime.GetMinute(), m_EndTime.GetSecond(), m_nDuration);
  text += TrueOrFalse(m_nValid);
  return text;
}

}  // namespace dayweave
