// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the chart module: makes the application object the fonts need, draws the
// picture and hands it to the command, which writes it as it writes every output. Nothing
// is ever shown: on Linux the off-screen platform serves (no display is needed); on
// Windows the system's own platform does, which has the fonts.
#include "companion/chart/chart_picture.h"
#include "companion/shared/chart_job.h"
#include "lang/qt/said.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void SetError(CyklometrikaChartJob *job, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::size_t size
        = std::min<std::size_t>(static_cast<std::size_t>(utf8.size()), sizeof job->Error - 1);
    std::memcpy(job->Error, utf8.constData(), size);
    job->Error[size] = '\0';
}

// Qt's own notes on its set-up (a missing runtime folder, fonts...) are no news to the
// user of a command; only its errors get through to standard error.
void QuietNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

extern "C" Q_DECL_EXPORT int cyklometrika_draw_chart(CyklometrikaChartJob *job)
{
    if (job == nullptr || job->Version != cykl::companion::ChartJobVersion || job->Write == nullptr)
        return 1;
    const QtMessageHandler previous = qInstallMessageHandler(QuietNotes);
    const auto restore = qScopeGuard([previous] { qInstallMessageHandler(previous); });
    std::unique_ptr<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
#ifndef Q_OS_WIN
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        static int argc = 1;
        static char name[] = "cyklometrika";
        static char *argv[] = { name, nullptr };
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    std::array<int, 6> fields {};
    std::copy(job->Fields, job->Fields + 6, fields.begin());
    const QString kind = QString::fromLatin1(job->Kind);
    const QString name = QString::fromUtf8(job->Name != nullptr ? job->Name : "");
    std::optional<cykl::chart_picture::WithPerson> with;
    if (job->WithBirth[2] != 0)
        with = { { job->WithBirth[0], job->WithBirth[1], job->WithBirth[2] },
                 QString::fromUtf8(job->WithName != nullptr ? job->WithName : "") };
    const auto lang
        = job->Language == static_cast<int>(cykl::Lang::En) ? cykl::Lang::En : cykl::Lang::Cs;
    const QByteArray bytes = cykl::chart_picture::Picture(fields, name, with, lang).Render(kind);
    if (bytes.isEmpty()) {
        SetError(job, cykl::Said("report.chart.unknown.kind", lang, { kind.toStdString() }));
        return 1;
    }
    return job->Write(job, bytes.constData(), bytes.size());
}
