// The measurement pages against the simulated tester over TCP: open the
// page (and its tab), change a setting, Apply, start on port A, watch the
// results arrive and grow, stop (a DNS lookup ends by itself). Real
// transports, engine and qvsim.

#include "conversions.h"
#include "mainform.h"
#include "pinglayout.h"
#include "resultvalues.h"
#include "simprocess.h"
#include "testcodes.h"
#include "testform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <functional>

using PageStep = std::function<void(TestForm *page)>;
using Reading = std::function<double(TestForm *page)>;
Q_DECLARE_METATYPE(PageStep)
Q_DECLARE_METATYPE(Reading)

namespace {

QString cell(TestForm *page, const char *table, int row, int column)
{
    const auto *t = page->findChild<QTableWidget *>(QLatin1String(table));
    const QTableWidgetItem *item = t ? t->item(row, column) : nullptr;
    return item ? item->text() : QString();
}

template <typename W>
W *child(TestForm *page, const char *name)
{
    return page->findChild<W *>(QLatin1String(name));
}

QString text(TestForm *page, const char *name)
{
    return child<QLineEdit>(page, name)->text();
}

// What the user types: the field then counts as edited.
void type(TestForm *page, const char *name, const QString &value)
{
    auto *line = child<QLineEdit>(page, name);
    line->selectAll();
    QTest::keyClicks(line, value);
}

const QStringList kFast = {QStringLiteral("--speed"), QStringLiteral("10")};

} // namespace

class TestMeasureE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
};

