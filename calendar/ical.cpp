// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/ical.h"

#include "calendar/civil_calendar.h"
#include "calendar/texts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <utility>

namespace cykl {

namespace {

constexpr std::size_t MaxOctets = 75;

std::string CycleName(MessageCode code, Lang lang)
{
    static constexpr std::array<TextKey, 3> Names { "series.physical", "series.emotional",
                                                    "series.intellectual" };
    return std::string(Say(Names[static_cast<std::size_t>(code - 4)], lang));
}

// The first letter in capitals: ASCII or a Czech letter with its mark.
std::string Capitalised(std::string text)
{
    static const std::array<std::pair<std::string_view, std::string_view>, 15> czech { {
        { "á", "Á" },
        { "č", "Č" },
        { "ď", "Ď" },
        { "é", "É" },
        { "ě", "Ě" },
        { "í", "Í" },
        { "ň", "Ň" },
        { "ó", "Ó" },
        { "ř", "Ř" },
        { "š", "Š" },
        { "ť", "Ť" },
        { "ú", "Ú" },
        { "ů", "Ů" },
        { "ý", "Ý" },
        { "ž", "Ž" },
    } };
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    for (const auto &[lower, upper] : czech) {
        if (text.starts_with(lower))
            return std::string(upper) + text.substr(lower.size());
    }
    return text;
}

std::string Joined(const std::vector<std::string> &parts, std::string_view separator)
{
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i)
        joined += (i > 0 ? std::string(separator) : std::string()) + parts[i];
    return joined;
}

std::string Stamp(const UtcTime &t)
{
    std::array<char, 48> text {};
    std::snprintf(text.data(), text.size(), "%04d%02d%02dT%02d%02d%02dZ", t.Year, t.Month, t.Day,
                  t.Hour, t.Minute, t.Second);
    return text.data();
}

} // namespace

std::string CompactDate(const Date &date)
{
    std::string iso = IsoDate(date);
    std::erase(iso, '-');
    return iso;
}

std::string UidName(std::string_view name)
{
    std::string part;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')
            || (byte >= '0' && byte <= '9')) {
            part += c;
        } else {
            std::array<char, 4> hex {};
            std::snprintf(hex.data(), hex.size(), "_%02X", byte);
            part += hex.data();
        }
    }
    return part;
}

namespace {

// "-PT12H", "PT0S", "PT7H30M": the duration of a trigger.
std::string Duration(int minutes)
{
    if (minutes == 0)
        return "PT0S";
    const int whole = minutes < 0 ? -minutes : minutes;
    std::string text = minutes < 0 ? "-PT" : "PT";
    if (whole / 60 > 0)
        text += std::to_string(whole / 60) + 'H';
    if (whole % 60 > 0)
        text += std::to_string(whole % 60) + 'M';
    return text;
}

struct Writer {
    std::string Text;
    void Line(std::string_view name, std::string_view value)
    {
        Text += FoldLine(std::string(name) + ':' + std::string(value));
    }
};

void WriteAlarm(Writer &out, const std::string &summary, int minutes)
{
    out.Line("BEGIN", "VALARM");
    out.Line("ACTION", "DISPLAY");
    out.Line("DESCRIPTION", EscapeText(summary));
    out.Line(minutes > 0 ? "TRIGGER;RELATED=START" : "TRIGGER", Duration(minutes));
    out.Line("END", "VALARM");
}

// One all-day event from first to last (civil days, both included).
void WriteAllDayEvent(Writer &out, const CalendarEvent &event, const CalendarOptions &options)
{
    out.Line("BEGIN", "VEVENT");
    out.Line("UID", event.Uid);
    out.Line("DTSTAMP", Stamp(options.Stamp));
    if (options.FeedSequence)
        out.Line("SEQUENCE", std::to_string(*options.FeedSequence));
    out.Line("DTSTART;VALUE=DATE", CompactDate(event.First));
    out.Line("DTEND;VALUE=DATE", CompactDate(NextCivilDay(event.Last)));
    out.Line("SUMMARY", EscapeText(event.Summary));
    out.Line("DESCRIPTION", EscapeText(event.Description));
    out.Line("TRANSP", "TRANSPARENT");
    if (options.RemindMinutes)
        WriteAlarm(out, event.Summary, *options.RemindMinutes);
    out.Line("END", "VEVENT");
}

// One event from first to last (civil days, both included) with the codes of first.
void WriteEvent(Writer &out, const Date &birth, const CriticalDay &first, const Date &last,
                const CalendarOptions &options)
{
    std::vector<std::string> texts;
    for (const MessageCode code : first.Codes)
        texts.push_back(MessageText(code, birth, first.Day, options.Language));
    const std::string summary = (options.Name.empty() ? std::string() : options.Name + ": ")
        + EventSummary(first.Codes, options.Language);
    const std::string who = options.Name.empty() ? std::string() : '-' + UidName(options.Name);
    WriteAllDayEvent(out,
                     { CompactDate(first.Day) + "-b" + CompactDate(birth) + who + "@cyklometrika",
                       first.Day, last, summary, Joined(texts, "\n") },
                     options);
}

bool SameCodes(const Verdicts &a, const Verdicts &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// The calendar of one person's days.
void WriteDays(Writer &out, const CalendarPerson &person, const CalendarOptions &options,
               CalendarResult &result)
{
    CalendarOptions own = options;
    own.Name = person.Name;
    const std::vector<CriticalDay> &days = person.List.Days;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (!IsCivilDay(days[i].Day) || NextCivilDay(days[i].Day).Year > LastYear) {
            result.LeftOut.push_back(days[i].Day);
            continue;
        }
        std::size_t last = i;
        while (options.Merge && last + 1 < days.size()
               && days[last + 1].Day == NextCivilDay(days[last].Day)
               && NextCivilDay(days[last + 1].Day).Year <= LastYear
               && SameCodes(days[last + 1].Codes, days[i].Codes))
            ++last;
        WriteEvent(out, person.Birth, days[i], days[last].Day, own);
        i = last;
    }
}

// The calendar's head: its name with the title and the people in brief, all of them in its
// description where the name leaves some out.
void OpenCalendar(Writer &out, const std::string &title, const std::vector<std::string> &people,
                  const CalendarOptions &options)
{
    out.Line("BEGIN", "VCALENDAR");
    out.Line("VERSION", "2.0");
    // The last part names the language of the calendar's texts: CS, EN.
    std::string language(LanguageOf(options.Language).Code);
    for (char &c : language)
        c = static_cast<char>(c - 'a' + 'A');
    out.Line("PRODID", "-//Cyklometrika//cyklometrika//" + language);
    out.Line("CALSCALE", "GREGORIAN");
    bool cut = false;
    const std::string names = NamesInBrief(people, &cut, options.Language);
    std::string name = "Cyklometrika";
    if (!title.empty())
        name.append(" ").append(title).append(names.empty() ? "" : ":");
    if (!names.empty())
        name.append(" ").append(names);
    out.Line("X-WR-CALNAME", EscapeText(name));
    if (cut)
        out.Line("X-WR-CALDESC", EscapeText(Joined(people, ", ")));
    if (options.FeedSequence) {
        out.Line("REFRESH-INTERVAL;VALUE=DURATION", "P1D");
        out.Line("X-PUBLISHED-TTL", "P1D");
    }
}

// A day left out of several people's events is named once, earlier days first.
void SortLeftOut(CalendarResult &result)
{
    std::sort(result.LeftOut.begin(), result.LeftOut.end());
    result.LeftOut.erase(std::unique(result.LeftOut.begin(), result.LeftOut.end()),
                         result.LeftOut.end());
}

CalendarResult WriteCalendar(const std::string &title, const std::vector<std::string> &names,
                             const std::vector<CalendarPerson> &people,
                             const CalendarOptions &options)
{
    CalendarResult result;
    Writer out;
    OpenCalendar(out, title, names, options);
    for (const CalendarPerson &person : people)
        WriteDays(out, person, options, result);
    out.Line("END", "VCALENDAR");
    result.Text = std::move(out.Text);
    SortLeftOut(result);
    return result;
}

} // namespace

