#include "conversions.h"
#include "handler_failure.h"

#include <QTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace orlo;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

std::string utf8(const QString &text)
{
    return text.toStdString();
}

// Exact equality, telling -0 from 0 only where the test asks for it.
bool same(double actual, double expected)
{
    return actual == expected || (std::isnan(actual) && std::isnan(expected));
}

QByteArray describe(double actual, double expected)
{
    return QByteArray::number(actual, 'g', 17) + " instead of " + QByteArray::number(expected, 'g', 17);
}

} // namespace

class ConversionsTest : public QObject {
    Q_OBJECT

private slots:
    void lenientValue_data();
    void lenientValue();
    void watchReading_data();
    void watchReading();
    void strictValue_data();
    void strictValue();
    void numberText_data();
    void numberText();
    void numberTextRefusesNonFinite();
    void numberTextOfEmptyIsEmpty();
    void numberTextReadsBackToFifteenDigits();
    void integerText_data();
    void integerText();
    void formatNumber_data();
    void formatNumber();
    void formatText_data();
    void formatText();
    void formatOfEmptyIsEmpty();
    void checkedArithmetic();
    void commaDecimalLocaleChangesNothing();
};

void ConversionsTest::lenientValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty-is-zero") << "" << 0.0;
    QTest::newRow("letters-are-zero") << "abc" << 0.0;
    QTest::newRow("lone-minus-is-zero") << "-" << 0.0;
    QTest::newRow("lone-plus-is-zero") << "+" << 0.0;
    QTest::newRow("lone-point-is-zero") << "." << 0.0;
    QTest::newRow("sign-and-point-only") << "-." << 0.0;
    QTest::newRow("blanks-around") << " 12.5 " << 12.5;
    QTest::newRow("blank-between-digits") << "1 2" << 12.0;
    QTest::newRow("blank-before-point") << "1 2.5" << 12.5;
    QTest::newRow("tab-and-line-feed-dropped") << "\t1\n2" << 12.0;
    QTest::newRow("blank-after-sign") << "- 3" << -3.0;
    QTest::newRow("comma-stops-reading") << "12,5" << 12.0;
    QTest::newRow("unit-suffix-ignored") << "12.5s" << 12.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus-sign") << "+4.5" << 4.5;
    QTest::newRow("two-signs-stop") << "--3" << 0.0;
    QTest::newRow("second-point-stops") << "1.2.3" << 1.2;
    QTest::newRow("leading-point") << ".5" << 0.5;
    QTest::newRow("negative-leading-point") << "-.5" << -0.5;
    QTest::newRow("trailing-point") << "5." << 5.0;
    QTest::newRow("leading-zeros") << "0000012.5" << 12.5;
    QTest::newRow("exponent-e") << "1e2" << 100.0;
    QTest::newRow("exponent-capital-e") << "1.5E3" << 1500.0;
    QTest::newRow("exponent-d") << "1d2" << 100.0;
    QTest::newRow("exponent-capital-d-negative") << "25D-1" << 2.5;
    QTest::newRow("exponent-with-plus") << "2e+1" << 20.0;
    QTest::newRow("exponent-letter-without-digits") << "7e" << 7.0;
    QTest::newRow("exponent-sign-without-digits") << "7e+" << 7.0;
    QTest::newRow("exponent-followed-by-letter") << "7ex" << 7.0;
    QTest::newRow("blank-inside-exponent") << "1 e 2" << 100.0;
    QTest::newRow("exponent-without-mantissa") << "e5" << 0.0;
    QTest::newRow("point-then-exponent") << ".e5" << 0.0;
    QTest::newRow("hex-prefix-reads-zero") << "0x10" << 0.0;
    QTest::newRow("radix-prefix-reads-zero") << "&H10" << 0.0;
    QTest::newRow("correctly-rounded-long-mantissa") << "0.1000000000000000055511151231257827" << 0.1;
    QTest::newRow("twenty-digit-whole-number") << "12345678901234567890" << 12345678901234567890.0;
    QTest::newRow("long-zero-fraction") << ("0." + QString(5000, '0') + "1e5000") << 0.1;
    QTest::newRow("huge-digit-string-overflows") << QString(400, '9') << infinity;
    QTest::newRow("exponent-overflow") << "1e999" << infinity;
    QTest::newRow("negative-exponent-overflow") << "-1e999" << -infinity;
    QTest::newRow("giant-exponent") << "1e99999999999999999999999" << infinity;
    QTest::newRow("exponent-underflow") << "1e-999" << 0.0;
    QTest::newRow("largest-double") << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("arabic-indic-digits-are-not-digits") << QString::fromUtf8("\u0661\u0662") << 0.0;
    QTest::newRow("fullwidth-digits-are-not-digits") << QString::fromUtf8("\uFF11\uFF12") << 0.0;
    QTest::newRow("no-break-space-is-not-a-blank") << QString::fromUtf8("\u00A012") << 0.0;
    QTest::newRow("digits-after-non-ascii-ignored") << QString::fromUtf8("12\u00B05") << 12.0;
}

