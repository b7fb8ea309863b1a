#include "pagedriver.h"
#include "ifsetform.h"

#include "iflayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <functional>

using Edit = std::function<void(QWidget *tab)>;
Q_DECLARE_METATYPE(Edit)

namespace F = IfaceConfigField;

// The interface-settings page driven like a user: blocks arrive through
// cfg_rcv, widgets are found by their object names in the tab of their
// interface, and what Apply leaves in the device record is checked byte by
// byte.
class TestIfsetForm : public QObject
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
    void dhcpAddresses();
    void interfaceArguments_data();
    void interfaceArguments();
    void oamByteTakenAtApply();
    void applyEnabling_data();
    void applyEnabling();
    void codes();
    void reconnectWithPageOpen();
    void defaultMac_data();
    void defaultMac();

private:
    QWidget *tab(int iface) const
    {
        return m_page->findChild<QWidget *>(QLatin1String(iface == 0 ? "tabA" : "tabRC"));
    }
    template <typename W = QWidget>
    W *w(int iface, const char *name) const
    {
        W *widget = tab(iface)->findChild<W *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void deliver(int iface, const IfaceConfigBlock &b)
    {
        m_device->ifaceConfig[iface] = b;
        m_page->cfg_rcv(requestCode(TestNo::Iface, quint8(iface)));
    }
    // Both interfaces known, so that Apply is usable.
    void deliverBoth(const IfaceConfigBlock &a, const IfaceConfigBlock &rc)
    {
        deliver(0, a);
        deliver(2, rc);
    }
    void clickApply()
    {
        QVERIFY(m_page->findChild<QPushButton *>("bApply")->isEnabled());
        QTest::mouseClick(m_page->findChild<QPushButton *>("bApply"), Qt::LeftButton);
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<IfsetForm> m_page;
};

namespace {

QByteArray bytes(const IfaceConfigBlock &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}

IfaceConfigBlock fromBytes(const QByteArray &a)
{
    IfaceConfigBlock b{};
    Q_ASSERT(a.size() == int(b.size()));
    std::copy(a.begin(), a.end(), b.begin());
    return b;
}

// Every byte distinct (0x80 + offset), then the fields set to values the
// page can show and write back unchanged.
IfaceConfigBlock distinct(quint8 dhcp, quint8 modes)
{
    IfaceConfigBlock b{};
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = quint8(0x80 + i);
    put8(b, F::Dhcp, dhcp);
    put8(b, F::LinkModes, modes);
    put32(b, F::Mask, 0xFFFFF800); // /21
    put8(b, F::VlanCount, 2);
    put8(b, F::MplsCount, 3);
    for (std::size_t n = 0; n < F::Tags; ++n) {
        put16(b, F::tci(n), Tci::make(unsigned(5 + n), unsigned(0xA01 + n)));
        put32(b, F::mpls(n), Mpls::make(0xB1230 + n, unsigned(4 + n), unsigned(0xF0 + n)));
    }
    return b;
}

IfaceConfigBlock with(IfaceConfigBlock b, std::initializer_list<std::pair<std::size_t, quint32>> u32s)
{
    for (const auto &[at, value] : u32s)
        put32(b, at, value);
    return b;
}

QVariant widgetValue(QWidget *widget)
{
    if (auto *s = qobject_cast<QSpinBox *>(widget))
        return s->value();
    if (auto *l = qobject_cast<QLineEdit *>(widget))
        return l->displayText();
    if (auto *b = qobject_cast<QAbstractButton *>(widget))
        return b->isChecked();
    return {};
}

} // namespace

void TestIfsetForm::init()
{
    PageDriver::openPage(m_device, m_page);
}

void TestIfsetForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

void TestIfsetForm::limits()
{
    auto *tabs = m_page->findChild<QTabWidget *>("tabWidget");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("tabA"));
    QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("tabRC"));
    QCOMPARE(w<QLineEdit>(0, "lTPID3")->inputMask(), QStringLiteral("HHHH;0"));
    QCOMPARE(w<QLineEdit>(2, "lValue1")->inputMask(), QStringLiteral("HHHHH;0"));
    // The remote-control port is configured by its addresses only.
    for (const char *g : {"gLink", "gDuplex", "gVLAN", "gMPLS"}) {
        QVERIFY(w(0, g)->isEnabled());
        QVERIFY(!w(2, g)->isEnabled());
    }
    QVERIFY(w(2, "gCommon")->isEnabled());
}

