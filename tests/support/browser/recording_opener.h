// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's opener of last resort, for the tests of the home-page link: it keeps every
// address it was given and answers as it was told.
#pragma once

#include "platform/effects.h"

#include <QList>
#include <QUrl>

namespace cykl::test {

class RecordingOpener final : public UrlOpener {
public:
    explicit RecordingOpener(bool result = true) : result_(result) { }
    bool OpenUrl(const QUrl &url) override
    {
        Opened << url;
        return result_;
    }
    QList<QUrl> Opened;

private:
    bool result_;
};

} // namespace cykl::test
