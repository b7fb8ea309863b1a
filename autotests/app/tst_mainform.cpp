// The main window driven like a user would drive it: widgets found by their
// object names, the device record filled as the engine would fill it, and the
// engine's notifications emitted on the window's own engine.

#include "../support/otheruser.h"
#include "aboutdialog.h"
#include "mainform.h"
#include "mainmenu.h"
#include "packet.h"
#include "qvversion.h"
#include "testcodes.h"
#include "testform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QPushButton>
#include <QScopeGuard>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <functional>
#include <memory>

namespace {

const QString kBlack = QStringLiteral("background-color: rgb(0, 0, 0);color: rgb(0, 170, 255);");
const QString kWhite = QStringLiteral("background-color: rgb(255, 255, 255);color: rgb(0, 170, 255);");
const QString kGreen = QStringLiteral("background-color: rgb(0, 255, 0);color: rgb(0, 170, 255);");
const QString kYellow = QStringLiteral("background-color: rgb(255, 255, 0);color: rgb(0, 170, 255);");
const QString kTestBase = QStringLiteral("color: rgb(0, 170, 255);");

const QStringList kButtonOrder = {
    QStringLiteral("bRFC"),    QStringLiteral("bMulti"),      QStringLiteral("bCable"),
    QStringLiteral("bLoopback"), QStringLiteral("bTCPIP"),    QStringLiteral("bTraffic"),
    QStringLiteral("bJitter"), QStringLiteral("bBert"),       QStringLiteral("bOAM"),
    QStringLiteral("bTransit"), QStringLiteral("bIfSettings"), QStringLiteral("bStats"),
    QStringLiteral("bFTransfer"),
};

// Runs `act` while a modal dialog of type D is expected; `handle` gets the
// dialog once it is on screen and must close it.
template <class D>
bool withModal(const std::function<void()> &act, const std::function<void(D *)> &handle)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog || seen)
            return;
        seen = true;
        handle(dialog);
    });
    poll.start();
    QTimer::singleShot(5000, &poll, [&] {
        // Never leave the test hanging in a dialog it did not recognise.
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    act();
    return seen;
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsDisconnected();
    void testButtonsFollowTheList();
    void testButtonOpensItsPage();
    void connectionButtonsFollowTheLink_data();
    void connectionButtonsFollowTheLink();
    void releaseWarning_data();
    void releaseWarning();
    void modelFlagHidesPortB();
    void disconnectResetsTheWindow();
    void processButtons();
    void rates_data();
    void rates();
    void testLabel_data();
    void testLabel();
    void linkLabel_data();
    void linkLabel();
    void topology_data();
    void topology();
    void deviceInfoOncePerConnection();
    void debugRegisterWords_data();
    void debugRegisterWords();
    void debugRegisterReply_data();
    void debugRegisterReply();
    void changeFont_data();
    void changeFont();
    void fontDialogCancelled();
    void fontDialogAccepted_data();
    void fontDialogAccepted();
    void aboutBox();
    void languageSwitch();
    void developerControls();
    void ethernetConnectUsesDecimalOctets();
    void invalidAddressFallsBack_data();
    void invalidAddressFallsBack();
    void serialConnectOpensTypedDevice();
    void badInputRefused_data();
    void badInputRefused();
    void reportOutcomeShown_data();
    void reportOutcomeShown();

private:
    template <class T>
    T *w(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    QLabel *label(const char *name) const { return w<QLabel>(name); }
    QPushButton *button(const char *name) const { return w<QPushButton>(name); }
    void english() { QTest::mouseClick(button("bEng"), Qt::LeftButton); }
    void connectAs(int linkType, bool qvb = false, const QString &release = QStringLiteral("1.5"));
    void disconnectLink();
    void closeMessageBoxes();

    std::unique_ptr<MainForm> form;
};

void TestMainForm::init()
{
    form = std::make_unique<MainForm>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestMainForm::cleanup()
{
    form.reset();
}

// What the engine does on the first status reply of a connection.
void TestMainForm::connectAs(int linkType, bool qvb, const QString &release)
{
    Zorqv &d = form->device();
    d.connected = true;
    d.linkType = linkType;
    d.isQvb = qvb;
    d.release = release;
    Q_EMIT form->engine().qv_conn();
    // No tester answers here: a running poll would time the link out.
    d.stopStatusTimer();
    closeMessageBoxes();
    Q_EMIT form->engine().status_upd();
}

// What the engine does when the transport reports the link gone.
void TestMainForm::disconnectLink()
{
    Zorqv &d = form->device();
    d.connected = false;
    d.linkType = 0;
    Q_EMIT form->engine().qv_disc();
    Q_EMIT form->engine().status_upd();
}

void TestMainForm::closeMessageBoxes()
{
    for (QMessageBox *box : form->findChildren<QMessageBox *>())
        box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestMainForm::startsDisconnected()
{
    QCOMPARE(form->windowTitle().isEmpty(), false);
    QVERIFY(form->windowState() & Qt::WindowMaximized);
    QCOMPARE(w<QLineEdit>("iIP")->text(), QStringLiteral("192.168.000.202"));
    QVERIFY(button("bSerConnect")->isVisible());
    QVERIFY(!button("bSerDisc")->isVisible());
    QVERIFY(button("bEthConnect")->isVisible());
    QVERIFY(!button("bEthDisc")->isVisible());
    QVERIFY(w<QGroupBox>("gSerial")->isEnabled());
    QVERIFY(w<QGroupBox>("gEthernet")->isEnabled());
    QVERIFY(!w<QGroupBox>("gPortA")->isVisible());
    QVERIFY(!w<QGroupBox>("gPortB")->isVisible());
    QVERIFY(!w<QGroupBox>("gProcess")->isVisible());
    QVERIFY(!w<QGroupBox>("gDebug")->isVisible());
    QVERIFY(!w<QFrame>("fControl")->isEnabled());
    QVERIFY(w<QComboBox>("cSerPort")->isEditable());
    QVERIFY(!form->device().statusTimerActive());
    // The initial status texts are not translated.
    QCOMPARE(label("lAlink")->text(), QStringLiteral("NS"));
    QCOMPARE(label("lBtopol")->text(), QStringLiteral("---"));
    QCOMPARE(label("lArx")->text(), QStringLiteral("Rx"));
    QCOMPARE(label("lBtx")->text(), QStringLiteral("Tx"));
    QCOMPARE(w<QLineEdit>("lAddress")->text(), QStringLiteral("3000"));
    QCOMPARE(w<QLineEdit>("lValue")->text(), QStringLiteral("00"));
    QVERIFY(label("lHint")->isVisible());
    QVERIFY(!label("lHint")->text().isEmpty());
}

void TestMainForm::testButtonsFollowTheList()
{
    english();
    auto *tests = w<QGroupBox>("groupBox_7");
    QStringList order;
    for (int i = 0; i < tests->layout()->count(); ++i) {
        if (QWidget *b = tests->layout()->itemAt(i)->widget())
            order << b->objectName();
    }
    QCOMPARE(order, kButtonOrder);
    QCOMPARE(form->pages().size(), kButtonOrder.size());

    connectAs(2);
    for (qsizetype i = 0; i < kButtonOrder.size(); ++i) {
        QPushButton *b = button(kButtonOrder[i].toLatin1().constData());
        QVERIFY(b->isCheckable());
        QVERIFY2(!b->icon().isNull(), qPrintable(kButtonOrder[i]));
        const bool built = form->pages()[i] != nullptr;
        // A page that is not built yet keeps its button, disabled and saying why.
        if (kButtonOrder[i] != QLatin1String("bTransit"))
            QCOMPARE(b->isEnabled(), built);
        QCOMPARE(b->toolTip().isEmpty(), built);
    }
    QCOMPARE(button("bTraffic")->text(), QStringLiteral("Traffic test"));
    QCOMPARE(button("bIfSettings")->text(), QStringLiteral("Interface settings"));
    QVERIFY(!button("bTransit")->isVisible());
    QVERIFY(form->pages()[5] != nullptr);
}

void TestMainForm::testButtonOpensItsPage()
{
    const QString disconnectedHint = label("lHint")->text();
    connectAs(2);
    TestForm *traffic = form->pages()[5];
    QVERIFY(traffic);
    QVERIFY(!traffic->isVisible());
    // The empty page area says what to do next, until a page opens.
    QVERIFY(label("lHint")->isVisible());
    QVERIFY(label("lHint")->text() != disconnectedHint);
    QSignalSpy sent(&form->engine(), &OldProto::snd_pckt);

    QTest::mouseClick(button("bTraffic"), Qt::LeftButton);
    QVERIFY(traffic->isVisible());
    QVERIFY(!label("lHint")->isVisible());
    QVERIFY(button("bTraffic")->isChecked());
    QCOMPARE(form->device().activeTest, ActiveTest::Traffic);
    // The page asked for its configuration and the request reached the engine.
    QCOMPARE(sent.size(), 1);
    QCOMPARE(Packet::id(sent[0][0].toByteArray()), quint8(61));

    // A second click on the open page keeps it open and checked.
    QTest::mouseClick(button("bTraffic"), Qt::LeftButton);
    QVERIFY(button("bTraffic")->isChecked());
    QVERIFY(traffic->isVisible());

    // The process choice reaches the page.
    QTest::mouseClick(button("bProcB"), Qt::LeftButton);
    bool retitled = false;
    for (QGroupBox *g : traffic->findChildren<QGroupBox *>())
        retitled = retitled || g->title().contains(QLatin1String("B)"));
    QVERIFY(retitled);
}

void TestMainForm::connectionButtonsFollowTheLink_data()
{
    QTest::addColumn<int>("linkType");
    QTest::newRow("serial") << 1;
    QTest::newRow("tcp") << 2;
}

void TestMainForm::connectionButtonsFollowTheLink()
{
    QFETCH(int, linkType);
    connectAs(linkType);
    const bool serial = linkType == 1;
    QCOMPARE(button("bSerConnect")->isVisible(), !serial);
    QCOMPARE(button("bSerDisc")->isVisible(), serial);
    QCOMPARE(w<QComboBox>("cSerPort")->isEnabled(), !serial);
    QCOMPARE(button("bEthConnect")->isVisible(), serial);
    QCOMPARE(button("bEthDisc")->isVisible(), !serial);
    QCOMPARE(w<QLineEdit>("iIP")->isEnabled(), serial);
    QVERIFY(w<QGroupBox>("gPortA")->isVisible());
    QVERIFY(w<QFrame>("fControl")->isEnabled());
    QVERIFY(w<QGroupBox>("gDebug")->isEnabled());
    QCOMPARE(form->device().curProc, quint8(0));
}

void TestMainForm::releaseWarning_data()
{
    QTest::addColumn<bool>("qvb");
    QTest::addColumn<QString>("release");
    QTest::addColumn<bool>("warned");
    QTest::newRow("qvb 1.5") << true << QStringLiteral("1.5") << false;
    QTest::newRow("qv 1.5") << false << QStringLiteral("1.5") << true;
    QTest::newRow("qvb 1.4") << true << QStringLiteral("1.4") << true;
    QTest::newRow("qvb empty") << true << QString() << true;
}

void TestMainForm::releaseWarning()
{
    QFETCH(bool, qvb);
    QFETCH(QString, release);
    QFETCH(bool, warned);
    english();
    Zorqv &d = form->device();
    d.connected = true;
    d.linkType = 2;
    d.isQvb = qvb;
    d.release = release;
    Q_EMIT form->engine().qv_conn();
    d.stopStatusTimer();
    QMessageBox *box = nullptr;
    for (QMessageBox *b : form->findChildren<QMessageBox *>()) {
        if (b->isVisible())
            box = b;
    }
    QCOMPARE(box != nullptr, warned);
    // The connection goes on either way.
    QVERIFY(w<QFrame>("fControl")->isEnabled());
    if (box) {
        QCOMPARE(box->text(), QStringLiteral("Compiled for ZORT-QVB release version 1.5"));
        QVERIFY(box->windowTitle().isEmpty());
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

void TestMainForm::modelFlagHidesPortB()
{
    Zorqv &d = form->device();
    d.linkSpeed[1] = 3;
    d.procState[1] = StateBit::tx(StateBit::Traffic);
    d.topology[1] = 1;
    d.txRate[1] = 1000;
    d.linkSpeed[0] = 2;
    connectAs(2, true);
    QVERIFY(w<QGroupBox>("gPortA")->isVisible());
    QVERIFY(!w<QGroupBox>("gPortB")->isVisible());
    QVERIFY(!w<QGroupBox>("gProcess")->isVisible());
    QVERIFY(!button("bTransit")->isEnabled());
    QCOMPARE(label("lAlink")->text(), QStringLiteral("100"));
    // Port B's labels are left as they were.
    QCOMPARE(label("lBlink")->text(), QStringLiteral("NS"));
    QCOMPARE(label("lBtest")->text(), QString());
    QCOMPARE(label("lBtopol")->text(), QStringLiteral("---"));
    QCOMPARE(label("lBRxTxSpeed")->text(), QString());
}

void TestMainForm::disconnectResetsTheWindow()
{
    connectAs(1);
    QVERIFY(form->device().statusTimerActive() == false); // stopped by connectAs
    form->device().startStatusTimer();
    QTest::mouseClick(button("bProcB"), Qt::LeftButton);
    QTest::mouseClick(button("bTraffic"), Qt::LeftButton);
    QVERIFY(form->pages()[5]->isVisible());

    disconnectLink();
    QVERIFY(!form->device().statusTimerActive());
    QCOMPARE(form->device().curProc, quint8(0));
    QCOMPARE(form->device().activeTest, 0u);
    QVERIFY(!form->pages()[5]->isVisible());
    QVERIFY(!button("bTraffic")->isChecked());
    QVERIFY(button("bProcA")->isChecked());
    QVERIFY(!button("bProcB")->isChecked());
    QVERIFY(!w<QGroupBox>("gPortA")->isVisible());
    QVERIFY(!w<QFrame>("fControl")->isEnabled());
    QVERIFY(!w<QGroupBox>("gDebug")->isEnabled());
    QVERIFY(button("bSerConnect")->isVisible());
    QVERIFY(!button("bSerDisc")->isVisible());
    QVERIFY(w<QComboBox>("cSerPort")->isEnabled());
    QVERIFY(w<QGroupBox>("gEthernet")->isEnabled());
    QVERIFY(label("lHint")->isVisible());
}

void TestMainForm::processButtons()
{
    connectAs(2);
    QSignalSpy switched(form.get(), &MainForm::switch_proc);
    QPushButton *a = button("bProcA");
    QPushButton *b = button("bProcB");

    QTest::mouseClick(a, Qt::LeftButton);
    QVERIFY(a->isChecked());
    QVERIFY(!b->isChecked());
    QCOMPARE(switched.size(), 0);

    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isChecked());
    QVERIFY(!a->isChecked());
    QCOMPARE(form->device().curProc, quint8(1));
    QCOMPARE(switched.size(), 1);
    QCOMPARE(switched[0][0].value<unsigned char>(), (unsigned char)1);

    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isChecked());
    QCOMPARE(switched.size(), 1);

    QTest::mouseClick(a, Qt::LeftButton);
    QCOMPARE(form->device().curProc, quint8(0));
    QCOMPARE(switched.size(), 2);
    QCOMPARE(switched[1][0].value<unsigned char>(), (unsigned char)0);
}

void TestMainForm::rates_data()
{
    QTest::addColumn<quint32>("tx");
    QTest::addColumn<quint32>("rx");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0u << 0u << "Tx: 0.000 bps\nRx: 0.000 bps";
    QTest::newRow("124 / 125") << 124u << 125u << "Tx: 992.000 bps\nRx: 1.000 Kbps";
    QTest::newRow("1250 / 124999") << 1250u << 124999u << "Tx: 10.000 Kbps\nRx: 999.992 Kbps";
    QTest::newRow("125000 / 1") << 125000u << 1u << "Tx: 1.000 Mbps\nRx: 8.000 bps";
    QTest::newRow("gigabit") << 125000000u << 62500000u << "Tx: 1000.000 Mbps\nRx: 500.000 Mbps";
    QTest::newRow("largest") << 0xFFFFFFFFu << 126u << "Tx: 34359.738 Mbps\nRx: 1.008 Kbps";
}

void TestMainForm::rates()
{
    QFETCH(quint32, tx);
    QFETCH(quint32, rx);
    QFETCH(QString, text);
    english();
    Zorqv &d = form->device();
    d.txRate[0] = tx;
    d.rxRate[0] = rx;
    d.txRate[1] = rx;
    d.rxRate[1] = tx;
    connectAs(2);
    QCOMPARE(label("lARxTxSpeed")->text(), text);
    // Port B shows its own pair.
    const QStringList lines = text.split(u'\n');
    QCOMPARE(label("lBRxTxSpeed")->text(),
             QStringLiteral("Tx: ") + lines[1].mid(4) + u'\n' + QStringLiteral("Rx: ") + lines[0].mid(4));
}

void TestMainForm::testLabel_data()
{
    QTest::addColumn<quint32>("word");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("rx");
    QTest::addColumn<QString>("tx");

    const QString black = QStringLiteral("background-color: rgb(0, 0, 0);");
    const QString white = QStringLiteral("background-color: rgb(255, 255, 255);");
    const QString green = QStringLiteral("background-color: rgb(0, 255, 0);");
    const QString yellow = QStringLiteral("background-color: rgb(255, 255, 0);");
    const auto tx = [](int bit) { return 1u << bit; };
    const auto rx = [](int bit) { return 1u << (bit + 16); };

    QTest::newRow("idle") << 0u << 0 << "" << black << kBlack << kBlack;
    QTest::newRow("traffic rx only") << rx(5) << 0 << "TRAF" << green << kGreen << kBlack;
    QTest::newRow("traffic tx only") << tx(5) << 0 << "TRAF" << yellow << kBlack << kYellow;
    QTest::newRow("traffic both") << (tx(5) | rx(5)) << 0 << "TRAF" << yellow << kGreen << kYellow;
    QTest::newRow("loopback level 0") << tx(0) << 0 << "" << white << kBlack << kYellow;
    QTest::newRow("loopback level 3") << tx(0) << 3 << "LB3" << white << kBlack << kYellow;
    QTest::newRow("loopback rx side") << rx(0) << 2 << "LB2" << green << kGreen << kBlack;
    QTest::newRow("transit") << tx(3) << 0 << "THRU" << white << kBlack << kYellow;
    QTest::newRow("traffic before rfc") << (tx(1) | rx(5)) << 0 << "TRAF" << yellow << kGreen << kYellow;
    QTest::newRow("rfc before jitter") << (tx(7) | tx(1)) << 0 << "RFC" << yellow << kBlack << kYellow;
    QTest::newRow("jitter before cable") << (rx(7) | tx(2)) << 0 << "JIT" << yellow << kGreen << kYellow;
    QTest::newRow("cable before loopback") << (tx(2) | tx(0)) << 4 << "CAB" << white << kBlack << kYellow;
    QTest::newRow("loopback before transit") << (tx(3) | tx(0)) << 1 << "LB1" << white << kBlack << kYellow;
    QTest::newRow("ping") << rx(4) << 0 << "PING" << green << kGreen << kBlack;
    QTest::newRow("trace") << tx(6) << 0 << "TRT" << yellow << kBlack << kYellow;
    QTest::newRow("bert") << rx(8) << 0 << "BERT" << green << kGreen << kBlack;
    QTest::newRow("dns") << tx(9) << 0 << "DNS" << yellow << kBlack << kYellow;
    QTest::newRow("oam rx") << rx(10) << 0 << "OAM" << green << kGreen << kBlack;
    QTest::newRow("multistream") << tx(11) << 0 << "MS" << yellow << kBlack << kYellow;
    QTest::newRow("unnamed bit") << tx(12) << 0 << "" << yellow << kBlack << kYellow;
    QTest::newRow("unnamed rx bit") << rx(15) << 0 << "" << green << kGreen << kBlack;
}

void TestMainForm::testLabel()
{
    QFETCH(quint32, word);
    QFETCH(int, level);
    QFETCH(QString, text);
    QFETCH(QString, background);
    QFETCH(QString, rx);
    QFETCH(QString, tx);
    Zorqv &d = form->device();
    // Port A from the row, port B idle: each port follows its own process.
    d.procState[0] = word;
    d.loopLevel[0] = quint8(level);
    d.procState[1] = 0;
    d.loopLevel[1] = quint8(level);
    connectAs(2);
    QCOMPARE(label("lAtest")->text(), text);
    QCOMPARE(label("lAtest")->styleSheet(), kTestBase + background);
    QCOMPARE(label("lArx")->styleSheet(), rx);
    QCOMPARE(label("lAtx")->styleSheet(), tx);
    QCOMPARE(label("lBtest")->text(), QString());
    QCOMPARE(label("lBrx")->styleSheet(), kBlack);

    // The same word on process B shows on port B.
    d.procState[0] = 0;
    d.procState[1] = word;
    Q_EMIT form->engine().status_upd();
    QCOMPARE(label("lBtest")->text(), text);
    QCOMPARE(label("lBtest")->styleSheet(), kTestBase + background);
    QCOMPARE(label("lBrx")->styleSheet(), rx);
    QCOMPARE(label("lBtx")->styleSheet(), tx);
    QCOMPARE(label("lAtest")->text(), QString());
}

void TestMainForm::linkLabel_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("byte8");
    QTest::addColumn<int>("duplex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("style");
    QTest::newRow("A no link") << 0 << 0 << 0 << 0 << "NS" << kBlack;
    QTest::newRow("A 10") << 0 << 1 << 0 << 0 << "10" << kWhite;
    QTest::newRow("A 100") << 0 << 2 << 0 << 0 << "100" << kWhite;
    QTest::newRow("A 1000") << 0 << 3 << 0 << 0 << "1000" << kWhite;
    QTest::newRow("A half") << 0 << 3 << 0 << 0x01 << "1000H" << kWhite;
    QTest::newRow("A full, nibble 2") << 0 << 2 << 0 << 0x02 << "100F" << kWhite;
    QTest::newRow("A full, only B's nibble set") << 0 << 1 << 0 << 0x10 << "10F" << kWhite;
    QTest::newRow("A hidden by byte 8") << 0 << 3 << 1 << 0x01 << "NS" << kBlack;
    QTest::newRow("B half") << 1 << 2 << 0 << 0x10 << "100H" << kWhite;
    QTest::newRow("B full, only A's nibble set") << 1 << 2 << 0 << 0x01 << "100F" << kWhite;
    QTest::newRow("B no link, duplex set") << 1 << 0 << 0 << 0x11 << "NS" << kBlack;
}

void TestMainForm::linkLabel()
{
    QFETCH(int, port);
    QFETCH(int, speed);
    QFETCH(int, byte8);
    QFETCH(int, duplex);
    QFETCH(QString, text);
    QFETCH(QString, style);
    Zorqv &d = form->device();
    d.linkSpeed[port] = quint8(speed);
    d.statusByte8 = quint8(byte8);
    d.duplex = quint8(duplex);
    connectAs(2);
    QLabel *link = label(port == 0 ? "lAlink" : "lBlink");
    QCOMPARE(link->text(), text);
    QCOMPARE(link->styleSheet(), style);

    // The link going down shows NS again.
    d.linkSpeed[port] = 0;
    Q_EMIT form->engine().status_upd();
    QCOMPARE(link->text(), QStringLiteral("NS"));
    QCOMPARE(link->styleSheet(), kBlack);
}

void TestMainForm::topology_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("A cross") << 0 << 0 << "A->B";
    QTest::newRow("A same port") << 0 << 1 << "A->A";
    QTest::newRow("A none") << 0 << 2 << "---";
    QTest::newRow("B cross") << 1 << 0 << "B->A";
    QTest::newRow("B same port") << 1 << 1 << "B->B";
    QTest::newRow("B none") << 1 << 255 << "---";
}

void TestMainForm::topology()
{
    QFETCH(int, port);
    QFETCH(int, value);
    QFETCH(QString, text);
    form->device().topology[port] = quint8(value);
    form->device().topology[1 - port] = 7;
    connectAs(2);
    QCOMPARE(label(port == 0 ? "lAtopol" : "lBtopol")->text(), text);
    QCOMPARE(label(port == 0 ? "lBtopol" : "lAtopol")->text(), QStringLiteral("---"));
}

void TestMainForm::deviceInfoOncePerConnection()
{
    english();
    Zorqv &d = form->device();
    d.serialNumber = 1234;
    const quint8 cpu[] = {1, 2, 3};
    const quint8 fpga[] = {4, 5, 6};
    std::copy(std::begin(cpu), std::end(cpu), d.cpuVersion);
    std::copy(std::begin(fpga), std::end(fpga), d.fpgaVersion);
    connectAs(2, false, QStringLiteral("1.5"));
    QCOMPARE(label("lEthInfo")->text(),
             QStringLiteral("Device: ZORT-QV\nSerial: 1234\nCPU: 1.2.3 FPGA: 4.5.6 \nRelease: 1.5"));
    QCOMPARE(label("lSerInfo")->text(), QString());

    // Built once: later status replies leave it alone.
    d.serialNumber = 999;
    Q_EMIT form->engine().status_upd();
    QVERIFY(label("lEthInfo")->text().contains(QLatin1String("Serial: 1234\n")));

    disconnectLink();
    QCOMPARE(label("lEthInfo")->text(), QString());
    QCOMPARE(label("lSerInfo")->text(), QString());

    // Rebuilt after a reconnect, on the label of the new link.
    d.cpuVersion[0] = 2;
    connectAs(1, true, QStringLiteral("1.5"));
    QCOMPARE(label("lSerInfo")->text(),
             QStringLiteral("Device: ZORT-QVB\nSerial: 999\nCPU: 2.2.3 FPGA: 4.5.6 \nRelease: 1.5"));
    QCOMPARE(label("lEthInfo")->text(), QString());
}

void TestMainForm::debugRegisterWords_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("write");
    QTest::addColumn<uint>("word");
    QTest::newRow("read 3000") << "3000" << "5A" << false << 0x3000u;
    QTest::newRow("write 3000 5A") << "3000" << "5A" << true << 0x15A3000u;
    QTest::newRow("write ffff ff") << "ffff" << "ff" << true << 0x1FFFFFFu;
    QTest::newRow("write 0 0") << "0000" << "00" << true << 0x1000000u;
    QTest::newRow("read 00ab") << "00ab" << "00" << false << 0xABu;
}

void TestMainForm::debugRegisterWords()
{
    QFETCH(QString, address);
    QFETCH(QString, value);
    QFETCH(bool, write);
    QFETCH(uint, word);
    form->showDeveloperControls();
    form->debugForm().hide();
    connectAs(2);
    w<QLineEdit>("lAddress")->setText(address);
    w<QLineEdit>("lValue")->setText(value);
    QSignalSpy words(form.get(), &MainForm::debug_fpga_rw);
    QSignalSpy sent(&form->engine(), &OldProto::snd_pckt);
    QTest::mouseClick(button(write ? "bWrite" : "bRead"), Qt::LeftButton);
    QCOMPARE(words.size(), 1);
    QCOMPARE(words[0][0].toUInt(), word);
    // The word reached the engine as a register request.
    QCOMPARE(sent.size(), 1);
    QCOMPARE(Packet::id(sent[0][0].toByteArray()), quint8(30));
}

void TestMainForm::debugRegisterReply_data()
{
    QTest::addColumn<uint>("word");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("value");
    QTest::newRow("lower-case hex") << 0x00AB12CDu << "12cd" << "ab";
    QTest::newRow("zero padded") << 0x00050007u << "0007" << "05";
    QTest::newRow("write flag ignored") << 0x01FF3000u << "3000" << "ff";
}

void TestMainForm::debugRegisterReply()
{
    QFETCH(uint, word);
    QFETCH(QString, address);
    QFETCH(QString, value);
    Q_EMIT form->engine().debug_fpga_rcv(word);
    QCOMPARE(w<QLineEdit>("lAddress")->text(), address);
    QCOMPARE(w<QLineEdit>("lValue")->text(), value);
}

void TestMainForm::changeFont_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("sheet");
    QFont plain(QStringLiteral("Liberation Sans"), 12);
    QFont bold = plain;
    bold.setBold(true);
    QFont italic = plain;
    italic.setItalic(true);
    QFont both = bold;
    both.setItalic(true);
    both.setPointSize(9);
    QFont medium = plain;
    medium.setWeight(QFont::Medium);
    QTest::newRow("plain") << plain << "font: 12pt \"Liberation Sans\";";
    QTest::newRow("bold") << bold << "font: bold 12pt \"Liberation Sans\";";
    QTest::newRow("italic") << italic << "font: italic 12pt \"Liberation Sans\";";
    QTest::newRow("bold italic") << both << "font: bold italic 9pt \"Liberation Sans\";";
    QTest::newRow("medium counts as bold") << medium << "font: bold 12pt \"Liberation Sans\";";
}

void TestMainForm::changeFont()
{
    QFETCH(QFont, font);
    QFETCH(QString, sheet);
    form->change_font(font);
    QCOMPARE(form->styleSheet(), sheet);
}

void TestMainForm::fontDialogCancelled()
{
    form->change_font(QFont(QStringLiteral("Liberation Sans"), 11));
    const QString before = form->styleSheet();
    QSignalSpy chosen(form->menu(), &MainMenu::change_font);
    auto *action = form->menu()->findChild<QAction *>(QStringLiteral("aFont"));
    QVERIFY(action);
    const bool seen = withModal<QFontDialog>([action] { action->trigger(); },
                                             [](QFontDialog *d) { d->reject(); });
    QVERIFY(seen);
    QCOMPARE(chosen.size(), 0);
    QCOMPARE(form->styleSheet(), before);
}

void TestMainForm::fontDialogAccepted_data()
{
    QTest::addColumn<bool>("russian");
    QTest::addColumn<QString>("family");
    // DejaVu Sans calls its regular style "Book", Liberation Sans "Regular".
    QTest::newRow("english, Book") << false << "DejaVu Sans";
    QTest::newRow("russian, Book") << true << "DejaVu Sans";
    QTest::newRow("russian, Regular") << true << "Liberation Sans";
}

void TestMainForm::fontDialogAccepted()
{
    QFETCH(bool, russian);
    QFETCH(QString, family);
    if (!QFontDatabase::families().contains(family))
        QSKIP("font not installed");
    if (!russian)
        english();
    const QFont appFont = QApplication::font();
    QApplication::setFont(QFont(family, 10));
    auto *action = form->menu()->findChild<QAction *>(QStringLiteral("aFont"));
    // The user changes only the size: the preset's family and style must
    // come back unchanged.
    const bool seen = withModal<QFontDialog>([action] { action->trigger(); },
                                             [&](QFontDialog *d) {
                                                 QFont f = d->currentFont();
                                                 f.setPointSize(14);
                                                 d->setCurrentFont(f);
                                                 d->accept();
                                             });
    QApplication::setFont(appFont);
    QVERIFY(seen);
    QCOMPARE(form->styleSheet(), QStringLiteral("font: 14pt \"%1\";").arg(family));
}

void TestMainForm::aboutBox()
{
    english();
    auto *action = form->menu()->findChild<QAction *>(QStringLiteral("aAbout"));
    QString version, title, heading;
    bool picture = false, link = false;
    const bool seen = withModal<AboutDialog>([action] { action->trigger(); }, [&](AboutDialog *d) {
        title = d->windowTitle();
        version = d->findChild<QLabel *>(QStringLiteral("label_5"))->text();
        heading = d->findChild<QLabel *>(QStringLiteral("label"))->text();
        picture = !d->findChild<QLabel *>(QStringLiteral("label_2"))->pixmap().isNull();
        auto *maker = d->findChild<QLabel *>(QStringLiteral("label_4"));
        link = maker->openExternalLinks() && maker->text().contains(QLatin1String("<a href="));
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("bClose")), Qt::LeftButton);
    });
    QVERIFY(seen);
    QCOMPARE(title, QStringLiteral("About"));
    QCOMPARE(heading, QStringLiteral("About"));
    QCOMPARE(version, QStringLiteral(QV_VERSION)); // the project's, not one written in the form
    QVERIFY(picture);
    QVERIFY(link);
    // exec() returned: the dialog is gone.
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainForm::languageSwitch()
{
    QTranslator ru;
    QVERIFY(ru.load(QStringLiteral("QVRemote_ru"), QStringLiteral(":/")));
    const auto russian = [&ru](const char *context, const char *text, const char *comment) {
        const QString t = ru.translate(context, text, comment);
        return t.isEmpty() ? QString::fromLatin1(text) : t;
    };
    struct Caption
    {
        const char *context;
        const char *source;
        const char *comment;
        std::function<QString()> shown;
    };
    auto *settings = form->menu()->findChild<QMenu *>(QStringLiteral("mSettings"));
    auto *about = form->menu()->findChild<QMenu *>(QStringLiteral("mAbout"));
    auto *font = form->menu()->findChild<QAction *>(QStringLiteral("aFont"));
    auto *aboutQt = form->menu()->findChild<QAction *>(QStringLiteral("aAboutQt"));
    auto *traffic = form->pages()[5];
    QVERIFY(settings && about && font && aboutQt && traffic);
    const auto trafficTitle = [traffic] {
        QString t;
        for (QGroupBox *g : traffic->findChildren<QGroupBox *>()) {
            if (g->title().contains(QLatin1String("(")))
                t = g->title();
        }
        return t;
    };
    const QList<Caption> captions = {
        {"MainForm", "ZORT-QVB Remote Control", nullptr, [this] { return form->windowTitle(); }},
        {"MainForm", "Serial Connection", nullptr, [this] { return w<QGroupBox>("gSerial")->title(); }},
        {"MainForm", "Connect", nullptr, [this] { return button("bEthConnect")->text(); }},
        {"MainForm", "Tests", nullptr, [this] { return w<QGroupBox>("groupBox_7")->title(); }},
        {"MainForm", "Traffic test", nullptr, [this] { return button("bTraffic")->text(); }},
        {"MainForm", "File transfer", nullptr, [this] { return button("bFTransfer")->text(); }},
        {"MainMenu", "Settings", nullptr, [settings] { return settings->title(); }},
        {"MainMenu", "About", "menu title", [about] { return about->title(); }},
        {"MainMenu", "Font", nullptr, [font] { return font->text(); }},
        {"MainMenu", "About Qt", nullptr, [aboutQt] { return aboutQt->text(); }},
        {"MainMenu", "About", nullptr, [this] {
             return form->menu()->findChild<QAction *>(QStringLiteral("aAbout"))->text();
         }},
        {"TrafficForm", "Traffic test (Port A)", nullptr, trafficTitle},
        // Built before the window's translators were loaded.
        {"DebugForm", "Form", nullptr, [this] { return form->debugForm().windowTitle(); }},
        // Built from the record, not from the form: rebuilt on the switch.
        {"MainForm", "Device", nullptr, [this] { return label("lEthInfo")->text().section(u':', 0, 0); }},
        {"MainForm", "Mbps", nullptr, [this] {
             return label("lARxTxSpeed")->text().section(u'\n', 0, 0).section(u' ', 2);
         }},
    };
    form->device().txRate[0] = 125000;
    connectAs(2);

    // Russian from the start.
    for (const Caption &c : captions) {
        QVERIFY2(russian(c.context, c.source, c.comment) != QLatin1String(c.source), c.source);
        QCOMPARE(c.shown(), russian(c.context, c.source, c.comment));
    }
    QTest::mouseClick(button("bEng"), Qt::LeftButton);
    for (const Caption &c : captions)
        QCOMPARE(c.shown(), QString::fromLatin1(c.source));
    QTest::mouseClick(button("bRus"), Qt::LeftButton);
    for (const Caption &c : captions)
        QCOMPARE(c.shown(), russian(c.context, c.source, c.comment));
}