void TestIfsetForm::loadAndApply_data()
{
    QTest::addColumn<int>("iface");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QByteArray>("written"); // the record after Apply (byte 52 aside)
    QTest::addColumn<QVariantMap>("shown");

    const IfaceConfigBlock all = distinct(0, LinkMode::All);
    QTest::newRow("port A, every field")
        << 0 << bytes(all) << bytes(all)
        << QVariantMap{{"lMAC", "82:83:84:85:86:87"}, {"lIP", "139.138.137.136"},
                       {"lMask", "255.255.248.000"}, {"lGate", "147.146.145.144"},
                       {"cDHCP", false}, {"c10", true}, {"c100", true}, {"c1000", true},
                       {"cHDX", true}, {"cFDX", true}, {"sVLAN", 2}, {"lTPID1", "9998"},
                       {"lTPID3", "9D9C"}, {"sPCP1", 5}, {"sVID1", 0xA01}, {"sPCP3", 7},
                       {"sVID3", 0xA03}, {"sMPLS", 3}, {"lValue1", "B1230"}, {"lValue3", "B1232"},
                       {"sQoS2", 5}, {"sTTL1", 0xF0}, {"sTTL3", 0xF2}};
    QTest::newRow("port RC, every field")
        << 2 << bytes(distinct(0, LinkMode::Full10)) << bytes(distinct(0, LinkMode::Full10))
        << QVariantMap{{"lMAC", "82:83:84:85:86:87"}, {"c10", true}, {"c100", false},
                       {"cHDX", false}, {"cFDX", true}};
    IfaceConfigBlock bit12 = all;
    put16(bit12, F::tci(0), 0x3FFF);
    IfaceConfigBlock cleared = all;
    put16(cleared, F::tci(0), 0x2FFF);
    QTest::newRow("TCI bit 12 cleared")
        << 0 << bytes(bit12) << bytes(cleared) << QVariantMap{{"sPCP1", 1}, {"sVID1", 4095}};
    QTest::newRow("RC keeps its tags as received")
        << 2 << bytes(bit12) << bytes(bit12) << QVariantMap{};
    QTest::newRow("10 half only")
        << 0 << bytes(distinct(0, LinkMode::Half10)) << bytes(distinct(0, LinkMode::Half10))
        << QVariantMap{{"c10", true}, {"c100", false}, {"c1000", false}, {"cHDX", true},
                       {"cFDX", false}};
    // Shown as well as the boxes can; written back as received.
    QTest::newRow("modes the boxes cannot express")
        << 0 << bytes(distinct(0, LinkMode::Half10 | LinkMode::Full100))
        << bytes(distinct(0, LinkMode::Half10 | LinkMode::Full100))
        << QVariantMap{{"c10", true}, {"c100", true}, {"cHDX", true}, {"cFDX", true}};
    QTest::newRow("no mode fires no rule")
        << 0 << bytes(distinct(0, 0)) << bytes(distinct(0, 0))
        << QVariantMap{{"c10", false}, {"c100", false}, {"c1000", false}, {"cHDX", false},
                       {"cFDX", false}};
    // Under DHCP the fields show the lease; the settings stay as they were,
    // even a mask the page would not accept.
    const IfaceConfigBlock dhcp = with(distinct(1, LinkMode::All), {{F::Mask, 0x00FF00FF}});
    QTest::newRow("DHCP keeps the address settings")
        << 0 << bytes(dhcp) << bytes(dhcp)
        << QVariantMap{{"cDHCP", true}, {"lIP", "010.001.002.003"}, {"lMask", "255.000.000.000"},
                       {"lGate", "010.000.000.254"}};
}

