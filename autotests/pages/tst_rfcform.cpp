#include "pagedriver.h"
#include "rfcform.h"

#include "chartpane.h"

#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>
#include "rfclayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

#include <cmath>
#include <limits>

// The RFC-2544 page driven like a user: blocks arrive through cfg_rcv and
// res_rcv, widgets are found by their object names, and what Apply leaves
// in the device record is compared byte for byte.
class TestRfcForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void defaultsWaitForApply();
    void results_data();
    void results();
    void frameLossStep_data();
    void frameLossStep();
    void stepPerPort();
    void codesAndEnabling();
    void charts();
    void tablesShrinkAgain();

private:
    template <typename W = QWidget>
    W *w(const QString &name) const
    {
        W *widget = m_page->findChild<W *>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    void switchTo(quint8 proc)
    {
        m_device->curProc = proc;
        m_page->switch_proc(proc);
    }
    void deliver(quint8 proc, const RfcConfigBlock &b)
    {
        m_device->rfcConfig[proc] = b;
        m_page->cfg_rcv(requestCode(TestNo::Rfc, proc));
    }
    void results(quint8 proc) { m_page->res_rcv(requestCode(TestNo::Rfc, proc)); }
    QString cell(const char *table, int row, int column) const
    {
        const QTableWidgetItem *item = w<QTableWidget>(QLatin1String(table))->item(row, column);
        return item ? item->text() : QString();
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<RfcForm> m_page;
};

namespace {

namespace C = RfcConfigField;
namespace S = RfcSummaryField;
namespace L = RfcResultLayout;

QByteArray bytes(const RfcConfigBlock &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size())).toHex(' ');
}

// Every byte distinct, then the edited fields brought inside what their
// widgets can show, so that a round trip must give the block back whole.
RfcConfigBlock distinct(quint8 seed)
{
    RfcConfigBlock b{};
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = quint8(seed + 7 * i);
    b[C::AutoMac] = 0;
    b[C::Priority] = 2;
    b[C::Tos] = quint8((5 << 5) | (8 << 1) | 1);
    b[C::Dscp] = 46 << 2;
    put16(b, C::UdpSrc, 65535);
    put16(b, C::UdpDst, 1);
    b[C::ThrEnabled] = 0;
    b[C::LatEnabled] = 1;
    b[C::FrlEnabled] = 0;
    b[C::BtbEnabled] = 1;
    put32(b, C::ThrSample, 86399);
    b[C::ThrStartLoad] = 99;
    b[C::ThrEndLoad] = 2;
    put32(b, C::LatInterval, 3723);
    put32(b, C::LatIterations, 999);
    for (std::size_t k = 0; k < C::Slots; ++k) {
        b[C::latUserLoad(k)] = quint8(11 * k + 3);
        b[C::slotEnabled(k)] = k % 3 == 0 ? 1 : 0;
        put16(b, C::slotSize(k), quint16(64 + 1217 * k));
    }
    b[C::LatUserLoading] = 0;
    put32(b, C::FrlSample, 59);
    b[C::FrlStartLoad] = 97;
    b[C::FrlEndLoad] = 13;
    b[C::FrlStep] = 7;
    put16(b, C::BtbMin, 3);
    put16(b, C::BtbMax, 998);
    put16(b, C::BtbIterations, 1);
    return b;
}

} // namespace

void TestRfcForm::init()
{
    PageDriver::openPage(m_device, m_page);
}

void TestRfcForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

void TestRfcForm::roundTrip_data()
{
    QTest::addColumn<quint8>("port");
    QTest::addColumn<RfcConfigBlock>("config");
    QTest::newRow("port A defaults") << quint8(0) << RfcDefaults::Port[0];
    QTest::newRow("port B defaults") << quint8(1) << RfcDefaults::Port[1];
    QTest::newRow("A: every byte distinct") << quint8(0) << distinct(0x11);
    QTest::newRow("B: every byte distinct") << quint8(1) << distinct(0x80);
}

