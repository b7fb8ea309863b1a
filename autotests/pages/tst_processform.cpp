#include "blockform.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

// The shared behaviour of per-process pages, on a minimal page whose block
// is the ping configuration and whose only field is a 16-bit value at 0.
class ProbeForm final : public BlockForm<BlockSize::PingConfig>
{
    Q_OBJECT

public:
    using ProcessForm::bApplyClicked;
    using ProcessForm::setApplyWhileRunning;
    using ProcessForm::setRunCodes;

    explicit ProbeForm(Zorqv *device, bool hasConfig = true)
        : BlockForm(device, PageIds{TestNo::Ping, ActiveTest::Ping, StateBit::Ping, hasConfig},
                    &Zorqv::pingConfig)
    {
        auto *layout = new QVBoxLayout(this);
        group = new QGroupBox(this);
        layout->addWidget(group);
        auto *inner = new QVBoxLayout(group);
        value = new QSpinBox(group);
        value->setRange(0, 65535);
        inner->addWidget(value);
        for (QPushButton **b : {&startXX, &startXY, &stop, &apply, &reset}) {
            *b = new QPushButton(group);
            inner->addWidget(*b);
        }
        bindControls(PageControls{group, startXX, startXY, nullptr, stop, apply, reset, nullptr});
    }

    QGroupBox *group = nullptr;
    QSpinBox *value = nullptr;
    QPushButton *startXX = nullptr;
    QPushButton *startXY = nullptr;
    QPushButton *stop = nullptr;
    QPushButton *apply = nullptr;
    QPushButton *reset = nullptr;
    QList<quint8> results;

private:
    void load(const ConfigBlock &b) override { value->setValue(get16(b, 0)); }
    void store(ConfigBlock &b, quint8) override { put16(b, 0, quint16(value->value())); }
    void showResult(quint8 proc) override { results << proc; }
    QString title(quint8 port) const override
    {
        return port ? QStringLiteral("Probe (Port B)") : QStringLiteral("Probe (Port A)");
    }
    void retranslateForm() override {}
};

class TestProcessForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fetchOnDemand_data();
    void fetchOnDemand();
    void portSwitchKeepsEdits();
    void configForHiddenProcessKept();
    void switchWhileClosedOnlyRetitles();
    void configArrivesWhileClosed();
    void otherCodesIgnored_data();
    void otherCodesIgnored();
    void resultFilter_data();
    void resultFilter();
    void resetWaitsForReply();
    void pageWithoutConfig();
    void clicksFollowTheStateWord_data();
    void clicksFollowTheStateWord();
    void applyWaitsForThisConnectionsConfig();
    void portSwitchEnablesAtOnce();
    void openPageSurvivesReconnect();

private:
    // What the main window does on a process button.
    void switchTo(quint8 proc)
    {
        m_device->curProc = proc;
        m_page->switch_proc(proc);
    }
    // What the main window does on the page's test button.
    void open()
    {
        m_device->activeTest = 0;
        m_page->activate();
    }
    void deliver(quint8 proc, quint16 v)
    {
        put16(m_device->pingConfig[proc], 0, v);
        m_page->cfg_rcv(requestCode(TestNo::Ping, proc));
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<ProbeForm> m_page;
};

void TestProcessForm::init()
{
    m_device = std::make_unique<Zorqv>();
    m_device->connected = true;
    m_page = std::make_unique<ProbeForm>(m_device.get());
}

void TestProcessForm::cleanup()
{
    m_page.reset();
    m_device.reset();
}

void TestProcessForm::fetchOnDemand_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("reads"); // read requests emitted so far, after each step
    QTest::addColumn<QString>("log");      // the process current at each read

    QTest::newRow("first opening reads")
        << QStringList{"open"} << QList<int>{1} << "A";
    QTest::newRow("second opening does not")
        << QStringList{"open", "open"} << QList<int>{1, 1} << "A";
    QTest::newRow("switch while open reads each port once")
        << QStringList{"open", "B", "A", "B"} << QList<int>{1, 2, 2, 2} << "AB";
    QTest::newRow("switch while closed reads on opening")
        << QStringList{"B", "open", "A"} << QList<int>{0, 1, 2} << "BA";
    QTest::newRow("closed page does not read")
        << QStringList{"open", "close", "B", "A"} << QList<int>{1, 1, 1, 1} << "A";
    QTest::newRow("status without connection re-arms both")
        << QStringList{"open", "B", "lost", "open", "A"} << QList<int>{1, 2, 2, 3, 4} << "ABBA";
    QTest::newRow("status with connection keeps")
        << QStringList{"open", "B", "status", "open", "A"} << QList<int>{1, 2, 2, 2, 2} << "AB";
    QTest::newRow("received configuration needs no read")
        << QStringList{"cfgB", "open", "B"} << QList<int>{0, 1, 1} << "A";
}