void ConversionsTest::lenientValue()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = Lenient_Value(utf8(text));
    QVERIFY2(same(actual, expected), describe(actual, expected));
    // Without a comma, a stop-watch reading is read exactly as leniently.
    if (!text.contains(QLatin1Char(','))) {
        const double reading = watchReadingValue(utf8(text));
        QVERIFY2(same(reading, expected), describe(reading, expected));
    }
}

// A decimal comma in a stop-watch reading, as many keypads type it.
void ConversionsTest::watchReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("decimal-comma") << "12,5" << 12.5;
    QTest::newRow("decimal-comma-with-blanks") << " 12 , 7 " << 12.7;
    QTest::newRow("negative-with-comma") << "-12,5" << -12.5;
    QTest::newRow("leading-comma") << ",5" << 0.5;
    QTest::newRow("comma-then-exponent") << "1,5e2" << 150.0;
    QTest::newRow("comma-without-digits-stops") << "12,s" << 12.0;
    QTest::newRow("trailing-comma-stops") << "12," << 12.0;
    QTest::newRow("second-comma-stops") << "12,5,3" << 12.5;
    QTest::newRow("comma-after-point-stops") << "12.5,3" << 12.5;
    QTest::newRow("comma-after-exponent-stops") << "1e2,5" << 100.0;
    QTest::newRow("lone-comma-is-zero") << "," << 0.0;
}

void ConversionsTest::watchReading()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = watchReadingValue(utf8(text));
    QVERIFY2(same(actual, expected), describe(actual, expected));
}

void ConversionsTest::strictValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain") << "12.5" << true << 12.5;
    QTest::newRow("blanks-at-both-ends") << " 7 " << true << 7.0;
    QTest::newRow("tab-and-line-feed-at-ends") << "\t12\n" << true << 12.0;
    QTest::newRow("signed") << "-3" << true << -3.0;
    QTest::newRow("plus-and-leading-point") << "+.5" << true << 0.5;
    QTest::newRow("trailing-point") << "5." << true << 5.0;
    QTest::newRow("exponent") << "1e5" << true << 100000.0;
    QTest::newRow("capital-exponent-negative") << "1E-2" << true << 0.01;
    QTest::newRow("exponent-form-of-number-text") << "1.5E+15" << true << 1.5e15;
    QTest::newRow("underflow-reads-zero") << "1e-999" << true << 0.0;
    QTest::newRow("negative-zero") << "-0" << true << 0.0;
    QTest::newRow("empty-fails") << "" << false << 0.0;
    QTest::newRow("blanks-only-fail") << "   " << false << 0.0;
    QTest::newRow("letters-fail") << "abc" << false << 0.0;
    QTest::newRow("comma-fails") << "12,5" << false << 0.0;
    QTest::newRow("inner-blank-fails") << "1 2" << false << 0.0;
    QTest::newRow("lone-sign-fails") << "-" << false << 0.0;
    QTest::newRow("lone-point-fails") << "." << false << 0.0;
    QTest::newRow("two-points-fail") << "1.2.3" << false << 0.0;
    QTest::newRow("two-signs-fail") << "++1" << false << 0.0;
    QTest::newRow("suffix-fails") << "12.5s" << false << 0.0;
    QTest::newRow("exponent-without-digits-fails") << "1e" << false << 0.0;
    QTest::newRow("d-exponent-fails") << "1D2" << false << 0.0;
    QTest::newRow("overflow-fails") << "1e999" << false << 0.0;
    QTest::newRow("huge-digit-string-fails") << QString(400, '9') << false << 0.0;
    QTest::newRow("hex-fails") << "0x10" << false << 0.0;
    QTest::newRow("radix-prefix-fails") << "&H10" << false << 0.0;
    QTest::newRow("infinity-word-fails") << "inf" << false << 0.0;
    QTest::newRow("nan-word-fails") << "nan" << false << 0.0;
    QTest::newRow("thousands-separator-fails") << "1,000" << false << 0.0;
    QTest::newRow("fullwidth-digits-fail") << QString::fromUtf8("\uFF11\uFF12") << false << 0.0;
}

