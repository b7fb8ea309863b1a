// Text a field's pattern does not take falls back, in the field, to the
// built-in default of that test and process (interface, stream) whenever
// the page reads its widgets: on Apply, on a port switch, on a change of
// stream. The write then goes ahead and nothing is said. One table per
// family of pages; each row types what a user can type, triggers the read,
// and checks the field and the block, whose other bytes must come out as
// they do when the field is left alone.

#include "pagedriver.h"

#include "bertform.h"
#include "ifsetform.h"
#include "jitterform.h"
#include "lbform.h"
#include "multiform.h"
#include "rfcform.h"
#include "tcpipform.h"
#include "trafficform.h"

#include "bertlayout.h"
#include "headerfields.h"
#include "iflayout.h"
#include "jitterlayout.h"
#include "lblayout.h"
#include "multilayout.h"
#include "pinglayout.h"
#include "rfclayout.h"
#include "testcodes.h"
#include "trafficlayout.h"
#include "zorqv.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>

namespace {

enum class Via { Apply, PortSwitch, StreamSwitch };

// A page and the configuration its rows edit: how the tester's block of one
// part (a process, an interface) reaches it and where Apply leaves it.
struct Kind
{
    std::function<TestForm *(Zorqv *)> make;
    std::function<void(Zorqv &, TestForm *, quint8 part, const QByteArray &)> deliver;
    std::function<QByteArray(const Zorqv &, quint8 part)> stored;
    std::function<QByteArray(quint8 part)> base; // what the tester sends first
    int tab = -1;                                // of "tabWidget", -1: none
    int writes = 1;                              // write requests per Apply
};

using Prepare = std::function<void(QWidget *page)>;

} // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Via)
Q_DECLARE_METATYPE(Prepare)

