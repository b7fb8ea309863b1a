#include "multiform.h"
#include "pagedriver.h"

#include "conversions.h"
#include "multilayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

using namespace PageDriver;
namespace C = MultiConfigField;
namespace S = MultiStreamField;
namespace R = MultiResultField;

namespace {

// Stream i's edited fields, each a value of its own that the widgets can
// show; the bytes between the fields keep their distinct values.
MultiConfigBlock configBlock(quint8 seed)
{
    MultiConfigBlock b = distinct<BlockSize::MultiConfig>(seed);
    put32(b, C::Duration, 3600 + seed);
    for (std::size_t i = 0; i < C::Streams; ++i) {
        const std::size_t s = C::stream(i);
        const quint8 k = quint8(i + 1);
        put8(b, s + S::Active, i % 3 == 0 ? 1 : 0);
        put8(b, s + S::Units, quint8(i % 4));
        put16(b, s + S::Rate, i % 4 == 0 ? k * 9 : 1000 + k);
        put16(b, s + S::Length, 64 + 100 * k);
        put32(b, s + S::IpDst, 0x0A000000u + k);
        for (std::size_t m = 0; m < 6; ++m)
            put8(b, s + S::MacDst + m, quint8(0x10 * k + m));
        put8(b, s + S::AutoMac, i % 2);
        put8(b, s + S::Priority, quint8(i % 3));
        put8(b, s + S::Tos, quint8((i % 8) << 5 | (i % 2 ? 2 : 8) << 1 | (i & 1)));
        put8(b, s + S::Dscp, quint8(i % 2 ? 46 << 2 : 10 << 2));
        put16(b, s + S::UdpSrc, 2000 + k);
        put16(b, s + S::UdpDst, 3000 + k);
        put8(b, s + S::Level3, i == 4 ? 0 : 1);
        put8(b, s + S::Level4, i == 5 ? 0 : 1);
    }
    return b;
}

} // namespace

// The multistream page driven like a user: ten stream records behind one
// set of widgets, a selector for the settings and one for the results.
class TestMultiForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void form();
    void roundTrip_data();
    void roundTrip();
    void editsStayWithTheirStream();
    void results_data();
    void results();
    void times_data();
    void times();
    void selectorsOutsideTheRecords();

private:
    template <typename W = QWidget>
    W *w(const char *name) const { return child<W>(m_page.get(), name); }
    void deliver(quint8 proc, const MultiConfigBlock &block)
    {
        m_device->multiConfig[proc] = block;
        m_page->cfg_rcv(requestCode(TestNo::Multi, proc));
    }
    void switchTo(quint8 proc)
    {
        m_device->curProc = proc;
        m_page->switch_proc(proc);
    }
    void apply() { QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton); }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < 6; ++row) {
            const QTableWidgetItem *item = w<QTableWidget>("tRes")->item(row, c);
            texts << (item ? item->text() : QString());
        }
        return texts;
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<MultiForm> m_page;
};

void TestMultiForm::init()
{
    PageDriver::openPage(m_device, m_page);
}

void TestMultiForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

void TestMultiForm::form()
{
    for (const char *name : {"sStreamSettings", "sStreamRes"}) {
        QCOMPARE(w<QSpinBox>(name)->minimum(), 1);
        QCOMPARE(w<QSpinBox>(name)->maximum(), 10);
    }
    QCOMPARE(m_page->settingsStream(), 0);
    QCOMPARE(m_page->resultStream(), 0);
    QCOMPARE(m_device->activeTest, ActiveTest::Multi);
    switchTo(1);
    QCOMPARE(w<QGroupBox>("gMulti")->title(), QStringLiteral("Multistream test (Port B)"));
}

void TestMultiForm::roundTrip_data()
{
    QTest::addColumn<quint8>("port");
    QTest::addColumn<int>("unknownUnitsIn"); // a stream with units the combo cannot show, or -1
    QTest::newRow("port A") << quint8(0) << -1;
    QTest::newRow("port B") << quint8(1) << -1;
    QTest::newRow("units 7 in stream 4") << quint8(0) << 3;
}

