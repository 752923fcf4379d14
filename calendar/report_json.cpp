// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/report_json.h"

#include "calendar/json.h"
#include "calendar/texts.h"

namespace cykl {

namespace {

void NameOf(JsonWriter &json, std::string_view name)
{
    if (!name.empty())
        json.Key("name").String(name);
}

// The members of a day, with the name of the one day of DayJson in its sorted place.
void DayMembers(JsonWriter &json, const Date &birth, const CriticalDay &day, std::string_view name,
                Lang lang)
{
    json.Key("codes").Open('[');
    for (const MessageCode code : day.Codes)
        json.Number(code);
    json.Close(']').Key("critical_cycles").Number(CriticalCycles(day.Codes));
    json.Key("date").String(IsoDate(day.Day));
    json.Key("emotional").Number(day.Values.Emotional);
    json.Key("intellectual").Number(day.Values.Intellectual);
    json.Key("messages").Open('[');
    for (const MessageCode code : day.Codes) {
        json.Open('{').Key("code").Number(code);
        json.Key("text").String(MessageText(code, birth, day.Day, lang)).Close('}');
    }
    json.Close(']');
    NameOf(json, name);
    json.Key("physical").Number(day.Values.Physical).Key("verdicts").Open('[');
    for (const MessageCode code : day.Codes)
        json.String(VerdictName(code, lang));
    json.Close(']').Key("weekday").String(WeekdayName(day.Day, lang));
}

void Days(JsonWriter &json, const Date &birth, std::span<const CriticalDay> days, Lang lang)
{
    json.Key("days").Open('[');
    for (const CriticalDay &day : days) {
        json.Open('{');
        DayMembers(json, birth, day, {}, lang);
        json.Close('}');
    }
    json.Close(']');
}

JsonWriter Begin(const Date &birth)
{
    JsonWriter json(JsonWriter::Layout::Indented);
    json.Open('{').Key("birth").String(IsoDate(birth));
    return json;
}

} // namespace

std::string DayJson(const Date &birth, const CriticalDay &day, std::string_view name, Lang lang)
{
    JsonWriter json = Begin(birth);
    DayMembers(json, birth, day, name, lang);
    return json.Close('}').Text();
}

std::string MonthJson(const Date &birth, const Date &month, std::span<const CriticalDay> days,
                      std::string_view name, Lang lang)
{
    JsonWriter json = Begin(birth);
    Days(json, birth, days, lang);
    json.Key("month").String(IsoMonth(month));
    NameOf(json, name);
    return json.Close('}').Text();
}

std::string CriticalJson(const Date &birth, const Date &from, const Date &to,
                         const CriticalList &list, std::string_view name, Lang lang)
{
    JsonWriter json = Begin(birth);
    Days(json, birth, list.Days, lang);
    json.Key("from").String(IsoDate(from));
    NameOf(json, name);
    if (list.Refusal != 0)
        json.Key("refusal").String(MessageText(list.Refusal, birth, list.RefusedDay, lang));
    json.Key("to").String(IsoDate(to));
    return json.Close('}').Text();
}

std::string SharedJson(const std::vector<SharedPerson> &people, const Date &from, const Date &to,
                       const std::vector<SharedDay> &days, Lang lang)
{
    JsonWriter json(JsonWriter::Layout::Indented);
    json.Open('{').Key("days").Open('[');
    for (const SharedDay &day : days) {
        json.Open('{').Key("date").String(IsoDate(day.Day)).Key("shared").Open('[');
        for (const SharedVerdict &shared : day.Verdicts) {
            json.Open('{')
                .Key("code")
                .Number(shared.Code)
                .Key("cycle")
                .String(CycleKey(shared.Code));
            json.Key("kind").String(VerdictKind(shared.Code));
            json.Key("message").String(MessageText(shared.Code, day.Day, day.Day, lang));
            json.Key("people").Open('[');
            for (const std::size_t person : shared.People)
                json.String(people[person].Name);
            json.Close(']').Key("verdict").String(VerdictName(shared.Code, lang)).Close('}');
        }
        json.Close(']').Close('}');
    }
    json.Close(']').Key("from").String(IsoDate(from)).Key("people").Open('[');
    for (const SharedPerson &person : people)
        json.Open('{')
            .Key("birth")
            .String(IsoDate(person.Birth))
            .Key("name")
            .String(person.Name)
            .Close('}');
    json.Close(']').Key("to").String(IsoDate(to));
    return json.Close('}').Text();
}

std::string MatchJson(const std::array<SharedPerson, 2> &people, const Agreement &agreement,
                      const Date &day, const std::array<Confirmation, 2> &days,
                      JsonWriter::Layout layout)
{
    JsonWriter json(layout);
    json.Open('{').Key("agreement").Open('{');
    json.Key("emotional").Number(agreement.Cycles[1]);
    json.Key("intellectual").Number(agreement.Cycles[2]).Key("overall").Number(agreement.Overall);
    json.Key("physical").Number(agreement.Cycles[0]).Close('}');
    json.Key("date").String(IsoDate(day)).Key("day_difference").Number(agreement.DayDifference);
    json.Key("people").Open('[');
    for (std::size_t i = 0; i < people.size(); ++i) {
        const DayValues3 &values = days[i].Day;
        json.Open('{').Key("birth").String(IsoDate(people[i].Birth));
        if (days[i].Refusal != 0) { // outside the person's life: no values of the day
            json.Key("name").String(people[i].Name).Close('}');
            continue;
        }
        json.Key("codes").Open('[');
        for (const MessageCode code : days[i].Verdicts)
            json.Number(code);
        json.Close(']').Key("emotional").Number(values.Emotional);
        json.Key("intellectual").Number(values.Intellectual).Key("name").String(people[i].Name);
        json.Key("physical").Number(values.Physical).Close('}');
    }
    return json.Close(']').Close('}').Text();
}

} // namespace cykl