namespace {

using PageDriver::bytes;

QByteArray mac(const char *hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char(v >> (8 * i));
    return b;
}

// Valid addresses of their own in the fields the rows edit, so that the
// built-in default shows where it lands: MACs 02:1b:2c:3d:4e:5k, IPs
// 10.20.30.k, k counting on from first.
void putAddresses(QByteArray &b, std::initializer_list<std::size_t> macs, std::initializer_list<std::size_t> ips,
                  quint8 first = 0)
{
    quint8 k = first;
    for (std::size_t at : macs)
        b.replace(int(at), 6, mac("021b2c3d4e50").replace(5, 1, QByteArray(1, char(0x50 + k++))));
    for (std::size_t at : ips)
        b.replace(int(at), 4, le32(0x0A141E00u + k++));
}

// Every byte distinct, then valid addresses.
template <std::size_t N>
QByteArray withAddresses(quint8 seed, std::initializer_list<std::size_t> macs,
                         std::initializer_list<std::size_t> ips)
{
    QByteArray b = bytes(PageDriver::distinct<N>(seed));
    putAddresses(b, macs, ips);
    return b;
}

// The header fields as typed into: the MAC field enabled (no auto MAC),
// both levels on.
void userHeader(QByteArray &b, const HeaderFields &h)
{
    b[int(h.autoMac)] = 0;
    for (std::size_t at : {h.level3, h.level4}) {
        if (at != HeaderFields::None)
            b[int(at)] = 1;
    }
}

// A per-process page whose block lives in one member of the device record.
template <class Page, class Record, std::size_t N>
Kind processKind(quint8 test, Block<N> (Record::*member)[2], std::function<QByteArray(quint8)> base, int tab = -1)
{
    Kind k;
    k.make = [](Zorqv *d) -> TestForm * { return new Page(d); };
    k.deliver = [test, member](Zorqv &d, TestForm *page, quint8 proc, const QByteArray &b) {
        (d.*member)[proc] = PageDriver::fromBytes<N>(b);
        page->cfg_rcv(requestCode(test, proc));
    };
    k.stored = [member](const Zorqv &d, quint8 proc) { return bytes((d.*member)[proc]); };
    k.base = std::move(base);
    k.tab = tab;
    return k;
}

template <class Page, class Record, std::size_t N>
Kind headerKind(quint8 test, Block<N> (Record::*member)[2], const HeaderFields &h)
{
    return processKind<Page>(test, member, [h](quint8 proc) {
        QByteArray b = bytes(PageDriver::distinct<N>(quint8(0x31 + proc)));
        userHeader(b, h);
        putAddresses(b, {h.mac}, {h.ip});
        return b;
    });
}

Kind traffic()
{
    return headerKind<TrafficForm>(TestNo::Traffic, &Zorqv::trafficConfig, HeaderOf::Traffic);
}
Kind rfc()
{
    return headerKind<RfcForm>(TestNo::Rfc, &Zorqv::rfcConfig, HeaderOf::Rfc);
}
Kind jitter()
{
    return headerKind<JitterForm>(TestNo::Jitter, &Zorqv::jitterConfig, HeaderOf::Jitter);
}
Kind loopback()
{
    return processKind<LbForm>(TestNo::Loopback, &Zorqv::lbConfig, [](quint8 proc) {
        namespace F = LbConfigField;
        return withAddresses<BlockSize::LbConfig>(quint8(0x41 + proc), {F::MacSrc, F::MacDst}, {F::IpSrc, F::IpDst});
    });
}
Kind multi()
{
    return processKind<MultiForm>(TestNo::Multi, &Zorqv::multiConfig, [](quint8 proc) {
        QByteArray b = bytes(PageDriver::distinct<BlockSize::MultiConfig>(quint8(0x51 + proc)));
        for (std::size_t i = 0; i < MultiConfigField::Streams; ++i) {
            const HeaderFields h = HeaderOf::MultiStream.shifted(MultiConfigField::stream(i));
            userHeader(b, h);
            putAddresses(b, {h.mac}, {h.ip}, quint8(2 * i));
        }
        return b;
    });
}
Kind bert()
{
    return processKind<BertForm>(TestNo::Bert, &Zorqv::bertConfig, [](quint8 proc) {
        QByteArray b = bytes(PageDriver::distinct<BlockSize::BertConfig>(quint8(0x61 + proc)));
        b.replace(int(BertConfigField::UserPattern), 4, le32(0x13579BDF));
        return b;
    });
}
Kind ping()
{
    return processKind<TCPIPForm>(TestNo::Ping, &Zorqv::pingConfig, [](quint8 proc) {
        return withAddresses<BlockSize::PingConfig>(quint8(0x71 + proc), {}, {PingConfigField::IpDst});
    }, int(TCPIPForm::PingTab));
}
Kind trace()
{
    return processKind<TCPIPForm>(TestNo::Trace, &Zorqv::traceConfig, [](quint8 proc) {
        return withAddresses<BlockSize::TraceConfig>(quint8(0x75 + proc), {}, {TraceConfigField::IpDst});
    }, int(TCPIPForm::TraceTab));
}
// A name the tester holds, longer than the field takes.
const QByteArray kLongHost = QByteArrayLiteral("a-rather-long-host.example.org");
Kind dns()
{
    return processKind<TCPIPForm>(TestNo::Dns, &Zorqv::dnsConfig, [](quint8 proc) {
        QByteArray b = bytes(PageDriver::distinct<BlockSize::DnsConfig>(quint8(0x79 + proc)));
        b.replace(0, kLongHost.size() + 1, kLongHost + '\0');
        return b;
    }, int(TCPIPForm::DnsTab));
}
// Interface 0 (tab A) or 2 (tab RC); the other interface gets its default.
Kind iface()
{
    Kind k;
    k.make = [](Zorqv *d) -> TestForm * { return new IfsetForm(d); };
    k.deliver = [](Zorqv &d, TestForm *page, quint8 iface, const QByteArray &b) {
        for (quint8 i : {quint8(IfaceIndex::PortA), quint8(IfaceIndex::RemoteControl)}) {
            d.ifaceConfig[i] = i == iface ? PageDriver::fromBytes<BlockSize::IfaceConfig>(b) : IfaceDefaults::Iface[i];
            page->cfg_rcv(requestCode(TestNo::Iface, i));
        }
    };
    k.stored = [](const Zorqv &d, quint8 iface) { return bytes(d.ifaceConfig[iface]); };
    k.writes = 2; // both interfaces, whichever tab is on top
    k.base = [](quint8 iface) {
        namespace F = IfaceConfigField;
        QByteArray b = bytes(PageDriver::distinct<BlockSize::IfaceConfig>(quint8(0x81 + iface)));
        b[int(F::Dhcp)] = 0;
        b[int(F::LinkModes)] = char(LinkMode::All);
        b.replace(int(F::Mac), 6, mac("021b2c3d4e5f"));
        b.replace(int(F::Ip), 4, le32(0x0A141E28));      // 10.20.30.40
        b.replace(int(F::Mask), 4, le32(0xFFFF0000));    // 255.255.0.0
        b.replace(int(F::Gateway), 4, le32(0x0A141E01)); // 10.20.30.1
        b[int(F::VlanCount)] = 1;
        b[int(F::MplsCount)] = 2;
        return b;
    };
    return k;
}

QLineEdit *field(QWidget *page, const QString &path)
{
    const QStringList parts = path.split(u'/');
    QWidget *within = parts.size() > 1 ? page->findChild<QWidget *>(parts.first()) : page;
    return within ? within->findChild<QLineEdit *>(parts.last()) : nullptr;
}

QList<QMessageBox *> messageBoxes(QWidget *page)
{
    QList<QMessageBox *> boxes = page->findChildren<QMessageBox *>();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(w))
            boxes << box;
    }
    return boxes;
}

