#include "trafficform.h"
#include "pagedriver.h"

#include "testcodes.h"
#include "trafficlayout.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTranslator>

#include <functional>

using Edit = std::function<void(QWidget *page)>;
Q_DECLARE_METATYPE(Edit)

// The traffic page driven like a user: blocks arrive through cfg_rcv and
// res_rcv, widgets are found by their object names, and what Apply leaves
// in the device record is checked byte by byte.
class TestTrafficForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void limits();
    void loadAndApply_data();
    void loadAndApply();
    void userEdits_data();
    void userEdits();
    void resultTable_data();
    void resultTable();
    void resultItemsReused();
    void resultsForOtherPortIgnored();
    void tableFollowsFont();
    void times_data();
    void times();
    void buttons_data();
    void buttons();
    void unitsBeforeRate();
    void durationBeyondEditor();
    void codes();
    void retitleAndRetranslate();

private:
    template <typename W = QWidget>
    W *w(const char *name) const
    {
        return PageDriver::child<W>(m_page.get(), name);
    }
    void switchTo(quint8 proc)
    {
        m_device->curProc = proc;
        m_page->switch_proc(proc);
    }
    void deliver(quint8 proc, const TrafficConfigBlock &b)
    {
        m_device->trafficConfig[proc] = b;
        m_page->cfg_rcv(requestCode(TestNo::Traffic, proc));
    }
    void clickApply()
    {
        QVERIFY(w<QPushButton>("bApply")->isEnabled());
        QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = w<QTableWidget>("tRes")->item(row, column);
        return item ? item->text() : QString();
    }
    void checkWidgets(const QVariantMap &expected);

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<TrafficForm> m_page;
};

namespace {

namespace F = TrafficConfigField;

struct Field
{
    std::size_t at;
    int size; // 1, 2, 4 or 6 (a MAC given as the low 48 bits, first byte highest)
    quint64 value;
};

using PageDriver::bytes;

TrafficConfigBlock fromBytes(const QByteArray &a)
{
    return PageDriver::fromBytes<BlockSize::TrafficConfig>(a);
}

// A port's built-in block with some fields changed.
QByteArray block(quint8 port, std::initializer_list<Field> fields)
{
    TrafficConfigBlock b = TrafficDefaults::Port[port];
    for (const Field &f : fields) {
        switch (f.size) {
        case 1: put8(b, f.at, quint8(f.value)); break;
        case 2: put16(b, f.at, quint16(f.value)); break;
        case 4: put32(b, f.at, quint32(f.value)); break;
        case 6:
            for (int i = 0; i < 6; ++i)
                b[f.at + i] = quint8(f.value >> (8 * (5 - i)));
            break;
        }
    }
    return bytes(b);
}

} // namespace

void TestTrafficForm::init()
{
    PageDriver::openPage(m_device, m_page);
}

void TestTrafficForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

void TestTrafficForm::checkWidgets(const QVariantMap &expected)
{
    PageDriver::compareWidgets(m_page.get(), expected);
}

