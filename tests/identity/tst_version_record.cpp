// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the icon group and version record of CYKL.exe byte by byte: on Linux as the MinGW
// resource compiler compiles the resource script, on Windows as the built executable
// holds them (read through the system's own resource calls).
#include "tests/identity/res_file.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using cykl::test::ReadDword;
using cykl::test::ReadWord;
using cykl::test::Resource;
using cykl::test::ResourceId;
using cykl::test::VersionNode;

namespace {

constexpr quint16 RtIcon = 3;
constexpr quint16 RtGroupIcon = 14;
constexpr quint16 RtVersion = 16;

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#ifndef Q_OS_WIN
// The compiler's own preprocessor comes with the cross compiler; the host's will do.
std::optional<QStringList> WindresArguments()
{
    if (!QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-gcc")).isEmpty())
        return QStringList();
    const QString cpp = QStandardPaths::findExecutable(QStringLiteral("cpp"));
    if (cpp.isEmpty())
        return std::nullopt;
    return QStringList { QStringLiteral("--preprocessor=") + cpp,
                         QStringLiteral("--preprocessor-arg=-DRC_INVOKED") };
}

#endif

} // namespace

class TestVersionRecord : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyTheExpectedResources();
    void iconGroup();
    void iconImage();
    void fixedFileInfo_data();
    void fixedFileInfo();
    void stringTable_data();
    void stringTable();
    void stringTableHasNoOtherKeys();
    void translation();

private:
    void readVersion();
    const Resource *find(quint16 type, quint16 name) const;
    const VersionNode &strings() const;

    QList<Resource> resources_;
    VersionNode version_;
};

#ifdef Q_OS_WIN
void TestVersionRecord::initTestCase()
{
    const auto resources = cykl::test::ReadExecutableResources(QStringLiteral(CYKL_EXE));
    QVERIFY2(resources, "the resources of CYKL.exe cannot be read");
    resources_ = *resources;
    readVersion();
}
#else
void TestVersionRecord::initTestCase()
{
    const QString windres
        = QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-windres"));
    if (windres.isEmpty())
        QSKIP("x86_64-w64-mingw32-windres is missing (Debian package binutils-mingw-w64-x86-64)");
    const auto extra = WindresArguments();
    if (!extra)
        QSKIP("no C preprocessor for x86_64-w64-mingw32-windres");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString res = dir.filePath(QStringLiteral("CYKL.res"));
    QProcess process;
    process.start(windres,
                  *extra
                      + QStringList { "-I", CYKL_ICON_DIR, CYKL_RC_FILE, "-O", "res", "-o", res });
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());

    const auto resources = cykl::test::ReadResFile(ReadAll(res));
    QVERIFY2(resources, "the compiled .res file is malformed");
    resources_ = *resources;
    readVersion();
}
#endif

void TestVersionRecord::readVersion()
{
    const Resource *version = find(RtVersion, 1);
    QVERIFY2(version, "no version record 1");
    const auto root = cykl::test::ReadVersionRecord(version->Data);
    QVERIFY2(root, "the version record is malformed");
    version_ = *root;
    QCOMPARE(version_.Key, QStringLiteral("VS_VERSION_INFO"));
}

const Resource *TestVersionRecord::find(quint16 type, quint16 name) const
{
    for (const Resource &resource : resources_) {
        if (resource.Type == ResourceId(type) && resource.Name == ResourceId(name))
            return &resource;
    }
    return nullptr;
}

const VersionNode &TestVersionRecord::strings() const
{
    static const VersionNode none;
    const VersionNode *info = version_.child(QStringLiteral("StringFileInfo"));
    const VersionNode *table = info ? info->child(QStringLiteral("040904B0")) : nullptr;
    return table ? *table : none;
}

void TestVersionRecord::onlyTheExpectedResources()
{
    QList<std::pair<ResourceId, ResourceId>> ids;
    for (const Resource &resource : resources_) {
        ids.append({ resource.Type, resource.Name });
        QCOMPARE(resource.Language, quint16(0x0409));
    }
    const QList<std::pair<ResourceId, ResourceId>> expected { { RtIcon, quint16(30001) },
                                                              { RtGroupIcon, quint16(1) },
                                                              { RtVersion, quint16(1) } };
    QCOMPARE(ids, expected);
}

