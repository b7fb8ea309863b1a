// QVRemote's window against the simulated tester, over TCP and over the
// simulator's pseudo-terminal: connect, watch the status, open the traffic
// page, apply, start a test on port A, see the counters grow, stop,
// disconnect. Everything goes through the real transports and engine.

#include "mainform.h"
#include "simprocess.h"
#include "testcodes.h"
#include "testform.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

class TestRemoteE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trafficRun_data();
    void trafficRun();
};

void TestRemoteE2e::trafficRun_data()
{
    QTest::addColumn<bool>("serial");
    QTest::newRow("tcp") << false;
    QTest::newRow("pty") << true;
}

void TestRemoteE2e::trafficRun()
{
    QFETCH(bool, serial);
    SimProcess sim(serial ? SimProcess::Link::Pty : SimProcess::Link::Tcp);
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));

    MainForm form(nullptr, sim.port());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto button = [&form](const char *name) {
        return form.findChild<QPushButton *>(QLatin1String(name));
    };
    const auto label = [&form](const char *name) {
        return form.findChild<QLabel *>(QLatin1String(name));
    };
    QTest::mouseClick(button("bEng"), Qt::LeftButton);

    if (serial)
        form.connectSerial(sim.ptyPath());
    else
        form.connectEthernet(QStringLiteral("127.0.0.1"));
    QTRY_VERIFY_WITH_TIMEOUT(form.device().connected, 5000);
    QCOMPARE(form.device().linkType, serial ? 1 : 2);

    // The simulated tester is a two-port ZORT-QV: the release warning comes
    // up and the connection goes on.
    QMessageBox *warning = nullptr;
    QTRY_VERIFY((warning = form.findChild<QMessageBox *>()) != nullptr);
    QVERIFY(warning->text().startsWith(QLatin1String("Compiled for ZORT-QVB")));
    warning->close();

    QLabel *info = label(serial ? "lSerInfo" : "lEthInfo");
    QTRY_VERIFY(!info->text().isEmpty());
    QVERIFY2(info->text().startsWith(QLatin1String("Device: ZORT-QV\nSerial: 1234\nCPU: ")),
             qPrintable(info->text()));
    QVERIFY(label(serial ? "lEthInfo" : "lSerInfo")->text().isEmpty());
    QVERIFY(button(serial ? "bSerDisc" : "bEthDisc")->isVisible());
    QVERIFY(form.findChild<QGroupBox *>(QStringLiteral("gPortA"))->isVisible());
    QVERIFY(form.findChild<QGroupBox *>(QStringLiteral("gPortB"))->isVisible());
    QTRY_VERIFY(label("lARxTxSpeed")->text().startsWith(QLatin1String("Tx: ")));
    QVERIFY(form.device().statusTimerActive());

    // Open the traffic page: it reads its configuration.
    QSignalSpy configs(&form.engine(), &OldProto::cfg_rcv);
    QTest::mouseClick(button("bTraffic"), Qt::LeftButton);
    TestForm *traffic = form.pages().value(5);
    QVERIFY(traffic && traffic->isVisible());
    QTRY_VERIFY(!configs.isEmpty());
    QCOMPARE(configs[0][0].value<unsigned short>() & 0xFF, int(TestNo::Traffic));

    const auto pageButton = [traffic](const char *name) {
        return traffic->findChild<QPushButton *>(QLatin1String(name));
    };
    QSignalSpy sent(&form.engine(), &OldProto::snd_pckt);
    QTest::mouseClick(pageButton("bApply"), Qt::LeftButton);
    QTRY_VERIFY(!sent.isEmpty());

    QTest::mouseClick(pageButton("bStartXX"), Qt::LeftButton);
    const quint32 trafficBits = StateBit::tx(StateBit::Traffic) | StateBit::rx(StateBit::Traffic);
    QTRY_VERIFY_WITH_TIMEOUT(form.device().procState[0] & trafficBits, 5000);
    QTRY_COMPARE(label("lAtest")->text(), QStringLiteral("TRAF"));
    QCOMPARE(label("lAtopol")->text(), QStringLiteral("A->A"));

    // The counters of the result table grow while the test runs.
    auto *results = traffic->findChild<QTableWidget *>(QStringLiteral("tRes"));
    QVERIFY(results);
    const auto txFrames = [results] {
        const QTableWidgetItem *item = results->item(1, 0);
        return item ? item->text().toLongLong() : 0;
    };
    QTRY_VERIFY_WITH_TIMEOUT(txFrames() > 0, 5000);
    const qlonglong first = txFrames();
    QTRY_VERIFY_WITH_TIMEOUT(txFrames() > first, 5000);

    QVERIFY(pageButton("bStop")->isEnabled());
    QTest::mouseClick(pageButton("bStop"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!(form.device().procState[0] & trafficBits), 5000);
    QTRY_COMPARE(label("lAtest")->text(), QString());

    QTest::mouseClick(button(serial ? "bSerDisc" : "bEthDisc"), Qt::LeftButton);
    QTRY_VERIFY(!form.device().connected);
    QCOMPARE(form.device().linkType, 0);
    QVERIFY(button(serial ? "bSerConnect" : "bEthConnect")->isVisible());
    QVERIFY(!form.findChild<QGroupBox *>(QStringLiteral("gPortA"))->isVisible());
    QVERIFY(!traffic->isVisible());
    QVERIFY(info->text().isEmpty());
    QVERIFY(!form.device().statusTimerActive());

    QVERIFY(sim.stop());
}

QTEST_MAIN(TestRemoteE2e)
#include "tst_remote_e2e.moc"
