#include "lbform.h"
#include "pagedriver.h"

#include "lblayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <functional>

using Edit = std::function<void(QWidget *page)>;
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(LbConfigBlock)

namespace F = LbConfigField;

// The loopback page on a device record: blocks arrive through cfg_rcv,
// the user edits and applies, and the bytes that reach the record are
// compared with what was received.
class TestLbForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void userEdits_data();
    void userEdits();
    void levelsAndApply_data();
    void levelsAndApply();
    void levelCodes();

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
    void deliver(quint8 proc, const LbConfigBlock &b)
    {
        m_device->lbConfig[proc] = b;
        m_page->cfg_rcv(requestCode(TestNo::Loopback, proc));
    }
    void apply()
    {
        QVERIFY(w("bApply")->isEnabled());
        QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<LbForm> m_page;
};

namespace {

QByteArray bytes(const LbConfigBlock &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}

// Every field a distinct value; the reserved bytes too.
LbConfigBlock distinct()
{
    LbConfigBlock b{};
    const quint8 reserved[][2] = {{0, 0xA0}, {3, 0xA3}, {17, 0xB1}, {18, 0xB2}, {19, 0xB3}, {39, 0xC7}};
    for (const auto &r : reserved)
        b[r[0]] = r[1];
    b[F::ReplaceIpSrc] = 1;
    b[F::ReplaceIpDst] = 0;
    put32(b, F::IpSrc, 0x0A010203);
    put32(b, F::IpDst, 0xC0A80164);
    b[F::ReplaceMode] = 1;
    b[F::Tos] = 0xA9; // precedence 5, ToS 0100, bit 0 set
    b[F::Dscp] = 46 << 2;
    b[F::ReplaceVlan] = 1;
    b[F::ReplacePrio] = 0;
    put32(b, F::Vlan, 4001);
    b[F::Prio] = 6;
    b[F::ReplaceMacSrc] = 0;
    b[F::ReplaceMacDst] = 1;
    const quint8 macs[12] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e, 0x02, 0x11, 0x22, 0x33, 0x44, 0x55};
    std::copy(std::begin(macs), std::end(macs), b.begin() + F::MacSrc);
    return b;
}

LbConfigBlock with(std::function<void(LbConfigBlock &)> change)
{
    LbConfigBlock b = distinct();
    change(b);
    return b;
}

} // namespace

void TestLbForm::init()
{
    PageDriver::openPage(m_device, m_page);
}

void TestLbForm::cleanup()
{
    PageDriver::closePage(m_device, m_page);
}

void TestLbForm::roundTrip_data()
{
    QTest::addColumn<quint8>("port");
    QTest::addColumn<LbConfigBlock>("block");
    QTest::addColumn<QVariantMap>("shown");

    QTest::newRow("every field, port A")
        << quint8(0) << distinct()
        << QVariantMap{{"lMACsrc", "00:1a:2b:3c:4d:5e"}, {"lMACdst", "02:11:22:33:44:55"},
                       {"lIPsrc", "010.001.002.003"}, {"lIPdst", "192.168.001.100"},
                       {"sVLAN", 4001}, {"sPrio", 6}, {"cbToS", 3}, {"cbPrec", 5}, {"cbDSCP", 20}};
    QTest::newRow("flags swapped, DSCP, port B")
        << quint8(1) << with([](LbConfigBlock &b) {
               for (std::size_t at : {F::ReplaceIpSrc, F::ReplaceIpDst, F::ReplaceVlan, F::ReplacePrio,
                                      F::ReplaceMacSrc, F::ReplaceMacDst})
                   b[at] ^= 1;
               b[F::ReplaceMode] = 2;
               b[F::Dscp] = 10 << 2;
           })
        << QVariantMap{{"gDSCP", true}, {"gToS", false}, {"cbDSCP", 0}, {"cVLAN", false}, {"cMACsrc", true}};
    // Values the spin boxes and the ToS combo cannot show travel unchanged.
    QTest::newRow("VLAN 0, priority 9, ToS 0011")
        << quint8(0) << with([](LbConfigBlock &b) {
               put32(b, F::Vlan, 0);
               b[F::Prio] = 9;
               b[F::Tos] = 0x47; // precedence 2, ToS 0011, bit 0 set
           })
        << QVariantMap{{"sVLAN", 1}, {"sPrio", 7}, {"cbToS", 0}, {"cbPrec", 2}};
    QTest::newRow("VLAN beyond 4095, negative")
        << quint8(1) << with([](LbConfigBlock &b) { put32(b, F::Vlan, 0xFFFF0001); })
        << QVariantMap{{"sVLAN", 1}};
}

