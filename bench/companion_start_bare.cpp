// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for a whole run of the companion command: a bare Qt Core program that
// starts, prints one line and ends.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    std::puts("Cyklometrika");
    return 0;
}
