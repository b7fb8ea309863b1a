#include "tcpipform.h"
#include "pagedriver.h"

#include "pinglayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

// The ping / trace / DNS page driven like a user: three tests on three tabs
// of one page, blocks arriving through cfg_rcv and res_rcv.
class TestTcpipForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fetchesAllThreeTests();
    void tabsActOnTheirTest_data();
    void tabsActOnTheirTest();
    void tabChangeWhileClosedKeepsOtherPagesPoll();
    void applyKeepsUntouchedBytes();
    void longHostNameKeptUnlessEdited();
    void pingDisplay_data();
    void pingDisplay();
    void pingStatistics();
    void traceDisplay_data();
    void traceDisplay();
    void dnsDisplay_data();
    void dnsDisplay();
    void portSwitchMovesEveryTab();

private:
    template <typename W = QWidget>
    W *w(const char *name) const
    {
        return PageDriver::child<W>(m_page.get(), name);
    }
    void open()
    {
        m_device->activeTest = 0;
        m_page->activate();
    }
    void deliverAll(quint8 proc)
    {
        for (quint8 test : {TestNo::Ping, TestNo::Trace, TestNo::Dns})
            m_page->cfg_rcv(requestCode(test, proc));
    }
    QString cell(const char *table, int row, int column) const
    {
        const QTableWidgetItem *item = w<QTableWidget>(table)->item(row, column);
        return item ? item->text() : QString();
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<TCPIPForm> m_page;
};

void TestTcpipForm::init()
{
    PageDriver::openPage(m_device, m_page, false);
}

void TestTcpipForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

void TestTcpipForm::fetchesAllThreeTests()
{
    QSignalSpy spy(m_page.get(), &TestForm::gs_cfg);
    open();
    QCOMPARE(m_device->activeTest, ActiveTest::Ping);
    m_device->curProc = 1;
    m_page->switch_proc(1);
    m_page->cfg_rcv(requestCode(TestNo::Ping, 0)); // A: ping known, the rest still due
    m_device->curProc = 0;
    m_page->switch_proc(0);
    QList<int> codes;
    for (const QList<QVariant> &args : std::as_const(spy))
        codes << int(args.at(0).value<unsigned short>());
    QCOMPARE(codes, (QList<int>{4, 6, 9, 4, 6, 9}));
}

// Each tab's buttons send that tab's codes and follow that tab's bit.
void TestTcpipForm::tabsActOnTheirTest_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<quint32>("state");
    QTest::addColumn<QList<bool>>("enabled"); // bStart, bStop, bApply
    QTest::addColumn<QList<int>>("codes");    // start_test of Start/Stop, gs_cfg of Apply, Reset
    QTest::addColumn<quint32>("active");

    const quint32 ping = StateBit::tx(StateBit::Ping);
    const quint32 trace = StateBit::tx(StateBit::Trace);
    const quint32 dns = StateBit::tx(StateBit::Dns);
    QTest::newRow("ping idle") << 0 << 0u << QList<bool>{true, false, true}
                               << QList<int>{0x0004, 0x0104, 0x0004} << ActiveTest::Ping;
    QTest::newRow("ping running") << 0 << ping << QList<bool>{false, true, false}
                                  << QList<int>{0x0004, 0x0004} << ActiveTest::Ping;
    QTest::newRow("trace idle") << 1 << 0u << QList<bool>{true, false, true}
                                << QList<int>{0x0006, 0x0106, 0x0006} << ActiveTest::Trace;
    QTest::newRow("trace running") << 1 << trace << QList<bool>{false, true, false}
                                   << QList<int>{0x0006, 0x0006} << ActiveTest::Trace;
    QTest::newRow("trace tab, ping running") << 1 << ping << QList<bool>{false, false, true}
                                             << QList<int>{0x0106, 0x0006} << ActiveTest::Trace;
    QTest::newRow("dns idle") << 2 << 0u << QList<bool>{true, false, true}
                              << QList<int>{0x0009, 0x0109, 0x0009} << ActiveTest::Dns;
    QTest::newRow("dns running: nothing to stop") << 2 << dns << QList<bool>{false, false, false}
                                                  << QList<int>{0x0009} << ActiveTest::Dns;
}

