// SPDX-License-Identifier: GPL-3.0-or-later
// The decimal paths through the C library, which the WebAssembly build uses, against the
// standard library's std::from_chars and std::to_chars, which the native build uses: the
// same text must give the same double and the same double the same text.
#include "calc/number_text.h"

#include <QTest>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

using namespace cykl;

namespace {

std::string Native(double value)
{
    std::array<char, 64> text {};
    return { text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr };
}

std::string Portable(double value)
{
    std::array<char, 400> text {};
    return { text.data(), WriteShortestPortable(text.data(), text.data() + text.size(), value) };
}

// The C library's result and the standard library's, as (error, value) pairs.
void CompareRead(const std::string &text)
{
    double native = -7;
    double portable = -7;
    const auto nativeError = std::from_chars(text.data(), text.data() + text.size(), native).ec;
    const auto portableError = ReadDecimalPortable(text, portable);
    QCOMPARE(portableError, nativeError);
    QCOMPARE(std::bit_cast<std::uint64_t>(portable), std::bit_cast<std::uint64_t>(native));
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void readDecimal_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : { "0",
                                  "7",
                                  "-7",
                                  "1.5",
                                  "0.1",
                                  ".5",
                                  "5.",
                                  "1e3",
                                  "1E+3",
                                  "3e-2",
                                  "0e999",
                                  "1e400",
                                  "-1e400",
                                  "1e-400",
                                  "1e-310",
                                  "2.4e-324",
                                  "2.5e-324",
                                  "4.9e-324",
                                  "1.7976931348623158e308",
                                  "1.7976931348623159e308",
                                  "9007199254740993",
                                  "123456789012345678901234567890",
                                  "0.000000000000000000000000000001",
                                  "2.2250738585072011e-308",
                                  "0.30000000000000004" })
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void readDecimal()
    {
        QFETCH(QString, text);
        CompareRead(text.toStdString());
    }

    void writeShortest_data()
    {
        QTest::addColumn<double>("value");
        const double values[] = { 0.0,
                                  -0.0,
                                  1,
                                  -1,
                                  0.1,
                                  0.3,
                                  1.0 / 3,
                                  100,
                                  1e15,
                                  1e16,
                                  1e21,
                                  1e22,
                                  1e23,
                                  123456789012345680000.0,
                                  9223372036854775808.0,
                                  1.5e300,
                                  5e-324,
                                  1e-7,
                                  0.0001,
                                  0.00001,
                                  1234.5678,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity() };
        for (const double value : values)
            QTest::newRow(Native(value).c_str()) << value;
    }
    void writeShortest()
    {
        QFETCH(double, value);
        QCOMPARE(QString::fromStdString(Portable(value)), QString::fromStdString(Native(value)));
    }

    // Random doubles of every magnitude, and their texts read back.
    void randomDoubles()
    {
        std::mt19937_64 bits(17);
        for (int i = 0; i < 20000; ++i) {
            const double value = std::bit_cast<double>(bits());
            if (!std::isfinite(value))
                continue;
            const std::string text = Native(value);
            QCOMPARE(QString::fromStdString(Portable(value)), QString::fromStdString(text));
            CompareRead(text);
        }
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