void TestTrafficForm::limits()
{
    auto *len = w<QSpinBox>("sLen");
    QCOMPARE(len->minimum(), 64);
    QCOMPARE(len->maximum(), 9600);
    QCOMPARE(w<QSpinBox>("sRate")->minimum(), 1);
    QCOMPARE(w<QSpinBox>("sRate")->maximum(), 100);
    QCOMPARE(w<QSpinBox>("sUDPsrc")->minimum(), 1);
    QCOMPARE(w<QSpinBox>("sUDPdst")->maximum(), 65535);
    QCOMPARE(w<QTimeEdit>("tDur")->maximumTime(), QTime(23, 59, 59));
    QVERIFY(!w<QLineEdit>("lType")->isEnabled());
    QCOMPARE(w<QLineEdit>("lType")->text(), QStringLiteral("Constant"));
    QVERIFY(w<QLineEdit>("lTestTime")->isReadOnly());
    QVERIFY(w<QLineEdit>("lPassTime")->isReadOnly());
    QCOMPARE(w<QComboBox>("cUnits")->count(), 4);
    QCOMPARE(w<QComboBox>("cUnits")->itemText(3), QStringLiteral("Mbps"));
    QVERIFY(w<QCheckBox>("cLvl3")->isChecked());
    QVERIFY(w<QCheckBox>("cLvl4")->isChecked());
    QVERIFY(!w<QGroupBox>("gToS")->isChecked());
    QVERIFY(!w<QGroupBox>("gDSCP")->isChecked());

    auto *table = w<QTableWidget>("tRes");
    QCOMPARE(table->rowCount(), 10);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->columnWidth(0), 100);
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Coef"));
    QCOMPARE(table->verticalHeaderItem(4)->text(), QStringLiteral("Loss frames"));
    QCOMPARE(table->verticalHeaderItem(8)->text(), QStringLiteral("Err frames"));
    QCOMPARE(table->verticalHeaderItem(9)->text(), QStringLiteral("Pause frames"));
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TestTrafficForm::loadAndApply_data()
{
    QTest::addColumn<quint8>("port");
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QVariantMap>("shown");

    QTest::newRow("port A defaults")
        << quint8(0) << block(0, {})
        << QVariantMap{{"cMacAuto", false}, {"lMACdst", "00:01:02:03:04:05"},
                       {"cLvl3", true}, {"lIPdst", "192.168.000.200"}, {"gToS", false},
                       {"gDSCP", false}, {"cbDSCP", 19}, {"cLvl4", true}, {"sUDPsrc", 123},
                       {"sUDPdst", 456}, {"cUnits", 0}, {"sRate", 100}, {"sLen", 64},
                       {"tDur", "00:00:10"}};
    QTest::newRow("port B defaults")
        << quint8(1) << block(1, {}) << QVariantMap{{"lMACdst", "00:06:07:08:09:10"}};
    QTest::newRow("kbps 5000, jumbo frames, 1:02:03")
        << quint8(0)
        << block(0, {{F::Units, 1, 2}, {F::Rate, 2, 5000}, {F::Length, 2, 9600},
                     {F::Duration, 4, 3723}})
        << QVariantMap{{"cUnits", 2}, {"sRate", 5000}, {"sLen", 9600}, {"tDur", "01:02:03"}};
    QTest::newRow("replace ToS with bit 0 set")
        << quint8(0) << block(0, {{F::Priority, 1, 1}, {F::Tos, 1, 0xF1}})
        << QVariantMap{{"gToS", true}, {"gDSCP", false}, {"cbToS", 4}, {"cbPrec", 7}};
    QTest::newRow("replace DSCP CS5")
        << quint8(1) << block(1, {{F::Priority, 1, 2}, {F::Dscp, 1, 40 << 2}})
        << QVariantMap{{"gToS", false}, {"gDSCP", true}, {"cbDSCP", 16}};
    QTest::newRow("auto MAC, levels off, own ports")
        << quint8(0)
        << block(0, {{F::AutoMac, 1, 1}, {F::Level3, 1, 0}, {F::Level4, 1, 0},
                     {F::UdpSrc, 2, 65535}, {F::UdpDst, 2, 1}, {F::MacDst, 6, 0x001A2B3C4D5E},
                     {F::IpDst, 4, 0x0A000001}})
        << QVariantMap{{"cMacAuto", true}, {"cLvl3", false}, {"cLvl4", false},
                       {"sUDPsrc", 65535}, {"sUDPdst", 1}, {"lMACdst", "00:1a:2b:3c:4d:5e"},
                       {"lIPdst", "010.000.000.001"}};
    QTest::newRow("reserved bytes travel")
        << quint8(1)
        << block(1, {{0, 1, 0xEE}, {6, 2, 0xBEEF}, {F::Word12, 2, 7}, {F::Margin, 2, 2500},
                     {16, 4, 0xDEADBEEF}})
        << QVariantMap{};
    QTest::newRow("duration zero")
        << quint8(0) << block(0, {{F::Duration, 4, 0}}) << QVariantMap{{"tDur", "00:00:00"}};
}