void TestMainForm::developerControls()
{
    form->showDeveloperControls();
    QVERIFY(w<QGroupBox>("gDebug")->isVisible());
    QVERIFY(!w<QGroupBox>("gDebug")->isEnabled());
    QVERIFY(form->debugForm().isVisible());
    QVERIFY(form->debugForm().windowState() & Qt::WindowMaximized);
    QVERIFY(!form->debugForm().testAttribute(Qt::WA_QuitOnClose));
    form->debugForm().hide();
    // Transit is reachable here only; it still follows the model.
    QVERIFY(button("bTransit")->isVisible());
    connectAs(2);
    QVERIFY(button("bTransit")->isEnabled());
    QTest::mouseClick(button("bTransit"), Qt::LeftButton);
    QVERIFY(form->pages()[9]->isVisible());
    QCOMPARE(form->device().activeTest, ActiveTest::Transit);
}

void TestMainForm::ethernetConnectUsesDecimalOctets()
{
    // 127.0.0.10 is also a loopback address; read as octal, "010" would go
    // to 127.0.0.8, where nothing listens.
    QTcpServer tester;
    QVERIFY(tester.listen(QHostAddress(QStringLiteral("127.0.0.10")), 0));
    form = std::make_unique<MainForm>(nullptr, tester.serverPort());
    form->show();
    w<QLineEdit>("iIP")->setText(QStringLiteral("127.000.000.010"));
    QTest::mouseClick(button("bEthConnect"), Qt::LeftButton);
    QVERIFY(!w<QGroupBox>("gSerial")->isEnabled());
    QVERIFY(tester.waitForNewConnection(3000));
    QTcpSocket *peer = tester.nextPendingConnection();
    // The engine's first word on a new link is the status request.
    QTRY_COMPARE(peer->bytesAvailable(), qint64(Packet::TcpFrameSize));
    QCOMPARE(peer->read(1).at(0), char(0));
    QCOMPARE(form->device().linkType, 2);
}