void ConversionsTest::strictValue()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, expected);
    const std::string input = utf8(text);
    QCOMPARE(isCompleteNumber(input), accepted);
    if (accepted) {
        const double actual = Strict_Value(input);
        QVERIFY2(same(actual, expected), describe(actual, expected));
        // Whatever the strict reader accepts, the lenient one reads alike.
        QVERIFY2(same(Lenient_Value(input), actual), "lenient and strict readers disagree");
    } else {
        QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, Strict_Value(input));
    }
}

void ConversionsTest::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative-zero-has-no-sign") << -0.0 << "0";
    QTest::newRow("whole") << 25.0 << "25";
    QTest::newRow("one-decimal") << 12.5 << "12.5";
    QTest::newRow("half-of-sum") << 24.7 / 2 << "12.35";
    QTest::newRow("sum-noise-dropped") << 12.3 + 12.4 << "24.7";
    QTest::newRow("third-to-fifteen-digits") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("two-thirds-rounds-up") << 2.0 / 3 << "0.666666666666667";
    QTest::newRow("below-one-keeps-zero") << 0.5 << "0.5";
    QTest::newRow("negative") << -3.25 << "-3.25";
    QTest::newRow("fifteen-significant") << 123456789.123456789 << "123456789.123457";
    QTest::newRow("largest-plain") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds-into-exponent-form") << 999999999999999.6 << "1E+15";
    QTest::newRow("exponent-form-from-1e15") << 1e15 << "1E+15";
    QTest::newRow("exponent-form-large") << 1.5e300 << "1.5E+300";
    QTest::newRow("small-plain") << 0.0001 << "0.0001";
    QTest::newRow("smaller-exponent-form") << 0.00001 << "1E-05";
    QTest::newRow("negative-small-exponent-form") << -2.5e-7 << "-2.5E-07";
    QTest::newRow("hundred-thousand") << 100000.0 << "100000";
}

void ConversionsTest::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(Number_Text(value)), expected);
}

void ConversionsTest::numberTextRefusesNonFinite()
{
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, Number_Text(infinity));
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, Number_Text(std::nan("")));
}

void ConversionsTest::numberTextOfEmptyIsEmpty()
{
    QCOMPARE(QString::fromStdString(Number_Text(std::optional<double>())), QString());
}

void ConversionsTest::numberTextReadsBackToFifteenDigits()
{
    for (double value : {1.0 / 7, 145.690347590725, 71.9710317098182, 1e-300, 1.7976931348623157e308, -0.0003}) {
        const std::string text = Number_Text(value);
        const double back = Strict_Value(text);
        QVERIFY2(std::fabs(back - value) <= std::fabs(value) * 1e-14, text.c_str());
        QCOMPARE(Number_Text(back), text);
    }
}

void ConversionsTest::integerText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("one") << 1 << "1";
    QTest::newRow("landing-points") << 85 << "85";
    QTest::newRow("hundred") << 100 << "100";
    QTest::newRow("negative") << -5 << "-5";
}

void ConversionsTest::integerText()
{
    QFETCH(int, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(Integer_Text(value)), expected);
}

void ConversionsTest::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("hidesZero"); // "###.0" rather than "0.0"
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero-fixed") << 0.0 << false << "0.0";
    QTest::newRow("zero-hidden") << 0.0 << true << ".0";
    QTest::newRow("half-hidden") << 0.5 << true << ".5";
    QTest::newRow("twenty-hidden") << 20.0 << true << "20.0";
    QTest::newRow("rounds-up-to-whole") << 71.97 << false << "72.0";
    QTest::newRow("rounds-down") << 143.94 << false << "143.9";
    QTest::newRow("speed-to-points") << 145.690347590725 << false << "145.7";
    QTest::newRow("low-speed-ratio") << 25.0 * 10 / 12.35 << false << "20.2";
    QTest::newRow("exact-half-away-from-zero") << 72.25 << false << "72.3";
    QTest::newRow("exact-half-on-odd-tenth") << 13.75 << false << "13.8";
    QTest::newRow("negative-exact-half") << -72.25 << false << "-72.3";
    // Rounded as the 15-digit text states the number, not as the double lies.
    QTest::newRow("sum-just-below-its-written-half") << 72.0 + 20 + 6.85 + 95 << false << "193.9";
    QTest::newRow("written-half-double-below") << 240.35 << false << "240.4";
    QTest::newRow("written-half-below-one") << 0.15 << true << ".2";
    QTest::newRow("negative-written-half") << -240.35 << false << "-240.4";
    QTest::newRow("half-beyond-fifteen-digits-not-written") << 999999999017978.25 << false << "999999999017978.0";
    QTest::newRow("whole-beyond-fifteen-digits-as-written") << 1125899906842624.75 << true << "1125899906842620.0";
    QTest::newRow("written-half-carries-into-whole") << 9.95 << false << "10.0";
    QTest::newRow("negative-exact-half-below-one-hidden") << -0.25 << true << "-.3";
    QTest::newRow("not-quite-half") << 0.05 << false << "0.1";
    QTest::newRow("negative-rounding-to-zero-unsigned") << -0.04 << false << "0.0";
    QTest::newRow("negative-whole") << -5.0 << true << "-5.0";
    QTest::newRow("negative-below-one-hidden") << -0.5 << true << "-.5";
    QTest::newRow("wider-than-pattern") << 1234.5 << true << "1234.5";
    QTest::newRow("huge-written-in-full") << 1e20 << false << "100000000000000000000.0";
    QTest::newRow("total-of-worked-example") << 280.8 << false << "280.8";
}