void TestTrafficForm::loadAndApply()
{
    QFETCH(quint8, port);
    QFETCH(QByteArray, config);
    QFETCH(QVariantMap, shown);
    switchTo(port);
    QSignalSpy writes(m_page.get(), &TestForm::gs_cfg);
    deliver(port, fromBytes(config));
    checkWidgets(shown);
    writes.clear();

    m_device->trafficConfig[port].fill(0); // Apply must write the whole block
    clickApply();
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.at(0).at(0).value<unsigned short>(), quint16(0x0105));
    QCOMPARE(bytes(m_device->trafficConfig[port]).toHex(' '), config.toHex(' '));
    QCOMPARE(bytes(m_device->trafficConfig[port ^ 1]), QByteArray(40, '\0'));
}

void TestTrafficForm::userEdits_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QByteArray>("expected"); // port A's block after Apply

    auto combo = [](const char *name, int index) {
        return [name, index](QWidget *p) {
            p->findChild<QComboBox *>(QLatin1String(name))->setCurrentIndex(index);
        };
    };
    auto type = [](const char *name, const QString &text) {
        return [name, text](QWidget *p) {
            auto *edit = p->findChild<QWidget *>(QLatin1String(name));
            if (auto *line = qobject_cast<QLineEdit *>(edit))
                line->clear();
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, text);
        };
    };
    auto both = [](Edit a, Edit b) { return Edit([a, b](QWidget *p) { a(p); b(p); }); };

    QTest::newRow("Mbps 9999") << Edit(both(combo("cUnits", 3), type("sRate", "9999")))
                               << block(0, {{F::Units, 1, 3}, {F::Rate, 2, 9999}});
    QTest::newRow("frame length") << Edit(type("sLen", "1518"))
                                  << block(0, {{F::Length, 2, 1518}});
    QTest::newRow("MAC with dashes")
        << Edit(type("lMACdst", "00-1A-2B-3C-4D-5E"))
        << block(0, {{F::MacDst, 6, 0x001A2B3C4D5E}});
    QTest::newRow("IP") << Edit(type("lIPdst", "10.0.0.1"))
                        << block(0, {{F::IpDst, 4, 0x0A000001}});
    QTest::newRow("ToS 0100, precedence 3")
        << Edit([](QWidget *p) {
               p->findChild<QGroupBox *>("gToS")->setChecked(true);
               p->findChild<QComboBox *>("cbToS")->setCurrentIndex(3);
               p->findChild<QComboBox *>("cbPrec")->setCurrentIndex(3);
           })
        << block(0, {{F::Priority, 1, 1}, {F::Tos, 1, (3 << 5) | (4 << 1)}});
    QTest::newRow("DSCP AF23")
        << Edit([](QWidget *p) {
               p->findChild<QGroupBox *>("gDSCP")->setChecked(true);
               p->findChild<QComboBox *>("cbDSCP")->setCurrentIndex(5);
           })
        << block(0, {{F::Priority, 1, 2}, {F::Dscp, 1, 22 << 2}});
    QTest::newRow("levels off, auto MAC")
        << Edit([](QWidget *p) {
               p->findChild<QCheckBox *>("cLvl3")->setChecked(false);
               p->findChild<QCheckBox *>("cLvl4")->setChecked(false);
               p->findChild<QCheckBox *>("cMacAuto")->setChecked(true);
           })
        << block(0, {{F::Level3, 1, 0}, {F::Level4, 1, 0}, {F::AutoMac, 1, 1}});
    QTest::newRow("duration a day minus a second")
        << Edit([](QWidget *p) { p->findChild<QTimeEdit *>("tDur")->setTime(QTime(23, 59, 59)); })
        << block(0, {{F::Duration, 4, 86399}});
}