// Every stream shows its own record, and a walk through all of them
// followed by Apply writes back the very bytes that came.
void TestMultiForm::roundTrip()
{
    QFETCH(quint8, port);
    QFETCH(int, unknownUnitsIn);
    MultiConfigBlock b = configBlock(quint8(0x20 + port));
    if (unknownUnitsIn >= 0)
        put8(b, C::stream(std::size_t(unknownUnitsIn)) + S::Units, 7);
    switchTo(port);
    deliver(port, b);
    auto *selector = w<QSpinBox>("sStreamSettings");
    for (int v : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}) {
        selector->setValue(v);
        const std::size_t s = C::stream(std::size_t(v - 1));
        const int units = b[s + S::Units];
        compareWidgets(m_page.get(),
                       QVariantMap{{"cActive", b[s + S::Active] != 0},
                                   {"cUnits", units < 4 ? units : -1},
                                   {"sRate", get16(b, s + S::Rate)},
                                   {"sLen", get16(b, s + S::Length)},
                                   {"lIPdst", Conv::ipToText(get32(b, s + S::IpDst))},
                                   {"lMACdst", Conv::macToText(b, s + S::MacDst)},
                                   {"sUDPsrc", 2000 + v},
                                   {"cLvl3", v != 5},
                                   {"tDur", QStringLiteral("01:00:%1").arg(0x20 + port)}});
        QCOMPARE(m_page->settingsStream(), v - 1);
    }
    QSignalSpy writes(m_page.get(), &TestForm::gs_cfg);
    m_device->multiConfig[port].fill(0);
    apply();
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.at(0).at(0).value<unsigned short>(), quint16(0x010B));
    QCOMPARE(bytes(m_device->multiConfig[port]).toHex(' '), bytes(b).toHex(' '));
}

// The shown stream is stored before another stream, another port or Apply
// takes the widgets.
void TestMultiForm::editsStayWithTheirStream()
{
    const MultiConfigBlock a = configBlock(0x41);
    const MultiConfigBlock bBlock = configBlock(0x42);
    deliver(0, a);
    deliver(1, bBlock);
    auto *selector = w<QSpinBox>("sStreamSettings");
    selector->setValue(3);
    w<QSpinBox>("sLen")->setValue(1500);
    selector->setValue(5);
    w<QCheckBox>("cActive")->setChecked(true);
    switchTo(1); // stream 5 of port B
    QCOMPARE(w<QSpinBox>("sLen")->value(), int(get16(bBlock, C::stream(4) + S::Length)));
    w<QSpinBox>("sUDPsrc")->setValue(999);
    switchTo(0);
    QVERIFY(w<QCheckBox>("cActive")->isChecked());
    selector->setValue(3);
    QCOMPARE(w<QSpinBox>("sLen")->value(), 1500);
    apply();

    MultiConfigBlock expected = a;
    put16(expected, C::stream(2) + S::Length, 1500);
    put8(expected, C::stream(4) + S::Active, 1);
    QCOMPARE(bytes(m_device->multiConfig[0]).toHex(' '), bytes(expected).toHex(' '));
    switchTo(1);
    selector->setValue(5);
    QCOMPARE(w<QSpinBox>("sUDPsrc")->value(), 999);
}

void TestMultiForm::results_data()
{
    QTest::addColumn<int>("stream");  // result selector value
    QTest::addColumn<bool>("active"); // in the page's copy of the configuration
    QTest::addColumn<QList<quint32>>("counters"); // load, tx, rx, latency of that record
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QString>("coef");

    QTest::newRow("stream 1")
        << 1 << true << QList<quint32>{25, 1000, 990, 4321}
        << QStringList{"25%", "1000", "990", "164000", "10", "4321"} << "0.010";
    QTest::newRow("stream 10, latency as it comes")
        << 10 << true << QList<quint32>{100, 7, 7, 4294967295u}
        << QStringList{"100%", "7", "7", "7448", "0", "4294967295"} << "0.000";
    QTest::newRow("inactive stream shows zeros")
        << 2 << false << QList<quint32>{50, 500, 400, 99}
        << QStringList{"0%", "0", "0", "0", "0", "0"} << "0.000";
    QTest::newRow("nothing sent")
        << 4 << true << QList<quint32>{0, 0, 3, 0}
        << QStringList{"0%", "0", "3", "0", "4294967293", "0"} << "---";
    QTest::newRow("Rx over Tx wraps")
        << 7 << true << QList<quint32>{1, 100, 101, 1}
        << QStringList{"1%", "100", "101", "76400", "4294967295", "1"} << "42949672.950";
    QTest::newRow("Tx bytes beyond 32 bits")
        << 5 << true << QList<quint32>{99, 4000000000u, 0, 0}
        << QStringList{"99%", "4000000000", "0", "2256000000000", "4000000000", "0"} << "1.000";
}

