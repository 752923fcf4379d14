// SPDX-License-Identifier: GPL-3.0-or-later
// Plain text laid out for a terminal: widths counted in columns, not bytes, so that Czech
// letters line up; columns padded, long texts wrapped.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cykl::companion {

inline constexpr int TerminalColumns = 80;

// The columns a text takes: one per character, none for a combining mark.
int DisplayWidth(const QString &text);

// A column of a table: its heading and whether its cells stand to the right.
struct Column {
    QString Heading;
    bool Right = false;
};

// The table as lines: the headings, then one line per row, columns two blanks apart and
// each as wide as its widest cell; trailing blanks are dropped. With a `width`, the last
// column's cells are wrapped between words onto lines of their own under it, so that the
// table keeps within that many columns where the others leave it room.
QStringList LayOutTable(const QList<Column> &columns, const QList<QStringList> &rows,
                        int width = 0);

// Text broken between words into lines of at most width columns (a longer word stands
// alone on its line); every line after the first is indented by indent blanks.
QStringList Wrap(const QString &text, int width, int indent);

} // namespace cykl::companion