void TestMeasureE2e::run_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("tab");             // -1: the page has no tabs
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("stateBit");
    QTest::addColumn<PageStep>("edit");       // before Apply
    QTest::addColumn<Reading>("counter");     // a count that grows while the test runs, if any
    QTest::addColumn<PageStep>("whileRunning"); // checks on the running page
    QTest::addColumn<bool>("stoppable");      // else the test ends by itself
    QTest::addColumn<PageStep>("afterStop");

    QTest::newRow("jitter")
        << QStringList() << "bJitter" << 6 << -1 << "bStartXX" << int(TestNo::Jitter) << int(StateBit::Jitter)
        << PageStep([](TestForm *p) { child<QSpinBox>(p, "sThre")->setValue(20); })
        << Reading([](TestForm *p) { return cell(p, "tRes", 0, 1).toDouble(); })
        << PageStep([](TestForm *p) {
               QCOMPARE(cell(p, "tDist", 0, 0), QStringLiteral("0.000-2.500"));
               QTRY_VERIFY(cell(p, "tDist", 0, 1).toDouble() > 0);
               QCOMPARE(cell(p, "tRes", 1, 1), QStringLiteral("..."));
           })
        << true << PageStep([](TestForm *p) {
               QTRY_VERIFY(cell(p, "tRes", 1, 1).contains(QLatin1Char('E')));
               const QRegularExpression percent(QStringLiteral("^\\d+\\.\\d\\d$"));
               QVERIFY(percent.match(cell(p, "tRes", 1, 2)).hasMatch());
               QVERIFY(cell(p, "tRes", 2, 1).contains(QLatin1Char('E')));
           });
    // Stream 2 switched off: only the streams left on send.
    QTest::newRow("multistream")
        << QStringList() << "bMulti" << 1 << -1 << "bStartXX" << int(TestNo::Multi) << int(StateBit::Multi)
        << PageStep([](TestForm *p) {
               child<QSpinBox>(p, "sStreamSettings")->setValue(2);
               child<QCheckBox>(p, "cActive")->setChecked(false);
           })
        << Reading([](TestForm *p) { return cell(p, "tRes", 1, 0).toDouble(); })
        << PageStep([](TestForm *p) {
               QVERIFY(cell(p, "tRes", 0, 0).endsWith(QLatin1Char('%')));
               QVERIFY(cell(p, "tRes", 5, 0).toDouble() > 0); // latency
               child<QSpinBox>(p, "sStreamRes")->setValue(2);
               QCOMPARE(cell(p, "tRes", 1, 0), QStringLiteral("0"));
               QCOMPARE(cell(p, "tRes", 4, 1), QStringLiteral("0.000"));
               child<QSpinBox>(p, "sStreamRes")->setValue(1);
           })
        << true << PageStep([](TestForm *p) { QVERIFY(cell(p, "tRes", 2, 0).toDouble() > 0); });
    QTest::newRow("BERT")
        << QStringList() << "bBert" << 7 << -1 << "bStartXX" << int(TestNo::Bert) << int(StateBit::Bert)
        << PageStep([](TestForm *p) { child<QComboBox>(p, "cPattern")->setCurrentIndex(3); })
        << Reading([](TestForm *p) { return text(p, "lBits").toDouble(); })
        << PageStep([](TestForm *p) {
               QVERIFY(text(p, "lElap") != QStringLiteral("00:00:00"));
               QVERIFY(!text(p, "lBER").isEmpty());
           })
        << true << PageStep([](TestForm *p) {
               QCOMPARE(child<QComboBox>(p, "cPattern")->currentIndex(), 3); // as the tester echoed it
               QVERIFY(text(p, "lEbits").toULongLong() <= text(p, "lBits").toULongLong());
           });
    QTest::newRow("ping")
        << QStringList() << "bTCPIP" << 4 << 0 << "bStart" << int(TestNo::Ping) << int(StateBit::Ping)
        << PageStep([](TestForm *p) { child<QSpinBox>(p, "sPause")->setValue(100); })
        << Reading([](TestForm *p) { return text(p, "lSent").toDouble(); })
        << PageStep([](TestForm *p) {
               QTRY_VERIFY(text(p, "lReceive").toInt() > 0);
               QVERIFY(cell(p, "tPingRes", 0, 0).toInt() > 0);
               QVERIFY(cell(p, "tPingRes", 0, 1) != QStringLiteral("---"));
           })
        << true << PageStep([](TestForm *p) {
               const double average = text(p, "lAvrg").toDouble();
               QVERIFY(text(p, "lMin").toDouble() <= average && average <= text(p, "lMax").toDouble());
           });
    // A destination that never answers: the probes time out hop after hop,
    // past 30 and on through the pages the selector shows.
    QTest::newRow("trace")
        << kFast << "bTCPIP" << 4 << 1 << "bStart" << int(TestNo::Trace) << int(StateBit::Trace)
        << PageStep([](TestForm *p) {
               child<QLineEdit>(p, "lIPdst")->setText(Conv::ipToText(0xCB007107)); // 203.0.113.7
               child<QSpinBox>(p, "sDelay")->setValue(100);
           })
        << Reading()
        << PageStep([](TestForm *p) {
               QTRY_COMPARE(cell(p, "tTraceRes", 0, 0), QStringLiteral("1"));
               QCOMPARE(cell(p, "tTraceRes", 0, 1), Conv::ipToText(0xC0A80001)); // the gateway
               child<QSpinBox>(p, "sPage")->setValue(5);
               QTRY_COMPARE_WITH_TIMEOUT(cell(p, "tTraceRes", 0, 0), QStringLiteral("33"), 10000);
               QTRY_COMPARE_WITH_TIMEOUT(cell(p, "tTraceRes", 7, 0), QStringLiteral("40"), 5000);
               QCOMPARE(cell(p, "tTraceRes", 0, 1), ResultValues::Trace::hopText(TraceStatus::Timeout, 0));
           })
        << true << PageStep([](TestForm *p) {
               child<QSpinBox>(p, "sPage")->setValue(1);
               QTRY_COMPARE(cell(p, "tTraceRes", 0, 0), QStringLiteral("1"));
           });
    // Slowed down, so that the lookup is seen in progress.
    QTest::newRow("DNS")
        << QStringList{QStringLiteral("--speed"), QStringLiteral("0.1")} << "bTCPIP" << 4 << 2 << "bStart"
        << int(TestNo::Dns) << int(StateBit::Dns)
        << PageStep([](TestForm *p) { type(p, "lHost", QStringLiteral("qv.example.org")); })
        << Reading()
        << PageStep([](TestForm *p) {
               QTRY_COMPARE(text(p, "lStatus"), ResultValues::Dns::statusText(DnsStatus::InProgress));
               QCOMPARE(text(p, "lHostRes"), QStringLiteral("qv.example.org"));
               QCOMPARE(text(p, "lIPres"), Conv::ipToText(0));
               QVERIFY(!child<QPushButton>(p, "bStop")->isEnabled());
           })
        << false << PageStep([](TestForm *p) {
               QTRY_COMPARE(text(p, "lStatus"), ResultValues::Dns::statusText(DnsStatus::Passed));
               QVERIFY(text(p, "lIPres") != Conv::ipToText(0));
           });
}