void TestIfsetForm::loadAndApply()
{
    QFETCH(int, iface);
    QFETCH(QByteArray, block);
    QFETCH(QByteArray, written);
    QFETCH(QVariantMap, shown);
    m_device->ifaceWord1[iface] = 0x0A010203;
    m_device->ifaceWord2[iface] = 0xFF000000;
    m_device->ifaceWord3[iface] = 0x0A0000FE;
    const int other = iface == 0 ? 2 : 0;
    deliver(other, IfaceDefaults::Iface[other]);
    deliver(iface, IfaceDefaults::Iface[iface]); // boxes checked before
    deliver(iface, fromBytes(block));
    for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
        const QVariant actual = widgetValue(w(iface, qPrintable(it.key())));
        QVERIFY2(actual == it.value(), qPrintable(QStringLiteral("%1: %2, expected %3")
                                                      .arg(it.key(), actual.toString(), it.value().toString())));
    }
    QCOMPARE(w(iface, "lIP")->isEnabled(), !shown.value("cDHCP").toBool());

    m_device->ifaceConfig[iface].fill(0); // Apply must write the whole block...
    m_device->ifaceConfig[iface][F::OamMode] = 0x3C; // ...but the OAM page's byte
    written[int(F::OamMode)] = char(0x3C);
    clickApply();
    QCOMPARE(bytes(m_device->ifaceConfig[iface]).toHex(' '), written.toHex(' '));
    QCOMPARE(bytes(m_device->ifaceConfig[other]).toHex(' '), bytes(IfaceDefaults::Iface[other]).toHex(' '));
    QCOMPARE(bytes(m_device->ifaceConfig[1]), QByteArray(56, '\0'));
}

void TestIfsetForm::userEdits_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QByteArray>("expected"); // port A's block after Apply

    const auto box = [](const char *name, bool on) {
        return Edit([name, on](QWidget *t) { t->findChild<QAbstractButton *>(name)->setChecked(on); });
    };
    const auto type = [](const char *name, const QString &text) {
        return Edit([name, text](QWidget *t) {
            auto *edit = t->findChild<QLineEdit *>(name);
            edit->selectAll();
            edit->del();
            QTest::keyClicks(edit, text);
        });
    };
    const auto spin = [](const char *name, int value) {
        return Edit([name, value](QWidget *t) { t->findChild<QSpinBox *>(name)->setValue(value); });
    };
    const auto both = [](Edit a, Edit b) { return Edit([a, b](QWidget *t) { a(t); b(t); }); };
    const IfaceConfigBlock base = distinct(0, LinkMode::Half1000 | LinkMode::Full1000);
    auto modes = [&base](quint8 m) {
        IfaceConfigBlock b = base;
        put8(b, F::LinkModes, m);
        return bytes(b);
    };

    QTest::newRow("unchecking the last speed offers the two others")
        << box("c1000", false) << modes(LinkMode::Half10 | LinkMode::Full10 | LinkMode::Half100 | LinkMode::Full100);
    QTest::newRow("10 and 100 full duplex")
        << both(box("c10", true), both(box("c100", true), both(box("c1000", false), box("cHDX", false))))
        << modes(LinkMode::Full10 | LinkMode::Full100);
    QTest::newRow("unchecking both duplex boxes keeps one")
        << both(box("cHDX", false), box("cFDX", false)) << modes(LinkMode::Half1000);
    QTest::newRow("TTL above 127, all label bits")
        << both(type("lValue2", "FFFFF"), both(spin("sQoS2", 7), spin("sTTL2", 200)))
        << bytes(with(base, {{F::mpls(1), 0xC87FFFFF}}));
    QTest::newRow("VLAN tag")
        << both(type("lTPID3", "88A8"), both(spin("sPCP3", 6), spin("sVID3", 100)))
        << [&] { IfaceConfigBlock b = base; put16(b, F::tpid(2), 0x88A8); put16(b, F::tci(2), 0xC064); return bytes(b); }();
    QTest::newRow("zero-padded /16 mask as the page shows it")
        << type("lMask", "255.255.000.000") << bytes(with(base, {{F::Mask, 0xFFFF0000}}));
    QTest::newRow("DHCP on leaves the addresses as they were")
        << both(type("lIP", "10.20.30.40"), box("cDHCP", true))
        << [&] { IfaceConfigBlock b = base; put8(b, F::Dhcp, 1); return bytes(b); }();
}

