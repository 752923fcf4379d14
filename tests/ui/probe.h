// SPDX-License-Identifier: GPL-3.0-or-later
// Reaching the controls of Form1 by their names, and reading what the charts show.
#pragma once

#include "platform/chart_widget.h"
#include "ui/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace cykl::test {

inline QLineEdit *Field(const QWidget &form, int n)
{
    return form.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(n));
}

inline QPushButton *Button(const QWidget &form, const char *name)
{
    return form.findChild<QPushButton *>(QString::fromLatin1(name));
}

inline ChartWidget *Chart(const QWidget &form, const char *name)
{
    return form.findChild<ChartWidget *>(QString::fromLatin1(name));
}

// The values of the bars, in the order of the bars, as the chart shows them.
inline QList<qreal> BarValues(const ChartWidget &chart)
{
    QList<qreal> values;
    const ChartModel &shown = chart.Shown();
    for (int set = 0; set < shown.Sets(); ++set)
        for (int point = 0; point < shown.Points(); ++point)
            values.append(shown.Value(set, point).value_or(0.0));
    return values;
}

// The curves of a line chart as it shows them: each set's written values at their days.
inline QList<QList<QPointF>> Curves(const ChartWidget &chart)
{
    QList<QList<QPointF>> curves;
    const ChartModel &shown = chart.Shown();
    for (int set = 0; set < shown.Sets(); ++set) {
        QList<QPointF> curve;
        for (int point = 0; point < shown.Points(); ++point)
            if (const auto value = shown.Value(set, point))
                curve.append(QPointF(point + 1, *value));
        if (!curve.isEmpty())
            curves.append(curve);
    }
    return curves;
}

// Types the text into field n with real key events.
inline void Type(const QWidget &form, int n, const QString &text)
{
    QLineEdit *field = Field(form, n);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

inline void TypeDates(const QWidget &form, const QStringList &six)
{
    for (int n = 1; n <= 6; ++n)
        Type(form, n, six.at(n - 1));
}

inline int VisibleTopLevels()
{
    int visible = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        visible += widget->isVisible() ? 1 : 0;
    return visible;
}

} // namespace cykl::test
