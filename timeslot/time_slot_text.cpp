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

namespace {

// When either text does not read, nothing read is kept: the slot stays a default one,
// absolute, invalid and without days. The end is read only after the start has been.
void ReadStartAndEnd(CTimeSlot& slot, const CString& startText, const CString& endText,
                     int duration) {
  COleDateTime start;
  COleDateTime end;
  if (start.ParseDateTime(CTimeSlot::RemoveParens(startText)) &&
      end.ParseDateTime(CTimeSlot::RemoveParens(endText))) {
    slot.SetTimeSlotValid(start, end, duration);
  }
}

// A start that does not read is kept as ParseDateTime leaves it, with status invalid.
void ReadStartAndMinutes(CTimeSlot& slot, const CString& startText, int minutes, int valid) {
  COleDateTime start;
  start.ParseDateTime(CTimeSlot::RemoveParens(startText));
  slot.SetTimeSlot(start, minutes, valid);
}

// A text that is an optional minus sign and decimal digits and nothing else: never a date.
bool IsWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

CTimeSlot::CTimeSlot(CString startText, CString endText, int duration) {
  ReadStartAndEnd(*this, startText, endText, duration);
}

CTimeSlot::CTimeSlot(CString startText, const char* endText, int duration) {
  const CString end = RemoveParens(CString(endText));
  if (IsWholeNumber(end.str())) {
    ReadStartAndMinutes(*this, startText, internal::Atoi(end), duration);
  } else {
    ReadStartAndEnd(*this, startText, end, duration);
  }
}

CTimeSlot::CTimeSlot(CString startText, CString endText, const char* durationText) {
  ReadStartAndEnd(*this, startText, endText, ReadMinutes(durationText));
}

CTimeSlot::CTimeSlot(CString startText, char* durationText, int valid) {
  ReadStartAndMinutes(*this, startText, ReadMinutes(durationText), valid);
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
