// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/identity/res_file.h"

#include <QtEndian>

namespace cykl::test {

namespace {

constexpr qsizetype align4(qsizetype offset)
{
    return (offset + 3) & ~qsizetype(3);
}

// A zero-terminated UTF-16 string starting at offset; end receives the offset after it.
std::optional<QString> readString(const QByteArray &bytes, qsizetype offset, qsizetype *end)
{
    QString text;
    for (qsizetype at = offset; at + 2 <= bytes.size(); at += 2) {
        const quint16 unit = readWord(bytes, at);
        if (unit == 0) {
            *end = at + 2;
            return text;
        }
        text.append(QChar(unit));
    }
    return std::nullopt;
}

// A type or name field of a resource header: 0xFFFF and an ordinal, or a string.
std::optional<ResourceId> readId(const QByteArray &bytes, qsizetype offset, qsizetype *end)
{
    if (offset + 4 > bytes.size())
        return std::nullopt;
    if (readWord(bytes, offset) == 0xFFFF) {
        *end = offset + 4;
        return readWord(bytes, offset + 2);
    }
    return readString(bytes, offset, end);
}

// One resource at offset; next receives the offset of the following one.
std::optional<Resource> readResource(const QByteArray &bytes, qsizetype offset, qsizetype *next)
{
    if (offset + 8 > bytes.size())
        return std::nullopt;
    const qsizetype dataSize = readDword(bytes, offset);
    const qsizetype headerSize = readDword(bytes, offset + 4);
    qsizetype at = offset + 8;
    const auto type = readId(bytes, at, &at);
    const auto name = type ? readId(bytes, at, &at) : std::nullopt;
    at = align4(at);
    // Data version, memory flags, language, version, characteristics.
    if (!name || at + 16 != offset + headerSize || offset + headerSize + dataSize > bytes.size())
        return std::nullopt;
    *next = align4(offset + headerSize + dataSize);
    return Resource { *type, *name, readWord(bytes, at + 6),
                      bytes.mid(offset + headerSize, dataSize) };
}

// UTF-16 text up to its terminator or the end of the value.
QString textOf(const QByteArray &value)
{
    QString text;
    for (qsizetype at = 0; at + 2 <= value.size() && readWord(value, at) != 0; at += 2)
        text.append(QChar(readWord(value, at)));
    return text;
}

std::optional<VersionNode> readNode(const QByteArray &data, qsizetype offset, qsizetype *end);

bool readChildren(const QByteArray &data, qsizetype offset, qsizetype end, VersionNode *node)
{
    while (align4(offset) < end) {
        const auto child = readNode(data, align4(offset), &offset);
        if (!child)
            return false;
        node->children.append(*child);
    }
    return true;
}

std::optional<VersionNode> readNode(const QByteArray &data, qsizetype offset, qsizetype *end)
{
    if (offset + 6 > data.size())
        return std::nullopt;
    const qsizetype length = readWord(data, offset);
    const qsizetype valueLength = readWord(data, offset + 2);
    VersionNode node;
    node.isText = readWord(data, offset + 4) == 1;
    qsizetype at = offset + 6;
    const auto key = readString(data, at, &at);
    *end = offset + length;
    if (!key || length < 6 || *end > data.size())
        return std::nullopt;
    node.key = *key;
    // Text values count UTF-16 units, binary values count bytes.
    const qsizetype valueStart = align4(at);
    const qsizetype valueBytes = node.isText ? 2 * valueLength : valueLength;
    if (valueStart + valueBytes > *end)
        return std::nullopt;
    node.binary = data.mid(valueStart, valueBytes);
    if (node.isText)
        node.text = textOf(node.binary);
    if (!readChildren(data, valueStart + valueBytes, *end, &node))
        return std::nullopt;
    return node;
}

} // namespace

quint16 readWord(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 readDword(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

std::optional<QList<Resource>> readResFile(const QByteArray &bytes)
{
    QList<Resource> resources;
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        const auto resource = readResource(bytes, offset, &offset);
        if (!resource)
            return std::nullopt;
        resources.append(*resource);
    }
    // A .res file opens with an empty entry of type 0 and name 0.
    if (resources.isEmpty() || !resources.first().data.isEmpty())
        return std::nullopt;
    resources.removeFirst();
    return resources;
}

std::optional<VersionNode> readVersionRecord(const QByteArray &data)
{
    qsizetype end = 0;
    return readNode(data, 0, &end);
}

const VersionNode *VersionNode::child(const QString &childKey) const
{
    for (const VersionNode &node : children) {
        if (node.key == childKey)
            return &node;
    }
    return nullptr;
}

} // namespace cykl::test
