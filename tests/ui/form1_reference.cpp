// SPDX-License-Identifier: GPL-3.0-or-later
// Not a test: saves the main window in each state of window_cases.h as <name>.png, the
// pictures tst_form1_look compares the window with.
// Usage: form1_reference <output directory>
#include "window_cases.h"

#include <QDir>
#include <cstdio>

using namespace cykl;
using namespace cykl::test;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    for (const auto &windowCase : WindowCases()) {
        Seams seams;
        Form1 form(seams.For());
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return 1;
        Enter(form, windowCase);
        QCoreApplication::processEvents();
        const QString path = dir.filePath(QString::fromLatin1(windowCase.Name) + ".png");
        if (!form.grab().save(path))
            return 1;
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