void TestTrafficForm::userEdits()
{
    QFETCH(Edit, edit);
    QFETCH(QByteArray, expected);
    deliver(0, TrafficDefaults::Port[0]);
    edit(m_page.get());
    clickApply();
    QCOMPARE(bytes(m_device->trafficConfig[0]).toHex(' '), expected.toHex(' '));
}

void TestTrafficForm::resultTable_data()
{
    QTest::addColumn<QList<quint32>>("counters"); // tx, rx, txBytes, runt, jabber, crc, pause
    QTest::addColumn<quint8>("load");
    QTest::addColumn<QStringList>("counts");      // column "Count", rows in order
    QTest::addColumn<QStringList>("coefs");       // column "Coef", rows in order

    QTest::newRow("clean run")
        << QList<quint32>{1000, 1000, 64000, 0, 0, 0, 0} << quint8(100)
        << QStringList{"100%", "1000", "1000", "64000", "0", "0", "0", "0", "0", "0"}
        << QStringList{"", "", "", "", "0.000", "0.000", "0.000", "0.000", "0.000", ""};
    QTest::newRow("losses and errors")
        << QList<quint32>{1000, 750, 64000, 10, 20, 30, 5} << quint8(75)
        << QStringList{"75%", "1000", "750", "64000", "250", "10", "20", "30", "60", "5"}
        << QStringList{"", "", "", "", "0.250", "0.010", "0.020", "0.030", "0.060", ""};
    QTest::newRow("more received than sent wraps")
        << QList<quint32>{100, 101, 6400, 0, 0, 0, 0} << quint8(1)
        << QStringList{"1%", "100", "101", "6400", "4294967295", "0", "0", "0", "0", "0"}
        << QStringList{"", "", "", "", "42949672.950", "0.000", "0.000", "0.000", "0.000", ""};
    QTest::newRow("error sum wraps")
        << QList<quint32>{4000000000u, 0, 0, 4000000000u, 300000000u, 1, 0} << quint8(0)
        << QStringList{"0%", "4000000000", "0", "0", "4000000000", "4000000000", "300000000",
                       "1", "5032705", "0"}
        << QStringList{"", "", "", "", "1.000", "1.000", "0.075", "0.000", "0.001", ""};
    QTest::newRow("nothing sent has no coefficients")
        << QList<quint32>{0, 5, 0, 1, 2, 3, 4} << quint8(0)
        << QStringList{"0%", "0", "5", "0", "4294967291", "1", "2", "3", "6", "4"}
        << QStringList{"", "", "", "", "---", "---", "---", "---", "---", ""};
    QTest::newRow("counters at their maximum")
        << QList<quint32>{0xFFFFFFFF, 0, 0xFFFFFFFF, 0, 0, 0, 0xFFFFFFFF} << quint8(255)
        << QStringList{"255%", "4294967295", "0", "4294967295", "4294967295", "0", "0", "0",
                       "0", "4294967295"}
        << QStringList{"", "", "", "", "1.000", "0.000", "0.000", "0.000", "0.000", ""};
}

void TestTrafficForm::resultTable()
{
    QFETCH(QList<quint32>, counters);
    QFETCH(quint8, load);
    QFETCH(QStringList, counts);
    QFETCH(QStringList, coefs);
    namespace R = TrafficResultField;
    TrafficResultBlock &r = m_device->trafficResult[0];
    r.fill(0xAA); // reserved bytes must not leak into the table
    const std::size_t at[] = {R::TxFrames, R::RxFrames, R::TxBytes, R::Runt, R::Jabber, R::Crc,
                              R::Pause};
    for (int i = 0; i < 7; ++i)
        put32(r, at[i], counters.at(i));
    r[R::Load] = load;
    m_page->res_rcv(0x0005);
    for (int row = 0; row < 10; ++row) {
        QCOMPARE(cell(row, 0), counts.at(row));
        QCOMPARE(cell(row, 1), coefs.at(row));
    }
}

