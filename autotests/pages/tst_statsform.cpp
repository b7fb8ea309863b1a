#include "pagedriver.h"
#include "statsform.h"

#include "statslayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace F = StatsResultField;

// The statistics page: both ports' counters from their result blocks, the
// one-port model's rule and the auto-reset flag.
class TestStatsForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void counters_data();
    void counters();
    void argumentsBeyondPortBIgnored();
    void modelRule_data();
    void modelRule();
    void autoResetFlag_data();
    void autoResetFlag();
    void codes();

private:
    QTableWidget *table(const char *name) const { return m_page->findChild<QTableWidget *>(name); }
    QString cell(const char *name, int row, int column) const
    {
        const QTableWidgetItem *item = table(name)->item(row, column);
        return item ? item->text() : QString();
    }
    QPushButton *button(const char *name) const { return m_page->findChild<QPushButton *>(name); }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<StatsForm> m_page;
};

void TestStatsForm::init()
{
    PageDriver::openPage(m_device, m_page);
}

void TestStatsForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

void TestStatsForm::counters_data()
{
    QTest::addColumn<quint8>("port");
    QTest::addColumn<quint8>("selected"); // the port the main window shows
    QTest::newRow("port A") << quint8(0) << quint8(0);
    QTest::newRow("port B while A is selected") << quint8(1) << quint8(0);
    QTest::newRow("port A while B is selected") << quint8(0) << quint8(1);
}

// Every counter of the block distinct (its offset plus a port mark), the
// transmit half's first at the unsigned maximum.
void TestStatsForm::counters()
{
    QFETCH(quint8, port);
    QFETCH(quint8, selected);
    m_device->curProc = selected;
    m_page->switch_proc(selected);
    StatsResultBlock &r = m_device->statsResult[port];
    for (std::size_t at = 0; at < r.size(); at += 4)
        put32(r, at, quint32(1000 * (port + 1) + at));
    put32(r, F::tx(F::Bytes), 0xFFFFFFFF);
    m_page->res_rcv(requestCode(TestNo::Stats, port));

    const auto value = [port](std::size_t at) { return QString::number(1000 * (port + 1) + at); };
    const int p = port;
    QCOMPARE(cell("tCommons", 2 * p, 0), value(F::rx(F::Frames)));
    QCOMPARE(cell("tCommons", 2 * p + 1, 0), value(F::rx(F::Bytes)));
    QCOMPARE(cell("tCommons", 2 * p + 1, 1), QStringLiteral("4294967295"));
    QCOMPARE(cell("tCommons", 2 * p, 1), value(F::tx(F::Frames)));
    const std::size_t types[] = {F::Broadcast, F::Multicast, F::Unicast, F::Pause};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(cell("tFramet", 4 * p + i, 0), value(F::rx(types[i])));
        QCOMPARE(cell("tFramet", 4 * p + i, 1), value(F::tx(types[i])));
    }
    QCOMPARE(cell("tLevels", 2 * p, 0), value(F::rx(F::Level)));
    QCOMPARE(cell("tLevels", 2 * p, 1), value(F::tx(F::Level)));
    const char *sizes = port ? "tFramesB" : "tFramesA";
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(cell(sizes, i, 0), value(F::rx(F::sizeClass(std::size_t(i)))));
        QCOMPARE(cell(sizes, i, 1), value(F::tx(F::sizeClass(std::size_t(i)))));
    }
    // The other port's rows, the L3 rows and the error table stay empty.
    QCOMPARE(cell("tCommons", 2 * (1 - p), 0), QString());
    QCOMPARE(cell("tFramet", 4 * (1 - p), 1), QString());
    QCOMPARE(cell(port ? "tFramesA" : "tFramesB", 0, 0), QString());
    QCOMPARE(cell("tLevels", 2 * p + 1, 0), QString());
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column)
            QCOMPARE(cell("tRxerr", row, column), QString());
}