int writes(const QSignalSpy &spy)
{
    int n = 0;
    for (const QList<QVariant> &args : spy)
        n += (args.at(0).value<unsigned short>() >> 8) & 1;
    return n;
}

void addColumns()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<quint8>("part");     // process, or interface number
    QTest::addColumn<Prepare>("prepare"); // after each block has arrived
    QTest::addColumn<QString>("field");   // [container/]object name
    QTest::addColumn<QString>("typed");   // null: nothing typed
    QTest::addColumn<Via>("via");
    QTest::addColumn<QString>("shown");   // in the field after the read
    QTest::addColumn<int>("at");          // where the field's bytes are
    QTest::addColumn<QByteArray>("stored");
}

Prepare none()
{
    return {};
}

// Stream n on show, stream 1 read into the buffer on the way whichever
// stream showed before.
Prepare stream(int n)
{
    return [n](QWidget *page) {
        auto *selector = PageDriver::child<QSpinBox>(page, "sStreamSettings");
        selector->setValue(1);
        selector->setValue(n);
    };
}

} // namespace

class TestFallback : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerPages_data();
    void headerPages() { run(); }
    void devicePages_data();
    void devicePages() { run(); }
    void multistream_data();
    void multistream() { run(); }
    void tcpip_data();
    void tcpip() { run(); }
    void bertPattern_data();
    void bertPattern() { run(); }

private:
    void run();
};

// The same read twice, with the field left alone and then with the row's
// text in it: the two blocks differ in the field only, which holds the
// row's bytes.
void TestFallback::run()
{
    QFETCH(Kind, kind);
    QFETCH(quint8, part);
    QFETCH(Prepare, prepare);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(Via, via);
    QFETCH(QString, shown);
    QFETCH(int, at);
    QFETCH(QByteArray, stored);

    Zorqv device;
    device.connected = true;
    std::unique_ptr<TestForm> page(kind.make(&device));
    page->activate();
    const quint8 proc = part & 1; // an interface page ignores the process
    const auto switchTo = [&](quint8 p) {
        device.curProc = p;
        page->switch_proc(p);
    };
    if (proc)
        switchTo(proc);
    if (kind.tab >= 0)
        PageDriver::child<QTabWidget>(page.get(), "tabWidget")->setCurrentIndex(kind.tab);
    auto *apply = PageDriver::child<QPushButton>(page.get(), "bApply");
    const QByteArray base = kind.base(part);
    const auto deliver = [&] {
        kind.deliver(device, page.get(), part, base);
        if (prepare)
            prepare(page.get());
    };
    QLineEdit *edit = ::field(page.get(), field);
    QVERIFY(edit);
    // Reads the widgets the row's way; true when nothing was written.
    const auto read = [&] {
        QSignalSpy requests(page.get(), &TestForm::gs_cfg);
        switch (via) {
        case Via::Apply:
            return true;
        case Via::PortSwitch:
            switchTo(proc ^ 1);
            switchTo(proc);
            break;
        case Via::StreamSwitch: {
            auto *selector = PageDriver::child<QSpinBox>(page.get(), "sStreamSettings");
            const int mine = selector->value();
            selector->setValue(mine == 1 ? 2 : 1);
            selector->setValue(mine);
            break;
        }
        }
        return writes(requests) == 0;
    };
    const auto applyClick = [&] {
        QSignalSpy requests(page.get(), &TestForm::gs_cfg);
        QTest::mouseClick(apply, Qt::LeftButton);
        return writes(requests);
    };

    deliver();
    QVERIFY(apply->isEnabled());
    QVERIFY(read());
    QCOMPARE(applyClick(), kind.writes);
    QByteArray expected = kind.stored(device, part);
    QCOMPARE(expected.mid(at, stored.size()).toHex(' '), base.mid(at, stored.size()).toHex(' '));
    expected.replace(at, stored.size(), stored);

    deliver();
    if (!typed.isNull()) {
        // Only what the field lets a user type.
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
    }
    QVERIFY(read());
    if (via != Via::Apply)
        QCOMPARE(edit->text(), shown);
    QCOMPARE(applyClick(), kind.writes);
    QCOMPARE(edit->text(), shown);
    QVERIFY(messageBoxes(page.get()).isEmpty());
    QCOMPARE(kind.stored(device, part).toHex(' '), expected.toHex(' '));
}

