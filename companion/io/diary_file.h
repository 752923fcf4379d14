// SPDX-License-Identifier: GPL-3.0-or-later
// A person's diary, one file a person can read and edit: the plan as lines "plan ...",
// followed by its checksum ("checksum ..."), the last day whose values a test has shown
// ("shown-through YYYY-MM-DD"), and one day a line: "2026-12-07 3 4 2", the date and the
// three ratings (energy, mood, focus), then "imported" or "shown" where the day was. Blank
// lines, "#" comments and lines it cannot read keep their bytes, as in the people file.
#pragma once

#include "diary/analysis.h"

#include <QByteArray>
#include <QList>
#include <optional>
#include <vector>

namespace cykl::companion {

// The largest diary read: more than a hundred years of days.
inline constexpr qsizetype MaxDiaryFileSize = qsizetype(1024) * 1024;

struct DiaryFile {
    QByteArray Mark; // the byte-order mark the file starts with, if any
    QList<QByteArray> Lines; // the file as it is, line by line, each with its line end
    QByteArray PlanText; // the plan's lines without "plan ", each ending in "\n"
    QByteArray Checksum; // as written
    std::optional<Date> ShownThrough;
    std::vector<diary::Entry> Entries; // one a day, earlier first
    QList<qsizetype> Unread; // the numbers (from 1) of lines meant as something, not read
    QList<qsizetype> Twice; // of lines for a day written before them, left out
};

DiaryFile ReadDiary(const QByteArray &text);
QByteArray DiaryText(const DiaryFile &file);

// The stored plan: none, one that no longer reads as a plan, one changed since it was
// fixed (its checksum no longer fits), or the plan as it was fixed.
enum class PlanState { None, Unreadable, Changed, Fixed };
PlanState StoredPlan(const DiaryFile &file, diary::Plan &plan);

// Writes the plan and its checksum at the end.
void SetPlan(DiaryFile &file, const diary::Plan &plan);
// Writes the entry, in place of the day's line where it has one (true then).
bool PutEntry(DiaryFile &file, const diary::Entry &entry);
void SetShownThrough(DiaryFile &file, const Date &day);

// The entry's line without its end: "2026-12-07 3 4 2 imported".
QByteArray EntryLine(const diary::Entry &entry);

} // namespace cykl::companion
