#include "oamform.h"
#include "pagedriver.h"

#include "iflayout.h"
#include "marktranslator.h"
#include "oamlayout.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The OAM page on a device record: the mode travels in byte 52 of the
// port's interface block, the peer's results come per process.
class TestOamForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void labels_data();
    void labels();
    void mode_data();
    void mode();
    void resetRestoresWithoutRequest();
    void switchKeepsUnappliedChoice();
    void buttons_data();
    void buttons();
    void results_data();
    void results();
    void resultOfThePortLeftIgnored();

private:
    template <typename W = QWidget>
    W *w(const char *name) const
    {
        return PageDriver::child<W>(m_page.get(), name);
    }
    QComboBox *combo() const { return w<QComboBox>("cbMode"); }
    void switchTo(quint8 proc)
    {
        m_device->curProc = proc;
        m_page->switch_proc(proc);
    }
    void deliver(quint8 proc, quint8 mode)
    {
        m_device->ifaceConfig[proc][IfaceConfigField::OamMode] = mode;
        m_page->cfg_rcv(requestCode(TestNo::Oam, proc));
    }
    QStringList fields() const
    {
        QStringList texts;
        for (const char *name : {"lMAC", "lVendor", "lRemoteLB", "lMode", "lUnidirectional", "lLinkev"})
            texts << w<QLineEdit>(name)->text();
        return texts;
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<OamForm> m_page;
};

void TestOamForm::init()
{
    m_device = std::make_unique<Zorqv>();
    m_device->connected = true;
    // Every byte of the three interface blocks distinct.
    for (int i = 0; i < 3; ++i)
        for (std::size_t b = 0; b < BlockSize::IfaceConfig; ++b)
            m_device->ifaceConfig[i][b] = quint8(i * 64 + b);
    m_page = std::make_unique<OamForm>(m_device.get());
    m_page->activate();
}

void TestOamForm::cleanup()
{
    m_page.reset();
    m_device.reset();
}

// Each label is the only object of its name and names its own field: a
// name given twice in the form hides one of the two from findChild.
void TestOamForm::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("mode setting") << "cbModel" << "cbMode" << "OAM mode";
    QTest::newRow("peer MAC") << "lMACl" << "lMAC" << "MAC-address";
    QTest::newRow("peer vendor") << "lVendorl" << "lVendor" << "Vendor";
    QTest::newRow("peer loopback") << "lRemoteLBl" << "lRemoteLB" << "Remote LB";
    QTest::newRow("peer mode") << "lModel" << "lMode" << "OAM mode";
    QTest::newRow("peer unidirectional") << "lUnidirectionall" << "lUnidirectional" << "Unidirectional";
    QTest::newRow("peer link events") << "lLinkevl" << "lLinkev" << "Linkev";
}

void TestOamForm::labels()
{
    QFETCH(QString, label);
    QFETCH(QString, field);
    QFETCH(QString, text);
    const QList<QObject *> named = m_page->findChildren<QObject *>(label);
    QCOMPARE(named.size(), 1);
    auto *l = qobject_cast<QLabel *>(named.first());
    QVERIFY(l);
    QCOMPARE(l->buddy(), w(qPrintable(field)));
    QCOMPARE(l->text(), text);
}

void TestOamForm::mode_data()
{
    QTest::addColumn<quint8>("port");
    QTest::addColumn<quint8>("received");
    QTest::addColumn<int>("shown");  // combo index
    QTest::addColumn<int>("picked"); // the user's choice, -1 none
    QTest::addColumn<quint8>("written");

    QTest::newRow("B passive, kept") << quint8(1) << quint8(1) << 1 << -1 << quint8(1);
    QTest::newRow("A disabled to active") << quint8(0) << quint8(2) << 2 << 0 << quint8(0);
    QTest::newRow("B active to disabled") << quint8(1) << quint8(0) << 0 << 2 << quint8(2);
    // A mode the combo cannot show selects nothing and goes back as it came.
    QTest::newRow("A mode 7, kept") << quint8(0) << quint8(7) << -1 << -1 << quint8(7);
    QTest::newRow("A mode 3, picked passive") << quint8(0) << quint8(3) << -1 << 1 << quint8(1);
}

void TestOamForm::mode()
{
    QFETCH(quint8, port);
    QFETCH(quint8, received);
    QFETCH(int, shown);
    QFETCH(int, picked);
    QFETCH(quint8, written);
    switchTo(port);
    deliver(port, received);
    QCOMPARE(combo()->currentIndex(), shown);
    if (picked >= 0)
        combo()->setCurrentIndex(picked);

    IfaceConfigBlock expected[3] = {m_device->ifaceConfig[0], m_device->ifaceConfig[1],
                                    m_device->ifaceConfig[2]};
    expected[port][IfaceConfigField::OamMode] = written;
    m_device->ifaceConfig[port][IfaceConfigField::OamMode] = 0x99;
    QSignalSpy writes(m_page.get(), &TestForm::gs_cfg);
    QVERIFY(w("bApply")->isEnabled());
    QTest::mouseClick(w<QPushButton>("bApply"), Qt::LeftButton);
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.at(0).at(0).value<unsigned short>(), quint16(0x010A));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(m_device->ifaceConfig[i], expected[i]);
}

void TestOamForm::resetRestoresWithoutRequest()
{
    deliver(0, 1);
    combo()->setCurrentIndex(2);
    QSignalSpy requests(m_page.get(), &TestForm::gs_cfg);
    QTest::mouseClick(w<QPushButton>("bReset"), Qt::LeftButton);
    QCOMPARE(combo()->currentIndex(), 1);
    QCOMPARE(m_page->mode(0), quint8(1));
    QCOMPARE(requests.size(), 0);
}