void TestIfsetForm::userEdits()
{
    QFETCH(Edit, edit);
    QFETCH(QByteArray, expected);
    deliverBoth(distinct(0, LinkMode::Half1000 | LinkMode::Full1000), IfaceDefaults::Iface[2]);
    edit(tab(0));
    clickApply();
    QCOMPARE(bytes(m_device->ifaceConfig[0]).toHex(' '), expected.toHex(' '));
}

// With DHCP the address fields show what the tester leased, follow its
// updates and go back to the settings when DHCP is switched off.
void TestIfsetForm::dhcpAddresses()
{
    deliver(0, IfaceDefaults::Iface[0]);
    deliver(2, IfaceDefaults::Iface[2]);
    auto *ip = w<QLineEdit>(2, "lIP");
    auto *dhcp = w<QCheckBox>(2, "cDHCP");
    QCOMPARE(ip->text(), QStringLiteral("192.168.000.202"));
    dhcp->setChecked(true);
    QCOMPARE(ip->text(), QStringLiteral("000.000.000.000"));
    QVERIFY(!ip->isEnabled() && !w(2, "lMask")->isEnabled() && !w(2, "lGate")->isEnabled());

    m_device->ifaceWord1[2] = 0xC0A80034;
    m_device->ifaceWord2[2] = 0xFFFFFF00;
    m_device->ifaceWord1[0] = 0x01010101;
    m_page->res_rcv(requestCode(TestNo::Iface, 2));
    QCOMPARE(ip->text(), QStringLiteral("192.168.000.052"));
    QCOMPARE(w<QLineEdit>(2, "lMask")->text(), QStringLiteral("255.255.255.000"));
    m_page->res_rcv(requestCode(TestNo::Iface, 0)); // port A has no DHCP: nothing changes
    QCOMPARE(w<QLineEdit>(0, "lIP")->text(), QStringLiteral("192.168.000.200"));

    dhcp->setChecked(false);
    QCOMPARE(ip->text(), QStringLiteral("192.168.000.202"));
    QVERIFY(ip->isEnabled());
}

void TestIfsetForm::interfaceArguments_data()
{
    QTest::addColumn<bool>("result");
    QTest::addColumn<quint8>("argument");
    QTest::addColumn<QString>("macA");
    QTest::addColumn<QString>("ipRC");
    const QString defaultA = QStringLiteral("00:11:22:33:44:55");
    const QString defaultRC = QStringLiteral("192.168.000.202");
    QTest::newRow("configuration of port A") << false << quint8(0) << "00:00:00:00:00:01" << defaultRC;
    QTest::newRow("configuration of port RC") << false << quint8(2) << defaultA << "000.000.000.000";
    // Interface 1 is polled for its DHCP lease but has no tab here.
    QTest::newRow("configuration of port B") << false << quint8(1) << defaultA << defaultRC;
    QTest::newRow("lease of port B") << true << quint8(1) << defaultA << "000.000.000.000";
    QTest::newRow("lease of port RC") << true << quint8(2) << defaultA << "010.000.000.002";
}