void TestRfcForm::roundTrip()
{
    QFETCH(quint8, port);
    QFETCH(RfcConfigBlock, config);
    switchTo(port);
    deliver(port, config);
    for (std::size_t k = 0; k < C::Slots; ++k) {
        const QString size = QString::number(get16(config, C::slotSize(k)));
        QCOMPARE(w<QSpinBox>(QStringLiteral("sf%1").arg(k + 1))->text(), size);
        QCOMPARE(w<QLabel>(QStringLiteral("label_%1").arg(20 + k))->text(), size);
    }
    QCOMPARE(w<QSpinBox>("sLatCount")->value(), int(get32(config, C::LatIterations)));

    QSignalSpy writes(m_page.get(), &TestForm::gs_cfg);
    m_device->rfcConfig[port].fill(0); // Apply writes the whole block
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.at(0).at(0).value<unsigned short>(), quint16(0x0101));
    QCOMPARE(bytes(m_device->rfcConfig[port]), bytes(config));
    QCOMPARE(bytes(m_device->rfcConfig[port ^ 1]), bytes(RfcConfigBlock{}));
}

void TestRfcForm::defaultsWaitForApply()
{
    switchTo(1);
    const RfcConfigBlock mine = distinct(0x42);
    deliver(1, mine);
    QSignalSpy requests(m_page.get(), &TestForm::gs_cfg);
    QTest::mouseClick(w<QPushButton>("bDefault"), Qt::LeftButton);
    QCOMPARE(w<QLineEdit>("lIPdst")->text(), QStringLiteral("192.168.000.200"));
    QCOMPARE(w<QLineEdit>("lMACdst")->text(), QStringLiteral("00:66:55:44:33:22"));
    QCOMPARE(w<QLabel>("label_27")->text(), QStringLiteral("64"));
    QVERIFY(requests.isEmpty());
    QCOMPARE(bytes(m_device->rfcConfig[1]), bytes(mine));

    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(bytes(m_device->rfcConfig[1]), bytes(RfcDefaults::Port[1]));
}

void TestRfcForm::results_data()
{
    QTest::addColumn<quint8>("status");
    QTest::addColumn<quint16>("length");
    QTest::addColumn<float>("load");
    QTest::addColumn<float>("rate");
    QTest::addColumn<double>("latency");
    QTest::addColumn<quint16>("btb");
    QTest::addColumn<QStringList>("texts"); // status, length, load, rate, latency, btb

    QTest::newRow("zero") << quint8(0) << quint16(0) << 0.f << 0.f << 0.0 << quint16(0)
                          << QStringList{"Wait", "0", "0", "0", "0", "0"};
    QTest::newRow("typical") << quint8(1) << quint16(1518) << 67.f << 6.7e8f << 1234.5 << quint16(17)
                             << QStringList{"OK", "1518", "67", "6.7e+08", "1234.5", "17"};
    QTest::newRow("last status, maxima")
        << quint8(9) << quint16(65535) << std::numeric_limits<float>::max() << 1.f
        << std::numeric_limits<double>::max() << quint16(65535)
        << QStringList{"RxTx", "65535", "3.40282e+38", "1", "1.79769e+308", "65535"};
    QTest::newRow("status past the list, NaN and infinity")
        << quint8(10) << quint16(64) << float(NAN) << float(INFINITY) << -double(INFINITY) << quint16(1)
        << QStringList{"10", "64", "---", "---", "---", "1"};
    QTest::newRow("status 255") << quint8(255) << quint16(9600) << 100.f << 1e9f << 0.5 << quint16(999)
                                << QStringList{"255", "9600", "100", "1e+09", "0.5", "999"};
}