void TestMainForm::invalidAddressFallsBack_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("dialled"); // the address, as a SOCKS request carries it
    const QByteArray tester = QByteArray::fromHex("c0a800ca");
    QTest::newRow("three parts") << "10.0.0" << "192.168.000.202" << tester;
    QTest::newRow("trailing dot") << "10.1.2." << "192.168.000.202" << tester;
    QTest::newRow("empty") << "" << "192.168.000.202" << tester;
    QTest::newRow("valid, kept") << "10.1.2.3" << "10.1.2.3" << QByteArray::fromHex("0a010203");
}

// An address the pattern does not take is replaced by the default address
// text, and the window connects to that, without a word. The window dials
// through a SOCKS proxy on this machine that only reads where it goes, so
// nothing is sent to the address itself.
void TestMainForm::invalidAddressFallsBack()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, dialled);
    QTcpServer proxy;
    QVERIFY(proxy.listen(QHostAddress::LocalHost, 0));
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::Socks5Proxy, QStringLiteral("127.0.0.1"), proxy.serverPort()));
    const auto direct = qScopeGuard([this] {
        form.reset(); // its socket goes before the proxy does
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    });
    auto *ip = w<QLineEdit>("iIP");
    ip->selectAll();
    QTest::keyClick(ip, Qt::Key_Backspace);
    QTest::keyClicks(ip, typed);
    QCOMPARE(ip->text(), typed);
    QTest::mouseClick(button("bEthConnect"), Qt::LeftButton);
    QCOMPARE(ip->text(), shown);
    QVERIFY(!w<QGroupBox>("gSerial")->isEnabled());
    QVERIFY(form->findChildren<QMessageBox *>().isEmpty());

    QVERIFY(proxy.waitForNewConnection(3000));
    QTcpSocket *peer = proxy.nextPendingConnection();
    QTRY_VERIFY(peer->bytesAvailable() >= 3);
    QCOMPARE(peer->readAll().left(1), QByteArray("\x05", 1));
    peer->write(QByteArray("\x05\x00", 2)); // no authentication
    QTRY_VERIFY(peer->bytesAvailable() >= 10);
    const QByteArray request = peer->read(10);
    QCOMPARE(request.left(4).toHex(), QByteArray("05010001")); // connect to an IPv4 address
    QCOMPARE(request.mid(4, 4).toHex(), dialled.toHex());
    QCOMPARE(request.mid(8, 2).toHex(), QByteArray("d903")); // port 55555
}

