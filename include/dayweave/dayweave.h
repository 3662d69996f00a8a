// dayweave: calendar reasoning for scheduling agents.
//
//   #include <dayweave/dayweave.h>
//   dayweave::COleDateTime when(2003, 1, 13, 9, 30, 0);
//   when.GetDayOfWeek();   // 2: a Monday
//
// This umbrella header brings in every public class of the library.
#pragma once

#include "dayweave/appointment.h"
#include "dayweave/date_time.h"
#include "dayweave/date_time_span.h"
#include "dayweave/day.h"
#include "dayweave/object.h"
#include "dayweave/recurrence_codes.h"
#include "dayweave/recurrence_data.h"
#include "dayweave/text.h"
#include "dayweave/text_array.h"
#include "dayweave/time_slot.h"
#include "dayweave/time_slot_store.h"
