// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the browser layer's errors, each written once here. They reach the user
// inside the home-page button's error report.
#pragma once

#include "browser/browser.h"

#include <QString>

namespace cykl::browser_text {

// The two time limits: of a reply, and of a command the browser does not take in.
inline constexpr char NoAnswerInTime[] = "Prohlížeč neodpověděl včas.";
inline constexpr char RefusesCommands[] = "Prohlížeč nepřijímá příkazy (vypršel časový limit).";

// The connection and its messages.
inline constexpr char ConnectionClosed[] = "Prohlížeč ukončil spojení.";
inline constexpr char CommandNotTaken[] = "Prohlížeč nepřijal příkaz";
inline constexpr char ReplyUnreadable[] = "Odpověď prohlížeče nelze přečíst";
inline constexpr char MessageTooLong[] = "Zpráva prohlížeče je příliš dlouhá.";
inline constexpr char MessageUnreadable[] = "Prohlížeč poslal nečitelnou zprávu.";
inline constexpr char NoPageAttached[] = "Prohlížeč nepřipojil stránku.";
inline constexpr char NoLongerRunning[] = "Prohlížeč už neběží.";

// Finding, preparing and starting the browser.
inline constexpr char NoneInstalled[] = "Na tomto počítači není prohlížeč z rodiny Chromium.";
inline constexpr char NoProfile[] = "Nelze vytvořit dočasný profil prohlížeče.";
inline constexpr char NoConnection[] = "Nelze vytvořit spojení s prohlížečem";
inline constexpr char CannotPrepare[] = "Nelze připravit prohlížeč";
inline constexpr char CannotOpen[] = "Nelze otevřít %1";
inline constexpr char CannotStart[] = "Prohlížeč %1 nelze spustit";
inline constexpr char CannotWait[] = "Nelze čekat na prohlížeč.";

// "<what>: <the system's reason>"
inline BrowserError Failure(const QString &what, const QString &reason)
{
    return BrowserError(QStringLiteral("%1: %2").arg(what, reason).toStdString());
}

} // namespace cykl::browser_text
