// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the program's start-up: a bare Qt Widgets program with the main
// window's size, menu bar, font, frames, fields, legend lines and buttons, and no chart at
// all, so that the program's start beyond it is what its charts cost.
#include "bench/first_paint.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

void AddDateFrame(QWidget &client, const QString &caption, int left)
{
    auto *frame = new QGroupBox(caption, &client);
    frame->setGeometry(left, 8, 161, 113);
    const char *rows[] = { "Den", "Mesíc", "Rok" };
    for (int row = 0; row < 3; ++row) {
        (new QLabel(QString::fromUtf8(rows[row]), frame))->setGeometry(16, 24 + 24 * row, 65, 17);
        (new QLineEdit(frame))->setGeometry(64, 24 + 24 * row, 81, 19);
    }
    auto *line = new QFrame(frame);
    line->setGeometry(8, 103, 136, 2);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(QPalette::WindowText);
}

void AddLegend(QWidget &client, const QString &caption, int top, QColor colour)
{
    auto *frame = new QGroupBox(caption, &client);
    frame->setGeometry(352, top, 121, 33);
    auto *line = new QFrame(frame);
    line->setGeometry(16, 22, 88, 4);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool liberation = QFontDatabase::families().contains(QStringLiteral("Liberation Sans"));
    QFont font(liberation ? QStringLiteral("Liberation Sans") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    QApplication::setFont(font);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Cyklometrika"));
    for (const char *item : { "&Konec", "&Verze", "" })
        window.menuBar()->addAction(QString::fromUtf8(item));
    auto *client = new QWidget;
    client->setFixedSize(588, 278);
    AddDateFrame(*client, QStringLiteral("Datum Vaseho narození"), 16);
    AddDateFrame(*client, QStringLiteral("Na který den "), 184);
    AddLegend(*client, QStringLiteral("Fyzická kondice"), 8, QColor(0, 0, 255));
    AddLegend(*client, QStringLiteral("Citová vnímavost"), 48, QColor(0, 255, 0));
    AddLegend(*client, QStringLiteral("Síla intelektu"), 88, QColor(0, 255, 255));
    (new QPushButton(QStringLiteral("Potvrzeni dat"), client))->setGeometry(480, 200, 97, 33);
    (new QPushButton(QStringLiteral("file:///usr/share/cyklometrika/index.html"), client))
        ->setGeometry(16, 240, 561, 25);
    window.setCentralWidget(client);
    new cykl::bench::FirstPaint(window);
    window.show();
    return QApplication::exec();
}
