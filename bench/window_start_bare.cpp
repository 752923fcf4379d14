// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the program's start-up: a bare Qt program that shows an empty window of
// the main window's size with two chart views of the sizes of Graph1 and Graph2.
#include "bench/first_paint.h"

#include <QApplication>
#include <QChart>
#include <QChartView>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(588, 300);
    auto *graph1 = new QChartView(new QChart, &window);
    graph1->setGeometry(16, 150, 457, 105);
    auto *graph2 = new QChartView(new QChart, &window);
    graph2->setGeometry(480, 38, 97, 177);
    new cykl::bench::FirstPaint(window);
    window.show();
    return QApplication::exec();
}
