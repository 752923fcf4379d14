// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation on its own: field reading, the checks and their order, the day count,
// and the day-of-month check, through a recording Port.
#include "calc/chain.h"
#include "log_compare.h"
#include "tests/support/recorders.h"

#include <QTest>
#include <cmath>
#include <string>

using namespace cykl;
using namespace cykl::test;

namespace {

struct Run {
    EventLog Log;
    FixedFields Texts;
    RecordingPort Recorder { Log, Texts };
    Main State;

    void Confirm(const QStringList &texts)
    {
        for (int i = 0; i < 6; ++i)
            Texts.Set(i + 1, texts.value(i).toStdString());
        ConfirmInput(State, Recorder);
    }
    bool CountDaysRan() const { return State.MonthLength.IsBuilt(); }
    bool FirstSetUp() const
    {
        for (const Event &e : Log.Events()) {
            if (e.Kind == EventKind::SetUp)
                return true;
        }
        return false;
    }
};

QStringList Fields(const QString &text)
{
    return text.split(QLatin1Char('|'));
}

} // namespace

class TestCalc : public QObject {
    Q_OBJECT
private slots:
    void readNumber_data();
    void readNumber();
    void confirmInput_data();
    void confirmInput();
    void fieldsAreAllReadBeforeTheFirstCheck();
    void daysLived_data();
    void daysLived();
    void countDaysMovesTheTargetDayAside();
    void checkTargetDay_data();
    void checkTargetDay();
};

void TestCalc::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected"); // NaN: not a number, refused by the range check
    const double nan = std::nan("");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("digits") << "1996" << 1996.0;
    QTest::newRow("leading zeros") << "05" << 5.0;
    QTest::newRow("leading blanks") << "   12" << 12.0;
    QTest::newRow("leading tab") << "\t7" << 7.0;
    QTest::newRow("trailing text ignored") << "12abc" << 12.0;
    QTest::newRow("blank inside ends the number") << "1 2" << 1.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("only blanks") << "   " << 0.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("minus sign") << "-3" << -3.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("fraction") << "0.4" << 0.4;
    QTest::newRow("fraction without integer part") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("comma is not a decimal point") << "1,5" << 1.0;
    QTest::newRow("exponent") << "-3.5e2x" << -350.0;
    QTest::newRow("exponent with sign") << "25E-1" << 2.5;
    QTest::newRow("incomplete exponent") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("hex is not read") << "0x10" << 0.0;
    QTest::newRow("inf is not a number") << "inf" << 0.0;
    QTest::newRow("nan is not a number") << "nan" << 0.0;
    QTest::newRow("overflowing exponent") << "1e999" << nan;
    QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << nan;
    QTest::newRow("300 digits") << QString(300, QLatin1Char('1'))
                                << std::stod(std::string(300, '1'));
    QTest::newRow("underflow") << "1e-999" << nan;
    QTest::newRow("2^53") << "9007199254740992" << 9007199254740992.0;
}

void TestCalc::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = ReadNumber(text.toStdString());
    if (std::isnan(expected))
        QVERIFY2(std::isnan(value), qPrintable(QString::number(value)));
    else
        QCOMPARE(value, expected);
}

void TestCalc::confirmInput_data()
{
    QTest::addColumn<QStringList>("fields"); // Text1 .. Text6
    QTest::addColumn<int>("refusal"); // the code 1 to 3 of ConfirmInput, or 0
    QTest::addColumn<bool>("counted"); // CountDays ran

    const auto row = [](const char *name, const QString &fields, int refusal, bool counted) {
        QTest::newRow(name) << Fields(fields) << refusal << counted;
    };
    row("all fields empty", "|||||", 1, false);
    row("same date", "15|6|1980|15|6|1980", 0, true);
    row("target a day before", "15|6|1980|14|6|1980", 2, false);
    row("target an earlier month", "15|6|1980|1|5|1980", 2, false);
    row("target an earlier year", "1|1|1981|31|12|1980", 2, false);
    row("exactly 150 years", "1|1|1850|31|12|2000", 0, true);
    row("151 years", "31|12|1850|1|1|2001", 3, false);
    row("zero year before order", "15|6||1|1|1980", 1, false);
    row("zero target year", "15|6|1980|1|1|0", 1, false);
    row("range before order", "0|6|1980|1|1|1970", 1, false);
    row("birth month 13", "1|13|1980|1|1|1990", 1, false);
    row("target month 13", "1|1|1980|1|13|1990", 1, false);
    row("birth month 0", "1|0|1980|1|1|1990", 1, false);
    row("target month 0", "1|1|1980|1|0|1990", 1, false);
    row("birth day 0", "0|1|1980|1|1|1990", 1, false);
    row("target day 0", "1|1|1980|0|1|1990", 1, false);
    row("birth day 45 passes to the count", "45|1|1980|1|1|1990", 1, true);
    row("pasted blanks and tails", " 15x|06|1980|15|6|1980 ", 0, true);
    row("negative years are not refused", "1|1|-5|1|1|1", 0, true);
    // Pasted text that only the range rules of the confirmation keep out.
    row("fractional birth day", "0.4|1|1980|1|1|1990", 1, false);
    row("fractional target day", "1|1|1980|1.5|1|1990", 1, false);
    row("fractional birth month", "1|0.5|1980|1|1|1990", 1, false);
    row("fractional target month", "1|1|1980|1|12.5|1990", 1, false);
    row("fractional year", "1|1|1980.5|1|1|1990", 1, false);
    row("overflowing year", "1|1|1e999|1|1|1990", 1, false);
    row("400-digit day", QString("%1|1|1980|1|1|1990").arg(QString(400, '9')), 1, false);
    row("non-finite year before order", "1|1|2000|1|1|-1e999", 1, false);
    row("year 2^53", "1|1|9007199254740992|1|1|9007199254740992", 1, false);
    row("year just below 2^53", "1|1|9007199254740991|1|2|9007199254740991", 0, true);
    row("huge negative years", "1|1|-9007199254740991|1|1|-9007199254740850", 0, true);
    row("huge whole day", QString("%1|1|1980|1|1|1990").arg(QString(300, '1')), 1, true);
}