void TestMainForm::serialConnectOpensTypedDevice()
{
    int master = -1, slave = -1;
    char name[64] = {};
    QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    form->connectSerial(QString::fromLatin1(name));
    QCOMPARE(w<QComboBox>("cSerPort")->currentText(), QString::fromLatin1(name));
    QVERIFY(!w<QGroupBox>("gEthernet")->isEnabled());
    QCOMPARE(form->device().linkType, 1);
    QByteArray request;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            char buf[512];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0)
                request.append(buf, n);
            return request.size() >= Packet::Size;
        }(),
        3000);
    QCOMPARE(request.size(), Packet::Size);
    QCOMPARE(request.at(0), char(Packet::RequestStart));
    QCOMPARE(request.at(1), char(0));
    form.reset();
    ::close(master);
    ::close(slave);
}

void TestMainForm::badInputRefused_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    // "PTY": a pseudo-terminal already open elsewhere; "DENIED": one whose
    // mode refuses the user (clicked as another user when run as root).
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("said");
    QTest::newRow("no port typed") << "bSerConnect" << "cSerPort" << "  " << "Type or choose the serial port";
    QTest::newRow("no such device") << "bSerConnect" << "cSerPort" << "ttyQV9" << "ttyQV9: there is no such serial port.";
    QTest::newRow("not a serial device") << "bSerConnect" << "cSerPort" << "/dev/null"
                                         << "/dev/null cannot be opened as a serial port";
    QTest::newRow("busy device") << "bSerConnect" << "cSerPort" << "PTY" << " is busy or you may not use it";
    QTest::newRow("device refused") << "bSerConnect" << "cSerPort" << "DENIED"
                                    << "you may not use this serial port. Serial ports belong to the dialout "
                                       "group: add yourself to it (sudo adduser $USER dialout) and log in again.";
    QTest::newRow("half-typed register") << "bRead" << "lAddress" << "12" << "Address: \"12__\"";
    QTest::newRow("half-typed value") << "bWrite" << "lValue" << "7" << "Value: \"7_\"";
}

