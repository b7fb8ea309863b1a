// The port-control pages of QVRemote against the simulated tester over TCP,
// one after another on one connection, as a user goes through them:
// loopback (settings written and read back, a level on and off), the cable
// test on both ports, OAM (mode on, peer found, remote loopback, mode off)
// and transit (reached with -dev).

#include "mainform.h"
#include "simprocess.h"
#include "testcodes.h"
#include "testform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

class TestPortControlE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pages();
};

namespace {

constexpr int kWait = 8000;

template <typename W = QPushButton>
W *child(QObject *parent, const char *name)
{
    return parent->findChild<W *>(QLatin1String(name));
}

QStringList tableRow(TestForm *page, int row)
{
    auto *t = child<QTableWidget>(page, "tRes");
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c)
        cells << (t->item(row, c) ? t->item(row, c)->text() : QString());
    return cells;
}

} // namespace

void TestPortControlE2e::pages()
{
    // Tests run three times faster: the cable test takes a second.
    SimProcess sim(SimProcess::Link::Tcp, {QStringLiteral("--speed"), QStringLiteral("3")});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    MainForm form(nullptr, sim.port());
    form.showDeveloperControls();
    form.debugForm().hide();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(child(&form, "bEng"), Qt::LeftButton);
    form.connectEthernet(QStringLiteral("127.0.0.1"));
    QTRY_VERIFY_WITH_TIMEOUT(form.device().connected, 5000);
    QMessageBox *warning = nullptr;
    QTRY_VERIFY((warning = form.findChild<QMessageBox *>()) != nullptr);
    warning->close();
    const Zorqv &d = form.device();
    const auto open = [&form](const char *button, int index) {
        QTest::mouseClick(child(&form, button), Qt::LeftButton);
        TestForm *page = form.pages().value(index);
        return page && page->isVisible() ? page : nullptr;
    };

    // Loopback: a setting goes to the tester and comes back on Reset.
    TestForm *lb = open("bLoopback", 3);
    QVERIFY(lb);
    QTRY_VERIFY_WITH_TIMEOUT(child(lb, "bApply")->isEnabled(), kWait);
    child<QCheckBox>(lb, "cVLAN")->setChecked(true);
    child<QSpinBox>(lb, "sVLAN")->setValue(100);
    QTest::mouseClick(child(lb, "bApply"), Qt::LeftButton);
    child<QSpinBox>(lb, "sVLAN")->setValue(5);
    QTest::mouseClick(child(lb, "bReset"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(child<QSpinBox>(lb, "sVLAN")->value(), 100, kWait);
    QTest::mouseClick(child(lb, "blvl2"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!child(lb, "llvl2")->icon().isNull(), kWait);
    QCOMPARE(int(d.loopLevel[0]), 2);
    QVERIFY(child(lb, "llvl0")->icon().isNull());
    QVERIFY(!child(lb, "bApply")->isEnabled());
    QCOMPARE(child<QLabel>(&form, "lAtest")->text(), QStringLiteral("LB2"));
    QTest::mouseClick(child(lb, "blvl0"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child(lb, "bApply")->isEnabled(), kWait);
    QVERIFY(!child(lb, "llvl0")->icon().isNull());

    // Cable test: port A's cable is sound, port B's cord damaged.
    TestForm *cable = open("bCable", 2);
    QVERIFY(cable);
    QTRY_VERIFY_WITH_TIMEOUT(child(cable, "bStart")->isEnabled(), kWait);
    // The test may end between two polls, so only its results are awaited.
    QTest::mouseClick(child(cable, "bStart"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(tableRow(cable, 0), QStringList({"good", "good", "good", "good"}), kWait);
    QCOMPARE(tableRow(cable, 2), QStringList({"A", "B", "C", "D"}));
    QTest::mouseClick(child(&form, "bProcB"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child(cable, "bStart")->isEnabled(), kWait);
    QTest::mouseClick(child(cable, "bStart"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(tableRow(cable, 0), QStringList({"good", "good", "short", "immi"}), kWait);
    const QStringList lengths = tableRow(cable, 1);
    QCOMPARE(lengths.mid(0, 2), QStringList({"...", "..."}));
    for (const QString &metres : lengths.mid(2)) // the tester measures within a metre
        QVERIFY2(qAbs(metres.toInt() - 9) <= 1, qPrintable(metres));
    QCOMPARE(tableRow(cable, 2), QStringList({"B", "A", "D", "C"}));
    QCOMPARE(tableRow(cable, 3), QStringList({"+", "-", "+", "+"}));
    QTest::mouseClick(child(&form, "bProcA"), Qt::LeftButton);

    // OAM: on, the peer is found, its loopback started and stopped, off.
    TestForm *oam = open("bOAM", 8);
    QVERIFY(oam);
    auto *mode = child<QComboBox>(oam, "cbMode");
    QTRY_VERIFY_WITH_TIMEOUT(child(oam, "bApply")->isEnabled(), kWait);
    QCOMPARE(mode->currentIndex(), 2); // disabled when the tester starts
    mode->setCurrentIndex(0);
    QTest::mouseClick(child(oam, "bApply"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(child<QLineEdit>(oam, "lMAC")->text(), QStringLiteral("02:00:00:00:0a:00"), kWait);
    QCOMPARE(child<QLineEdit>(oam, "lVendor")->text(), QStringLiteral("02 51 56 01 "));
    QCOMPARE(child<QLineEdit>(oam, "lRemoteLB")->text(), QStringLiteral("Supported"));
    QTRY_VERIFY_WITH_TIMEOUT(child(oam, "bStart")->isEnabled(), kWait);
    QCOMPARE(child<QLabel>(&form, "lAtest")->text(), QStringLiteral("OAM"));
    QTest::mouseClick(child(oam, "bStart"), Qt::LeftButton);
    QTest::mouseClick(child(oam, "bStop"), Qt::LeftButton);
    QVERIFY(child(oam, "bApply")->isEnabled()); // OAM can be switched off
    mode->setCurrentIndex(2);
    QTest::mouseClick(child(oam, "bApply"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!(d.procState[0] & StateBit::tx(StateBit::Oam)), kWait);
    QTRY_COMPARE_WITH_TIMEOUT(child<QLineEdit>(oam, "lMAC")->text(), QString(), kWait);
    QVERIFY(!child(oam, "bStart")->isEnabled());

    // Transit joins both ports.
    TestForm *transit = open("bTransit", 9);
    QVERIFY(transit);
    QTRY_VERIFY_WITH_TIMEOUT(child(transit, "bStart")->isEnabled(), kWait);
    QTest::mouseClick(child(transit, "bStart"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child(transit, "bStop")->isEnabled(), kWait);
    QVERIFY(d.procState[1] & StateBit::tx(StateBit::Transit));
    QCOMPARE(child<QLabel>(&form, "lAtest")->text(), QStringLiteral("THRU"));
    QTest::mouseClick(child(transit, "bStop"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child(transit, "bStart")->isEnabled(), kWait);
    QCOMPARE(d.procState[0], 0u);

    QVERIFY(sim.stop());
}

QTEST_MAIN(TestPortControlE2e)
#include "tst_portcontrol_e2e.moc"
