// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/io/environment.h"

#include "lang/qt/said.h"

namespace cykl::companion {

int UsageError(Environment &environment, const QString &message)
{
    environment.Err((QStringLiteral("cyklometrika: ") + message + QLatin1Char('\n')
                     + Said("usage.help.pointer", environment.Language()) + QLatin1Char('\n'))
                        .toUtf8());
    return ExitUsage;
}

void Note(Environment &environment, const QString &text)
{
    environment.Err((QStringLiteral("cyklometrika: ") + text + QLatin1Char('\n')).toUtf8());
}

int WriteOutput(Environment &environment, const QString &path, const QByteArray &data)
{
    if (path.isEmpty() || path == QLatin1String("-")) {
        environment.Out(data);
        return ExitOk;
    }
    QString error;
    if (environment.WriteFile(path, data, error))
        return ExitOk;
    Note(environment,
         Said("output.file.failed", environment.Language(),
              { path.toStdString(), error.toStdString() }));
    return ExitOutputFailed;
}

} // namespace cykl::companion
