// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/identity/res_file.h"

#include <QtEndian>

namespace cykl::test {

namespace {

constexpr qsizetype Align4(qsizetype offset)
{
    return (offset + 3) & ~qsizetype(3);
}

// A zero-terminated UTF-16 string starting at offset; end receives the offset after it.
std::optional<QString> ReadString(const QByteArray &bytes, qsizetype offset, qsizetype *end)
{
    QString text;
    for (qsizetype at = offset; at + 2 <= bytes.size(); at += 2) {
        const quint16 unit = ReadWord(bytes, at);
        if (unit == 0) {
            *end = at + 2;
            return text;
        }
        text.append(QChar(unit));
    }
    return std::nullopt;
}

// A type or name field of a resource header: 0xFFFF and an ordinal, or a string.
std::optional<ResourceId> ReadId(const QByteArray &bytes, qsizetype offset, qsizetype *end)
{
    if (offset + 4 > bytes.size())
        return std::nullopt;
    if (ReadWord(bytes, offset) == 0xFFFF) {
        *end = offset + 4;
        return ReadWord(bytes, offset + 2);
    }
    return ReadString(bytes, offset, end);
}

// One resource at offset; next receives the offset of the following one.
std::optional<Resource> ReadResource(const QByteArray &bytes, qsizetype offset, qsizetype *next)
{
    if (offset + 8 > bytes.size())
        return std::nullopt;
    const qsizetype dataSize = ReadDword(bytes, offset);
    const qsizetype headerSize = ReadDword(bytes, offset + 4);
    qsizetype at = offset + 8;
    const auto type = ReadId(bytes, at, &at);
    const auto name = type ? ReadId(bytes, at, &at) : std::nullopt;
    at = Align4(at);
    // Data version, memory flags, language, version, characteristics.
    if (!name || at + 16 != offset + headerSize || offset + headerSize + dataSize > bytes.size())
        return std::nullopt;
    *next = Align4(offset + headerSize + dataSize);
    return Resource { *type, *name, ReadWord(bytes, at + 6),
                      bytes.mid(offset + headerSize, dataSize) };
}

// UTF-16 text up to its terminator or the end of the value.
QString TextOf(const QByteArray &value)
{
    QString text;
    for (qsizetype at = 0; at + 2 <= value.size() && ReadWord(value, at) != 0; at += 2)
        text.append(QChar(ReadWord(value, at)));
    return text;
}

std::optional<VersionNode> ReadNode(const QByteArray &data, qsizetype offset, qsizetype *end);

bool ReadChildren(const QByteArray &data, qsizetype offset, qsizetype end, VersionNode *node)
{
    while (Align4(offset) < end) {
        const auto child = ReadNode(data, Align4(offset), &offset);
        if (!child)
            return false;
        node->Children.append(*child);
    }
    return true;
}

std::optional<VersionNode> ReadNode(const QByteArray &data, qsizetype offset, qsizetype *end)
{
    if (offset + 6 > data.size())
        return std::nullopt;
    const qsizetype length = ReadWord(data, offset);
    const qsizetype valueLength = ReadWord(data, offset + 2);
    VersionNode node;
    node.IsText = ReadWord(data, offset + 4) == 1;
    qsizetype at = offset + 6;
    const auto key = ReadString(data, at, &at);
    *end = offset + length;
    if (!key || length < 6 || *end > data.size())
        return std::nullopt;
    node.Key = *key;
    // Text values count UTF-16 units, binary values count bytes.
    const qsizetype valueStart = Align4(at);
    const qsizetype valueBytes = node.IsText ? 2 * valueLength : valueLength;
    if (valueStart + valueBytes > *end)
        return std::nullopt;
    node.Binary = data.mid(valueStart, valueBytes);
    if (node.IsText)
        node.Text = TextOf(node.Binary);
    if (!ReadChildren(data, valueStart + valueBytes, *end, &node))
        return std::nullopt;
    return node;
}

} // namespace

quint16 ReadWord(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 ReadDword(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

std::optional<QList<Resource>> ReadResFile(const QByteArray &bytes)
{
    QList<Resource> resources;
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        const auto resource = ReadResource(bytes, offset, &offset);
        if (!resource)
            return std::nullopt;
        resources.append(*resource);
    }
    // A .res file opens with an empty entry of type 0 and name 0.
    if (resources.isEmpty() || !resources.first().Data.isEmpty())
        return std::nullopt;
    resources.removeFirst();
    return resources;
}

std::optional<VersionNode> ReadVersionRecord(const QByteArray &data)
{
    qsizetype end = 0;
    return ReadNode(data, 0, &end);
}

const VersionNode *VersionNode::child(const QString &childKey) const
{
    for (const VersionNode &node : Children) {
        if (node.Key == childKey)
            return &node;
    }
    return nullptr;
}

} // namespace cykl::test
