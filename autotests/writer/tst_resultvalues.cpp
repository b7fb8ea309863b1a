#include "iflayout.h"
#include "resultvalues.h"

#include <QTest>

namespace RV = ResultValues;

// The values a page and a report both show: divisions that have no
// divisor, counts beyond 32 bits, codes beyond their lists.
class TestResultValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data();
    void texts();
    void numbers_data();
    void numbers();
    void offeredSpeeds_data();
    void offeredSpeeds();
    void frameLossSteps_data();
    void frameLossSteps();
};

void TestResultValues::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QStringList status = RV::statusTexts();
    const QStringList units = RV::unitsTexts();
    const QStringList ping = RV::pingStatusTexts();
    const QStringList patterns = RV::bertPatternNames();
    QTest::newRow("status 9") << RV::statusText(status, 9) << "RxTx";
    QTest::newRow("status 10") << RV::statusText(status, 10) << "10";
    QTest::newRow("status 255") << RV::statusText(status, 255) << "255";
    QTest::newRow("units 7") << RV::unitsText(units, 7) << "Mbps";
    QTest::newRow("ping 0") << RV::pingStatusText(ping, 0) << "---";
    QTest::newRow("ping 1") << RV::pingStatusText(ping, 1) << "Request";
    QTest::newRow("ping 4") << RV::pingStatusText(ping, 4) << "Interrupted";
    QTest::newRow("ping 5") << RV::pingStatusText(ping, 5) << "---";
    QTest::newRow("pattern 8") << RV::bertPatternName(patterns, 8) << "User";
    QTest::newRow("coefficient") << RV::Traffic::coefficient(1, 3) << "0.333";
    QTest::newRow("share two decimals") << RV::Jitter::share(2, 3, 'f', 2) << "66.67";
    QTest::newRow("share of nothing") << RV::Jitter::share(0, 0) << "---";
    QTest::newRow("bucket threshold 1") << RV::Jitter::bucketLabel(1, 0) << "0.000-0.125";
    QTest::newRow("bucket 7 of 10") << RV::Jitter::bucketLabel(10, 7) << "8.750-10.000";
    QTest::newRow("beyond the buckets") << RV::Jitter::bucketLabel(8, 20) << ">=8.000";
    QTest::newRow("general nan") << RV::general(qQNaN()) << "---";
    QTest::newRow("general inf") << RV::general(-qInf()) << "---";
    QTest::newRow("general") << RV::general(1e-9) << "1e-09";
    QTest::newRow("percent past 32 bits") << RV::percentText(4294967296ull) << "4294967296%";
    QTest::newRow("ber in the float's digits") << RV::Bert::berText(1000, 1) << "0.001";
}

void TestResultValues::texts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void TestResultValues::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    // 50 000 000 x 100 does not fit in 32 bits.
    QTest::newRow("lss percent 64-bit") << double(RV::Bert::percentOfElapsed(50000000, 100000000)) << 50.0;
    QTest::newRow("estimate past the end") << double(RV::Bert::estimate(60, 75)) << 0.0;
    QTest::newRow("traffic estimate") << double(RV::Traffic::estimate(10, 1999, 3)) << 9.0;
    QTest::newRow("traffic estimate past the end") << double(RV::Traffic::estimate(10, 1000, 40)) << 0.0;
    QTest::newRow("rate unit Kbps") << RV::Rfc::rateUnit(999999).divisor << 1e3;
    QTest::newRow("rate unit nan") << RV::Rfc::rateUnit(qQNaN()).divisor << 1.0;
}

void TestResultValues::numbers()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(value, expected);
}

void TestResultValues::offeredSpeeds_data()
{
    QTest::addColumn<int>("modes");
    QTest::addColumn<bool>("s10");
    QTest::addColumn<bool>("s100");
    QTest::addColumn<bool>("s1000");
    // Bits 0..2 are 10 half, 10 full and 100 half: not the three speeds.
    QTest::newRow("10 full only") << 0x02 << true << false << false;
    QTest::newRow("100 half only") << 0x04 << false << true << false;
    QTest::newRow("1000 only") << 0x30 << false << false << true;
    QTest::newRow("100 full and 1000 half") << 0x18 << false << true << true;
    QTest::newRow("all") << 0x3F << true << true << true;
    QTest::newRow("none, high bits") << 0xC0 << false << false << false;
}

void TestResultValues::offeredSpeeds()
{
    QFETCH(int, modes);
    QFETCH(bool, s10);
    QFETCH(bool, s100);
    QFETCH(bool, s1000);
    QCOMPARE(LinkMode::offersSpeed(quint8(modes), 0), s10);
    QCOMPARE(LinkMode::offersSpeed(quint8(modes), 1), s100);
    QCOMPARE(LinkMode::offersSpeed(quint8(modes), 2), s1000);
    QCOMPARE(LinkMode::offersSpeed(quint8(modes), 3), false);
}

void TestResultValues::frameLossSteps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("lastLoad");
    QTest::newRow("100 to 80 by 5") << 100 << 80 << 5 << 5 << 80;
    QTest::newRow("100 to 1 by 1") << 100 << 1 << 1 << 100 << 1;
    QTest::newRow("255 to 0 by 1, bounded") << 255 << 0 << 1 << 100 << 156;
    QTest::newRow("step 0") << 100 << 1 << 0 << 1 << 100;
    QTest::newRow("end above start") << 10 << 90 << 5 << 1 << 10;
    QTest::newRow("step beyond the range") << 50 << 40 << 30 << 1 << 50;
}

void TestResultValues::frameLossSteps()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, step);
    QFETCH(int, steps);
    QFETCH(int, lastLoad);
    const std::size_t n = RV::Rfc::frameLossSteps(quint8(start), quint8(end), quint8(step));
    QCOMPARE(int(n), steps);
    QCOMPARE(RV::Rfc::frameLossLoad(quint8(start), quint8(step), n - 1), lastLoad);
    QVERIFY(RV::Rfc::frameLossLoad(quint8(start), quint8(step), 99) >= 0);
}

QTEST_MAIN(TestResultValues)
#include "tst_resultvalues.moc"