void TestCalc::confirmInput()
{
    QFETCH(QStringList, fields);
    QFETCH(int, refusal);
    QFETCH(bool, counted);
    Run run;
    run.Confirm(fields);
    const QList<int> codes = ToIntList(run.Log.MessageCodes());
    if (refusal >= 2 || (refusal == 1 && !counted)) {
        QCOMPARE(codes, QList<int> { refusal });
        QVERIFY(!run.FirstSetUp());
    } else if (refusal == 1) {
        QCOMPARE(codes, QList<int> { 1 }); // from the day-of-month check
    } else {
        QVERIFY(run.FirstSetUp());
        QVERIFY(!codes.contains(1) && !codes.contains(2) && !codes.contains(3));
    }
    QCOMPARE(run.CountDaysRan(), counted);

    // The numeric entry, given the numbers the fields read as, does all the same but ask.
    Run numeric;
    InputDateRecord typed;
    double *const numbers[6] = { &typed.BirthDay,  &typed.BirthMonth,  &typed.BirthYear,
                                 &typed.TargetDay, &typed.TargetMonth, &typed.TargetYear };
    for (int i = 0; i < 6; ++i)
        *numbers[i] = ReadNumber(fields.value(i).toStdString());
    ConfirmNumbers(numeric.State, numeric.Recorder, typed);
    std::vector<std::string> asked = run.Log.Lines();
    std::erase_if(asked, [](const std::string &line) { return line.starts_with("port Field"); });
    QCOMPARE(ToQStringList(numeric.Log.Lines()), ToQStringList(asked));
}

void TestCalc::fieldsAreAllReadBeforeTheFirstCheck()
{
    Run run;
    run.Confirm(Fields("|||||"));
    const QStringList expected
        = { "port FieldText 1", "port FieldText 2", "port FieldText 3",  "port FieldText 4",
            "port FieldText 5", "port FieldText 6", "port ShowMessage 1" };
    QCOMPARE(ToQStringList(run.Log.Lines()), expected);
    QCOMPARE(run.State.InputDates.TargetDay, 0.0); // the values read stay; nothing else moves
}

void TestCalc::daysLived_data()
{
    QTest::addColumn<QStringList>("birth");
    QTest::addColumn<int>("targetMonth");
    QTest::addColumn<int>("targetYear");
    // R, T and Y are the steps of the count; only their sum, DaysLived, can be seen.
    QTest::addColumn<int>("R");
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("Y"); // -1: same year
    QTest::addColumn<int>("daysLived");

    const auto row = [](const char *birth, int tm, int ty, int r, int t, int y, int days) {
        QTest::addRow("%s to %d %d", birth, tm, ty)
            << Fields(birth) << tm << ty << r << t << y << days;
    };
    row("15|3|1990", 3, 1990, 291, 60, -1, -14);
    row("10|1|1996", 3, 1996, 356, 61, -1, 51);
    row("29|2|1996", 6, 2001, 306, 152, 1461, 1919);
    row("31|12|1999", 1, 2000, 0, 1, 0, 1);
    row("1|5|2000", 5, 2000, 244, 122, -1, 0);
    row("1|1|1900", 3, 1900, 365, 61, -1, 60);
    row("1|1|2099", 1, 2101, 364, 1, 366, 731);
    row("1|1|1850", 1, 2000, 364, 1, 54422, 54787);
    row("1|1|1848", 12, 1998, 365, 335, 54422, 55122); // the largest count
    row("31|4|1980", 5, 1980, -1 + 245, 122, -1, 0); // counted with the typed day
}

