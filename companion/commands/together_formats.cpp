// SPDX-License-Identifier: GPL-3.0-or-later
// The reports of match and together: the agreement beside the day's values, and the
// shared days as a table, CSV, JSON and iCalendar.
#include "calendar/report_json.h"
#include "calendar/texts.h"
#include "companion/commands/person_run.h"
#include "companion/commands/together.h"
#include "companion/io/report_parts.h"
#include "companion/io/text_table.h"

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

// "Jana (10.1.1996)", or the date alone for a person known only by it.
QString Who(const Person &person)
{
    const QString birth = Utf8(CzechDate(person.Birth));
    return person.Name == birth ? birth : QStringLiteral("%1 (%2)").arg(person.Name, birth);
}

QString Percent(int value)
{
    return QStringLiteral("%1 %").arg(value);
}

QByteArray MatchTable(const QList<Person> &people, const Date &day, const Agreement &a,
                      const std::array<Confirmation, 2> &days)
{
    QStringList lines { Utf8(AgreementHeading(Who(people[0]).toStdString(),
                                              Who(people[1]).toStdString(), a.DayDifference)) };
    lines += Wrap(Utf8(std::string(AgreementMeaning)), TerminalColumns, 0);
    lines += QStringList { QString(),
                           QStringLiteral("Hodnoty dne %1 %2")
                               .arg(Utf8(CzechDate(day)), Utf8(WeekdayName(day)))
                               .trimmed(),
                           QString() };
    QList<QStringList> rows;
    // A person the window refuses on the day has no values of it.
    const auto value = [&days](std::size_t i, std::size_t k) {
        return days[i].Refusal != 0 ? QStringLiteral("–") : Number(ValuesOf(days[i])[k]);
    };
    for (std::size_t k = 0; k < 3; ++k)
        rows.append({ CycleCaption(k), Percent(a.Cycles[k]), value(0, k), value(1, k) });
    rows.append({ QStringLiteral("Celkem"), Percent(a.Overall), QString(), QString() });
    lines += LayOutTable({ { QStringLiteral("Cyklus"), false },
                           { QStringLiteral("Shoda"), true },
                           { people[0].Name, true },
                           { people[1].Name, true } },
                         rows);
    return Lines(lines);
}

struct SharedRow {
    Date Day;
    const SharedVerdict *Shared;
};

QString NamesOf(const SharedVerdict &shared, const QList<Person> &people)
{
    QStringList names;
    for (const std::size_t person : shared.People)
        names.append(people[static_cast<qsizetype>(person)].Name);
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
                       const std::vector<SharedDay> &days)
{
    QStringList who;
    for (const Person &person : people)
        who.append(Who(person));
    QStringList lines {
        QStringLiteral("Společné dny %1 až %2").arg(Utf8(CzechDate(from)), Utf8(CzechDate(to)))
    };
    lines += Wrap(QStringLiteral("Lidé: ") + who.join(QStringLiteral(", ")), TerminalColumns, 6);
    lines.append(QString());
    if (days.empty())
        return Lines(lines << QStringLiteral("Žádný společný den."));
    QList<QStringList> rows;
    std::array<bool, 13> seen {};
    for (const SharedRow &row : RowsOf(days)) {
        rows.append({ Utf8(CzechDate(row.Day)), Utf8(WeekdayName(row.Day)),
                      QString::number(row.Shared->Code), Utf8(VerdictName(row.Shared->Code)),
                      NamesOf(*row.Shared, people) });
        seen[static_cast<std::size_t>(row.Shared->Code)] = true;
    }
    lines += LayOutTable({ { QStringLiteral("Datum"), false },
                           { QStringLiteral("Den"), false },
                           { QStringLiteral("Kód"), true },
                           { QStringLiteral("Hlášení"), false },
                           { QStringLiteral("Kdo"), false } },
                         rows, TerminalColumns);
    lines.append(QString());
    for (MessageCode code = 4; code <= 12; ++code) {
        if (!seen[static_cast<std::size_t>(code)])
            continue;
        QStringList text = Wrap(Utf8(MessageText(code, from, from)), TerminalColumns - 4, 4);
        text.first().prepend(QStringLiteral("%1  ").arg(code, 2));
        lines += text;
    }
    return Lines(lines);
}

QByteArray SharedCsv(const QList<Person> &people, const std::vector<SharedDay> &days, bool excel)
{
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
    for (const SharedRow &row : RowsOf(days)) {
        const MessageCode code = row.Shared->Code;
        const QStringList fields { Utf8(excel ? CzechDate(row.Day) : IsoDate(row.Day)),
                                   QString::number(code),
                                   Utf8(excel ? CzechCycleKey(code) : CycleKey(code)),
                                   Utf8(excel ? CzechVerdictKind(code) : VerdictKind(code)),
                                   Utf8(VerdictName(code)),
                                   Utf8(MessageText(code, row.Day, row.Day)),
                                   NamesOf(*row.Shared, people) };
        QStringList quoted;
        for (const QString &field : fields)
            quoted.append(CsvField(field, separator));
        lines.append(quoted.join(separator));
    }
    const QByteArray text = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    return excel ? QByteArrayLiteral("\xEF\xBB\xBF") + text : text;
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
                     std::vector<Date> &leftOut)
{
    CalendarResult calendar = SharedCalendar(
        SharedPeople(people), days, { StampOf(now), remindMinutes, std::string(), false, {} });
    leftOut = std::move(calendar.LeftOut);
    return QByteArray::fromStdString(calendar.Text);
}

} // namespace

QByteArray MatchReport(Format format, const QList<Person> &people, const Date &day,
                       const std::array<Confirmation, 2> &days)
{
    const Agreement a = CompareBirths(people[0].Birth, people[1].Birth);
    if (format != Format::Json)
        return MatchTable(people, day, a, days);
    const std::array<SharedPerson, 2> both {
        SharedPerson { people[0].Name.toStdString(), people[0].Birth },
        SharedPerson { people[1].Name.toStdString(), people[1].Birth }
    };
    return QByteArray::fromStdString(MatchJson(both, a, day, days));
}

QByteArray SharedReport(const Output &output, std::optional<int> remindMinutes,
                        const QDateTime &now, const QList<Person> &people,
                        const std::vector<CriticalList> &lists, const Date &from, const Date &to,
                        std::vector<Date> &leftOut)
{
    const std::vector<SharedDay> days = FindSharedDays(lists);
    switch (output.Kind) {
    case Format::Csv:
        return SharedCsv(people, days, output.Excel);
    case Format::Json:
        return QByteArray::fromStdString(SharedJson(SharedPeople(people), from, to, days));
    case Format::Ics:
        return SharedIcs(remindMinutes, now, people, days, leftOut);
    case Format::Table:
        break;
    }
    return SharedTable(people, from, to, days);
}

} // namespace cykl::companion
