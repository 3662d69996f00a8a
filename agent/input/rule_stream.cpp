#include "agent/input/rule_stream.h"

#include "agent/input/libical_rule_faults.h"
#include "agent/input/time_zones.h"

namespace dayweave::agent {

RuleStream::RuleStream(const icalrecurrencetype& rule, const icaltimetype& start, long mostSteps,
                       long mostWork)
    : start_(start),
      fault_(LibicalFault(rule, start)),
      counted_(rule.count > 0),
      mostSteps_(mostSteps),
      last_(start) {
  if (fault_.empty()) iterator_ = icalrecur_iterator_new(rule, start);
  if (iterator_ == nullptr) {
    if (fault_.empty()) fault_ = "a rule that libical does not take";
    if (const std::optional<RuleParts> parts = PartsOf(rule, start)) {
      expander_ =
          std::make_unique<RuleExpander>(*parts, WrittenTime(start), start.is_date != 0, mostWork);
    }
  }
}

RuleStream::~RuleStream() {
  if (iterator_ != nullptr) icalrecur_iterator_free(iterator_);
}

icaltimetype RuleStream::FromWallClock(std::chrono::local_seconds time) const {
  icaltimetype result = FloatingTimeOf(time);
  result.is_date = start_.is_date;
  result.zone = start_.zone;
  return result;
}

void RuleStream::SkipTo(const icaltimetype& from) {
  if (counted_) return;
  if (expander_ != nullptr) {
    expander_->SkipTo(WrittenTime(from));
  } else if (iterator_ != nullptr) {
    icalrecur_iterator_set_start(iterator_, from);
  }
}

icaltimetype RuleStream::Next() {
  std::optional<icaltimetype> next;
  if (expander_ != nullptr) {
    if (const std::optional<std::chrono::local_seconds> time = expander_->Next()) {
      next = FromWallClock(*time);
    }
  } else if (iterator_ != nullptr && !overLimit_) {
    if (++steps_ > mostSteps_) {
      overLimit_ = true;
    } else {
      icaltimetype time = icalrecur_iterator_next(iterator_);
      time.zone = start_.zone;
      if (!icaltime_is_null_time(time)) next = time;
    }
  }
  if (!next) return icaltime_null_time();
  last_ = *next;
  return *next;
}

bool RuleStream::Complete() const {
  if (expander_ != nullptr) return !expander_->OverLimit();
  return iterator_ != nullptr && !overLimit_;
}

icaltimetype RuleStream::CheckedUntil() const {
  if (Complete()) return icaltime_null_time();
  if (expander_ != nullptr) return FromWallClock(expander_->CheckedUntil());
  if (iterator_ == nullptr) return start_;
  icaltimetype after = last_;
  icaltime_adjust(&after, 0, 0, 0, 1);
  return after;
}

}  // namespace dayweave::agent