void TestFallback::headerPages_data()
{
    addColumns();
    namespace T = TrafficConfigField;
    namespace R = RfcConfigField;
    namespace J = JitterConfigField;
    const QByteArray ip200 = le32(0xC0A800C8), ip201 = le32(0xC0A800C9);
    QTest::newRow("traffic B: short MAC on Apply takes port B's MAC")
        << traffic() << quint8(1) << none() << "lMACdst" << "00:1A:2B" << Via::Apply << "00:06:07:08:09:10"
        << int(T::MacDst) << mac("000607080910");
    QTest::newRow("traffic A: short MAC on a port switch takes port A's MAC")
        << traffic() << quint8(0) << none() << "lMACdst" << "00:1A:2B" << Via::PortSwitch << "00:01:02:03:04:05"
        << int(T::MacDst) << mac("000102030405");
    QTest::newRow("traffic B: MAC of five octets on a port switch")
        << traffic() << quint8(1) << none() << "lMACdst" << "00:1A:2B:3C:4D" << Via::PortSwitch
        << "00:06:07:08:09:10" << int(T::MacDst) << mac("000607080910");
    QTest::newRow("traffic A: empty IP on Apply") << traffic() << quint8(0) << none() << "lIPdst" << ""
                                                  << Via::Apply << "192.168.000.200" << int(T::IpDst) << ip200;
    QTest::newRow("traffic B: IP of three parts on a port switch")
        << traffic() << quint8(1) << none() << "lIPdst" << "10.0.0" << Via::PortSwitch << "192.168.000.200"
        << int(T::IpDst) << ip200;
    QTest::newRow("traffic A: IP hidden by level 3 off still falls back")
        << traffic() << quint8(0) << Prepare([](QWidget *p) {
               PageDriver::child<QCheckBox>(p, "cLvl3")->setChecked(false);
           })
        << "lIPdst" << "10." << Via::Apply << "192.168.000.200" << int(T::IpDst) << ip200;
    QTest::newRow("traffic A: dashed MAC is valid and kept")
        << traffic() << quint8(0) << none() << "lMACdst" << "00-1A-2B-3C-4D-5E" << Via::Apply
        << "00-1A-2B-3C-4D-5E" << int(T::MacDst) << mac("001a2b3c4d5e");
    QTest::newRow("traffic B: valid IP read back zero-padded")
        << traffic() << quint8(1) << none() << "lIPdst" << "10.0.0.1" << Via::PortSwitch << "010.000.000.001"
        << int(T::IpDst) << le32(0x0A000001);
    QTest::newRow("RFC A: short MAC on Apply") << rfc() << quint8(0) << none() << "lMACdst" << "00:55"
                                               << Via::Apply << "00:55:44:33:22:11" << int(R::MacDst)
                                               << mac("005544332211");
    QTest::newRow("RFC B: short MAC on a port switch")
        << rfc() << quint8(1) << none() << "lMACdst" << "00:55" << Via::PortSwitch << "00:66:55:44:33:22"
        << int(R::MacDst) << mac("006655443322");
    QTest::newRow("RFC A: IP of two parts on a port switch")
        << rfc() << quint8(0) << none() << "lIPdst" << "10.1" << Via::PortSwitch << "192.168.000.201"
        << int(R::IpDst) << ip201;
    QTest::newRow("RFC B: empty IP on Apply") << rfc() << quint8(1) << none() << "lIPdst" << "" << Via::Apply
                                              << "192.168.000.200" << int(R::IpDst) << ip200;
    QTest::newRow("jitter A: empty MAC on Apply") << jitter() << quint8(0) << none() << "lMACdst" << ""
                                                  << Via::Apply << "00:06:07:08:09:10" << int(J::MacDst)
                                                  << mac("000607080910");
    QTest::newRow("jitter B: IP of three parts on a port switch")
        << jitter() << quint8(1) << none() << "lIPdst" << "172.16.0" << Via::PortSwitch << "192.168.000.200"
        << int(J::IpDst) << ip200;
}

