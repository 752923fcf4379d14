// SPDX-License-Identifier: GPL-3.0-or-later
// A PNG file of an opaque image, written for speed: 8-bit RGB rows without a filter,
// compressed by zlib's fastest level, with the image's resolution and UTF-8 texts. A chart
// is mostly long runs of one colour, which that compresses as well as the adaptive
// filters of a general writer do, in a third of the time.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <utility>

namespace cykl::chart_picture {

// texts: keyword (Latin-1 letters) and text (any Unicode).
QByteArray PngFile(const QImage &image, const QList<std::pair<QString, QString>> &texts);

} // namespace cykl::chart_picture