void TestOamForm::switchKeepsUnappliedChoice()
{
    deliver(0, 0);
    combo()->setCurrentIndex(2);
    switchTo(1);
    QCOMPARE(w<QGroupBox>("gOAM")->title(), QStringLiteral("OAM (Port B)"));
    deliver(1, 1);
    QCOMPARE(combo()->currentIndex(), 1);
    switchTo(0);
    QCOMPARE(combo()->currentIndex(), 2);
    QCOMPARE(m_device->ifaceConfig[0][IfaceConfigField::OamMode], quint8(0));
}

void TestOamForm::buttons_data()
{
    QTest::addColumn<quint32>("word"); // state word of port B, the current one
    QTest::addColumn<bool>("peer");
    QTest::addColumn<bool>("loopback"); // Start and Stop Loopback enabled
    QTest::addColumn<bool>("applies");

    const quint32 oam = StateBit::tx(StateBit::Oam);
    QTest::newRow("OAM off") << 0u << false << false << true;
    QTest::newRow("OAM on, no peer yet") << oam << false << false << true;
    QTest::newRow("OAM on with peer") << oam << true << true << true;
    QTest::newRow("OAM and traffic with peer") << (oam | StateBit::tx(StateBit::Traffic)) << true << true << true;
    QTest::newRow("peer left from before, OAM off") << 0u << true << false << true;
    QTest::newRow("traffic only") << StateBit::tx(StateBit::Traffic) << true << false << true;
}

void TestOamForm::buttons()
{
    QFETCH(quint32, word);
    QFETCH(bool, peer);
    QFETCH(bool, loopback);
    QFETCH(bool, applies);
    // Port A has OAM running with a peer; B must not inherit it.
    m_device->procState[0] = StateBit::tx(StateBit::Oam);
    m_device->oamResult[0][OamResultField::Peer] = 1;
    m_device->procState[1] = word;
    m_device->oamResult[1][OamResultField::Peer] = peer ? 1 : 0;
    switchTo(1);
    QVERIFY(!w("bApply")->isEnabled()); // B's mode has not arrived yet
    deliver(1, 0);
    m_page->status_upd();
    QCOMPARE(w("bStart")->isEnabled(), loopback);
    QCOMPARE(w("bStop")->isEnabled(), loopback);
    QCOMPARE(w("bApply")->isEnabled(), applies);
    QVERIFY(w("bReset")->isEnabled());

    QSignalSpy starts(m_page.get(), &TestForm::start_test);
    for (const char *name : {"bStart", "bStop"}) {
        w(name)->setEnabled(true); // the page itself must refuse
        w<QPushButton>(name)->click();
    }
    QCOMPARE(starts.size(), loopback ? 2 : 0);
    if (loopback) {
        QCOMPARE(starts.at(0).at(0).value<unsigned short>(), quint16(0x010A));
        QCOMPARE(starts.at(1).at(0).value<unsigned short>(), quint16(0x000A));
    }
}

void TestOamForm::results_data()
{
    QTest::addColumn<quint8>("config");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("all supported, active")
        << quint8(0x0F)
        << QStringList{"02:1a:2b:3c:4d:5e", "00 0a ff 7f ", "Supported", "Active", "Supported", "Supported"};
    QTest::newRow("passive, loopback only")
        << quint8(0xF4)
        << QStringList{"02:1a:2b:3c:4d:5e", "00 0a ff 7f ", "Supported", "Passive", "Unsupported",
                       "Unsupported"};
}

void TestOamForm::results()
{
    QFETCH(quint8, config);
    QFETCH(QStringList, texts);
    OamResultBlock &r = m_device->oamResult[0];
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = quint8(0x80 + i); // the bytes not shown
    r[OamResultField::Peer] = 1;
    r[OamResultField::PeerConfig] = config;
    const quint8 vendor[4] = {0x00, 0x0A, 0xFF, 0x7F};
    const quint8 mac[6] = {0x02, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::copy(std::begin(vendor), std::end(vendor), r.begin() + OamResultField::Vendor);
    std::copy(std::begin(mac), std::end(mac), r.begin() + OamResultField::PeerMac);
    m_page->res_rcv(0x000A);
    QCOMPARE(fields(), texts);
    {
        MarkTranslator translator({"OamForm"});
        QCoreApplication::installTranslator(&translator);
        m_page->retranslate();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(w<QLineEdit>("lMode")->text(), QLatin1Char('[') + texts.at(3) + QLatin1Char(']'));
        QCOMPARE(w<QLineEdit>("lMAC")->text(), texts.at(0));
        m_page->retranslate();
    }
    // The peer gone: every field empties.
    r[OamResultField::Peer] = 0;
    m_page->res_rcv(0x000A);
    QCOMPARE(fields(), QStringList(6, QString()));
}

void TestOamForm::resultOfThePortLeftIgnored()
{
    m_device->oamResult[0][OamResultField::Peer] = 1;
    m_device->oamResult[0][OamResultField::PeerConfig] = OamPeerConfig::ActiveMode;
    switchTo(1);
    m_page->res_rcv(0x000A); // a late reply for port A
    m_page->res_rcv(0x000B);
    QCOMPARE(fields(), QStringList(6, QString()));
    m_device->oamResult[1] = m_device->oamResult[0];
    m_page->res_rcv(0x010A);
    QCOMPARE(w<QLineEdit>("lMode")->text(), QStringLiteral("Active"));
}

QTEST_MAIN(TestOamForm)
#include "tst_oamform.moc"