void TestLbForm::roundTrip()
{
    QFETCH(quint8, port);
    QFETCH(LbConfigBlock, block);
    QFETCH(QVariantMap, shown);
    switchTo(port);
    deliver(port, block);
    for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
        QWidget *widget = w(qPrintable(it.key()));
        QVariant actual;
        if (auto *c = qobject_cast<QComboBox *>(widget))
            actual = c->currentIndex();
        else if (auto *s = qobject_cast<QSpinBox *>(widget))
            actual = s->value();
        else if (auto *l = qobject_cast<QLineEdit *>(widget))
            actual = l->text();
        else if (auto *g = qobject_cast<QGroupBox *>(widget))
            actual = g->isChecked();
        else
            actual = qobject_cast<QAbstractButton *>(widget)->isChecked();
        QVERIFY2(actual == it.value(), qPrintable(it.key() + QLatin1String(": ") + actual.toString()));
    }

    QSignalSpy writes(m_page.get(), &TestForm::gs_cfg);
    m_device->lbConfig[port].fill(0xEE);
    apply();
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.at(0).at(0).value<unsigned short>(), quint16(0x0100));
    QCOMPARE(bytes(m_device->lbConfig[port]).toHex(' '), bytes(block).toHex(' '));
    QCOMPARE(bytes(m_device->lbConfig[port ^ 1]), QByteArray(40, '\0'));
}

void TestLbForm::userEdits_data()
{
    QTest::addColumn<LbConfigBlock>("received");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<LbConfigBlock>("expected");
    QTest::addColumn<QVariantMap>("shown"); // line edits after Apply

    const LbConfigBlock zeroVlan = with([](LbConfigBlock &b) { put32(b, F::Vlan, 0); b[F::Prio] = 9; });
    QTest::newRow("VLAN 0 edited to 5, priority 9 untouched")
        << zeroVlan << Edit([](QWidget *p) { p->findChild<QSpinBox *>("sVLAN")->setValue(5); })
        << with([](LbConfigBlock &b) { put32(b, F::Vlan, 5); b[F::Prio] = 9; }) << QVariantMap{};
    QTest::newRow("ToS with two bits replaced by 1000")
        << with([](LbConfigBlock &b) { b[F::Tos] = 0x47; })
        << Edit([](QWidget *p) { p->findChild<QComboBox *>("cbToS")->setCurrentIndex(4); })
        << with([](LbConfigBlock &b) { b[F::Tos] = 0x51; }) << QVariantMap{};
    QTest::newRow("ToS off, DSCP CS3")
        << distinct()
        << Edit([](QWidget *p) {
               p->findChild<QGroupBox *>("gToS")->setChecked(false);
               p->findChild<QGroupBox *>("gDSCP")->setChecked(true);
               p->findChild<QComboBox *>("cbDSCP")->setCurrentIndex(14);
           })
        << with([](LbConfigBlock &b) { b[F::ReplaceMode] = 2; b[F::Dscp] = 24 << 2; }) << QVariantMap{};
    QTest::newRow("addresses typed")
        << distinct()
        << Edit([](QWidget *p) {
               p->findChild<QLineEdit *>("lMACsrc")->setText(QStringLiteral("AA-BB-CC-DD-EE-01"));
               p->findChild<QLineEdit *>("lIPdst")->setText(QStringLiteral("10.0.0.1"));
           })
        << with([](LbConfigBlock &b) {
               const quint8 mac[6] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0x01};
               std::copy(std::begin(mac), std::end(mac), b.begin() + F::MacSrc);
               put32(b, F::IpDst, 0x0A000001);
           })
        << QVariantMap{{"lMACsrc", "AA-BB-CC-DD-EE-01"}, {"lIPdst", "10.0.0.1"}};
}

