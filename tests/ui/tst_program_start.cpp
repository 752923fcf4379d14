// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start-up with its production effects: only the main window shows, in
// the unconfirmed state with today's date in the target fields, no setting of the
// program's own is left in the environment its child processes inherit, and closing the
// window ends the window loop with exit code 0.
#include "ui/application.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

constexpr const char *RegularExpressionSetting = "QT_ENABLE_REGEXP_JIT";

QStringList Check(QWidget &form, const QDate &today, bool settingGiven)
{
    QStringList problems;
    if (!settingGiven && qEnvironmentVariableIsSet(RegularExpressionSetting))
        problems << QStringLiteral(
            "a setting of the program's own reaches the processes it starts");
    int visible = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        visible += widget->isVisible() ? 1 : 0;
    if (visible != 1 || !form.isVisible())
        problems
            << QStringLiteral("%1 windows visible instead of the main window alone").arg(visible);
    const QString expected[3] = { QString::number(today.day()), QString::number(today.month()),
                                  QString::number(today.year()) };
    for (int i = 0; i < 3; ++i) {
        const auto *field = form.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(i + 4));
        if (!field || field->text() != expected[i])
            problems << QStringLiteral("Text%1 does not hold today's date").arg(i + 4);
    }
    const auto *command1 = form.findChild<QPushButton *>(QStringLiteral("Command1"));
    if (!command1 || command1->text() != QStringLiteral("Potvrzeni dat"))
        problems << QStringLiteral("Command1 is not unconfirmed");
    if (form.windowTitle() != QStringLiteral("Cyklometrika"))
        problems << QStringLiteral("the title is %1").arg(form.windowTitle());
    return problems;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList problems;
    QDate today;
    const bool settingGiven = qEnvironmentVariableIsSet(RegularExpressionSetting);
    const int exitCode = cykl::RunProgram(argc, argv, [&](QWidget &form) {
        today = QDate::currentDate();
        QTimer::singleShot(0, &form, [&] {
            problems = Check(form, today, settingGiven);
            form.close(); // the last window: the window loop ends
        });
    });
    if (exitCode != 0)
        problems << QStringLiteral("exit code %1").arg(exitCode);
    for (const QString &problem : problems)
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(problem));
    if (problems.isEmpty())
        std::puts("PASS: the program starts with the main window alone and ends when it closes");
    return problems.isEmpty() ? 0 : 1;
}