void TestFallback::devicePages_data()
{
    addColumns();
    namespace L = LbConfigField;
    namespace F = IfaceConfigField;
    const quint8 a = IfaceIndex::PortA, rc = IfaceIndex::RemoteControl;
    QTest::newRow("loopback A: short MAC source on Apply becomes zeros")
        << loopback() << quint8(0) << none() << "lMACsrc" << "00:1A:2B" << Via::Apply << "00:00:00:00:00:00"
        << int(L::MacSrc) << mac("000000000000");
    QTest::newRow("loopback B: empty MAC destination on a port switch")
        << loopback() << quint8(1) << none() << "lMACdst" << "" << Via::PortSwitch << "00:00:00:00:00:00"
        << int(L::MacDst) << mac("000000000000");
    QTest::newRow("loopback A: IP source of three parts on a port switch")
        << loopback() << quint8(0) << none() << "lIPsrc" << "10.1.2" << Via::PortSwitch << "000.000.000.000"
        << int(L::IpSrc) << le32(0);
    QTest::newRow("loopback B: IP destination of one part on Apply")
        << loopback() << quint8(1) << none() << "lIPdst" << "10" << Via::Apply << "000.000.000.000"
        << int(L::IpDst) << le32(0);
    QTest::newRow("interfaces, port A: short MAC takes port A's")
        << iface() << a << none() << "tabA/lMAC" << "00:1A:2B" << Via::Apply << "00:11:22:33:44:55"
        << int(F::Mac) << mac("001122334455");
    QTest::newRow("interfaces, port RC: short MAC takes port RC's")
        << iface() << rc << none() << "tabRC/lMAC" << "00:1A" << Via::Apply << "00:33:44:55:66:77"
        << int(F::Mac) << mac("003344556677");
    QTest::newRow("interfaces, port A: IP of three parts")
        << iface() << a << none() << "tabA/lIP" << "10.0.0" << Via::Apply << "192.168.000.200" << int(F::Ip)
        << le32(0xC0A800C8);
    QTest::newRow("interfaces, port RC, tab behind: IP of three parts")
        << iface() << rc << none() << "tabRC/lIP" << "10.0.0" << Via::Apply << "192.168.000.202" << int(F::Ip)
        << le32(0xC0A800CA);
    QTest::newRow("interfaces, port A: mask with a hole")
        << iface() << a << none() << "tabA/lMask" << "255.255.0.255" << Via::Apply << "255.255.255.000"
        << int(F::Mask) << le32(0xFFFFFF00);
    QTest::newRow("interfaces, port RC: empty gateway")
        << iface() << rc << none() << "tabRC/lGate" << "" << Via::Apply << "192.168.000.001" << int(F::Gateway)
        << le32(0xC0A80001);
    QTest::newRow("interfaces, port A: zero-padded /16 mask is valid")
        << iface() << a << none() << "tabA/lMask" << "255.255.000.000" << Via::Apply << "255.255.000.000"
        << int(F::Mask) << le32(0xFFFF0000);
    // DHCP on: the fields show the leased address (none yet), Apply keeps
    // the block's.
    QTest::newRow("interfaces, port A: DHCP on leaves the IP as it was")
        << iface() << a << Prepare([](QWidget *p) {
               p->findChild<QWidget *>(QStringLiteral("tabA"))->findChild<QCheckBox *>(QStringLiteral("cDHCP"))
                   ->setChecked(true);
           })
        << "tabA/lIP" << QString() << Via::Apply << "000.000.000.000" << int(F::Ip) << le32(0x0A141E28);
}