void TestIfsetForm::interfaceArguments()
{
    QFETCH(bool, result);
    QFETCH(quint8, argument);
    QFETCH(QString, macA);
    QFETCH(QString, ipRC);
    deliverBoth(IfaceDefaults::Iface[0], IfaceDefaults::Iface[2]);
    if (result)
        w<QCheckBox>(2, "cDHCP")->setChecked(true);
    for (quint32 i = 0; i < 3; ++i) {
        m_device->ifaceConfig[i] = IfaceConfigBlock{};
        put8(m_device->ifaceConfig[i], F::Mac + 5, 1);
        m_device->ifaceWord1[i] = 0x0A000000 + i;
    }
    if (result)
        m_page->res_rcv(requestCode(TestNo::Iface, argument));
    else
        m_page->cfg_rcv(requestCode(TestNo::Iface, argument));
    QCOMPARE(w<QLineEdit>(0, "lMAC")->text(), macA);
    QCOMPARE(w<QLineEdit>(2, "lIP")->text(), ipRC);
}

// The OAM page writes byte 52 through its own packet; an interface Apply
// after that must not put back the value the tab was loaded with.
void TestIfsetForm::oamByteTakenAtApply()
{
    deliverBoth(IfaceDefaults::Iface[0], IfaceDefaults::Iface[2]);
    m_device->ifaceConfig[0][F::OamMode] = 1;
    m_device->ifaceConfig[2][F::OamMode] = 2;
    clickApply();
    QCOMPARE(int(m_device->ifaceConfig[0][F::OamMode]), 1);
    QCOMPARE(int(m_device->ifaceConfig[2][F::OamMode]), 2);
}

void TestIfsetForm::applyEnabling_data()
{
    QTest::addColumn<QList<int>>("known"); // interfaces whose configuration arrived
    QTest::addColumn<quint32>("stateA");
    QTest::addColumn<quint32>("stateB");
    QTest::addColumn<bool>("enabled");
    const quint32 traffic = StateBit::tx(StateBit::Traffic);
    const quint32 oamRx = StateBit::rx(StateBit::Oam);
    QTest::newRow("both known, idle") << QList<int>{0, 2} << 0u << 0u << true;
    QTest::newRow("nothing known") << QList<int>{} << 0u << 0u << false;
    QTest::newRow("port A only") << QList<int>{0} << 0u << 0u << false;
    QTest::newRow("port RC only") << QList<int>{2} << 0u << 0u << false;
    QTest::newRow("port B is no substitute") << QList<int>{0, 1} << 0u << 0u << false;
    QTest::newRow("test on port A") << QList<int>{0, 2} << traffic << 0u << false;
    QTest::newRow("test on port B") << QList<int>{0, 2} << 0u << traffic << false;
    QTest::newRow("receiving on port B") << QList<int>{0, 2} << 0u << oamRx << false;
}

void TestIfsetForm::applyEnabling()
{
    QFETCH(QList<int>, known);
    QFETCH(quint32, stateA);
    QFETCH(quint32, stateB);
    QFETCH(bool, enabled);
    for (int iface : known)
        deliver(iface, IfaceDefaults::Iface[iface]);
    m_device->procState[0] = stateA;
    m_device->procState[1] = stateB;
    m_page->status_upd();
    auto *apply = m_page->findChild<QPushButton *>("bApply");
    QCOMPARE(apply->isEnabled(), enabled);
    QVERIFY(m_page->findChild<QPushButton *>("bReset")->isEnabled());

    // A click counts against the state words of the moment, not of the
    // last status.
    m_device->procState[0] = m_device->procState[1] = 0;
    m_page->status_upd();
    m_device->procState[1] = StateBit::tx(StateBit::Rfc);
    QSignalSpy writes(m_page.get(), &TestForm::gs_cfg);
    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(writes.size(), 0);
}