void TestProcessForm::fetchOnDemand()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, reads);
    QFETCH(QString, log);
    QSignalSpy spy(m_page.get(), &TestForm::gs_cfg);
    QString readLog;
    connect(m_page.get(), &TestForm::gs_cfg, this, [&readLog, this](unsigned short) {
        readLog += m_device->curProc ? QLatin1Char('B') : QLatin1Char('A');
    });

    for (int i = 0; i < steps.size(); ++i) {
        const QString &step = steps.at(i);
        if (step == QLatin1String("open"))
            open();
        else if (step == QLatin1String("close"))
            m_device->activeTest = ActiveTest::Trace;
        else if (step == QLatin1String("A"))
            switchTo(0);
        else if (step == QLatin1String("B"))
            switchTo(1);
        else if (step == QLatin1String("lost") || step == QLatin1String("status")) {
            m_device->connected = step == QLatin1String("status");
            m_page->status_upd();
            m_device->connected = true;
        } else if (step == QLatin1String("cfgB"))
            deliver(1, 3);
        QVERIFY2(spy.size() == reads.at(i), qPrintable(QStringLiteral("after step %1").arg(i)));
    }
    for (const QList<QVariant> &args : std::as_const(spy))
        QCOMPARE(args.at(0).value<unsigned short>(), quint16(0x0004));
    // The engine reads the process that is current when the request comes.
    QCOMPARE(readLog, log);
}

void TestProcessForm::portSwitchKeepsEdits()
{
    open();
    deliver(0, 5);
    QCOMPARE(m_page->value->value(), 5);
    m_page->value->setValue(7); // not applied
    switchTo(1);
    deliver(1, 9);
    QCOMPARE(m_page->value->value(), 9);
    switchTo(0);
    QCOMPARE(m_page->value->value(), 7);
    QCOMPARE(get16(m_device->pingConfig[0], 0), quint16(5)); // record untouched
    QCOMPARE(get16(m_page->config(0), 0), quint16(7));

    QSignalSpy spy(m_page.get(), &TestForm::gs_cfg);
    QTest::mouseClick(m_page->apply, Qt::LeftButton);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<unsigned short>(), quint16(0x0104));
    QCOMPARE(get16(m_device->pingConfig[0], 0), quint16(7));
    QCOMPARE(get16(m_device->pingConfig[1], 0), quint16(9));
}

void TestProcessForm::configForHiddenProcessKept()
{
    open();
    deliver(0, 5);
    deliver(1, 9);
    QCOMPARE(m_page->value->value(), 5);
    QSignalSpy spy(m_page.get(), &TestForm::gs_cfg);
    switchTo(1);
    QCOMPARE(m_page->value->value(), 9);
    QCOMPARE(spy.size(), 0);
}

void TestProcessForm::switchWhileClosedOnlyRetitles()
{
    open();
    deliver(0, 5);
    m_page->value->setValue(7);
    m_device->activeTest = ActiveTest::Trace; // another page opened
    QSignalSpy spy(m_page.get(), &TestForm::gs_cfg);
    switchTo(1);
    QCOMPARE(m_page->group->title(), QStringLiteral("Probe (Port B)"));
    QCOMPARE(spy.size(), 0);
    QCOMPARE(get16(m_page->config(0), 0), quint16(5));
    QCOMPARE(get16(m_page->config(1), 0), quint16(0));
    QCOMPARE(m_page->shownProcess(), quint8(0));

    // Opened again on B: B is read and shown, A keeps its unapplied edit.
    open();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(m_page->shownProcess(), quint8(1));
    QCOMPARE(m_page->value->value(), 0);
    deliver(1, 9);
    QCOMPARE(m_page->value->value(), 9);
    switchTo(0);
    QCOMPARE(m_page->value->value(), 7);
}

void TestProcessForm::configArrivesWhileClosed()
{
    open();
    deliver(0, 5);
    m_page->value->setValue(7);
    m_device->activeTest = 0;
    switchTo(1);
    deliver(1, 9); // the current process: shown at once, A's edit kept
    QCOMPARE(m_page->value->value(), 9);
    QCOMPARE(get16(m_page->config(0), 0), quint16(7));
    open();
    switchTo(0);
    QCOMPARE(m_page->value->value(), 7);
}

