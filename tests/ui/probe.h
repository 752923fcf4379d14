// SPDX-License-Identifier: GPL-3.0-or-later
// Reaching the controls of Form1 by their names, and reading what the charts show.
#pragma once

#include "platform/chart_widget.h"
#include "ui/form1.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
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

// The values of the bars, in the order of the bars.
inline QList<qreal> BarValues(const ChartWidget &chart)
{
    QList<qreal> values;
    for (const auto *series : chart.findChild<QChartView *>()->chart()->series())
        if (const auto *bars = qobject_cast<const QBarSeries *>(series))
            for (const QBarSet *set : bars->barSets())
                for (int i = 0; i < set->count(); ++i)
                    values.append(set->at(i));
    return values;
}

// The curves of a line chart: every line series with more than the two points of an axis.
inline QList<QList<QPointF>> Curves(const ChartWidget &chart)
{
    QList<QList<QPointF>> curves;
    for (const auto *series : chart.findChild<QChartView *>()->chart()->series())
        if (const auto *line = qobject_cast<const QLineSeries *>(series); line && line->count() > 2)
            curves.append(line->points());
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