void TestMultiForm::results()
{
    QFETCH(int, stream);
    QFETCH(bool, active);
    QFETCH(QList<quint32>, counters);
    QFETCH(QStringList, counts);
    QFETCH(QString, coef);
    switchTo(1);
    MultiConfigBlock config = configBlock(0x60); // lengths 164, 264, ... 1064
    put8(config, C::stream(std::size_t(stream - 1)) + S::Active, active ? 1 : 0);
    deliver(1, config);

    MultiResultBlock &r = m_device->multiResult[1];
    r = distinct<BlockSize::MultiResult>(0x77); // every other record holds noise
    put8(r, R::Present, 0);
    const std::size_t at = R::stream(std::size_t(stream - 1));
    put8(r, at + R::Load, quint8(counters.at(0)));
    put32(r, at + R::TxFrames, counters.at(1));
    put32(r, at + R::RxFrames, counters.at(2));
    put32(r, at + R::Latency, counters.at(3));
    w<QSpinBox>("sStreamRes")->setValue(stream);
    m_page->res_rcv(0x010B);
    QCOMPARE(column(0), QStringList(6, QString())); // nothing present yet

    put8(r, R::Present, 1);
    m_page->res_rcv(0x000B); // port A's results are not shown
    m_page->res_rcv(0x0107);
    QCOMPARE(column(0), QStringList(6, QString()));
    m_page->res_rcv(0x010B);
    QCOMPARE(column(0), counts);
    QCOMPARE(column(1), (QStringList{"", "", "", "", coef, ""}));
    QCOMPARE(m_page->resultStream(), stream - 1);

    // The display stays when the present flag drops again.
    put32(r, at + R::TxFrames, 1);
    put8(r, R::Present, 0);
    m_page->res_rcv(0x010B);
    QCOMPARE(column(0), counts);
}

void TestMultiForm::times_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<quint32>("duration");
    QTest::addColumn<quint16>("marginMs");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<QString>("elapsedTime");
    QTest::addColumn<QString>("estimateTime");
    QTest::newRow("running") << true << 10u << quint16(1000) << 3 << "00:00:03" << "00:00:09";
    QTest::newRow("past the end") << true << 10u << quint16(1000) << 200 << "00:03:20" << "00:00:00";
    QTest::newRow("idle") << false << 10u << quint16(1000) << 3 << "00:00:00" << "00:00:00";
}

void TestMultiForm::times()
{
    QFETCH(bool, running);
    QFETCH(quint32, duration);
    QFETCH(quint16, marginMs);
    QFETCH(int, elapsed);
    QFETCH(QString, elapsedTime);
    QFETCH(QString, estimateTime);
    MultiConfigBlock config = configBlock(0x70);
    put32(config, C::Duration, duration);
    put16(config, C::Margin, marginMs);
    deliver(0, config);
    put8(m_device->multiResult[0], R::Present, 1);
    m_device->procState[0] = running ? StateBit::tx(StateBit::Multi) : 0;
    m_device->elapsedCounter[0].update(quint8(elapsed));
    m_page->res_rcv(0x000B);
    QCOMPARE(w<QLineEdit>("lElapsedTime")->text(), elapsedTime);
    QCOMPARE(w<QLineEdit>("lEstimateTime")->text(), estimateTime);
}

// A selector value without a record changes nothing.
void TestMultiForm::selectorsOutsideTheRecords()
{
    deliver(0, configBlock(0x80));
    for (const char *name : {"sStreamSettings", "sStreamRes"}) {
        auto *selector = w<QSpinBox>(name);
        selector->setValue(4);
        selector->setRange(-5, 300);
        for (int v : {0, 11, 255, -1})
            selector->setValue(v);
    }
    QCOMPARE(m_page->settingsStream(), 3);
    QCOMPARE(m_page->resultStream(), 3);
    put8(m_device->multiResult[0], R::Present, 1);
    m_page->res_rcv(0x000B);
    apply();
    QCOMPARE(bytes(m_device->multiConfig[0]).toHex(' '), bytes(configBlock(0x80)).toHex(' '));
}

QTEST_MAIN(TestMultiForm)
#include "tst_multiform.moc"
