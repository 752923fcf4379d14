// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/environment.h"

namespace cykl::companion {

int UsageError(Environment &environment, const QString &message)
{
    environment.Err((QStringLiteral("cyklometrika: ") + message
                     + QStringLiteral("\nNápověda: cyklometrika --help\n"))
                        .toUtf8());
    return ExitUsage;
}

} // namespace cykl::companion