// Refused with a message, what was typed left for correction, nothing
// connected or sent, and the other connection still usable.
void TestMainForm::badInputRefused()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, said);
    english();
    form->showDeveloperControls();
    form->debugForm().hide();
    w<QGroupBox>("gDebug")->setEnabled(true); // as while connected

    int master = -1, slave = -1;
    QSerialPort holder;
    const bool denied = text == QLatin1String("DENIED");
    if (text == QLatin1String("PTY") || denied) {
        char name[64] = {};
        QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
        text = QString::fromLatin1(name);
        if (denied) {
            QVERIFY(::chmod(name, 0) == 0);
        } else {
            holder.setPortName(text);
            QVERIFY(holder.open(QIODevice::ReadWrite));
        }
    }
    if (auto *combo = w<QComboBox>(qPrintable(field)))
        combo->setEditText(text);
    else
        w<QLineEdit>(qPrintable(field))->setText(text);
    QSignalSpy registers(form.get(), &MainForm::debug_fpga_rw);
    if (denied)
        asOtherUser([&] { QTest::mouseClick(this->button(qPrintable(button)), Qt::LeftButton); });
    else
        QTest::mouseClick(this->button(qPrintable(button)), Qt::LeftButton);

    QMessageBox *box = form->findChild<QMessageBox *>();
    QVERIFY(box);
    QVERIFY2(box->text().contains(said), qPrintable(box->text()));
    if (auto *combo = w<QComboBox>(qPrintable(field)))
        QCOMPARE(combo->currentText(), text);
    else
        QCOMPARE(w<QLineEdit>(qPrintable(field))->text(), text);
    QCOMPARE(registers.count(), 0);
    QCOMPARE(form->device().linkType, 0);
    QVERIFY(!form->serial().isOpen());
    QVERIFY(w<QGroupBox>("gSerial")->isEnabled() && w<QGroupBox>("gEthernet")->isEnabled());
    holder.close();
    if (master >= 0) {
        ::close(master);
        ::close(slave);
    }
}

// A report job's end is told in a box of its own, its icon by the outcome.
void TestMainForm::reportOutcomeShown_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("text");
    QTest::newRow("created") << int(ReportOutcome::Created) << int(QMessageBox::Information)
                             << QStringLiteral("Result PDFs created.");
    QTest::newRow("mask 0") << int(ReportOutcome::NothingRequested) << int(QMessageBox::Warning)
                            << QStringLiteral("No report was selected: no PDF was written.");
}

void TestMainForm::reportOutcomeShown()
{
    QFETCH(int, status);
    QFETCH(int, icon);
    QFETCH(QString, text);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("bEng")), Qt::LeftButton);
    ReportOutcome outcome;
    outcome.status = ReportOutcome::Status(status);
    outcome.requested = status == ReportOutcome::Created ? 1 : 0;
    outcome.written = status == ReportOutcome::Created ? QStringList{QStringLiteral("ping.pdf")} : QStringList();
    Q_EMIT form->device().report_finished(outcome);
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
            box = b;
    }
    QVERIFY(box);
    QCOMPARE(int(box->icon()), icon);
    QCOMPARE(box->text(), text);
    box->accept();
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