std::string EventSummary(const Verdicts &codes, Lang lang)
{
    std::vector<std::string> critical;
    std::vector<std::string> extremes;
    for (const MessageCode code : codes) {
        if (code <= 6)
            critical.push_back(CycleName(code, lang));
        else
            extremes.push_back(VerdictName(code, lang));
    }
    static constexpr std::array<TextKey, 3> Heads { "report.summary.critical.1",
                                                    "report.summary.critical.2",
                                                    "report.summary.critical.3" };
    std::vector<std::string> parts;
    if (!critical.empty())
        parts.push_back(Say(Heads[critical.size() - 1], lang, { Joined(critical, ", ") }));
    if (!extremes.empty())
        parts.push_back(Joined(extremes, ", "));
    return Capitalised(Joined(parts, "; "));
}

std::string EscapeText(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',')
            escaped += { '\\', c };
        else if (c == '\n')
            escaped += "\\n";
        else if (c != '\r')
            escaped += c;
    }
    return escaped;
}

std::string FoldLine(std::string_view utf8)
{
    std::string out;
    std::size_t start = 0;
    std::size_t room = MaxOctets;
    while (utf8.size() - start > room) {
        std::size_t end = start + room;
        // Never between the bytes of one character: back up over continuation bytes.
        while (end > start && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        if (end == start) // no character boundary in reach: the text is not UTF-8
            end = start + room;
        out += std::string(utf8.substr(start, end - start)) + "\r\n ";
        start = end;
        room = MaxOctets - 1; // the blank that opens a continuation line counts
    }
    out += std::string(utf8.substr(start)) + "\r\n";
    return out;
}

CalendarResult CriticalCalendar(const Date &birth, const CriticalList &list,
                                const CalendarOptions &options)
{
    const std::string title
        = options.Name.empty() ? ShownDate(birth, options.Language) : options.Name;
    return WriteCalendar(title, {}, { { options.Name, birth, list } }, options);
}

CalendarResult FamilyCalendar(const std::vector<CalendarPerson> &people,
                              const CalendarOptions &options)
{
    std::vector<std::string> names;
    names.reserve(people.size());
    for (const CalendarPerson &person : people)
        names.push_back(person.Name);
    return WriteCalendar({}, names, people, options);
}

CalendarResult EventCalendar(const std::string &title, const std::vector<std::string> &people,
                             const std::vector<CalendarEvent> &events,
                             const CalendarOptions &options)
{
    CalendarResult result;
    Writer out;
    OpenCalendar(out, title, people, options);
    for (const CalendarEvent &event : events) {
        if (!IsCivilDay(event.First) || NextCivilDay(event.Last).Year > LastYear)
            result.LeftOut.push_back(event.First);
        else
            WriteAllDayEvent(out, event, options);
    }
    out.Line("END", "VCALENDAR");
    result.Text = std::move(out.Text);
    SortLeftOut(result);
    return result;
}

} // namespace cykl
