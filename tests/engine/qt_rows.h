// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of engine_rows.h as a Qt Test data table: one column, the row's index.
#pragma once

#include <QTest>
#include <cstddef>
#include <string>
#include <vector>

namespace cykl::test {

template<typename Row> void AddRows(const std::vector<Row> &rows)
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < rows.size(); ++i)
        QTest::newRow(rows[i].Name.c_str()) << static_cast<int>(i);
}

// The check of the current row: "" when it holds.
template<typename Row> std::string CheckRow(const std::vector<Row> &rows)
{
    QFETCH(int, row);
    return Check(rows.at(static_cast<std::size_t>(row)));
}

// Records the row as failed, with its check's words, unless failure is "".
inline void Expect(const std::string &failure)
{
    QVERIFY2(failure.empty(), failure.c_str());
}

} // namespace cykl::test
