// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pair.h"

#include "calendar/json.h"
#include "calendar/report_json.h"
#include "calendar/texts.h"
#include "display/chart_look.h"

#include <array>
#include <optional>

namespace cykl::web {

namespace {

std::string Refusal(const std::string &text)
{
    JsonWriter json;
    return json.Open('{').Key("refusal").String(text).Close('}').Text();
}

// Each person's critical days from..to, or the refusal's text; the unnamed named.
std::optional<std::string> Lists(std::vector<SharedPerson> &people, const Date &from,
                                 const Date &to, std::vector<CriticalList> &lists, Lang lang)
{
    for (SharedPerson &person : people) {
        if (person.Name.empty())
            person.Name = CzechDate(person.Birth);
        lists.push_back(FindCriticalDays(person.Birth, SpanStart(person.Birth, from, to), to));
        if (const CriticalList &list = lists.back(); list.Refusal != 0)
            return person.Name + ": "
                + MessageText(list.Refusal, person.Birth, list.RefusedDay, lang);
    }
    return std::nullopt;
}

} // namespace

std::string AgreementJson(std::vector<SharedPerson> people, const Date &day, Lang lang)
{
    for (SharedPerson &person : people) {
        const Date &birth = person.Birth;
        if (const MessageCode refusal = Confirm(birth, birth).Refusal; refusal != 0)
            return Refusal(MessageText(refusal, birth, birth, lang));
        if (person.Name.empty())
            person.Name = CzechDate(birth);
    }
    const std::array<SharedPerson, 2> both { people[0], people[1] };
    const Agreement agreement = CompareBirths(both[0].Birth, both[1].Birth);
    const std::array<Confirmation, 2> days { Confirm(both[0].Birth, day),
                                             Confirm(both[1].Birth, day) };
    JsonWriter json;
    json.Open('{').Key("captions").Open('[');
    for (const look::Cycle &cycle : look::Cycles(lang))
        json.String(cycle.Caption);
    json.String(Say("report.agreement.overall", lang)).Close(']').Key("heading");
    json.String(AgreementHeading(both[0].Name, both[1].Name, agreement.DayDifference, lang));
    json.Key("match").Raw(MatchJson(both, agreement, day, days, JsonWriter::Layout::Compact));
    return json.Key("meaning").String(Say("report.agreement.meaning", lang)).Close('}').Text();
}

std::string SharedDaysJson(std::vector<SharedPerson> people, const Date &from, const Date &to,
                           Lang lang)
{
    std::vector<CriticalList> lists;
    if (const auto refusal = Lists(people, from, to, lists, lang))
        return Refusal(*refusal);
    return SharedJson(people, from, to, FindSharedDays(lists), lang);
}

std::string SharedNotesJson(std::vector<SharedPerson> people, const Date &from, const Date &to,
                            bool calendar, Lang lang)
{
    JsonWriter json;
    json.Open('[');
    std::vector<CriticalList> lists;
    if (!Lists(people, from, to, lists, lang)) {
        for (const SharedPerson &person : people)
            if (const Date start = SpanStart(person.Birth, from, to); start != from)
                json.String(person.Name + ": " + SpanStartNote(start, {}, lang));
        if (calendar)
            for (const Date &day : SharedCalendar(people, FindSharedDays(lists), {}).LeftOut)
                json.String(LeftOutNote(day, lang));
    }
    return json.Close(']').Text();
}

std::string SharedYearCalendar(std::vector<SharedPerson> people, int year, const UtcTime &stamp,
                               Lang lang)
{
    std::vector<CriticalList> lists;
    if (Lists(people, { 1, 1, year }, { 31, 12, year }, lists, lang))
        return {};
    CalendarOptions options;
    options.Stamp = stamp;
    options.Language = lang;
    return SharedCalendar(people, FindSharedDays(lists), options).Text;
}

} // namespace cykl::web
