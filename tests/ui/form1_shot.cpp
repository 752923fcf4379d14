// SPDX-License-Identifier: GPL-3.0-or-later
// Not a test: draws the main window in its start state and after the worked example
// (birth 10 1 1996, target 5 3 1996) and saves both pictures as PNG files.
// Usage: form1_shot <output directory>
#include "fakes.h"
#include "probe.h"

#include <QDir>
#include <QSignalSpy>
#include <cstdio>

using namespace cykl;
using namespace cykl::test;

namespace {

bool Save(QWidget &window, const QDir &dir, const QString &name)
{
    QCoreApplication::processEvents();
    const QString path = dir.filePath(name);
    if (!window.grab().save(path))
        return false;
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    Seams seams;
    seams.Clock.Date = QDate::currentDate();
    Form1 form(seams.For());
    form.show();
    if (!QTest::qWaitForWindowExposed(&form) || !Save(form, dir, "cyklometrika-start.png"))
        return 1;
    TypeDates(form, { "10", "1", "1996", "5", "3", "1996" });
    QTest::mouseClick(Button(form, "Command1"), Qt::LeftButton);
    return Save(form, dir, "cyklometrika-confirmed.png") ? 0 : 1;
}
