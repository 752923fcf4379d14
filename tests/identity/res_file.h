// SPDX-License-Identifier: GPL-3.0-or-later
// Reader for compiled Windows resource files (.res) and the version record inside them,
// enough to check what the resource script of CYKL.exe produces.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <variant>

namespace cykl::test {

// A resource type or name: an ordinal or a string.
using ResourceId = std::variant<quint16, QString>;

struct Resource {
    ResourceId Type;
    ResourceId Name;
    quint16 Language = 0;
    QByteArray Data;
};

// The resources of a .res file in file order, without the empty leading entry;
// nothing when the file is malformed.
std::optional<QList<Resource>> ReadResFile(const QByteArray &bytes);

// One node of a version record: a key, its value (text values decoded into text) and
// its children.
struct VersionNode {
    QString Key;
    bool IsText = false;
    QString Text;
    QByteArray Binary;
    QList<VersionNode> Children;

    const VersionNode *child(const QString &childKey) const;
};

#ifdef _WIN32
// The resources of an executable, read by Windows itself, ordered by type, name and
// language as Windows enumerates them; nothing when it cannot be loaded.
std::optional<QList<Resource>> ReadExecutableResources(const QString &path);
#endif

// The root node (VS_VERSION_INFO) of a version resource; nothing when malformed.
std::optional<VersionNode> ReadVersionRecord(const QByteArray &data);

quint16 ReadWord(const QByteArray &bytes, qsizetype offset);
quint32 ReadDword(const QByteArray &bytes, qsizetype offset);

} // namespace cykl::test
