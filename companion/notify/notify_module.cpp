// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the notification module: each notice to the desktop's notification service
// (org.freedesktop.Notifications) on the session bus, with the program's name, icon and
// desktop entry.
#include "companion/shared/notify_job.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QScopeGuard>
#include <QVariantMap>
#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int ReplyMilliseconds = 10000;
constexpr uchar NormalUrgency = 1;
constexpr uchar CriticalUrgency = 2;

void SetError(CyklometrikaNotifyJob *job, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::size_t size
        = std::min<std::size_t>(static_cast<std::size_t>(utf8.size()), sizeof job->Error - 1);
    std::memcpy(job->Error, utf8.constData(), size);
    job->Error[size] = '\0';
}

QDBusMessage NotifyCall(const CyklometrikaNotice &notice)
{
    using namespace cykl::companion;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints {
        { QStringLiteral("urgency"),
          QVariant::fromValue(notice.Critical != 0 ? CriticalUrgency : NormalUrgency) },
        { QStringLiteral("desktop-entry"), QString::fromLatin1(NotifyDesktopEntry) },
    };
    call << QString::fromLatin1(NotifyAppName) << 0U << QString::fromLatin1(NotifyIcon)
         << QString::fromUtf8(notice.Summary) << QString::fromUtf8(notice.Body) << QStringList()
         << hints << -1;
    return call;
}

} // namespace

extern "C" Q_DECL_EXPORT int cyklometrika_notify(CyklometrikaNotifyJob *job)
{
    if (job == nullptr || job->Version != cykl::companion::NotifyJobVersion)
        return 1;
    // The bus's connection lives on a thread of Qt's own, which needs the application object.
    std::unique_ptr<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "cyklometrika";
        static char *argv[] = { name, nullptr };
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const auto close = qScopeGuard(
        [] { QDBusConnection::disconnectFromBus(QStringLiteral("qt_default_session_bus")); });
    if (!bus.isConnected()) {
        SetError(job,
                 QStringLiteral("sezení nemá sběrnici D-Bus (%1)").arg(bus.lastError().message()));
        return 1;
    }
    for (int i = 0; i < job->Count; ++i) {
        const QDBusMessage reply
            = bus.call(NotifyCall(job->Notices[i]), QDBus::Block, ReplyMilliseconds);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            SetError(job,
                     QStringLiteral("služba upozornění neodpovídá (%1)").arg(reply.errorMessage()));
            return 1;
        }
    }
    return 0;
}
