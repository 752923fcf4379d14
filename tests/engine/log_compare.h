// SPDX-License-Identifier: GPL-3.0-or-later
// Log lines as QStringList, so that QCOMPARE shows the first line that differs.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

inline QStringList ToQStringList(const std::vector<std::string> &lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string &line : lines)
        list.append(QString::fromStdString(line));
    return list;
}

template<typename T> QList<int> ToIntList(const std::vector<T> &values)
{
    QList<int> list;
    for (const T value : values)
        list.append(static_cast<int>(value));
    return list;
}