void TestTcpipForm::tabsActOnTheirTest()
{
    QFETCH(int, tab);
    QFETCH(quint32, state);
    QFETCH(QList<bool>, enabled);
    QFETCH(QList<int>, codes);
    QFETCH(quint32, active);
    open();
    deliverAll(0);
    w<QTabWidget>("tabWidget")->setCurrentIndex(tab);
    QCOMPARE(m_device->activeTest, active);
    m_device->procState[0] = state;
    m_page->status_upd();
    QSignalSpy started(m_page.get(), &TestForm::start_test);
    QSignalSpy config(m_page.get(), &TestForm::gs_cfg);
    const char *names[] = {"bStart", "bStop", "bApply", "bReset"};
    for (int i = 0; i < 4; ++i) {
        auto *b = w<QPushButton>(names[i]);
        if (i < 3)
            QVERIFY2(b->isEnabled() == enabled.at(i), names[i]);
        if (b->isEnabled())
            QTest::mouseClick(b, Qt::LeftButton);
    }
    QList<int> sent;
    for (const QSignalSpy *spy : {&started, &config}) {
        for (const QList<QVariant> &args : *spy)
            sent << int(args.at(0).value<unsigned short>());
    }
    QCOMPARE(sent, codes);
}

void TestTcpipForm::tabChangeWhileClosedKeepsOtherPagesPoll()
{
    open();
    m_device->activeTest = ActiveTest::Traffic; // another page is open
    w<QTabWidget>("tabWidget")->setCurrentIndex(int(TCPIPForm::DnsTab));
    QCOMPARE(m_device->activeTest, ActiveTest::Traffic);
    open(); // opened again on the DNS tab
    QCOMPARE(m_device->activeTest, ActiveTest::Dns);
}

void TestTcpipForm::applyKeepsUntouchedBytes()
{
    namespace F = PingConfigField;
    for (int i = 0; i < int(BlockSize::PingConfig); ++i) {
        m_device->pingConfig[1][i] = quint8(0x10 + i);
        m_device->traceConfig[1][i] = quint8(0x30 + i);
    }
    m_device->curProc = 1;
    open();
    deliverAll(1);
    QCOMPARE(w<QLineEdit>("lFrame")->text(), QStringLiteral("5396")); // 0x1514
    w<QLineEdit>("lIP")->setText(QStringLiteral("10.0.0.1"));
    w<QSpinBox>("sPause")->setValue(250);
    w<QLineEdit>("lIPdst")->setText(QStringLiteral("10.0.0")); // invalid, on the tab behind
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    const PingConfigBlock &p = m_device->pingConfig[1];
    QCOMPARE(get32(p, F::IpDst), 0x0A000001u);
    QCOMPARE(get16(p, F::FrameSize), quint16(0x1514));
    QCOMPARE(get16(p, F::Pause), quint16(250));
    // Only the ping tab was applied; the trace buffer took its default.
    QCOMPARE(get32(m_device->traceConfig[1], F::IpDst), 0x33323130u);
    w<QTabWidget>("tabWidget")->setCurrentIndex(int(TCPIPForm::TraceTab));
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    const TraceConfigBlock &t = m_device->traceConfig[1];
    QCOMPARE(get32(t, F::IpDst), get32(PingDefaults::Trace[1], F::IpDst));
    QCOMPARE(get16(t, F::FrameSize), quint16(0x3534));
    QCOMPARE(get16(t, F::Pause), quint16(0x3736));
}

void TestTcpipForm::longHostNameKeptUnlessEdited()
{
    DnsConfigBlock &b = m_device->dnsConfig[0];
    b.fill(0x7A); // 'z' up to the last byte: no terminator within 33 bytes
    open();
    deliverAll(0);
    QCOMPARE(w<QLineEdit>("lHost")->text(), QString(20, QLatin1Char('z')));
    w<QTabWidget>("tabWidget")->setCurrentIndex(int(TCPIPForm::DnsTab));
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    DnsConfigBlock whole;
    whole.fill(0x7A);
    QVERIFY2(m_device->dnsConfig[0] == whole, "kept whole");

    QLineEdit *host = w<QLineEdit>("lHost");
    host->selectAll();
    QTest::keyClicks(host, QStringLiteral("ya.ru"));
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    const DnsConfigBlock &after = m_device->dnsConfig[0];
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(after.data()), 7), QByteArray("ya.ru\0z", 7));
}

