// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/request.h"

#include "calendar/engine.h"
#include "calendar/json.h"
#include "calendar/together.h"
#include "lang/language.h"
#include "web/critical.h"
#include "web/pair.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

namespace cykl::web {

namespace {

constexpr double DayWidth = 130;
constexpr double DayHeight = 230;
constexpr double DayFont = 9;
constexpr double MonthFont = 11;

using Line = std::vector<std::string_view>;

Line Split(std::string_view line)
{
    Line parts;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return parts;
        start = tab + 1;
    }
}

// The index-th value as a whole number; 0 where there is none.
int Number(const Line &line, std::size_t index)
{
    int value = 0;
    if (index < line.size())
        std::from_chars(line[index].data(), line[index].data() + line[index].size(), value);
    return value;
}

std::string_view Text(const Line &line, std::size_t index)
{
    return index < line.size() ? line[index] : std::string_view {};
}

Date DateAt(const Line &line, std::size_t index)
{
    return { Number(line, index), Number(line, index + 1), Number(line, index + 2) };
}

UtcTime StampAt(const Line &line, std::size_t index)
{
    return { Number(line, index),     Number(line, index + 1), Number(line, index + 2),
             Number(line, index + 3), Number(line, index + 4), Number(line, index + 5) };
}

// The request's lines by their first word.
struct Request {
    std::array<Line, 12> Lines;
    static constexpr std::array<std::string_view, 12> Words {
        "lang",  "plural", "fields",   "confirm",  "reset",  "birth",
        "month", "second", "critical", "calendar", "shared", "shared-calendar"
    };
    explicit Request(std::string_view text)
    {
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            Line line = Split(text.substr(start, end - start));
            const auto *word = std::find(Words.begin(), Words.end(), line[0]);
            if (word != Words.end())
                Lines[static_cast<std::size_t>(word - Words.begin())] = std::move(line);
            start = end + 1;
        }
    }
    const Line *Find(std::string_view word) const
    {
        for (std::size_t index = 0; index < Words.size(); ++index)
            if (Words[index] == word && !Lines[index].empty())
                return &Lines[index];
        return nullptr;
    }
};

// The fields as the page holds them (a changed one unconfirms), then its button.
void Type(Session &window, const Request &request)
{
    if (const Line *fields = request.Find("fields"))
        for (int field = 1; field <= 6; ++field)
            if (const std::string_view value = Text(*fields, static_cast<std::size_t>(field));
                value != window.FieldText(field))
                window.SetField(field, std::string(value));
    if (request.Find("confirm"))
        window.Confirm();
    else if (request.Find("reset"))
        window.Reset();
}

// The second person confirmed for the window's target day; both people, named.
std::vector<SharedPerson> Pair(Session &second, const Session &window, const Line &line)
{
    const Date birth = DateAt(line, 1);
    const std::array<int, 3> numbers { birth.Day, birth.Month, birth.Year };
    for (int field = 1; field <= 6; ++field)
        second.SetField(field,
                        field <= 3 ? std::to_string(numbers[field - 1U]) : window.FieldText(field));
    second.Confirm();
    return { { std::string(Text(line, 4)), window.Birth() },
             { std::string(Text(line, 5)), birth } };
}

// The lists beyond the window: the birth date's, and the pair's where there is one.
void WriteLists(JsonWriter &json, const Request &request, const Date &birth,
                const std::vector<SharedPerson> &people, Lang lang)
{
    if (const Line *span = request.Find("critical")) {
        const Date from = DateAt(*span, 1);
        const Date to = DateAt(*span, 4);
        json.Key("critical").Raw(CriticalDaysJson(birth, from, to, lang));
        json.Key("notes").Raw(CriticalNotesJson(birth, from, to, Number(*span, 7) != 0, lang));
    }
    if (const Line *calendar = request.Find("calendar"))
        json.Key("calendar")
            .String(YearCalendar(birth, Number(*calendar, 1), StampAt(*calendar, 2), lang));
    if (people.empty())
        return;
    if (const Line *shared = request.Find("shared")) {
        const Date from = DateAt(*shared, 1);
        const Date to = DateAt(*shared, 4);
        json.Key("shared").Raw(SharedDaysJson(people, from, to, lang));
        json.Key("shared_notes")
            .Raw(SharedNotesJson(people, from, to, Number(*shared, 7) != 0, lang));
    }
    if (const Line *calendar = request.Find("shared-calendar"))
        json.Key("shared_calendar")
            .String(SharedYearCalendar(people, Number(*calendar, 1), StampAt(*calendar, 2), lang));
}

} // namespace

std::string Page::Answer(std::string_view text)
{
    const Request request(text);
    if (const Line *lang = request.Find("lang"))
        window_.SetLanguage(FindLanguage(Text(*lang, 1)).value_or(Lang::Cs));
    second_.SetLanguage(window_.Language());
    Type(window_, request);
    const Line *second = request.Find("second");
    const std::vector<SharedPerson> people
        = second ? Pair(second_, window_, *second) : std::vector<SharedPerson> {};
    const bool paired = second && window_.Confirmed();

    JsonWriter json;
    json.Open('{').Key("state").Raw(window_.StateJson());
    if (const Line *plural = request.Find("plural"))
        json.Key("plural").Number(
            static_cast<double>(PluralForm(window_.Language(), Number(*plural, 1))));
    if (request.Find("birth")) {
        const Date birth = window_.Birth();
        json.Key("birth_refusal").Number(Confirm(birth, birth).Refusal);
    }
    if (const Line *month = request.Find("month")) {
        const double width = Number(*month, 1);
        const double height = Number(*month, 2);
        json.Key("charts").Open('{');
        json.Key("month").String(window_.ChartSvg(1, width, height, MonthFont));
        json.Key("day").String(window_.ChartSvg(2, DayWidth, DayHeight, DayFont));
        if (paired && second_.Confirmed())
            json.Key("second").String(second_.SecondCurvesSvg(width, height, MonthFont));
        json.Close('}');
    }
    if (paired) {
        json.Key("second").Raw(second_.StateJson());
        json.Key("agreement")
            .Raw(AgreementJson(people, window_.Target().value_or(Date {}), window_.Language()));
    }
    WriteLists(json, request, window_.Birth(), people, window_.Language());
    return json.Close('}').Text();
}

} // namespace cykl::web
