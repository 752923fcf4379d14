// SPDX-License-Identifier: GPL-3.0-or-later
// The reports of match and together: the agreement beside the day's values, and the
// shared days as a table, CSV, JSON and iCalendar.
#include "calendar/report_json.h"
#include "calendar/texts.h"
#include "companion/commands/person_run.h"
#include "companion/commands/together.h"
#include "companion/io/report_parts.h"
#include "companion/io/text_table.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

QByteArray Lines(const QStringList &lines)
{
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

std::array<double, 3> ValuesOf(const Confirmation &c)
{
    return { c.Day.Physical, c.Day.Emotional, c.Day.Intellectual };
}

// The name of a person known only by the birth date is that date: written as lang writes it.
QString NameOf(const Person &person, Lang lang)
{
    return person.Name == Utf8(CzechDate(person.Birth)) ? Utf8(ShownDate(person.Birth, lang))
                                                        : person.Name;
}

// "Jana (10.1.1996)", or the date alone for a person known only by it.
QString Who(const Person &person, Lang lang)
{
    const QString birth = Utf8(ShownDate(person.Birth, lang));
    const QString name = NameOf(person, lang);
    return name == birth ? birth : QStringLiteral("%1 (%2)").arg(name, birth);
}

QString Percent(int value)
{
    return QStringLiteral("%1 %").arg(value);
}

QByteArray MatchTable(const QList<Person> &people, const Date &day, const Agreement &a,
                      const std::array<Confirmation, 2> &days, Lang lang)
{
    QStringList lines { Utf8(AgreementHeading(Who(people[0], lang).toStdString(),
                                              Who(people[1], lang).toStdString(), a.DayDifference,
                                              lang)) };
    lines += Wrap(Said("report.agreement.meaning", lang), TerminalColumns, 0);
    const QString weekday = WeekdayApart(lang) ? Utf8(WeekdayName(day, lang)) : QString();
    const QString shown = QStringLiteral("%1 %2").arg(Utf8(ShownDate(day, lang)), weekday);
    lines += QStringList { QString(),
                           Said("report.match.values", lang, { shown.trimmed().toStdString() }),
                           QString() };
    QList<QStringList> rows;
    // A person the window refuses on the day has no values of it.
    const auto value = [&days](std::size_t i, std::size_t k) {
        return days[i].Refusal != 0 ? QStringLiteral("–") : Number(ValuesOf(days[i])[k]);
    };
    for (std::size_t k = 0; k < 3; ++k)
        rows.append({ CycleCaption(k, lang), Percent(a.Cycles[k]), value(0, k), value(1, k) });
    rows.append(
        { Said("report.agreement.overall", lang), Percent(a.Overall), QString(), QString() });
    lines += LayOutTable({ { Said("report.column.cycle", lang), false },
                           { Said("report.column.agreement", lang), true },
                           { NameOf(people[0], lang), true },
                           { NameOf(people[1], lang), true } },
                         rows);
    return Lines(lines);
}

struct SharedRow {
    Date Day;
    const SharedVerdict *Shared;
};

QString NamesOf(const SharedVerdict &shared, const QList<Person> &people, Lang lang)
{
    QStringList names;
    for (const std::size_t person : shared.People)
        names.append(NameOf(people[static_cast<qsizetype>(person)], lang));
    return names.join(QStringLiteral(", "));
}

QList<SharedRow> RowsOf(const std::vector<SharedDay> &days)
{
    QList<SharedRow> rows;
    for (const SharedDay &day : days) {
        for (const SharedVerdict &shared : day.Verdicts)
            rows.append({ day.Day, &shared });
    }
    return rows;
}

QByteArray SharedTable(const QList<Person> &people, const Date &from, const Date &to,
                       const std::vector<SharedDay> &days, Lang lang)
{
    QStringList who;
    for (const Person &person : people)
        who.append(Who(person, lang));
    QStringList lines { Said("report.shared.heading", lang,
                             { ShownDate(from, lang), ShownDate(to, lang) }) };
    const QString list
        = Said("report.shared.people", lang, { who.join(QStringLiteral(", ")).toStdString() });
    const int indent = DisplayWidth(Said("report.shared.people", lang, { "" }));
    lines += Wrap(list, TerminalColumns, indent);
    lines.append(QString());
    if (days.empty())
        return Lines(lines << Said("report.shared.none", lang));
    QList<QStringList> rows;
    std::array<bool, 13> seen {};
    for (const SharedRow &row : RowsOf(days)) {
        QStringList cells { Utf8(ShownDate(row.Day, lang)), Utf8(WeekdayName(row.Day, lang)),
                            QString::number(row.Shared->Code),
                            Utf8(VerdictName(row.Shared->Code, lang)),
                            NamesOf(*row.Shared, people, lang) };
        if (!WeekdayApart(lang))
            cells.removeAt(1);
        rows.append(cells);
        seen[static_cast<std::size_t>(row.Shared->Code)] = true;
    }
    QList<Column> columns { { Said("report.column.date", lang), false },
                            { Said("report.column.weekday", lang), false },
                            { Said("report.column.code", lang), true },
                            { Said("report.column.verdict", lang), false },
                            { Said("report.column.who", lang), false } };
    if (!WeekdayApart(lang))
        columns.removeAt(1);
    lines += LayOutTable(columns, rows, TerminalColumns);
    lines.append(QString());
    for (MessageCode code = 4; code <= 12; ++code) {
        if (!seen[static_cast<std::size_t>(code)])
            continue;
        QStringList text = Wrap(Utf8(MessageText(code, from, from, lang)), TerminalColumns - 4, 4);
        text.first().prepend(QStringLiteral("%1  ").arg(code, 2));
        lines += text;
    }
    return Lines(lines);
}

QByteArray SharedCsv(const QList<Person> &people, const std::vector<SharedDay> &days, bool bom,
                     Lang lang)
{
    // A spreadsheet set to Czech: ';' between fields, Czech headings and words, D.M.YYYY.
    const bool excel = bom && lang == Lang::Cs;
    const QChar separator = excel ? QLatin1Char(';') : QLatin1Char(',');
    const QStringList heading = excel
        ? QStringList { QStringLiteral("datum"),   QStringLiteral("kód"),
                        QStringLiteral("cyklus"),  QStringLiteral("druh"),
                        QStringLiteral("hlášení"), QStringLiteral("text"),
                        QStringLiteral("kdo") }
        : QStringList { QStringLiteral("date"),    QStringLiteral("code"),
                        QStringLiteral("cycle"),   QStringLiteral("kind"),
                        QStringLiteral("verdict"), QStringLiteral("message"),
                        QStringLiteral("people") };
    QStringList lines { heading.join(separator) };
    // The people as the file for programs has always named them, in every language.
    for (const SharedRow &row : RowsOf(days)) {
        const MessageCode code = row.Shared->Code;
        const QStringList fields { Utf8(excel ? CzechDate(row.Day) : IsoDate(row.Day)),
                                   QString::number(code),
                                   Utf8(excel ? CzechCycleKey(code) : CycleKey(code)),
                                   Utf8(excel ? CzechVerdictKind(code) : VerdictKind(code)),
                                   Utf8(VerdictName(code, lang)),
                                   Utf8(MessageText(code, row.Day, row.Day, lang)),
                                   NamesOf(*row.Shared, people, Lang::Cs) };
        QStringList quoted;
        for (const QString &field : fields)
            quoted.append(CsvField(field, separator));
        lines.append(quoted.join(separator));
    }
    const QByteArray text = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    return bom ? QByteArrayLiteral("\xEF\xBB\xBF") + text : text;
}

std::vector<SharedPerson> SharedPeople(const QList<Person> &people)
{
    std::vector<SharedPerson> shared;
    for (const Person &person : people)
        shared.push_back({ person.Name.toStdString(), person.Birth });
    return shared;
}

QByteArray SharedIcs(std::optional<int> remindMinutes, const QDateTime &now,
                     const QList<Person> &people, const std::vector<SharedDay> &days,
                     std::vector<Date> &leftOut, Lang lang)
{
    CalendarResult calendar
        = SharedCalendar(SharedPeople(people), days,
                         { StampOf(now), remindMinutes, std::string(), false, {}, lang });
    leftOut = std::move(calendar.LeftOut);
    return QByteArray::fromStdString(calendar.Text);
}

} // namespace