void TestLbForm::userEdits()
{
    QFETCH(LbConfigBlock, received);
    QFETCH(Edit, edit);
    QFETCH(LbConfigBlock, expected);
    QFETCH(QVariantMap, shown);
    deliver(0, received);
    edit(m_page.get());
    apply();
    QCOMPARE(bytes(m_device->lbConfig[0]).toHex(' '), bytes(expected).toHex(' '));
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        QCOMPARE(w<QLineEdit>(qPrintable(it.key()))->text(), it.value().toString());
}

void TestLbForm::levelsAndApply_data()
{
    QTest::addColumn<quint8>("proc");
    QTest::addColumn<quint32>("word");  // state word of proc
    QTest::addColumn<quint32>("other"); // state word of the other process
    QTest::addColumn<quint8>("level");  // loopback level of proc
    QTest::addColumn<bool>("levels");   // blvl0..blvl4 enabled
    QTest::addColumn<bool>("applies");
    QTest::addColumn<int>("arrow");     // indicator with the arrow, -1 none

    const quint32 lb = StateBit::tx(StateBit::Loopback) | StateBit::rx(StateBit::Loopback);
    const quint32 traffic = StateBit::tx(StateBit::Traffic);
    QTest::newRow("idle") << quint8(0) << 0u << 0u << quint8(0) << true << true << 0;
    QTest::newRow("level 2 on A") << quint8(0) << lb << 0u << quint8(2) << true << false << 2;
    QTest::newRow("level 4 on B") << quint8(1) << lb << 0u << quint8(4) << true << false << 4;
    QTest::newRow("A loops, B idle") << quint8(1) << 0u << lb << quint8(0) << true << true << 0;
    QTest::newRow("traffic runs here") << quint8(0) << traffic << 0u << quint8(0) << false << true << 0;
    QTest::newRow("traffic receive side only")
        << quint8(0) << StateBit::rx(StateBit::Traffic) << 0u << quint8(0) << false << true << 0;
    QTest::newRow("level out of range") << quint8(0) << lb << 0u << quint8(5) << true << false << -1;
}

void TestLbForm::levelsAndApply()
{
    QFETCH(quint8, proc);
    QFETCH(quint32, word);
    QFETCH(quint32, other);
    QFETCH(quint8, level);
    QFETCH(bool, levels);
    QFETCH(bool, applies);
    QFETCH(int, arrow);
    deliver(0, distinct());
    deliver(1, distinct());
    // The other process shows an arrow the current one must not inherit.
    m_device->loopLevel[proc ^ 1] = 3;
    m_device->procState[proc ^ 1] = other;
    m_device->procState[proc] = word;
    m_device->loopLevel[proc] = level;
    m_page->status_upd();
    switchTo(proc); // takes effect at once, not at the next poll
    for (int i = 0; i < 5; ++i) {
        const QByteArray n = QByteArray::number(i);
        QCOMPARE(w(("blvl" + n).constData())->isEnabled(), levels);
        QCOMPARE(!w<QPushButton>(("llvl" + n).constData())->icon().isNull(), i == arrow);
    }
    QCOMPARE(w("bApply")->isEnabled(), applies);
    QVERIFY(w("bReset")->isEnabled());
}

void TestLbForm::levelCodes()
{
    QSignalSpy starts(m_page.get(), &TestForm::start_test);
    QSignalSpy configs(m_page.get(), &TestForm::gs_cfg);
    m_page->status_upd();
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(w<QPushButton>(qPrintable(QStringLiteral("blvl%1").arg(i))), Qt::LeftButton);
    QCOMPARE(starts.size(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(starts.at(i).at(0).value<unsigned short>(), quint16(i << 8));
    // Another test started since the last poll: the click is not acted on.
    m_device->procState[0] = StateBit::tx(StateBit::Bert);
    QTest::mouseClick(w<QPushButton>("blvl1"), Qt::LeftButton);
    QCOMPARE(starts.size(), 5);

    QTest::mouseClick(w<QPushButton>("bReset"), Qt::LeftButton);
    QCOMPARE(configs.size(), 1);
    QCOMPARE(configs.at(0).at(0).value<unsigned short>(), quint16(0x0000));
    QCOMPARE(m_device->activeTest, ActiveTest::Loopback);
}

QTEST_MAIN(TestLbForm)
#include "tst_lbform.moc"