void TestTcpipForm::pingDisplay_data()
{
    QTest::addColumn<quint8>("status");
    QTest::addColumn<quint16>("sequence");
    QTest::addColumn<QStringList>("cells"); // #, Status, Latency
    QTest::newRow("empty row") << quint8(2) << quint16(0) << QStringList{"---", "---", "---"};
    QTest::newRow("request") << quint8(1) << quint16(7) << QStringList{"7", "Request", "---"};
    QTest::newRow("ok") << quint8(2) << quint16(65535) << QStringList{"65535", "OK", "4000000000"};
    QTest::newRow("timeout") << quint8(3) << quint16(9) << QStringList{"9", "Timeout", "---"};
    QTest::newRow("interrupted") << quint8(4) << quint16(10) << QStringList{"10", "Interrupted", "---"};
    QTest::newRow("unknown status") << quint8(9) << quint16(11) << QStringList{"11", "---", "---"};
}

void TestTcpipForm::pingDisplay()
{
    QFETCH(quint8, status);
    QFETCH(quint16, sequence);
    QFETCH(QStringList, cells);
    namespace F = PingResultField;
    PingResultBlock &r = m_device->pingResult[0];
    const std::size_t row = F::row(5); // the last row: an offset slip shows
    put8(r, row + F::Status, status);
    put16(r, row + F::Sequence, sequence);
    put32(r, row + F::Latency, 4000000000u);
    m_page->res_rcv(requestCode(TestNo::Ping, 0));
    QCOMPARE((QStringList{cell("tPingRes", 5, 0), cell("tPingRes", 5, 1), cell("tPingRes", 5, 3)}), cells);
    QCOMPARE(cell("tPingRes", 5, 2), QString()); // "Frame, b" is not written
}

void TestTcpipForm::pingStatistics()
{
    namespace S = PingStatsField;
    PingStatsBlock &st = m_device->pingStats[1];
    put32(st, S::Sent, 3);
    put32(st, S::Received, 4);
    const float average = 12.5f;
    quint32 bits;
    std::memcpy(&bits, &average, 4);
    put32(st, S::Average, bits);
    put32(st, S::Minimum, S::NoMinimum);
    put32(st, S::Maximum, 77);
    m_device->curProc = 1;
    m_page->switch_proc(1);
    m_page->res_rcv(requestCode(TestNo::Ping, 1));
    QCOMPARE(w<QLineEdit>("lSent")->text(), QStringLiteral("3"));
    QCOMPARE(w<QLineEdit>("lReceive")->text(), QStringLiteral("4"));
    QCOMPARE(w<QLineEdit>("lLost")->text(), QStringLiteral("0"));
    QCOMPARE(w<QLineEdit>("lAvrg")->text(), QStringLiteral("12.5"));
    QCOMPARE(w<QLineEdit>("lMin")->text(), QStringLiteral("0"));
    QCOMPARE(w<QLineEdit>("lMax")->text(), QStringLiteral("77"));
    m_page->res_rcv(requestCode(TestNo::Ping, 0)); // the port not shown
    m_page->ping_res_rcv(2);                        // no such port
    QCOMPARE(w<QLineEdit>("lSent")->text(), QStringLiteral("3"));
}

void TestTcpipForm::traceDisplay_data()
{
    QTest::addColumn<int>("page"); // as shown in sPage
    QTest::addColumn<int>("row");
    QTest::addColumn<quint8>("status");
    QTest::addColumn<QStringList>("cells"); // #, IP, Latency
    QTest::newRow("page 1, row 0") << 1 << 0 << quint8(2) << QStringList{"1", "010.020.030.040", "99"};
    QTest::newRow("page 3, row 7 reached") << 3 << 7 << quint8(5) << QStringList{"24", "010.020.030.040", "99"};
    QTest::newRow("probing") << 2 << 4 << quint8(1) << QStringList{"13", "...", ""};
    QTest::newRow("timeout") << 2 << 5 << quint8(3) << QStringList{"14", "timeout", ""};
    QTest::newRow("empty") << 1 << 2 << quint8(0) << QStringList{"", "", ""};
    QTest::newRow("unknown status") << 1 << 3 << quint8(4) << QStringList{"4", "", ""};
    QTest::newRow("page 32, hop 254") << 32 << 6 << quint8(2) << QStringList{"255", "010.020.030.040", "99"};
    QTest::newRow("page 32, hop 255 not kept") << 32 << 7 << quint8(2) << QStringList{"", "", ""};
}