QByteArray MatchReport(Format format, const QList<Person> &people, const Date &day,
                       const std::array<Confirmation, 2> &days, Lang lang)
{
    const Agreement a = CompareBirths(people[0].Birth, people[1].Birth);
    if (format != Format::Json)
        return MatchTable(people, day, a, days, lang);
    const std::array<SharedPerson, 2> both {
        SharedPerson { people[0].Name.toStdString(), people[0].Birth },
        SharedPerson { people[1].Name.toStdString(), people[1].Birth }
    };
    return QByteArray::fromStdString(MatchJson(both, a, day, days));
}

QByteArray SharedReport(const Output &output, std::optional<int> remindMinutes,
                        const QDateTime &now, const QList<Person> &people,
                        const std::vector<CriticalList> &lists, const Date &from, const Date &to,
                        std::vector<Date> &leftOut, Lang lang)
{
    const std::vector<SharedDay> days = FindSharedDays(lists);
    switch (output.Kind) {
    case Format::Csv:
        return SharedCsv(people, days, output.Excel, lang);
    case Format::Json:
        return QByteArray::fromStdString(SharedJson(SharedPeople(people), from, to, days, lang));
    case Format::Ics:
        return SharedIcs(remindMinutes, now, people, days, leftOut, lang);
    case Format::Table:
        break;
    }
    return SharedTable(people, from, to, days, lang);
}

} // namespace cykl::companion
