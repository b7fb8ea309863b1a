// The RFC-2544 page against the simulated tester over TCP: open the page,
// apply a short benchmark, run it through all four sub-tests and watch the
// multi-packet result cycle fill the four tables, pick another frame-loss
// step, then start again and stop the run half way.

#include "mainform.h"
#include "simprocess.h"
#include "testcodes.h"
#include "testform.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

class TestRfcE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullRun();
};

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

void TestRfcE2e::fullRun()
{
    // Ten simulated seconds a second: the run below takes about two.
    SimProcess sim(SimProcess::Link::Tcp, {QStringLiteral("--speed"), QStringLiteral("10")});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    MainForm form(nullptr, sim.port());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("bEng")), Qt::LeftButton);
    form.connectEthernet(QStringLiteral("127.0.0.1"));
    QTRY_VERIFY_WITH_TIMEOUT(form.device().connected, 5000);
    QMessageBox *warning = nullptr;
    QTRY_VERIFY((warning = form.findChild<QMessageBox *>()) != nullptr);
    warning->close();

    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("bRFC")), Qt::LeftButton);
    TestForm *rfc = form.pages().value(0);
    QVERIFY(rfc && rfc->isVisible());
    auto *apply = child<QPushButton>(rfc, "bApply");
    QTRY_VERIFY_WITH_TIMEOUT(apply->isEnabled(), 5000); // the configuration has come

    // Two frame sizes: 64 bytes, which the path cannot forward at line rate,
    // and 1518 bytes, which it can.
    for (int k = 1; k <= 8; ++k)
        child<QCheckBox>(rfc, qPrintable(QStringLiteral("cf%1").arg(k)))->setChecked(k == 1 || k == 7);
    child<QTimeEdit>(rfc, "tThrDur")->setTime(QTime(0, 0, 1));
    child<QSpinBox>(rfc, "sThrMinrate")->setValue(50);
    child<QSpinBox>(rfc, "sLatCount")->setValue(1);
    child<QSpinBox>(rfc, "sFrlStep")->setValue(5);
    child<QSpinBox>(rfc, "sFrlMinrate")->setValue(90);
    child<QSpinBox>(rfc, "sBtbCount")->setValue(1);
    QTest::mouseClick(apply, Qt::LeftButton);

    const quint32 rfcBit = StateBit::tx(StateBit::Rfc);
    auto *startXX = child<QPushButton>(rfc, "bStartXX");
    QTRY_VERIFY(startXX->isEnabled());
    QTest::mouseClick(startXX, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form.device().procState[0] & rfcBit, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!(form.device().procState[0] & rfcBit), 30000);

    // The summary comes in four ranges and a step reply per five polls.
    for (const char *table : {"tThrRes", "tLatRes", "tFrlRes", "tBtbRes"}) {
        for (const int row : {0, 6})
            QTRY_COMPARE_WITH_TIMEOUT(cell(rfc, table, row, 0), QStringLiteral("OK"), 15000);
        QCOMPARE(cell(rfc, table, 1, 0), QStringLiteral("Off"));
        QCOMPARE(cell(rfc, table, 6, 1), QStringLiteral("1518"));
    }
    const int small = cell(rfc, "tThrRes", 0, 2).toInt();
    QVERIFY2(small > 50 && small < 100, qPrintable(cell(rfc, "tThrRes", 0, 2)));
    QCOMPARE(cell(rfc, "tThrRes", 6, 2), QStringLiteral("100"));
    QCOMPARE(cell(rfc, "tLatRes", 0, 2), cell(rfc, "tThrRes", 0, 2));
    QVERIFY(cell(rfc, "tLatRes", 0, 3).toDouble() > 0);
    QVERIFY(cell(rfc, "tBtbRes", 0, 3).toInt() >= cell(rfc, "tBtbRes", 0, 2).toInt());

    // Step 0 (100 %) loses 64-byte frames, not 1518-byte ones; step 2 (90 %)
    // loses fewer; step 3 was never reached.
    QTRY_VERIFY_WITH_TIMEOUT(cell(rfc, "tFrlRes", 0, 2).toInt() > 0, 10000);
    const int lossAt100 = cell(rfc, "tFrlRes", 0, 2).toInt();
    QCOMPARE(cell(rfc, "tFrlRes", 6, 2), QStringLiteral("0"));
    auto *rate = child<QSpinBox>(rfc, "sFrlsnum");
    rate->setValue(98);
    QTRY_VERIFY_WITH_TIMEOUT(cell(rfc, "tFrlRes", 0, 2) != QLatin1String("---"), 10000);
    QVERIFY(cell(rfc, "tFrlRes", 0, 2).toInt() < lossAt100);
    rate->setValue(97);
    QTest::qWait(6000); // a whole cycle
    QCOMPARE(cell(rfc, "tFrlRes", 0, 2), QStringLiteral("---"));

    // A second run, stopped while it runs.
    QTRY_VERIFY(startXX->isEnabled());
    QTest::mouseClick(startXX, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form.device().procState[0] & rfcBit, 5000);
    auto *stop = child<QPushButton>(rfc, "bStop");
    QTRY_VERIFY(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!(form.device().procState[0] & rfcBit), 5000);
    // The sub-test that was running when the stop came says so.
    const auto stopShown = [rfc] {
        for (const char *table : {"tThrRes", "tLatRes", "tFrlRes", "tBtbRes"}) {
            for (const int row : {0, 6}) {
                if (cell(rfc, table, row, 0) == QLatin1String("Stop"))
                    return true;
            }
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(stopShown(), 10000);

    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("bEthDisc")), Qt::LeftButton);
    QTRY_VERIFY(!form.device().connected);
    QVERIFY(sim.stop());
}

QTEST_MAIN(TestRfcE2e)
#include "tst_rfc_e2e.moc"