void TestIfsetForm::codes()
{
    QSignalSpy configs(m_page.get(), &TestForm::gs_cfg);
    m_device->activeTest = 0;
    m_page->activate(); // read once per connection
    QCOMPARE(m_device->activeTest, ActiveTest::Iface);
    QTest::mouseClick(m_page->findChild<QPushButton *>("bReset"), Qt::LeftButton);
    deliverBoth(IfaceDefaults::Iface[0], IfaceDefaults::Iface[2]);
    m_device->curProc = 1;
    m_page->switch_proc(1);
    clickApply();
    QList<quint16> codes;
    for (const auto &args : configs)
        codes << args.at(0).value<unsigned short>();
    QCOMPARE(codes, (QList<quint16>{0x000C, 0x800C, 0x010C, 0x810C}));
    QCOMPARE(bytes(m_device->ifaceConfig[2]), bytes(IfaceDefaults::Iface[2]));
}

void TestIfsetForm::reconnectWithPageOpen()
{
    m_page->show();
    deliverBoth(IfaceDefaults::Iface[0], IfaceDefaults::Iface[2]);
    QSignalSpy reads(m_page.get(), &TestForm::gs_cfg);
    m_device->connected = false; // the engine's reset after a lost link
    m_device->activeTest = 0;
    m_page->status_upd();
    QVERIFY(!m_page->findChild<QPushButton *>("bApply")->isEnabled());
    m_device->connected = true;
    m_page->status_upd();
    m_page->status_upd();
    QCOMPARE(m_device->activeTest, ActiveTest::Iface);
    QCOMPARE(reads.size(), 2);
    QVERIFY(!m_page->findChild<QPushButton *>("bApply")->isEnabled()); // until both arrive
}

void TestIfsetForm::defaultMac_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("qvb");
    QTest::addColumn<quint16>("serial");
    QTest::addColumn<int>("iface");
    QTest::addColumn<QString>("mac"); // empty: the field is left alone

    QTest::newRow("QV 1, port A") << true << false << quint16(1) << 0 << "02:51:56:00:c0:00";
    QTest::newRow("QV 1, port RC") << true << false << quint16(1) << 2 << "02:51:56:00:c0:02";
    QTest::newRow("QV 300, port RC") << true << false << quint16(300) << 2 << "02:51:56:00:c3:83";
    QTest::newRow("QV 1024, last of its range") << true << false << quint16(1024) << 2 << "02:51:56:00:cb:ff";
    QTest::newRow("QV 1025, beyond its range") << true << false << quint16(1025) << 0 << "";
    QTest::newRow("QV 65535 would wrap") << true << false << quint16(65535) << 2 << "";
    QTest::newRow("QVB 1, port A") << true << true << quint16(1) << 0 << "02:51:56:00:cc:00";
    QTest::newRow("QVB 2, port RC") << true << true << quint16(2) << 2 << "02:51:56:00:cc:03";
    QTest::newRow("QVB 512, last of the block") << true << true << quint16(512) << 2 << "02:51:56:00:cf:ff";
    QTest::newRow("QVB 513, beyond the block") << true << true << quint16(513) << 0 << "";
    QTest::newRow("serial 0") << true << false << quint16(0) << 0 << "";
    QTest::newRow("not connected") << false << false << quint16(7) << 0 << "";
}

void TestIfsetForm::defaultMac()
{
    QFETCH(bool, connected);
    QFETCH(bool, qvb);
    QFETCH(quint16, serial);
    QFETCH(int, iface);
    QFETCH(QString, mac);
    deliverBoth(IfaceDefaults::Iface[0], IfaceDefaults::Iface[2]);
    m_device->connected = connected;
    m_device->isQvb = qvb;
    m_device->serialNumber = serial;
    auto *field = w<QLineEdit>(iface, "lMAC");
    const QString before = field->text();
    QTest::mouseClick(w(iface, "bDefaultMac"), Qt::LeftButton);
    QCOMPARE(field->text(), mac.isEmpty() ? before : mac);
}

QTEST_MAIN(TestIfsetForm)
#include "tst_ifsetform.moc"