void TestTrafficForm::resultItemsReused()
{
    m_page->res_rcv(0x0005);
    QTableWidgetItem *first = w<QTableWidget>("tRes")->item(1, 0);
    QVERIFY(first);
    put32(m_device->trafficResult[0], TrafficResultField::TxFrames, 42);
    m_page->res_rcv(0x0005);
    QCOMPARE(w<QTableWidget>("tRes")->item(1, 0), first);
    QCOMPARE(first->text(), QStringLiteral("42"));
    QVERIFY(!(first->flags() & Qt::ItemIsEditable));
}

void TestTrafficForm::resultsForOtherPortIgnored()
{
    put32(m_device->trafficResult[0], TrafficResultField::TxFrames, 1);
    put32(m_device->trafficResult[1], TrafficResultField::TxFrames, 2);
    m_page->res_rcv(0x0005);
    QCOMPARE(cell(1, 0), QStringLiteral("1"));
    m_page->res_rcv(0x0105); // port B while A is shown
    m_page->res_rcv(0x0007); // another test
    QCOMPARE(cell(1, 0), QStringLiteral("1"));
    switchTo(1);
    m_page->res_rcv(0x0105);
    QCOMPARE(cell(1, 0), QStringLiteral("2"));
}

// The user's font choice reaches the page as a style sheet; every row must
// stay visible without scrolling and tall enough for its text.
void TestTrafficForm::tableFollowsFont()
{
    auto *table = w<QTableWidget>("tRes");
    auto fits = [table] {
        return table->viewport()->height() >= table->verticalHeader()->length()
               && table->rowHeight(0) > table->fontMetrics().height();
    };
    QTRY_VERIFY(fits());
    const int before = table->height();
    m_page->setStyleSheet(QStringLiteral("font: bold 20pt;"));
    QTRY_VERIFY(table->height() > before);
    QTRY_VERIFY(fits());
    QCOMPARE(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestTrafficForm::times_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<quint32>("duration");
    QTest::addColumn<quint16>("marginMs");
    QTest::addColumn<quint8>("elapsed");
    QTest::addColumn<QString>("testTime");
    QTest::addColumn<QString>("passTime");
    QTest::newRow("running") << true << 10u << quint16(1000) << quint8(3) << "00:00:03"
                             << "00:00:09";
    QTest::newRow("margin in whole seconds") << true << 10u << quint16(2500) << quint8(3)
                                             << "00:00:03" << "00:00:11";
    QTest::newRow("hours") << true << 7200u << quint16(1000) << quint8(125) << "00:02:05"
                           << "01:57:57";
    QTest::newRow("idle shows zero time") << false << 10u << quint16(1000) << quint8(3)
                                          << "00:00:00" << "00:00:00";
    QTest::newRow("duration 0") << true << 0u << quint16(1000) << quint8(5) << "00:00:05"
                                << "00:00:00";
    QTest::newRow("at the end") << true << 10u << quint16(1000) << quint8(12) << "00:00:12"
                                << "00:00:00";
    QTest::newRow("past the end") << true << 10u << quint16(1000) << quint8(200) << "00:03:20"
                                  << "00:00:00";
}

void TestTrafficForm::times()
{
    QFETCH(bool, running);
    QFETCH(quint32, duration);
    QFETCH(quint16, marginMs);
    QFETCH(quint8, elapsed);
    QFETCH(QString, testTime);
    QFETCH(QString, passTime);
    switchTo(1);
    deliver(1, fromBytes(block(1, {{F::Duration, 4, duration}, {F::Margin, 2, marginMs}})));
    m_device->procState[1] = running ? StateBit::tx(StateBit::Traffic) : 0;
    m_device->procState[0] = StateBit::tx(StateBit::Traffic); // the other port is not asked
    m_device->elapsedCounter[1].update(elapsed);
    m_device->elapsedCounter[0].update(77);
    m_page->res_rcv(0x0105);
    QCOMPARE(w<QLineEdit>("lTestTime")->text(), testTime);
    QCOMPARE(w<QLineEdit>("lPassTime")->text(), passTime);
}

void TestTrafficForm::buttons_data()
{
    QTest::addColumn<quint8>("proc");
    QTest::addColumn<quint32>("own");
    QTest::addColumn<quint32>("other");
    QTest::addColumn<bool>("qvb");
    QTest::addColumn<QList<bool>>("enabled"); // bStartXX, bStartXY, bStop, bApply

    const quint32 traffic = StateBit::tx(StateBit::Traffic);
    const quint32 rfc = StateBit::tx(StateBit::Rfc);
    const quint32 trafficRx = StateBit::rx(StateBit::Traffic);
    QTest::newRow("idle") << quint8(0) << 0u << 0u << false << QList<bool>{true, true, false, true};
    QTest::newRow("traffic runs here")
        << quint8(0) << traffic << 0u << false << QList<bool>{false, false, true, false};
    QTest::newRow("traffic runs here, port B")
        << quint8(1) << traffic << 0u << false << QList<bool>{false, false, true, false};
    QTest::newRow("another test runs here")
        << quint8(0) << rfc << 0u << false << QList<bool>{false, false, false, true};
    QTest::newRow("only receiving here")
        << quint8(0) << trafficRx << 0u << false << QList<bool>{false, false, false, true};
    QTest::newRow("anything on the other port")
        << quint8(0) << 0u << rfc << false << QList<bool>{true, false, false, true};
    QTest::newRow("other port receives our traffic")
        << quint8(1) << 0u << trafficRx << false << QList<bool>{true, false, false, true};
    QTest::newRow("one-port model")
        << quint8(0) << 0u << 0u << true << QList<bool>{true, false, false, true};
}

void TestTrafficForm::buttons()
{
    QFETCH(quint8, proc);
    QFETCH(quint32, own);
    QFETCH(quint32, other);
    QFETCH(bool, qvb);
    QFETCH(QList<bool>, enabled);
    switchTo(proc);
    m_device->procState[proc] = own;
    m_device->procState[proc ^ 1] = other;
    m_device->isQvb = qvb;
    m_page->cfg_rcv(requestCode(TestNo::Traffic, proc)); // Apply waits for it
    m_page->status_upd();
    const char *names[] = {"bStartXX", "bStartXY", "bStop", "bApply"};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(w(names[i])->isEnabled() == enabled.at(i), names[i]);
    QVERIFY(w("bReset")->isEnabled());
}

void TestTrafficForm::unitsBeforeRate()
{
    auto *rate = w<QSpinBox>("sRate");
    deliver(0, fromBytes(block(0, {{F::Units, 1, 2}, {F::Rate, 2, 5000}})));
    QCOMPARE(rate->value(), 5000);
    QCOMPARE(rate->maximum(), 9999);
    deliver(0, fromBytes(block(0, {{F::Units, 1, 0}, {F::Rate, 2, 50}})));
    QCOMPARE(rate->value(), 50);
    QCOMPARE(rate->maximum(), 100);

    // The user's side: Mbps allows 9999, back to % caps at 100.
    w<QComboBox>("cUnits")->setCurrentIndex(3);
    rate->setValue(9999);
    QCOMPARE(rate->value(), 9999);
    w<QComboBox>("cUnits")->setCurrentIndex(0);
    QCOMPARE(rate->value(), 100);
    rate->setValue(150);
    QCOMPARE(rate->value(), 100);
}

// The editor ends at 23:59:59; a longer duration from the tester shows as
// that and is written back as that, rather than wrapping past midnight.
void TestTrafficForm::durationBeyondEditor()
{
    deliver(0, fromBytes(block(0, {{F::Duration, 4, 90000}})));
    QCOMPARE(w<QTimeEdit>("tDur")->time(), QTime(23, 59, 59));
    clickApply();
    QCOMPARE(get32(m_device->trafficConfig[0], F::Duration), 86399u);
}

void TestTrafficForm::codes()
{
    QSignalSpy starts(m_page.get(), &TestForm::start_test);
    QSignalSpy configs(m_page.get(), &TestForm::gs_cfg);
    m_page->status_upd();
    QTest::mouseClick(w<QPushButton>("bStartXX"), Qt::LeftButton);
    QTest::mouseClick(w<QPushButton>("bStartXY"), Qt::LeftButton);
    m_device->procState[0] = StateBit::tx(StateBit::Traffic);
    m_page->status_upd();
    QTest::mouseClick(w<QPushButton>("bStop"), Qt::LeftButton);
    QTest::mouseClick(w<QPushButton>("bReset"), Qt::LeftButton);
    QCOMPARE(starts.size(), 3);
    QCOMPARE(starts.at(0).at(0).value<unsigned short>(), quint16(0x0105));
    QCOMPARE(starts.at(1).at(0).value<unsigned short>(), quint16(0x0005));
    QCOMPARE(starts.at(2).at(0).value<unsigned short>(), quint16(0x0005));
    QCOMPARE(configs.size(), 1);
    QCOMPARE(configs.at(0).at(0).value<unsigned short>(), quint16(0x0005));
    QCOMPARE(m_device->activeTest, ActiveTest::Traffic);
}

namespace {
class MarkTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) == "TrafficForm" || QByteArray(context) == "ProcessForm")
            return QStringLiteral("[%1]").arg(QString::fromUtf8(source));
        return {};
    }
    bool isEmpty() const override { return false; }
};
} // namespace