void TestCalc::daysLived()
{
    QFETCH(QStringList, birth);
    QFETCH(int, targetMonth);
    QFETCH(int, targetYear);
    QFETCH(int, R);
    QFETCH(int, T);
    QFETCH(int, Y);
    QFETCH(int, daysLived);
    const int birthYear = birth[2].toInt();
    const int leapBirth = (Y < 0 && birthYear % 4 == 0) ? 1 : 0;
    QCOMPARE(Y < 0 ? R + T - 365 - leapBirth : R + T + Y, daysLived); // the row adds up

    InputDateRecord dates { .BirthDay = birth[0].toDouble(),
                            .BirthMonth = birth[1].toDouble(),
                            .BirthYear = birth[2].toDouble(),
                            .TargetDay = 1,
                            .TargetMonth = double(targetMonth),
                            .TargetYear = double(targetYear) };
    MonthLengthTable monthLength;
    monthLength.Fill();
    QCOMPARE(CountDaysLived(dates, monthLength), double(daysLived));

    // The same count, seen through the chain: day i of the month is evaluated at
    // DaysLived + i - 1. A birth day beyond its month never reaches the walk.
    if (birth[0] == "31" && birth[1] == "4")
        return;
    Run run;
    run.Confirm(birth
                + QStringList { "28", QString::number(targetMonth), QString::number(targetYear) });
    const MonthValues &month = run.Recorder.LastMonth();
    QVERIFY(month.Days >= 28);
    for (int i = 1; i <= month.Days; ++i) {
        const double t = daysLived + i - 1;
        const auto k = static_cast<std::size_t>(i - 1);
        QCOMPARE(month.Physical[k], CycleValue(t, PhysicalPeriod));
        QCOMPARE(month.Emotional[k], CycleValue(t, EmotionalPeriod));
        QCOMPARE(month.Intellectual[k], CycleValue(t, IntellectualPeriod));
    }
}

void TestCalc::countDaysMovesTheTargetDayAside()
{
    Run run;
    run.Confirm(Fields("10|1|1996|5|3|1996"));
    QCOMPARE(run.State.InputDates.TargetDay, 1.0);
    QCOMPARE(run.State.InputDates.ChosenDay, 5.0);
    QCOMPARE(run.Recorder.LastDay(), (std::array<double, 5> { 5, 3, 63, -23, -87 }));
    QVERIFY(run.Log.MessageCodes().empty());

    Run rejected; // also when the day-of-month check then refuses
    rejected.Confirm(Fields("31|4|1980|31|4|2000"));
    QCOMPARE(rejected.State.InputDates.TargetDay, 1.0);
    QCOMPARE(rejected.State.InputDates.ChosenDay, 31.0);
}

void TestCalc::checkTargetDay_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("days"); // N of the month drawn, or 0 when message 1 refuses

    QTest::newRow("birth 29 2 1996") << Fields("29|2|1996|1|1|2000") << 31;
    QTest::newRow("birth 29 2 1997") << Fields("29|2|1997|1|1|2000") << 0;
    QTest::newRow("birth 29 2 1900") << Fields("29|2|1900|1|1|2000") << 31;
    QTest::newRow("birth 31 4 1980") << Fields("31|4|1980|1|1|2000") << 0;
    QTest::newRow("birth 30 4 1980") << Fields("30|4|1980|1|1|2000") << 31;
    QTest::newRow("birth 45 1 1980") << Fields("45|1|1980|1|1|2000") << 0;
    QTest::newRow("target 29 2 2000") << Fields("1|1|1980|29|2|2000") << 29;
    QTest::newRow("target 29 2 2001") << Fields("1|1|1980|29|2|2001") << 0;
    QTest::newRow("target 29 2 2100") << Fields("1|1|1980|29|2|2100") << 29;
    QTest::newRow("both days too large") << Fields("31|4|1980|31|4|2000") << 0;
    QTest::newRow("target 31 12 2000") << Fields("1|1|1980|31|12|2000") << 31;
    QTest::newRow("target 30 4 2000") << Fields("1|1|1980|30|4|2000") << 30;
    QTest::newRow("target 31 4 2000") << Fields("1|1|1980|31|4|2000") << 0;
    QTest::newRow("target 28 2 2001") << Fields("1|1|1980|28|2|2001") << 28;
}

void TestCalc::checkTargetDay()
{
    QFETCH(QStringList, fields);
    QFETCH(int, days);
    Run run;
    run.Confirm(fields);
    QVERIFY(run.CountDaysRan());
    if (days == 0) {
        QCOMPARE(ToIntList(run.Log.MessageCodes()), QList<int> { 1 });
        QVERIFY(!run.FirstSetUp());
    } else {
        QCOMPARE(run.Recorder.LastMonth().Days, days);
        QCOMPARE(run.Recorder.LastDay()[0], fields[3].toDouble());
    }
}

QTEST_APPLESS_MAIN(TestCalc)
#include "tst_calc.moc"
