// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/critical.h"

#include "calendar/engine.h"
#include "calendar/json.h"
#include "calendar/report_json.h"
#include "calendar/texts.h"

namespace cykl::web {

std::string CriticalDaysJson(const Date &birth, const Date &from, const Date &to, Lang lang)
{
    const Date start = SpanStart(birth, from, to);
    return CriticalJson(birth, start, to, FindCriticalDays(birth, start, to), {}, lang);
}

std::string CriticalNotesJson(const Date &birth, const Date &from, const Date &to, bool calendar,
                              Lang lang)
{
    const Date start = SpanStart(birth, from, to);
    JsonWriter json;
    json.Open('[');
    if (start != from)
        json.String(SpanStartNote(start, {}, lang));
    if (const CriticalList list = FindCriticalDays(birth, start, to);
        calendar && list.Refusal == 0) {
        for (const Date &day : CriticalCalendar(birth, list, {}).LeftOut)
            json.String(LeftOutNote(day, lang));
    }
    return json.Close(']').Text();
}

std::string YearCalendar(const Date &birth, int year, const UtcTime &stamp, Lang lang)
{
    const Date last { 31, 12, year };
    const CriticalList list = FindCriticalDays(birth, SpanStart(birth, { 1, 1, year }, last), last);
    if (list.Refusal != 0)
        return {};
    CalendarOptions options;
    options.Stamp = stamp;
    options.Language = lang;
    return CriticalCalendar(birth, list, options).Text;
}

} // namespace cykl::web
