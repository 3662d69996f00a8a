#include "dayweave/day.h"

#include <cstdlib>

#include "framework/atoi.h"

namespace dayweave {

namespace {

constexpr const char* kNames[7] = {"Sunday ",   "Monday ", "Tuesday ", "Wednesday ",
                                   "Thursday ", "Friday ", "Saturday "};
constexpr const char* kAbbreviations[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

CString Names(unsigned int mask, const char* const (&words)[7], const char* none) {
  if (mask == 0) return CString(none);
  CString text;
  for (int i = 0; i < 7; ++i) {
    if (mask & (1u << i)) text += words[i];
  }
  return text;
}

}  // namespace

CDay::CDay(int days) : m_days(static_cast<unsigned int>(days)) {}

CDay::~CDay() = default;

CDay& CDay::operator=(const CDay& other) {
  m_days = other.m_days;
  return *this;
}

CDay& CDay::operator=(const CDay* other) {
  m_days = other->m_days;
  return *this;
}

int CDay::operator==(const CDay& other) const { return m_days == other.m_days ? 1 : 0; }

void CDay::SetDays(unsigned int days) { m_days = days; }

void CDay::SetDays(const CString& text) {
  m_days = static_cast<unsigned int>(internal::Atoi(text.GetString()));
}

int CDay::GetDays() const { return static_cast<int>(m_days); }

CString CDay::GetDaysStr() const {
  CString text;
  text.Format("%d", GetDays());
  return text;
}

void CDay::AddDays(const CDay& days) { m_days |= days.m_days; }
void CDay::AddDays(const CDay* days) { m_days |= days->m_days; }
void CDay::AddDays(unsigned int days) { m_days |= days; }

void CDay::RemoveDays(const CDay& days) { m_days ^= days.m_days; }
void CDay::RemoveDays(const CDay* days) { m_days ^= days->m_days; }
void CDay::RemoveDays(unsigned int days) { m_days ^= days; }

void CDay::RemoveCommonDays(const CDay* days) { RemoveCommonDays(days->m_days); }
void CDay::RemoveCommonDays(unsigned int days) { m_days ^= (m_days & days); }

unsigned int CDay::GetCommonDays(const CDay* days) const { return m_days & days->m_days; }
unsigned int CDay::GetCommonDays(unsigned int days) const { return m_days & days; }

int CDay::ContainsDays(const CDay& days) const { return ContainsDays(days.m_days); }
int CDay::ContainsDays(unsigned int days) const { return (m_days & days) == days ? 1 : 0; }

int CDay::Intersect(const CDay* days) const { return Intersect(days->m_days); }
int CDay::Intersect(unsigned int days) const { return (m_days & days) != 0 ? 1 : 0; }

int CDay::ContainsMFCDays(int day) const {
  return day >= 1 && day <= 7 ? ContainsDays(MFC2CDays(day)) : 0;
}

unsigned int CDay::MFC2CDays(int day) const { return day >= 1 && day <= 7 ? 1u << (day - 1) : 0u; }

CString CDay::ToString() const { return Names(m_days, kNames, "No Days"); }

CString CDay::ToStringAbb() const { return Names(m_days, kAbbreviations, "N"); }

}  // namespace dayweave
