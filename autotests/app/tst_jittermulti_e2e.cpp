// The Jitter and Multistream pages against the simulated tester over TCP:
// open the page, change a setting, Apply, start on port A, watch the
// results arrive and grow, stop. Real transports, engine and qvsim.

#include "mainform.h"
#include "simprocess.h"
#include "testcodes.h"
#include "testform.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
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

} // namespace

class TestJitterMultiE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void run_data();
    void run();
};

void TestJitterMultiE2e::run_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("stateBit");
    QTest::addColumn<PageStep>("edit");       // before Apply
    QTest::addColumn<Reading>("counter");     // a count that grows while the test runs
    QTest::addColumn<PageStep>("whileRunning"); // checks on the running page
    QTest::addColumn<PageStep>("afterStop");

    QTest::newRow("jitter")
        << "bJitter" << 6 << int(TestNo::Jitter) << int(StateBit::Jitter)
        << PageStep([](TestForm *p) { child<QSpinBox>(p, "sThre")->setValue(20); })
        << Reading([](TestForm *p) { return cell(p, "tRes", 0, 1).toDouble(); })
        << PageStep([](TestForm *p) {
               QCOMPARE(cell(p, "tDist", 0, 0), QStringLiteral("0.000-2.500"));
               QTRY_VERIFY(cell(p, "tDist", 0, 1).toDouble() > 0);
               QCOMPARE(cell(p, "tRes", 1, 1), QStringLiteral("..."));
           })
        << PageStep([](TestForm *p) {
               QTRY_VERIFY(cell(p, "tRes", 1, 1).contains(QLatin1Char('E')));
               const QRegularExpression percent(QStringLiteral("^\\d+\\.\\d\\d$"));
               QVERIFY(percent.match(cell(p, "tRes", 1, 2)).hasMatch());
               QVERIFY(cell(p, "tRes", 2, 1).contains(QLatin1Char('E')));
           });
    // Stream 2 switched off: only the streams left on send.
    QTest::newRow("multistream")
        << "bMulti" << 1 << int(TestNo::Multi) << int(StateBit::Multi)
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
        << PageStep([](TestForm *p) { QVERIFY(cell(p, "tRes", 2, 0).toDouble() > 0); });
}

void TestJitterMultiE2e::run()
{
    QFETCH(QString, button);
    QFETCH(int, pageIndex);
    QFETCH(int, test);
    QFETCH(int, stateBit);
    QFETCH(PageStep, edit);
    QFETCH(Reading, counter);
    QFETCH(PageStep, whileRunning);
    QFETCH(PageStep, afterStop);

    SimProcess sim(SimProcess::Link::Tcp);
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
    const auto pageButton = [page](const char *name) {
        return page->findChild<QPushButton *>(QLatin1String(name));
    };
    QTRY_VERIFY(pageButton("bApply")->isEnabled()); // the configuration has come
    QVERIFY(std::any_of(configs.cbegin(), configs.cend(), [test](const QList<QVariant> &c) {
        return (c.at(0).value<unsigned short>() & 0xFF) == test;
    }));

    edit(page);
    QTest::mouseClick(pageButton("bApply"), Qt::LeftButton);
    QTRY_VERIFY(pageButton("bStartXX")->isEnabled());
    QTest::mouseClick(pageButton("bStartXX"), Qt::LeftButton);
    const quint32 bits = StateBit::tx(stateBit) | StateBit::rx(stateBit);
    QTRY_VERIFY_WITH_TIMEOUT((form.device().procState[0] & bits) == bits, 5000);

    QTRY_VERIFY_WITH_TIMEOUT(counter(page) > 0, 5000);
    const double first = counter(page);
    QTRY_VERIFY_WITH_TIMEOUT(counter(page) > first, 5000);
    whileRunning(page);
    if (QTest::currentTestFailed())
        return;

    QTRY_VERIFY(pageButton("bStop")->isEnabled());
    QTest::mouseClick(pageButton("bStop"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!(form.device().procState[0] & bits), 5000);
    afterStop(page);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(pageButton("bStartXX")->isEnabled());
    QVERIFY(sim.stop());
}

QTEST_MAIN(TestJitterMultiE2e)
#include "tst_jittermulti_e2e.moc"