void TestFallback::multistream_data()
{
    addColumns();
    namespace C = MultiConfigField;
    namespace S = MultiStreamField;
    const auto at = [](int n, std::size_t field) { return int(C::stream(std::size_t(n - 1)) + field); };
    QTest::newRow("A stream 1: short MAC on Apply") << multi() << quint8(0) << stream(1) << "lMACdst"
                                                    << "00:1A" << Via::Apply << "00:22:33:44:55:66"
                                                    << at(1, S::MacDst) << mac("002233445566");
    QTest::newRow("A stream 2: IP of three parts on a change of stream")
        << multi() << quint8(0) << stream(2) << "lIPdst" << "10.0.0" << Via::StreamSwitch
        << "192.168.000.202" << at(2, S::IpDst) << le32(0xC0A800CA);
    QTest::newRow("A stream 3: empty IP on a port switch")
        << multi() << quint8(0) << stream(3) << "lIPdst" << "" << Via::PortSwitch << "192.168.000.203"
        << at(3, S::IpDst) << le32(0xC0A800CB);
    QTest::newRow("A stream 10: IP of two parts on Apply")
        << multi() << quint8(0) << stream(10) << "lIPdst" << "10.1" << Via::Apply << "192.168.000.201"
        << at(10, S::IpDst) << le32(0xC0A800C9);
    QTest::newRow("B stream 2: IP of three parts on Apply")
        << multi() << quint8(1) << stream(2) << "lIPdst" << "10.0.0" << Via::Apply << "192.168.000.201"
        << at(2, S::IpDst) << le32(0xC0A800C9);
    QTest::newRow("B stream 7: short MAC on a change of stream")
        << multi() << quint8(1) << stream(7) << "lMACdst" << "00:1A:2B" << Via::StreamSwitch
        << "00:22:33:44:55:66" << at(7, S::MacDst) << mac("002233445566");
}

void TestFallback::tcpip_data()
{
    addColumns();
    namespace P = PingConfigField;
    QTest::newRow("ping A: IP of three parts on Apply") << ping() << quint8(0) << none() << "lIP" << "10.0.0"
                                                        << Via::Apply << "192.168.000.201" << int(P::IpDst)
                                                        << le32(0xC0A800C9);
    QTest::newRow("ping B: empty IP on a port switch") << ping() << quint8(1) << none() << "lIP" << ""
                                                       << Via::PortSwitch << "192.168.000.200" << int(P::IpDst)
                                                       << le32(0xC0A800C8);
    QTest::newRow("trace A: IP of two parts on a port switch")
        << trace() << quint8(0) << none() << "lIPdst" << "10.1" << Via::PortSwitch << "093.184.216.034"
        << int(P::IpDst) << le32(0x5DB8D822);
    QTest::newRow("trace B: IP of three parts on Apply") << trace() << quint8(1) << none() << "lIPdst" << "1.2.3"
                                                         << Via::Apply << "192.168.000.001" << int(P::IpDst)
                                                         << le32(0xC0A80001);
    // A host name is no address: no pattern holds Apply back, nothing falls back.
    QTest::newRow("DNS A: empty host name is written") << dns() << quint8(0) << none() << "lHost" << ""
                                                       << Via::Apply << "" << 0 << QByteArray(1, '\0');
    QTest::newRow("DNS B: one label is written") << dns() << quint8(1) << none() << "lHost" << "localhost"
                                                 << Via::PortSwitch << "localhost" << 0
                                                 << QByteArrayLiteral("localhost\0");
    QTest::newRow("DNS A: a received name longer than the field is kept")
        << dns() << quint8(0) << none() << "lHost" << QString() << Via::PortSwitch
        << QString::fromLatin1(kLongHost.left(20)) << 0 << kLongHost + '\0';
}

void TestFallback::bertPattern_data()
{
    addColumns();
    const int at = int(BertConfigField::UserPattern);
    QTest::newRow("A: seven digits on Apply") << bert() << quint8(0) << none() << "lUserPattern" << "1234567"
                                              << Via::Apply << "aaaaaaaa" << at << le32(0xAAAAAAAA);
    QTest::newRow("B: empty on a port switch") << bert() << quint8(1) << none() << "lUserPattern" << ""
                                               << Via::PortSwitch << "aaaaaaaa" << at << le32(0xAAAAAAAA);
    QTest::newRow("B: eight digits are kept, shown lower case when read back")
        << bert() << quint8(1) << none() << "lUserPattern" << "DEADBEEF" << Via::PortSwitch << "deadbeef" << at
        << le32(0xDEADBEEF);
}

QTEST_MAIN(TestFallback)
#include "tst_fallback.moc"