void TestProcessForm::otherCodesIgnored_data()
{
    QTest::addColumn<quint16>("code");
    QTest::newRow("other test") << quint16(0x0005);
    QTest::newRow("other test, process B") << quint16(0x0105);
    QTest::newRow("process out of range") << quint16(0x0204);
    QTest::newRow("interface argument") << quint16(0x8004);
}

void TestProcessForm::otherCodesIgnored()
{
    QFETCH(quint16, code);
    open();
    deliver(0, 5);
    m_device->pingConfig[0].fill(0x77);
    m_device->pingConfig[1].fill(0x77);
    m_page->cfg_rcv(code);
    QCOMPARE(m_page->value->value(), 5);
    QCOMPARE(get16(m_page->config(0), 0), quint16(5));
    QCOMPARE(get16(m_page->config(1), 0), quint16(0));
}

void TestProcessForm::resultFilter_data()
{
    QTest::addColumn<quint8>("curProc");
    QTest::addColumn<quint16>("code");
    QTest::addColumn<bool>("shown");
    QTest::newRow("own test, A on A") << quint8(0) << quint16(0x0004) << true;
    QTest::newRow("own test, B on B") << quint8(1) << quint16(0x0104) << true;
    QTest::newRow("own test, B on A") << quint8(0) << quint16(0x0104) << false;
    QTest::newRow("own test, A on B") << quint8(1) << quint16(0x0004) << false;
    QTest::newRow("other test") << quint8(0) << quint16(0x0005) << false;
}

void TestProcessForm::resultFilter()
{
    QFETCH(quint8, curProc);
    QFETCH(quint16, code);
    QFETCH(bool, shown);
    switchTo(curProc);
    m_page->res_rcv(code);
    QCOMPARE(m_page->results, shown ? QList<quint8>{curProc} : QList<quint8>{});
}

void TestProcessForm::resetWaitsForReply()
{
    open();
    deliver(0, 5);
    m_page->value->setValue(7);
    QSignalSpy spy(m_page.get(), &TestForm::gs_cfg);
    QTest::mouseClick(m_page->reset, Qt::LeftButton);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).value<unsigned short>(), quint16(0x0004));
    QCOMPARE(m_page->value->value(), 7); // nothing changes until the reply
    deliver(0, 5);
    QCOMPARE(m_page->value->value(), 5);
}

void TestProcessForm::pageWithoutConfig()
{
    ProbeForm page(m_device.get(), false);
    QSignalSpy spy(&page, &TestForm::gs_cfg);
    page.value->setValue(7);
    m_device->activeTest = 0;
    page.activate();
    m_device->curProc = 1;
    page.switch_proc(1);
    page.cfg_rcv(0x0104);
    QTest::mouseClick(page.apply, Qt::LeftButton);
    QTest::mouseClick(page.reset, Qt::LeftButton);
    QCOMPARE(spy.size(), 0);
    QCOMPARE(page.value->value(), 7);
    QCOMPARE(page.group->title(), QStringLiteral("Probe (Port B)"));
    QCOMPARE(get16(m_device->pingConfig[1], 0), quint16(0));
}

// The state word may change between the last poll and the click: a click
// acts only if the enabling rule still allows it on the newest word.
void TestProcessForm::clicksFollowTheStateWord_data()
{
    QTest::addColumn<bool>("ownCodes"); // start 0x0803 / stop 0x0703, Apply while running
    QTest::addColumn<quint32>("polled"); // state word at the last poll
    QTest::addColumn<quint32>("now");    // state word at the click
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("code"); // start_test or gs_cfg code sent; -1 nothing

    const quint32 ping = StateBit::tx(StateBit::Ping);
    QTest::newRow("start XX") << false << 0u << 0u << "startXX" << 0x0104;
    QTest::newRow("start XY") << false << 0u << 0u << "startXY" << 0x0004;
    QTest::newRow("stop") << false << ping << ping << "stop" << 0x0004;
    QTest::newRow("apply") << false << 0u << 0u << "apply" << 0x0104;
    QTest::newRow("stop, stopped since the poll") << false << ping << 0u << "stop" << -1;
    QTest::newRow("start, started since the poll") << false << 0u << ping << "startXX" << -1;
    QTest::newRow("apply, started since the poll") << false << 0u << ping << "apply" << -1;
    QTest::newRow("apply while running") << false << ping << ping << "apply" << -1;
    QTest::newRow("own start XX") << true << 0u << 0u << "startXX" << 0x0803;
    QTest::newRow("own start XY") << true << 0u << 0u << "startXY" << 0x0803;
    QTest::newRow("own stop") << true << ping << ping << "stop" << 0x0703;
    QTest::newRow("own apply while running") << true << ping << ping << "apply" << 0x0104;
}

