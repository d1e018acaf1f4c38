// The whole calendar engine: include this to get every per-day fact.
#pragma once

#include "calendar/DateHelpers.h"
#include "calendar/DayFacts.h"
#include "calendar/Holidays.h"
#include "calendar/MoonPhases.h"
#include "calendar/OldCalendar.h"
#include "calendar/SelectedDays.h"
#include "calendar/Sexagenary.h"
#include "calendar/SolarTerms.h"
#include "calendar/WeekNumbers.h"
#include "calendar/WorkingDays.h"