void TestStatsForm::argumentsBeyondPortBIgnored()
{
    for (quint8 arg : {quint8(2), quint8(4), quint8(255)})
        m_page->res_rcv(requestCode(TestNo::Stats, arg));
    m_page->res_rcv(requestCode(TestNo::Iface, 0));
    for (const char *name : {"tCommons", "tFramet", "tLevels", "tFramesA", "tFramesB"})
        for (int row = 0; row < table(name)->rowCount(); ++row)
            QCOMPARE(cell(name, row, 0), QString());
}

void TestStatsForm::modelRule_data()
{
    QTest::addColumn<bool>("qvb");
    QTest::addColumn<bool>("byStatus"); // the rule runs on a status update, not a configuration
    QTest::newRow("QV by configuration") << false << false;
    QTest::newRow("QVB by configuration") << true << false;
    QTest::newRow("QV by status") << false << true;
    QTest::newRow("QVB by status") << true << true;
}

void TestStatsForm::modelRule()
{
    QFETCH(bool, qvb);
    QFETCH(bool, byStatus);
    m_page->show();
    // Start from the other model, as after a reconnect to another tester.
    m_device->isQvb = !qvb;
    m_page->cfg_rcv(requestCode(TestNo::Stats, 0));
    m_device->isQvb = qvb;
    if (byStatus)
        m_page->status_upd();
    else
        m_page->cfg_rcv(requestCode(TestNo::Stats, 0));
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(table("tCommons")->isRowHidden(row), qvb && row >= 2);
        QCOMPARE(table("tLevels")->isRowHidden(row), qvb && row >= 2);
    }
    for (int row = 0; row < 8; ++row)
        QCOMPARE(table("tFramet")->isRowHidden(row), qvb && row >= 4);
    QCOMPARE(m_page->findChild<QGroupBox *>("gPortB")->isVisible(), !qvb);
    QVERIFY(m_page->findChild<QGroupBox *>("gPortA")->isVisible());
    QCOMPARE(table("tRxerr")->isColumnHidden(1), qvb);
    QVERIFY(!table("tRxerr")->isColumnHidden(0));
}

void TestStatsForm::autoResetFlag_data()
{
    QTest::addColumn<bool>("received");
    QTest::addColumn<bool>("checked"); // by the user before Apply
    QTest::newRow("on, switched off") << true << false;
    QTest::newRow("off, switched on") << false << true;
    QTest::newRow("on, kept") << true << true;
}

void TestStatsForm::autoResetFlag()
{
    QFETCH(bool, received);
    QFETCH(bool, checked);
    auto *box = m_page->findChild<QCheckBox *>("cRst");
    m_device->statsFlag = received;
    m_page->cfg_rcv(requestCode(TestNo::Stats, 0));
    QCOMPARE(box->isChecked(), received);
    box->setChecked(checked);
    m_device->statsFlag = !checked;
    QTest::mouseClick(button("bApply"), Qt::LeftButton);
    QCOMPARE(m_device->statsFlag, checked);
}

void TestStatsForm::codes()
{
    QSignalSpy configs(m_page.get(), &TestForm::gs_cfg);
    QSignalSpy starts(m_page.get(), &TestForm::start_test);
    // Nothing to apply before this connection's flag has arrived.
    QVERIFY(!button("bApply")->isEnabled());
    QTest::mouseClick(button("bApply"), Qt::LeftButton);
    QTest::mouseClick(button("bReset"), Qt::LeftButton);
    m_page->cfg_rcv(requestCode(TestNo::Stats, 0));
    QVERIFY(button("bApply")->isEnabled());
    m_device->procState[0] = StateBit::tx(StateBit::Traffic); // no rule on the state words
    m_page->status_upd();
    QTest::mouseClick(button("bApply"), Qt::LeftButton);
    QTest::mouseClick(button("bResetStats"), Qt::LeftButton);
    QCOMPARE(configs.size(), 2);
    QCOMPARE(configs.at(0).at(0).value<unsigned short>(), quint16(0x000D));
    QCOMPARE(configs.at(1).at(0).value<unsigned short>(), quint16(0x010D));
    QCOMPARE(starts.size(), 1);
    QCOMPARE(starts.at(0).at(0).value<unsigned short>(), quint16(0x000D));
    QCOMPARE(m_device->activeTest, ActiveTest::Stats);
}

QTEST_MAIN(TestStatsForm)
#include "tst_statsform.moc"