void TestRfcForm::results()
{
    QFETCH(quint8, status);
    QFETCH(quint16, length);
    QFETCH(float, load);
    QFETCH(float, rate);
    QFETCH(double, latency);
    QFETCH(quint16, btb);
    QFETCH(QStringList, texts);

    // Row 7 is a disabled slot in the defaults: it has its row all the same.
    for (const std::size_t row : {std::size_t(0), std::size_t(7)}) {
        RfcResultBlock &r = m_device->rfcResult[1];
        put16(r, S::frameLength(row), length);
        put8(r, S::thrStatus(row), status);
        putFloat(r, S::thrLoad(row), load);
        putFloat(r, S::thrRate(row), rate);
        put8(r, S::latStatus(row), status);
        putDouble(r, S::latValue(row), latency);
        put8(r, S::btbStatus(row), status);
        put16(r, S::btbMin(row), btb);
        put16(r, S::btbMax(row), quint16(btb ^ 0xFFFF));
        put8(r, S::frlStatus(row), status);
    }
    results(1); // not the port on show
    QCOMPARE(cell("tThrRes", 0, 0), QString());
    switchTo(1);
    results(1);
    for (const int row : {0, 7}) {
        for (const char *t : {"tThrRes", "tLatRes", "tBtbRes", "tFrlRes"}) {
            QCOMPARE(cell(t, row, RfcForm::Status), texts[0]);
            QCOMPARE(cell(t, row, RfcForm::FrameLength), texts[1]);
        }
        QCOMPARE(cell("tThrRes", row, RfcForm::Value1), texts[2]);
        QCOMPARE(cell("tThrRes", row, RfcForm::Value2), texts[3]);
        QCOMPARE(cell("tLatRes", row, RfcForm::Value1), texts[2]); // the throughput load
        QCOMPARE(cell("tLatRes", row, RfcForm::Value2), texts[4]);
        QCOMPARE(cell("tBtbRes", row, RfcForm::Value1), texts[5]);
        QCOMPARE(cell("tBtbRes", row, RfcForm::Value2), QString::number(btb ^ 0xFFFF));
    }
}

void TestRfcForm::frameLossStep_data()
{
    QTest::addColumn<int>("typed");   // into the selector
    QTest::addColumn<int>("shown");   // what the selector keeps
    QTest::addColumn<quint32>("step");
    QTest::newRow("100: step 0, the starting load") << 100 << 100 << 0u;
    QTest::newRow("99") << 99 << 99 << 1u;
    QTest::newRow("1: the last step") << 1 << 1 << 99u;
    QTest::newRow("0 stays at 1") << 0 << 1 << 99u;
    QTest::newRow("101 stays at 100") << 101 << 100 << 0u;
}

void TestRfcForm::frameLossStep()
{
    QFETCH(int, typed);
    QFETCH(int, shown);
    QFETCH(quint32, step);
    RfcResultBlock &r = m_device->rfcResult[0];
    for (std::size_t row = 0; row < L::Rows; ++row) {
        put8(r, L::byte(row, step), quint8(100 - step));
        put32(r, L::value(row, step), row == 7 ? 0xFFFFFFFFu : quint32(row * 10));
    }
    put8(r, L::byte(3, step), 0); // a step the run did not reach

    auto *selector = w<QSpinBox>("sFrlsnum");
    selector->setValue(shown == 50 ? 51 : 50); // so that typed always changes it
    selector->setValue(typed);
    QCOMPARE(selector->value(), shown);
    QCOMPARE(m_device->rfcStep[0], step);
    QCOMPARE(m_device->rfcStep[1], 0u);
    QCOMPARE(cell("tFrlRes", 0, RfcForm::Value1), QStringLiteral("0"));
    QCOMPARE(cell("tFrlRes", 2, RfcForm::Value1), QStringLiteral("20"));
    QCOMPARE(cell("tFrlRes", 3, RfcForm::Value1), QStringLiteral("---"));
    QCOMPARE(cell("tFrlRes", 7, RfcForm::Value1), QStringLiteral("4294967295"));

    for (const int rate : {-5, 0, 1, 100, 101, 1000})
        QVERIFY(RfcForm::stepOfRate(rate) < L::Steps);
}

void TestRfcForm::stepPerPort()
{
    w<QSpinBox>("sFrlsnum")->setValue(60);
    switchTo(1);
    QCOMPARE(w<QSpinBox>("sFrlsnum")->value(), 100);
    w<QSpinBox>("sFrlsnum")->setValue(75);
    QCOMPARE(m_device->rfcStep[1], 25u);
    switchTo(0);
    QCOMPARE(w<QSpinBox>("sFrlsnum")->value(), 60);
    QCOMPARE(m_device->rfcStep[0], 40u);
    m_device->rfcStep[1] = 1000; // never from this page; shown as step 0
    switchTo(1);
    QCOMPARE(w<QSpinBox>("sFrlsnum")->value(), 100);
}