void TestTrafficForm::retitleAndRetranslate()
{
    auto *group = w<QGroupBox>("gTraf");
    QCOMPARE(group->title(), QStringLiteral("Traffic test (Port A)"));
    switchTo(1);
    QCOMPARE(group->title(), QStringLiteral("Traffic test (Port B)"));
    QCOMPARE(w<QPushButton>("bStartXX")->text(), QStringLiteral("Start B->B"));
    QCOMPARE(w<QPushButton>("bStartXY")->text(), QStringLiteral("Start B->A"));

    deliver(1, TrafficDefaults::Port[1]);
    w<QComboBox>("cbDSCP")->setCurrentIndex(7);
    w<QSpinBox>("sLen")->setValue(100);
    w<QLineEdit>("lMACdst")->setText(QStringLiteral("00:aa:bb:cc:dd:ee"));
    put32(m_device->trafficResult[1], TrafficResultField::TxFrames, 9);
    m_page->res_rcv(0x0105);

    MarkTranslator translator;
    QCoreApplication::installTranslator(&translator);
    m_page->retranslate();
    QCOMPARE(group->title(), QStringLiteral("[Traffic test (Port B)]"));
    QCOMPARE(w<QPushButton>("bStartXY")->text(), QStringLiteral("[Start B->A]"));
    QCOMPARE(w<QPushButton>("bStop")->text(), QStringLiteral("[Stop]"));
    QCOMPARE(w<QComboBox>("cUnits")->itemText(1), QStringLiteral("[bps]"));
    QCOMPARE(w<QTableWidget>("tRes")->verticalHeaderItem(0)->text(), QStringLiteral("[Load]"));
    // Retranslating changes texts only, never what the user has entered or sees.
    QCOMPARE(w<QComboBox>("cbDSCP")->currentIndex(), 7);
    QCOMPARE(w<QSpinBox>("sLen")->value(), 100);
    QCOMPARE(w<QLineEdit>("lMACdst")->text(), QStringLiteral("00:aa:bb:cc:dd:ee"));
    QCOMPARE(w<QLineEdit>("lTestTime")->text(), QStringLiteral("00:00:00"));
    QCOMPARE(cell(1, 0), QStringLiteral("9"));
    QCoreApplication::removeTranslator(&translator);
    m_page->retranslate();
    QCOMPARE(group->title(), QStringLiteral("Traffic test (Port B)"));
}

QTEST_MAIN(TestTrafficForm)
#include "tst_trafficform.moc"
