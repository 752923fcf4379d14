// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/formats.h"

#include "companion/text_table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

namespace cykl::companion {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString Number(double value)
{
    return QString::number(static_cast<int>(value));
}

QString Utf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString QIsoDate(const Date &date)
{
    return Utf8(IsoDate(date));
}

QString QCzechDate(const Date &date)
{
    return Utf8(CzechDate(date));
}

QString CodeList(const auto &codes)
{
    QStringList parts;
    for (const MessageCode code : codes)
        parts.append(QString::number(code));
    return parts.join(QLatin1Char(' '));
}

QJsonArray JsonCodes(const Verdicts &codes)
{
    QJsonArray array;
    for (const MessageCode code : codes)
        array.append(code);
    return array;
}

QJsonObject JsonDay(const Date &date, const DayValues3 &v)
{
    return { { QStringLiteral("date"), QIsoDate(date) },
             { QStringLiteral("physical"), v.Physical },
             { QStringLiteral("emotional"), v.Emotional },
             { QStringLiteral("intellectual"), v.Intellectual } };
}

QByteArray Json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QByteArray Lines(const QStringList &lines, const QString &end = QStringLiteral("\n"))
{
    return (lines.join(end) + end).toUtf8();
}

QStringList CsvRow(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted.append(CsvField(field));
    return { quoted.join(QLatin1Char(',')) };
}

DayValues3 ValuesOf(const MonthValues &v, int day)
{
    const auto k = static_cast<std::size_t>(day - 1);
    return { v.Physical[k], v.Emotional[k], v.Intellectual[k] };
}

const QList<Column> &ValueColumns()
{
    static const QList<Column> columns {
        { QStringLiteral("Datum"), false },
        { QStringLiteral("Fyzická"), true },
        { QStringLiteral("Citová"), true },
        { QStringLiteral("Intelekt"), true },
    };
    return columns;
}

QStringList ValueCells(const Date &date, const DayValues3 &v)
{
    return { QCzechDate(date), Number(v.Physical), Number(v.Emotional), Number(v.Intellectual) };
}

// The meaning of each code that occurs, one line each, for the critical table.
QStringList CodeLegend(const CriticalList &list)
{
    std::array<bool, 13> seen {};
    for (const CriticalDay &day : list.Days) {
        for (const MessageCode code : day.Codes)
            seen[static_cast<std::size_t>(code)] = true;
    }
    QStringList lines;
    for (MessageCode code = 4; code <= 12; ++code) {
        if (seen[static_cast<std::size_t>(code)])
            lines.append(QStringLiteral("%1  %2").arg(code, 2).arg(Utf8(VerdictName(code))));
    }
    return lines;
}

QByteArray DayTable(const Date &birth, const Date &day, const Confirmation &c)
{
    QStringList lines {
        QStringLiteral("Datum narození    %1").arg(QCzechDate(birth)),
        QStringLiteral("Den               %1").arg(QCzechDate(day)),
        QStringLiteral("Fyzická kondice   %1").arg(Number(c.Day.Physical), 4),
        QStringLiteral("Citová vnímavost  %1").arg(Number(c.Day.Emotional), 4),
        QStringLiteral("Síla intelektu    %1").arg(Number(c.Day.Intellectual), 4),
    };
    if (!c.Verdicts.empty())
        lines.append(QString());
    for (const MessageCode code : c.Verdicts) {
        const QString text = Utf8(MessageText(code, birth, day));
        QStringList wrapped = Wrap(text, TerminalColumns - 4, 4);
        wrapped.first().prepend(QStringLiteral("%1  ").arg(code, 2));
        lines.append(wrapped);
    }
    return Lines(lines);
}

QByteArray DayCsv(const Date &birth, const Date &day, const Confirmation &c)
{
    QStringList texts;
    for (const MessageCode code : c.Verdicts)
        texts.append(Utf8(MessageText(code, birth, day)));
    QStringList lines = CsvRow({ QStringLiteral("date"), QStringLiteral("physical"),
                                 QStringLiteral("emotional"), QStringLiteral("intellectual"),
                                 QStringLiteral("codes"), QStringLiteral("messages") });
    lines += CsvRow({ QIsoDate(day), Number(c.Day.Physical), Number(c.Day.Emotional),
                      Number(c.Day.Intellectual), CodeList(c.Verdicts),
                      texts.join(QLatin1Char('\n')) });
    return Lines(lines, CrLf);
}

QByteArray DayJson(const Date &birth, const Date &day, const Confirmation &c)
{
    QJsonObject object = JsonDay(day, c.Day);
    object.insert(QStringLiteral("birth"), QIsoDate(birth));
    QJsonArray messages;
    for (const MessageCode code : c.Verdicts)
        messages.append(
            QJsonObject { { QStringLiteral("code"), code },
                          { QStringLiteral("text"), Utf8(MessageText(code, birth, day)) } });
    object.insert(QStringLiteral("messages"), messages);
    return Json(object);
}

QByteArray CriticalJson(const Date &birth, const Date &from, const Date &to,
                        const CriticalList &list)
{
    QJsonArray days;
    for (const CriticalDay &day : list.Days) {
        QJsonObject object = JsonDay(day.Day, day.Values);
        object.insert(QStringLiteral("codes"), JsonCodes(day.Codes));
        days.append(object);
    }
    return Json({ { QStringLiteral("birth"), QIsoDate(birth) },
                  { QStringLiteral("from"), QIsoDate(from) },
                  { QStringLiteral("to"), QIsoDate(to) },
                  { QStringLiteral("days"), days } });
}

QByteArray CriticalCsv(const CriticalList &list)
{
    QStringList lines
        = CsvRow({ QStringLiteral("date"), QStringLiteral("physical"), QStringLiteral("emotional"),
                   QStringLiteral("intellectual"), QStringLiteral("codes") });
    for (const CriticalDay &day : list.Days) {
        lines += CsvRow({ QIsoDate(day.Day), Number(day.Values.Physical),
                          Number(day.Values.Emotional), Number(day.Values.Intellectual),
                          CodeList(day.Codes) });
    }
    return Lines(lines, CrLf);
}

QByteArray CriticalTable(const Date &birth, const Date &from, const Date &to,
                         const CriticalList &list)
{
    QStringList lines { QStringLiteral("Datum narození %1, dny %2 až %3")
                            .arg(QCzechDate(birth), QCzechDate(from), QCzechDate(to)),
                        QString() };
    if (list.Days.empty()) {
        lines.append(QStringLiteral("Žádný den s hlášením."));
        return Lines(lines);
    }
    QList<Column> columns = ValueColumns();
    columns.append({ { QStringLiteral("Kódy"), false }, { QStringLiteral("Poznámka"), false } });
    QList<QStringList> rows;
    for (const CriticalDay &day : list.Days)
        rows.append(ValueCells(day.Day, day.Values)
                    << CodeList(day.Codes) << Utf8(CriticalMark(CriticalCycles(day.Codes))));
    lines += LayOutTable(columns, rows);
    lines.append(QString());
    lines += CodeLegend(list);
    return Lines(lines);
}

Date DayOf(const Date &month, int day)
{
    return { day, month.Month, month.Year };
}

QByteArray MonthJson(const Date &birth, const Date &month, const MonthValues &v)
{
    QJsonArray days;
    for (int day = 1; day <= v.Days; ++day)
        days.append(JsonDay(DayOf(month, day), ValuesOf(v, day)));
    return Json({ { QStringLiteral("birth"), QIsoDate(birth) },
                  { QStringLiteral("month"), Utf8(IsoMonth(month)) },
                  { QStringLiteral("days"), days } });
}

QByteArray MonthCsv(const Date &month, const MonthValues &v)
{
    QStringList lines = CsvRow({ QStringLiteral("date"), QStringLiteral("physical"),
                                 QStringLiteral("emotional"), QStringLiteral("intellectual") });
    for (int day = 1; day <= v.Days; ++day) {
        const DayValues3 d = ValuesOf(v, day);
        lines += CsvRow({ QIsoDate(DayOf(month, day)), Number(d.Physical), Number(d.Emotional),
                          Number(d.Intellectual) });
    }
    return Lines(lines, CrLf);
}

QByteArray MonthTable(const Date &birth, const Date &month, const MonthValues &v)
{
    QList<QStringList> rows;
    for (int day = 1; day <= v.Days; ++day)
        rows.append(ValueCells(DayOf(month, day), ValuesOf(v, day)));
    QStringList lines { QStringLiteral("Datum narození %1, měsíc %2.%3")
                            .arg(QCzechDate(birth))
                            .arg(month.Month)
                            .arg(month.Year),
                        QString() };
    lines += LayOutTable(ValueColumns(), rows);
    return Lines(lines);
}

} // namespace

QString CsvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray DayReport(Format format, const Date &birth, const Date &day, const Confirmation &c)
{
    switch (format) {
    case Format::Csv:
        return DayCsv(birth, day, c);
    case Format::Json:
        return DayJson(birth, day, c);
    default:
        return DayTable(birth, day, c);
    }
}

QByteArray MonthReport(Format format, const Date &birth, const Date &month, const MonthValues &v)
{
    switch (format) {
    case Format::Csv:
        return MonthCsv(month, v);
    case Format::Json:
        return MonthJson(birth, month, v);
    default:
        return MonthTable(birth, month, v);
    }
}

QByteArray CriticalReport(Format format, const Date &birth, const Date &from, const Date &to,
                          const CriticalList &list)
{
    switch (format) {
    case Format::Csv:
        return CriticalCsv(list);
    case Format::Json:
        return CriticalJson(birth, from, to, list);
    default:
        return CriticalTable(birth, from, to, list);
    }
}

} // namespace cykl::companion
