// SPDX-License-Identifier: GPL-3.0-or-later
// The one entry of the notification module, which the companion command loads at run time
// only for upozornit: the other commands never load the bus libraries.
#pragma once

extern "C" {

struct CyklometrikaNotice {
    const char *Summary; // UTF-8
    const char *Body; // UTF-8, plain text
    int Critical; // nonzero: critical urgency
    int Shown; // set by the module: nonzero once the notification service took the notice
};

struct CyklometrikaNotifyJob {
    int Version; // NotifyJobVersion
    CyklometrikaNotice *Notices;
    int Count;
    // The whole run, from connecting to the last answer, ends by this time whatever the
    // service does: what has not been answered by then is not shown.
    int DeadlineMilliseconds;
    char Error[512]; // on failure, why (UTF-8, zero-terminated)
    int Language; // the language of Error: a cykl::Lang
};

// Shows the notices on the desktop; 0 when the notification service took every one.
typedef int (*CyklometrikaNotify)(CyklometrikaNotifyJob *job);
}

namespace cykl::companion {

inline constexpr int NotifyJobVersion = 3;
inline constexpr const char *NotifyModuleName = "cyklometrika-notify";
inline constexpr const char *NotifyEntryName = "cyklometrika_notify";
// Who the notifications are from: the program's name, its icon and its desktop entry.
inline constexpr const char *NotifyAppName = "Cyklometrika";
inline constexpr const char *NotifyIcon = "cyklometrika";
inline constexpr const char *NotifyDesktopEntry = "io.github.cyklometrika.Cyklometrika";

} // namespace cykl::companion