void ConversionsTest::formatNumber()
{
    QFETCH(double, value);
    QFETCH(bool, hidesZero);
    QFETCH(QString, expected);
    const Pattern pattern = hidesZero ? Pattern::OneDecimalNoZero : Pattern::OneDecimal;
    QCOMPARE(QString::fromStdString(Format_Pattern(value, pattern)), expected);
}

void ConversionsTest::formatText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hidesZero");
    QTest::addColumn<QString>("expected");

    QTest::newRow("letters-unchanged-fixed") << "abc" << false << "abc";
    QTest::newRow("letters-unchanged-hidden") << "abc" << true << "abc";
    QTest::newRow("zero-text-hidden") << "0" << true << ".0";
    QTest::newRow("zero-point-zero-text") << "0.0" << true << ".0";
    QTest::newRow("number-text") << "95" << true << "95.0";
    QTest::newRow("blanks-around-number") << " 95 " << true << "95.0";
    QTest::newRow("speed-text-to-points") << "145.690347590725" << false << "145.7";
    QTest::newRow("number-with-suffix-unchanged") << "12abc" << true << "12abc";
    QTest::newRow("comma-unchanged") << "12,5" << false << "12,5";
    QTest::newRow("overflowing-text-unchanged") << "1e999" << false << "1e999";
    QTest::newRow("empty-text-unchanged") << "" << true << "";
}

void ConversionsTest::formatText()
{
    QFETCH(QString, text);
    QFETCH(bool, hidesZero);
    QFETCH(QString, expected);
    const Pattern pattern = hidesZero ? Pattern::OneDecimalNoZero : Pattern::OneDecimal;
    QCOMPARE(QString::fromStdString(Format_Pattern(utf8(text), pattern)), expected);
}

void ConversionsTest::formatOfEmptyIsEmpty()
{
    QCOMPARE(QString::fromStdString(Format_Pattern(std::optional<double>(), Pattern::OneDecimal)), QString());
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, Format_Pattern(infinity, Pattern::OneDecimal));
}

void ConversionsTest::checkedArithmetic()
{
    QCOMPARE(checked::add(12.3, 12.4), 12.3 + 12.4);
    QCOMPARE(checked::divide(24.7, 2), 12.35);
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, checked::divide(250, 0));
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, checked::divide(0, 0));
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, checked::add(1.7e308, 1.7e308));
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, checked::multiply(1e200, 1e200));
    QVERIFY_THROWS_EXCEPTION(HandlerAbandoned, checked::add(infinity, -infinity));
    QVERIFY2(runHandler([] { checked::add(1, 2); }), "a handler that finishes reports so");
    QVERIFY2(!runHandler([] { Strict_Value("abc"); }), "a refused text abandons the handler");
}

// The machine's locale must not turn the decimal point into a comma.
void ConversionsTest::commaDecimalLocaleChangesNothing()
{
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string restore = previous ? previous : "C";
    QVERIFY2(std::setlocale(LC_ALL, "de_DE.UTF-8"),
             "the de_DE.UTF-8 locale is missing; scripts/setup.sh generates it");
    QCOMPARE(std::localeconv()->decimal_point[0], ',');
    const std::string numberText = Number_Text(24.7 / 2);
    const std::string formatted = Format_Pattern(72.25, Pattern::OneDecimal);
    const double lenient = Lenient_Value("12.5");
    const bool commaRefused = !isCompleteNumber("12,5");
    std::setlocale(LC_ALL, restore.c_str());

    QCOMPARE(QString::fromStdString(numberText), QStringLiteral("12.35"));
    QCOMPARE(QString::fromStdString(formatted), QStringLiteral("72.3"));
    QCOMPARE(lenient, 12.5);
    QVERIFY2(commaRefused, "a comma is no decimal point, whatever the locale");
}

QTEST_APPLESS_MAIN(ConversionsTest)
#include "conversions_test.moc"
