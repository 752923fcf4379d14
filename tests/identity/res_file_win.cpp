// SPDX-License-Identifier: GPL-3.0-or-later
// The resources of a Windows executable, as Windows itself reads them: the same records
// that Explorer shows in the file's properties and uses for its icon.
#include "tests/identity/res_file.h"

#include <windows.h>

namespace cykl::test {

namespace {

ResourceId IdOf(LPCWSTR id)
{
    if (IS_INTRESOURCE(id))
        return quint16(reinterpret_cast<quintptr>(id));
    return QString::fromWCharArray(id);
}

struct Enumeration {
    QList<Resource> Resources;
};

BOOL CALLBACK OnLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                         LONG_PTR context)
{
    auto &enumeration = *reinterpret_cast<Enumeration *>(context);
    const HRSRC found = FindResourceExW(module, type, name, language);
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return FALSE;
    enumeration.Resources.append(
        { IdOf(type), IdOf(name), language,
          QByteArray(static_cast<const char *>(data), int(SizeofResource(module, found))) });
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR context)
{
    return EnumResourceLanguagesW(module, type, name, OnLanguage, context);
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR context)
{
    return EnumResourceNamesW(module, type, OnName, context);
}

} // namespace

std::optional<QList<Resource>> ReadExecutableResources(const QString &path)
{
    const std::wstring file = path.toStdWString();
    const HMODULE module = LoadLibraryExW(
        file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr)
        return std::nullopt;
    Enumeration enumeration;
    const bool read
        = EnumResourceTypesW(module, OnType, reinterpret_cast<LONG_PTR>(&enumeration)) != FALSE;
    FreeLibrary(module);
    if (!read)
        return std::nullopt;
    return enumeration.Resources;
}

} // namespace cykl::test