void TestMeasureE2e::run()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, button);
    QFETCH(int, pageIndex);
    QFETCH(int, tab);
    QFETCH(QString, start);
    QFETCH(int, test);
    QFETCH(int, stateBit);
    QFETCH(PageStep, edit);
    QFETCH(Reading, counter);
    QFETCH(PageStep, whileRunning);
    QFETCH(bool, stoppable);
    QFETCH(PageStep, afterStop);

    SimProcess sim(SimProcess::Link::Tcp, simArgs);
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    MainForm form(nullptr, sim.port());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.connectEthernet(QStringLiteral("127.0.0.1"));
    QTRY_VERIFY_WITH_TIMEOUT(form.device().connected, 5000);
    QMessageBox *warning = nullptr; // the two-port tester's release warning
    QTRY_VERIFY((warning = form.findChild<QMessageBox *>()) != nullptr);
    warning->close();

    QSignalSpy configs(&form.engine(), &OldProto::cfg_rcv);
    QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
    TestForm *page = form.pages().value(pageIndex);
    QVERIFY(page && page->isVisible());
    if (tab >= 0)
        page->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(tab);
    const auto pageButton = [page](const QString &name) { return page->findChild<QPushButton *>(name); };
    QTRY_VERIFY(pageButton(QStringLiteral("bApply"))->isEnabled()); // the configuration has come
    QVERIFY(std::any_of(configs.cbegin(), configs.cend(), [test](const QList<QVariant> &c) {
        return (c.at(0).value<unsigned short>() & 0xFF) == test;
    }));

    edit(page);
    QTest::mouseClick(pageButton(QStringLiteral("bApply")), Qt::LeftButton);
    QTRY_VERIFY(pageButton(start)->isEnabled());
    QTest::mouseClick(pageButton(start), Qt::LeftButton);
    const quint32 bits = StateBit::tx(stateBit) | StateBit::rx(stateBit);
    QTRY_VERIFY_WITH_TIMEOUT((form.device().procState[0] & bits) == bits, 5000);

    if (counter) {
        QTRY_VERIFY_WITH_TIMEOUT(counter(page) > 0, 5000);
        const double first = counter(page);
        QTRY_VERIFY_WITH_TIMEOUT(counter(page) > first, 5000);
    }
    whileRunning(page);
    if (QTest::currentTestFailed())
        return;

    if (stoppable) {
        QTRY_VERIFY(pageButton(QStringLiteral("bStop"))->isEnabled());
        QTest::mouseClick(pageButton(QStringLiteral("bStop")), Qt::LeftButton);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!(form.device().procState[0] & bits), 15000);
    afterStop(page);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(pageButton(start)->isEnabled());
    QVERIFY(sim.stop());
}

QTEST_MAIN(TestMeasureE2e)
#include "tst_measure_e2e.moc"