void TestProcessForm::clicksFollowTheStateWord()
{
    QFETCH(bool, ownCodes);
    QFETCH(quint32, polled);
    QFETCH(quint32, now);
    QFETCH(QString, button);
    QFETCH(int, code);
    if (ownCodes) {
        m_page->setRunCodes(0x0803, 0x0703);
        m_page->setApplyWhileRunning(true);
    }
    open();
    deliver(0, 5);
    m_device->procState[0] = polled;
    m_page->status_upd();
    m_device->procState[0] = now;
    QSignalSpy started(m_page.get(), &TestForm::start_test);
    QSignalSpy written(m_page.get(), &TestForm::gs_cfg);
    const QHash<QString, QPushButton *> buttons{{"startXX", m_page->startXX},
        {"startXY", m_page->startXY}, {"stop", m_page->stop}, {"apply", m_page->apply}};
    QPushButton *b = buttons.value(button);
    if (b->isEnabled()) // as the last poll left it
        QTest::mouseClick(b, Qt::LeftButton);
    QList<int> sent;
    for (const QSignalSpy *spy : {&started, &written}) {
        for (const QList<QVariant> &args : *spy)
            sent << int(args.at(0).value<unsigned short>());
    }
    QCOMPARE(sent, code < 0 ? QList<int>{} : QList<int>{code});
}

void TestProcessForm::applyWaitsForThisConnectionsConfig()
{
    open();
    QVERIFY(!m_page->apply->isEnabled());
    QSignalSpy written(m_page.get(), &TestForm::gs_cfg);
    m_page->bApplyClicked(); // even when invoked directly
    QCOMPARE(written.size(), 0);
    deliver(1, 9); // the other process's configuration does not count
    QVERIFY(!m_page->apply->isEnabled());
    deliver(0, 5);
    QVERIFY(m_page->apply->isEnabled());

    m_device->connected = false; // the link goes: what was known is stale
    m_page->status_upd();
    m_device->connected = true;
    m_page->status_upd();
    QVERIFY(!m_page->apply->isEnabled());
    deliver(0, 6);
    QVERIFY(m_page->apply->isEnabled());
    QTest::mouseClick(m_page->apply, Qt::LeftButton);
    QCOMPARE(written.size(), 1);
    QCOMPARE(written.at(0).at(0).value<unsigned short>(), quint16(0x0104));
    QCOMPARE(get16(m_device->pingConfig[0], 0), quint16(6));
}

void TestProcessForm::portSwitchEnablesAtOnce()
{
    open();
    deliver(0, 5);
    deliver(1, 9);
    m_device->procState[1] = StateBit::tx(StateBit::Ping);
    switchTo(1);
    QVERIFY(m_page->stop->isEnabled());
    QVERIFY(!m_page->apply->isEnabled());
    switchTo(0); // no poll in between
    QVERIFY(!m_page->stop->isEnabled());
    QVERIFY(m_page->startXX->isEnabled());
    QVERIFY(m_page->apply->isEnabled());
}

void TestProcessForm::openPageSurvivesReconnect()
{
    open();
    deliver(0, 5);
    QSignalSpy read(m_page.get(), &TestForm::gs_cfg);
    // The engine's reset after a lost link; the page stays on screen.
    m_device->connected = false;
    m_device->activeTest = 0;
    m_page->status_upd();
    QCOMPARE(read.size(), 0);
    m_device->connected = true; // the first status of the new link
    m_page->status_upd();
    QCOMPARE(m_device->activeTest, ActiveTest::Ping);
    QCOMPARE(read.size(), 1);
    m_page->status_upd();
    QCOMPARE(read.size(), 1);

    // A page the window has hidden does not take the poll back.
    m_page->hide();
    m_device->activeTest = 0;
    m_page->status_upd();
    QCOMPARE(m_device->activeTest, 0u);
}

QTEST_MAIN(TestProcessForm)
#include "tst_processform.moc"