void TestRfcForm::codesAndEnabling()
{
    QCOMPARE(m_device->activeTest, ActiveTest::Rfc);
    QSignalSpy starts(m_page.get(), &TestForm::start_test);
    QSignalSpy configs(m_page.get(), &TestForm::gs_cfg);
    deliver(0, RfcDefaults::Port[0]);
    m_page->status_upd();
    QVERIFY(!w<QPushButton>("bStop")->isEnabled());
    QTest::mouseClick(w<QPushButton>("bStartXX"), Qt::LeftButton);
    QTest::mouseClick(w<QPushButton>("bStartXY"), Qt::LeftButton);
    m_device->procState[0] = StateBit::tx(StateBit::Rfc);
    m_page->status_upd();
    QVERIFY(!w<QPushButton>("bApply")->isEnabled());
    QVERIFY(!w<QPushButton>("bDefault")->isEnabled());
    QVERIFY(!w<QPushButton>("bStartXX")->isEnabled());
    QTest::mouseClick(w<QPushButton>("bStop"), Qt::LeftButton);
    QTest::mouseClick(w<QPushButton>("bReset"), Qt::LeftButton);
    QCOMPARE(starts.size(), 3);
    QCOMPARE(starts.at(0).at(0).value<unsigned short>(), quint16(0x0101));
    QCOMPARE(starts.at(1).at(0).value<unsigned short>(), quint16(0x0001));
    QCOMPARE(starts.at(2).at(0).value<unsigned short>(), quint16(0x0001));
    QCOMPARE(configs.last().at(0).value<unsigned short>(), quint16(0x0001));
    switchTo(1);
    QCOMPARE(w<QGroupBox>("gRFC")->title(), QStringLiteral("RFC-2544 test (Port B)"));
    QCOMPARE(w<QPushButton>("bStartXY")->text(), QStringLiteral("Start B->A"));
}

void TestRfcForm::charts()
{
    RfcConfigBlock c = RfcDefaults::Port[0];
    put8(c, C::slotEnabled(1), 0);
    deliver(0, c);
    RfcResultBlock &r = m_device->rfcResult[0];
    put16(r, S::frameLength(0), 64);
    putFloat(r, S::thrLoad(0), 67);
    putDouble(r, S::latValue(0), 900);
    put16(r, S::btbMin(0), 2);
    put16(r, S::btbMax(0), 5);
    put8(r, L::byte(0, 0), 100);
    put32(r, L::value(0, 0), 33);
    results(0);

    const auto *thr = w<ChartPane>("fThrChart");
    QCOMPARE(thr->labels(), (QStringList{"64", "256", "512", "1024", "1280", "1518"}));
    QCOMPARE(thr->values().first(), 67.0);
    QCOMPARE(thr->top(), 100.0);
    // What is drawn: the bar and the axis top.
    const auto *bars = qobject_cast<QBarSeries *>(thr->chart()->series().value(0));
    QVERIFY(bars);
    QCOMPARE(bars->barSets().first()->at(0), 67.0);
    QCOMPARE(qobject_cast<QValueAxis *>(thr->chart()->axes(Qt::Vertical).value(0))->max(), 100.0);
    QCOMPARE(w<ChartPane>("fLatChart")->top(), 1000.0); // the next round number
    QCOMPARE(w<ChartPane>("fBtbChart")->values().mid(0, 3), (QList<double>{2, 3.5, 5}));
    const auto *frl = w<ChartPane>("fFrlChart");
    QCOMPARE(frl->values().first(), 33.0);
    QVERIFY(std::isnan(frl->values().last())); // not measured: no bar
}

// A fitted table whose last column stretches must not take its stretched
// width as its minimum: the window could then never be made smaller.
void TestRfcForm::tablesShrinkAgain()
{
    m_page->resize(900, 600);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    auto *table = w<QTableWidget>("tThrRes");
    w<QTabWidget>("tabWidget")->setCurrentIndex(2);
    QTest::qWait(50);
    const int narrow = table->minimumWidth();
    QVERIFY(narrow > 0);
    m_page->resize(2400, 600);
    QTRY_VERIFY(table->width() > narrow + 200);
    QTest::qWait(50);
    QCOMPARE(table->minimumWidth(), narrow);
}

QTEST_MAIN(TestRfcForm)
#include "tst_rfcform.moc"
