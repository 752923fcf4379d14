// SPDX-License-Identifier: GPL-3.0-or-later
// Two people and a family, from the engine's own numbers: how alike two people's rhythms
// run (their agreement, from the calculation's day count) and the days two or more of
// them share a verdict (from the critical-day finder).
#pragma once

#include "calendar/engine.h"
#include "calendar/ical.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace cykl {

// The three periods in the order of the cycles: physical, emotional, intellectual.
inline constexpr std::array<int, 3> CyclePeriods { PhysicalPeriod, EmotionalPeriod,
                                                   IntellectualPeriod };

// How alike two people's cycles run. A cycle's agreement is the share of its course in
// which the two curves stand on the same side of zero: with the births d days apart and
// r = min(d mod T, T - d mod T), it is 100 * (1 - 2r/T). It is rounded to the nearest whole
// percent: for the periods 23, 28 and 33 no share ever falls halfway between two whole
// percents, so the agreement and the disagreement (its rest to 100) round to a sum of
// exactly 100, and the error is below half a percent. The overall agreement is the mean of
// the three whole percents shown, rounded the same way (a mean of three whole numbers is
// never halfway either), so a reader can check it from them. It depends only on d: it is
// the same on every day, and the same with the two people swapped.
struct Agreement {
    int DayDifference = 0; // the days between the births, on the calculation's calendar
    std::array<int, 3> Phase {}; // r of each cycle, 0 to T/2
    std::array<int, 3> Cycles {}; // whole percents, in the order of the cycles
    int Overall = 0;
};

// The agreement of two birth dates, both days of the calculation's calendar (IsValidDay).
Agreement CompareBirths(const Date &a, const Date &b);

// The agreement of one cycle for births d >= 0 days apart, in whole percent.
int CycleAgreement(int dayDifference, int period);

// The days from the first to the second date on the calculation's calendar, by the day
// count of the confirmation chain: negative when the second is earlier.
int DaysBetween(const Date &first, const Date &second);

// The people (indices into the lists given) that share one verdict on one day. The code
// names the cycle and the kind: critical 4 to 6, high 7, 9, 11, low 8, 10, 12.
struct SharedVerdict {
    MessageCode Code = 0;
    std::vector<std::size_t> People; // two or more, in the order of the lists
};

struct SharedDay {
    Date Day;
    std::vector<SharedVerdict> Verdicts; // in the order of the codes
};

// The days on which two or more of the people have the same verdict, earlier days first,
// from each person's own critical days (each list sorted by day, as the finder gives it).
std::vector<SharedDay> FindSharedDays(const std::vector<CriticalList> &lists);

// A person of a shared calendar: the name shown (UTF-8; a date's own text where no name
// is known) and the birth.
struct SharedPerson {
    std::string Name;
    Date Birth;
};

// "kritická fyzická kondice (Jana, Petr)": one shared verdict with its people.
std::string SharedVerdictLine(const SharedVerdict &shared, const std::vector<SharedPerson> &people,
                              Lang lang = Lang::Cs);

// The shared days as a calendar: one all-day event for each verdict a day's people share,
// its summary naming the verdict and up to three of them, its description all of them and
// the window's text; the calendar's name says "společné dny" and a few names, its
// description all of them. An event's UID is what it is about: the day, the cycle, the
// kind and a hash of the births and names of the people who share it
// ("20270105-s-physical-critical-<16 hex digits>@cyklometrika"). A new import of a grown
// or shrunk family updates every event whose sharers did not change, and no UID of one
// person's critical days ("20270105-b19960110...") can equal it.
CalendarResult SharedCalendar(const std::vector<SharedPerson> &people,
                              const std::vector<SharedDay> &days, const CalendarOptions &options);

} // namespace cykl