void TestVersionRecord::iconGroup()
{
    const Resource *group = find(RtGroupIcon, 1);
    QVERIFY(group);
    QCOMPARE(group->Data.size(), 6 + 14);
    QCOMPARE(ReadWord(group->Data, 0), quint16(0)); // reserved
    QCOMPARE(ReadWord(group->Data, 2), quint16(1)); // icons
    QCOMPARE(ReadWord(group->Data, 4), quint16(1)); // one image
    QCOMPARE(quint8(group->Data[6]), quint8(32)); // width
    QCOMPARE(quint8(group->Data[7]), quint8(32)); // height
    QCOMPARE(quint8(group->Data[8]), quint8(16)); // colours
    QCOMPARE(ReadWord(group->Data, 10), quint16(1)); // planes
    QCOMPARE(ReadWord(group->Data, 12), quint16(4)); // bits per pixel
    QCOMPARE(ReadDword(group->Data, 14), quint32(744)); // bytes of the image
    QCOMPARE(ReadWord(group->Data, 18), quint16(30001)); // the image's id
}

void TestVersionRecord::iconImage()
{
    const Resource *image = find(RtIcon, 30001);
    QVERIFY(image);
    QCOMPARE(image->Data.size(), 744);
    QCOMPARE(ReadDword(image->Data, 0), quint32(40)); // header size
    QCOMPARE(ReadDword(image->Data, 4), quint32(32)); // width
    QCOMPARE(ReadDword(image->Data, 8), quint32(64)); // colour mask and AND mask
    QCOMPARE(ReadWord(image->Data, 14), quint16(4)); // bits per pixel
    QCOMPARE(image->Data, ReadAll(QStringLiteral(CYKL_ICON_DIR "/CYKL_icon_30001.bin")));
}

void TestVersionRecord::fixedFileInfo_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<quint32>("value");
    QTest::newRow("signature") << 0 << quint32(0xFEEF04BD);
    QTest::newRow("structure version") << 4 << quint32(0x00010000);
    QTest::newRow("file version 1.0") << 8 << quint32(0x00010000);
    QTest::newRow("file version .0.0") << 12 << quint32(0);
    QTest::newRow("product version 1.0") << 16 << quint32(0x00010000);
    QTest::newRow("product version .0.0") << 20 << quint32(0);
    QTest::newRow("flags mask") << 24 << quint32(0x3F);
    QTest::newRow("no flags") << 28 << quint32(0);
    QTest::newRow("32-bit Windows") << 32 << quint32(0x4);
    QTest::newRow("application") << 36 << quint32(0x1);
    QTest::newRow("no subtype") << 40 << quint32(0);
}

void TestVersionRecord::fixedFileInfo()
{
    QFETCH(int, offset);
    QFETCH(quint32, value);
    QCOMPARE(version_.Binary.size(), 52);
    QCOMPARE(ReadDword(version_.Binary, offset), value);
}

void TestVersionRecord::stringTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("ProductName") << "ProductName"
                                 << "CYKLOMETRIKA";
    QTest::newRow("FileVersion") << "FileVersion"
                                 << "1.00";
    QTest::newRow("ProductVersion") << "ProductVersion"
                                    << "1.00";
    QTest::newRow("InternalName") << "InternalName"
                                  << "CYKL";
    QTest::newRow("OriginalFilename") << "OriginalFilename"
                                      << "CYKL.exe";
}

void TestVersionRecord::stringTable()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const VersionNode *entry = strings().child(key);
    QVERIFY2(entry, qPrintable(key));
    QVERIFY(entry->IsText);
    QCOMPARE(entry->Text, value);
}

void TestVersionRecord::stringTableHasNoOtherKeys()
{
    QStringList keys;
    for (const VersionNode &entry : strings().Children)
        keys.append(entry.Key);
    QCOMPARE(keys,
             QStringList({ "ProductName", "FileVersion", "ProductVersion", "InternalName",
                           "OriginalFilename" }));
    const VersionNode *info = version_.child(QStringLiteral("StringFileInfo"));
    QVERIFY(info);
    QCOMPARE(info->Children.size(), 1);
}

void TestVersionRecord::translation()
{
    const VersionNode *vars = version_.child(QStringLiteral("VarFileInfo"));
    QVERIFY(vars);
    QCOMPARE(vars->Children.size(), 1);
    const VersionNode *translation = vars->child(QStringLiteral("Translation"));
    QVERIFY(translation);
    QVERIFY(!translation->IsText);
    QCOMPARE(translation->Binary, QByteArray::fromHex("0904b004"));
}

QTEST_GUILESS_MAIN(TestVersionRecord)
#include "tst_version_record.moc"