void TestTcpipForm::traceDisplay()
{
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(quint8, status);
    QFETCH(QStringList, cells);
    namespace F = TraceHopField;
    TraceResultBlock &r = m_device->traceResult[0];
    for (int k = 0; k < 255; ++k) {
        put8(r, F::hop(k) + F::Status, status);
        put32(r, F::hop(k) + F::Address, 0x281E140A); // 10.20.30.40, first octet lowest
        put32(r, F::hop(k) + F::Latency, 99);
        put8(r, F::hop(k) + F::Number, quint8(k + 1));
    }
    w<QSpinBox>("sPage")->setValue(page);
    QCOMPARE(m_device->traceHop[0], quint32(page - 1));
    m_page->res_rcv(requestCode(TestNo::Trace, 0));
    QCOMPARE((QStringList{cell("tTraceRes", row, 0), cell("tTraceRes", row, 1), cell("tTraceRes", row, 2)}), cells);
}

void TestTcpipForm::dnsDisplay_data()
{
    QTest::addColumn<quint8>("status");
    QTest::addColumn<QStringList>("fields"); // lHostRes, lIPres, lStatus
    QTest::newRow("none") << quint8(0) << QStringList{"", "000.000.000.000", ""};
    QTest::newRow("passed") << quint8(1) << QStringList{"host.example", "093.184.216.034", "Passed"};
    QTest::newRow("in progress") << quint8(2) << QStringList{"host.example", "000.000.000.000", "In progress"};
    QTest::newRow("error") << quint8(3) << QStringList{"host.example", "000.000.000.000", "Error"};
    QTest::newRow("unknown keeps") << quint8(4) << QStringList{"old", "old", "old"};
}

void TestTcpipForm::dnsDisplay()
{
    QFETCH(quint8, status);
    QFETCH(QStringList, fields);
    namespace F = DnsResultField;
    for (const char *name : {"lHostRes", "lIPres", "lStatus"})
        w<QLineEdit>(name)->setText(QStringLiteral("old"));
    DnsResultBlock &r = m_device->dnsResult[0];
    r.fill(0x41); // no terminator in the name field: read only its 32 bytes
    std::memcpy(r.data(), "host.example", 13);
    put8(r, F::Status, status);
    put32(r, F::Address, 0x22D8B85D);
    m_page->res_rcv(requestCode(TestNo::Dns, 0));
    QCOMPARE((QStringList{w<QLineEdit>("lHostRes")->text(), w<QLineEdit>("lIPres")->text(),
                          w<QLineEdit>("lStatus")->text()}),
             fields);
}

void TestTcpipForm::portSwitchMovesEveryTab()
{
    put32(m_device->pingConfig[1], PingConfigField::IpDst, 0x0A000002);
    put32(m_device->traceConfig[1], PingConfigField::IpDst, 0x0A000003);
    std::memcpy(m_device->dnsConfig[1].data(), "b.example", 10);
    m_device->traceHop[1] = 4;
    open();
    deliverAll(0);
    deliverAll(1);
    w<QLineEdit>("lIP")->setText(QStringLiteral("10.0.0.9")); // unapplied edit on A
    m_device->curProc = 1;
    m_page->switch_proc(1);
    QCOMPARE(w<QGroupBox>("gTrace")->title(), QStringLiteral("Trace test (Port B)"));
    QCOMPARE(w<QLineEdit>("lIP")->text(), QStringLiteral("010.000.000.002"));
    QCOMPARE(w<QLineEdit>("lIPdst")->text(), QStringLiteral("010.000.000.003"));
    QCOMPARE(w<QLineEdit>("lHost")->text(), QStringLiteral("b.example"));
    QCOMPARE(w<QSpinBox>("sPage")->value(), 5);
    QCOMPARE(m_device->traceHop[0], 0u);
    m_device->curProc = 0;
    m_page->switch_proc(0);
    QCOMPARE(w<QLineEdit>("lIP")->text(), QStringLiteral("010.000.000.009"));
    QCOMPARE(w<QSpinBox>("sPage")->value(), 1);
}

QTEST_MAIN(TestTcpipForm)
#include "tst_tcpipform.moc"
