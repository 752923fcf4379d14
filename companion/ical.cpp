// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/ical.h"

#include "companion/formats.h"

#include <QDate>

namespace cykl::companion {

namespace {

constexpr qsizetype MaxOctets = 75;

QString CycleName(MessageCode code)
{
    static const std::array<const char *, 3> names { "fyzická kondice", "citová vnímavost",
                                                     "síla intelektu" };
    return QString::fromUtf8(names[static_cast<std::size_t>(code - 4)]);
}

QString Capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString CompactDate(const QDate &date)
{
    return QStringLiteral("%1%2%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString CompactDate(const Date &date)
{
    return IsoDate(date).remove(QLatin1Char('-'));
}

struct Writer {
    QByteArray text;
    void Line(const QString &name, const QString &value)
    {
        text += FoldLine((name + QLatin1Char(':') + value).toUtf8());
    }
};

void WriteAlarm(Writer &out, const QString &summary, int hours)
{
    out.Line(QStringLiteral("BEGIN"), QStringLiteral("VALARM"));
    out.Line(QStringLiteral("ACTION"), QStringLiteral("DISPLAY"));
    out.Line(QStringLiteral("DESCRIPTION"), EscapeText(summary));
    out.Line(QStringLiteral("TRIGGER"),
             hours == 0 ? QStringLiteral("PT0S") : QStringLiteral("-PT%1H").arg(hours));
    out.Line(QStringLiteral("END"), QStringLiteral("VALARM"));
}

void WriteEvent(Writer &out, const Date &birth, const CriticalDay &day, const QDate &civil,
                const CalendarOptions &options)
{
    QStringList texts;
    for (const MessageCode code : day.Codes)
        texts.append(QString::fromStdString(MessageText(code, birth, day.Day)));
    const QString summary = EventSummary(day.Codes);
    out.Line(QStringLiteral("BEGIN"), QStringLiteral("VEVENT"));
    out.Line(QStringLiteral("UID"),
             QStringLiteral("%1-b%2@cyklometrika").arg(CompactDate(day.Day), CompactDate(birth)));
    out.Line(QStringLiteral("DTSTAMP"),
             options.Stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
    out.Line(QStringLiteral("DTSTART;VALUE=DATE"), CompactDate(civil));
    out.Line(QStringLiteral("DTEND;VALUE=DATE"), CompactDate(civil.addDays(1)));
    out.Line(QStringLiteral("SUMMARY"), EscapeText(summary));
    out.Line(QStringLiteral("DESCRIPTION"), EscapeText(texts.join(QLatin1Char('\n'))));
    out.Line(QStringLiteral("TRANSP"), QStringLiteral("TRANSPARENT"));
    if (options.RemindHours)
        WriteAlarm(out, summary, *options.RemindHours);
    out.Line(QStringLiteral("END"), QStringLiteral("VEVENT"));
}

} // namespace

QString EventSummary(const Verdicts &codes)
{
    QStringList critical;
    QStringList extremes;
    for (const MessageCode code : codes) {
        if (code <= 6)
            critical.append(CycleName(code));
        else
            extremes.append(VerdictName(code));
    }
    static const std::array<const char *, 4> heads { "", "Kritický den", "Dvojitě kritický den",
                                                     "Trojitě kritický den" };
    QStringList parts;
    if (!critical.isEmpty())
        parts.append(QString::fromUtf8(heads[static_cast<std::size_t>(critical.size())])
                     + QStringLiteral(": ") + critical.join(QStringLiteral(", ")));
    if (!extremes.isEmpty())
        parts.append(extremes.join(QStringLiteral(", ")));
    return Capitalised(parts.join(QStringLiteral("; ")));
}

QString EscapeText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            escaped += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            escaped += c;
    }
    return escaped;
}

QByteArray FoldLine(const QByteArray &utf8)
{
    QByteArray out;
    qsizetype start = 0;
    qsizetype room = MaxOctets;
    while (utf8.size() - start > room) {
        qsizetype end = start + room;
        // Never between the bytes of one character: back up over continuation bytes.
        while (end > start && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        if (end == start) // no character boundary in reach: the text is not UTF-8
            end = start + room;
        out += utf8.mid(start, end - start) + "\r\n ";
        start = end;
        room = MaxOctets - 1; // the blank that opens a continuation line counts
    }
    out += utf8.mid(start) + "\r\n";
    return out;
}

CalendarResult CriticalCalendar(const Date &birth, const CriticalList &list,
                                const CalendarOptions &options)
{
    CalendarResult result;
    Writer out;
    out.Line(QStringLiteral("BEGIN"), QStringLiteral("VCALENDAR"));
    out.Line(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    out.Line(QStringLiteral("PRODID"), QStringLiteral("-//Cyklometrika//cyklometrika//CS"));
    out.Line(QStringLiteral("CALSCALE"), QStringLiteral("GREGORIAN"));
    out.Line(QStringLiteral("METHOD"), QStringLiteral("PUBLISH"));
    out.Line(QStringLiteral("X-WR-CALNAME"),
             EscapeText(QStringLiteral("Cyklometrika %1").arg(CzechDate(birth))));
    for (const CriticalDay &day : list.Days) {
        const QDate civil(day.Day.Year, day.Day.Month, day.Day.Day);
        if (!civil.isValid()) {
            result.LeftOut.append(day.Day);
            continue;
        }
        WriteEvent(out, birth, day, civil, options);
    }
    out.Line(QStringLiteral("END"), QStringLiteral("VCALENDAR"));
    result.Text = out.text;
    return result;
}

} // namespace cykl::companion
