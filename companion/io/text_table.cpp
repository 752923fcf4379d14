// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/text_table.h"

#include <algorithm>

namespace cykl::companion {

int DisplayWidth(const QString &text)
{
    int width = 0;
    for (const char32_t c : text.toUcs4()) {
        const auto category = QChar::category(c);
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_Enclosing
            && category != QChar::Mark_SpacingCombining)
            ++width;
    }
    return width;
}

namespace {

QString Padded(const QString &text, int width, bool right)
{
    const QString blanks(std::max(0, width - DisplayWidth(text)), QLatin1Char(' '));
    return right ? blanks + text : text + blanks;
}

QString Line(const QList<Column> &columns, const QList<int> &widths, const QStringList &cells)
{
    QString line;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (i > 0)
            line += QStringLiteral("  ");
        line += Padded(cells.value(i), widths[i], columns[i].Right);
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line;
}

} // namespace

QStringList LayOutTable(const QList<Column> &columns, const QList<QStringList> &rows, int width)
{
    QList<int> widths;
    QStringList headings;
    for (const Column &column : columns) {
        widths.append(DisplayWidth(column.Heading));
        headings.append(column.Heading);
    }
    for (const QStringList &row : rows) {
        for (qsizetype i = 0; i < columns.size(); ++i)
            widths[i] = std::max(widths[i], DisplayWidth(row.value(i)));
    }
    // The room of the last column: what the others and their gaps leave of the width.
    int room = width;
    for (qsizetype i = 0; i + 1 < widths.size(); ++i)
        room -= widths[i] + 2;
    constexpr int LeastRoom = 12;
    if (width <= 0 || widths.isEmpty() || widths.last() <= room || room < LeastRoom)
        room = 0;
    if (room > 0)
        widths.last() = room;
    QStringList lines { Line(columns, widths, headings) };
    const QString under(width - room, QLatin1Char(' '));
    for (QStringList row : rows) {
        while (row.size() < columns.size())
            row.append(QString());
        const QStringList wrapped
            = room > 0 ? Wrap(row.value(columns.size() - 1), room, 0) : QStringList();
        if (room > 0)
            row[columns.size() - 1] = wrapped.first();
        lines.append(Line(columns, widths, row));
        for (qsizetype i = 1; i < wrapped.size(); ++i)
            lines.append(under + wrapped[i]);
    }
    return lines;
}

QStringList Wrap(const QString &text, int width, int indent)
{
    QStringList lines;
    QString line;
    const QString margin(indent, QLatin1Char(' '));
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int room = width - (lines.isEmpty() ? 0 : indent);
        if (!line.isEmpty() && DisplayWidth(line) + 1 + DisplayWidth(word) > room) {
            lines.append((lines.isEmpty() ? QString() : margin) + line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines.append((lines.isEmpty() ? QString() : margin) + line);
    return lines;
}

} // namespace cykl::companion
