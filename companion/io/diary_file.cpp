// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/diary_file.h"

#include "calendar/civil_calendar.h"
#include "calendar/texts.h"
#include "companion/io/people_file.h"

#include <QRegularExpression>
#include <algorithm>

namespace cykl::companion {

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");
const QByteArray PlanKey("plan ");
const QByteArray ChecksumKey("checksum ");
const QByteArray ShownKey("shown-through ");

std::optional<Date> IsoDay(const QByteArray &text)
{
    const std::optional<Date> date = ParseDate(text.toStdString());
    if (!date || !IsCivilDay(*date) || IsoDate(*date) != text.toStdString())
        return std::nullopt;
    return date;
}

std::optional<diary::Entry> EntryOf(const QByteArray &line)
{
    static const QRegularExpression form(QStringLiteral(
        "^(\\d{4}-\\d\\d-\\d\\d)\\s+([1-5])\\s+([1-5])\\s+([1-5])((?:\\s+(?:imported|shown))*)$"));
    const auto match = form.match(QString::fromLatin1(line));
    const auto day = match.hasMatch() ? IsoDay(match.captured(1).toLatin1()) : std::nullopt;
    if (!day)
        return std::nullopt;
    const QString flags = match.captured(5);
    return diary::Entry { *day,
                          { match.captured(2).toInt(), match.captured(3).toInt(),
                            match.captured(4).toInt() },
                          flags.contains(QLatin1String("shown")),
                          flags.contains(QLatin1String("imported")) };
}

// Reads line i (from 0) into the file, or notes that it is not read.
void ReadInto(DiaryFile &file, qsizetype i)
{
    const QByteArray &bytes = file.Lines[i];
    const QByteArray line = bytes.left(bytes.size() - LineEnd(bytes).size()).trimmed();
    if (line.isEmpty() || line.startsWith('#'))
        return;
    if (line.startsWith(PlanKey)) {
        file.PlanText += line.mid(PlanKey.size()) + '\n';
    } else if (line.startsWith(ChecksumKey)) {
        file.Checksum = line.mid(ChecksumKey.size());
    } else if (line.startsWith(ShownKey) && IsoDay(line.mid(ShownKey.size()))) {
        file.ShownThrough = IsoDay(line.mid(ShownKey.size()));
    } else if (const auto entry = EntryOf(line)) {
        const auto at = std::find_if(file.Entries.begin(), file.Entries.end(),
                                     [&](const diary::Entry &e) { return e.Day == entry->Day; });
        if (at == file.Entries.end())
            file.Entries.push_back(*entry);
        else
            file.Twice.append(i + 1);
    } else {
        file.Unread.append(i + 1);
    }
}

// The line of the first entry of the day, or -1.
qsizetype LineOfDay(const DiaryFile &file, const Date &day)
{
    for (qsizetype i = 0; i < file.Lines.size(); ++i) {
        const auto entry = EntryOf(file.Lines[i].trimmed());
        if (entry && entry->Day == day)
            return i;
    }
    return -1;
}

void Replace(DiaryFile &file, qsizetype i, const QByteArray &line)
{
    file.Lines[i] = line + LineEnd(file.Lines[i]);
}

} // namespace

DiaryFile ReadDiary(const QByteArray &text)
{
    DiaryFile file;
    file.Mark = text.startsWith(ByteOrderMark) ? ByteOrderMark : QByteArray();
    file.Lines = SplitLines(text, file.Mark.size());
    for (qsizetype i = 0; i < file.Lines.size(); ++i)
        ReadInto(file, i);
    std::sort(file.Entries.begin(), file.Entries.end(),
              [](const diary::Entry &a, const diary::Entry &b) { return a.Day < b.Day; });
    return file;
}

QByteArray DiaryText(const DiaryFile &file)
{
    return JoinLines(file.Mark, file.Lines);
}

PlanState StoredPlan(const DiaryFile &file, diary::Plan &plan)
{
    if (file.PlanText.isEmpty() && file.Checksum.isEmpty())
        return PlanState::None;
    const auto read = diary::ParsePlan(file.PlanText.toStdString());
    if (!read)
        return PlanState::Unreadable;
    plan = *read;
    return diary::PlanChecksum(*read) == file.Checksum.toStdString() ? PlanState::Fixed
                                                                     : PlanState::Changed;
}

void SetPlan(DiaryFile &file, const diary::Plan &plan)
{
    const QByteArray text = QByteArray::fromStdString(diary::PlanText(plan));
    for (const QByteArray &line : text.split('\n')) {
        if (!line.isEmpty())
            AppendLine(file.Lines, PlanKey + line);
    }
    AppendLine(file.Lines, ChecksumKey + QByteArray::fromStdString(diary::PlanChecksum(plan)));
    file = ReadDiary(DiaryText(file));
}

bool PutEntry(DiaryFile &file, const diary::Entry &entry)
{
    const qsizetype at = LineOfDay(file, entry.Day);
    if (at >= 0)
        Replace(file, at, EntryLine(entry));
    else
        AppendLine(file.Lines, EntryLine(entry));
    file = ReadDiary(DiaryText(file));
    return at >= 0;
}

void SetShownThrough(DiaryFile &file, const Date &day)
{
    const QByteArray line = ShownKey + QByteArray::fromStdString(IsoDate(day));
    const auto at = std::find_if(file.Lines.begin(), file.Lines.end(), [](const QByteArray &l) {
        return l.trimmed().startsWith(ShownKey);
    });
    if (at != file.Lines.end())
        Replace(file, at - file.Lines.begin(), line);
    else
        AppendLine(file.Lines, line);
    file = ReadDiary(DiaryText(file));
}

QByteArray EntryLine(const diary::Entry &entry)
{
    QByteArray line = QByteArray::fromStdString(IsoDate(entry.Day));
    for (const int rating : entry.Ratings)
        line += ' ' + QByteArray::number(rating);
    if (entry.Imported)
        line += " imported";
    if (entry.Shown)
        line += " shown";
    return line;
}

} // namespace cykl::companion
