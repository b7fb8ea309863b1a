// QVRemote's window against a tester that fails in one step of a session:
// a reply dropped, spoiled, late or never sent, or the connection closed,
// during the handshake, steady polling, an Apply, a settings save or a
// result download, over TCP and over the serial line. qvsim aims each fault
// at the step's packet ID and makes it once, so every row can check the
// whole story: the window never hangs, the link ends cleanly with one
// message saying why (or the step completes, for a reply late but within
// the watchdog), nothing unfinished is handed on, and after reconnecting
// the window shows what the tester really did.

#include "resultfiles.h"
#include "windowsession.h"

#include "block.h"
#include "progpack.h"
#include "resultfile.h"
#include "testcodes.h"
#include "trafficlayout.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QSpinBox>

namespace {

enum class Phase { Handshake, Polling, Apply, Save, Load, Download };
// A slow reply: late, but well within the 1100 ms watchdog even for a
// sanitizer build on a loaded machine.
constexpr int kSlowMs = 500;

enum class Fault { Drop, Corrupt, BadStart, Late, Slow, Silent, Close };

const QString kSilent = QStringLiteral("The tester stopped answering. The connection is closed.");
const QString kLost = QStringLiteral("The connection to the tester was lost.");

// qvsim's arguments that make the fault once, at the phase's packet. Some
// packets of that kind pass first: the traffic page's configuration is read
// once before the Apply writes it, and a download is hit half way through.
QStringList arguments(Fault fault, Phase phase)
{
    static const int ids[] = {PROGPACK_CHECKCONNECT, PROGPACK_TRAFFIC_RES, PROGPACK_TRAFFIC_CFG,
                              PROGPACK_SET_SAVE, PROGPACK_SET_LOAD, PROGPACK_FILE_READ};
    static const int passing[] = {0, 1, 1, 0, 0, 30};
    const int pass = passing[int(phase)];
    QStringList args{"--fault-ids", QString::number(ids[int(phase)]), "--fault-count", "1"};
    switch (fault) {
    case Fault::Drop: args << "--drop" << "1"; break;
    case Fault::Corrupt: args << "--corrupt" << "1"; break;
    case Fault::BadStart: args << "--bad-start" << "1"; break;
    case Fault::Late: args << "--delay" << "1500"; break; // beyond the 1100 ms watchdog
    // Well within it: the machine running the tests may be loaded.
    case Fault::Slow: args << "--delay" << QString::number(kSlowMs); break;
    case Fault::Silent: return args << "--silent-after" << QString::number(pass);
    case Fault::Close: return args << "--close-after" << QString::number(pass + 1);
    }
    return args << "--fault-after" << QString::number(pass);
}

const QString kResult = QStringLiteral("$RFC_004");
const QString kSaved = QStringLiteral("$faulty");
const QString kSettings = QStringLiteral("$lab");
constexpr int kLoadedLength = 1000; // the traffic frame length kSettings holds

} // namespace

Q_DECLARE_METATYPE(Phase)
Q_DECLARE_METATYPE(Fault)

class TestFaultsE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void faultInPhase_data();
    void faultInPhase();
};

void TestFaultsE2e::faultInPhase_data()
{
    QTest::addColumn<bool>("pty");
    QTest::addColumn<Phase>("phase");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("told"); // the message; empty: the step completes

    using F = Fault;
    QTest::newRow("handshake, drop, tcp") << false << Phase::Handshake << F::Drop << kSilent;
    QTest::newRow("handshake, bad CRC, pty") << true << Phase::Handshake << F::Corrupt << kSilent;
    QTest::newRow("handshake, late, pty") << true << Phase::Handshake << F::Late << kSilent;
    QTest::newRow("handshake, silent, tcp") << false << Phase::Handshake << F::Silent << kSilent;
    QTest::newRow("handshake, closed, tcp") << false << Phase::Handshake << F::Close << kLost;
    QTest::newRow("handshake, slow, pty") << true << Phase::Handshake << F::Slow << QString();

    QTest::newRow("polling, drop, pty") << true << Phase::Polling << F::Drop << kSilent;
    QTest::newRow("polling, bad start, pty") << true << Phase::Polling << F::BadStart << kSilent;
    QTest::newRow("polling, late, tcp") << false << Phase::Polling << F::Late << kSilent;
    QTest::newRow("polling, silent, pty") << true << Phase::Polling << F::Silent << kSilent;
    QTest::newRow("polling, closed, tcp") << false << Phase::Polling << F::Close << kLost;
    QTest::newRow("polling, slow, tcp") << false << Phase::Polling << F::Slow << QString();

    QTest::newRow("apply, drop, tcp") << false << Phase::Apply << F::Drop << kSilent;
    QTest::newRow("apply, bad CRC, pty") << true << Phase::Apply << F::Corrupt << kSilent;
    QTest::newRow("apply, silent, pty") << true << Phase::Apply << F::Silent << kSilent;
    QTest::newRow("apply, closed, tcp") << false << Phase::Apply << F::Close << kLost;
    QTest::newRow("apply, slow, pty") << true << Phase::Apply << F::Slow << QString();

    QTest::newRow("save, drop, pty") << true << Phase::Save << F::Drop << kSilent;
    QTest::newRow("save, silent, tcp") << false << Phase::Save << F::Silent << kSilent;
    QTest::newRow("save, late, pty") << true << Phase::Save << F::Late << kSilent;
    QTest::newRow("save, slow, tcp") << false << Phase::Save << F::Slow << QString();

    QTest::newRow("load, drop, pty") << true << Phase::Load << F::Drop << kSilent;
    QTest::newRow("load, silent, tcp") << false << Phase::Load << F::Silent << kSilent;

    QTest::newRow("download, silent, tcp") << false << Phase::Download << F::Silent << kSilent;
    QTest::newRow("download, late, pty") << true << Phase::Download << F::Late << kSilent;
    QTest::newRow("download, bad CRC, pty") << true << Phase::Download << F::Corrupt << kSilent;
    QTest::newRow("download, closed, tcp") << false << Phase::Download << F::Close << kLost;
    QTest::newRow("download, slow, pty") << true << Phase::Download << F::Slow << QString();
}

void TestFaultsE2e::faultInPhase()
{
    QFETCH(bool, pty);
    QFETCH(Phase, phase);
    QFETCH(Fault, fault);
    QFETCH(QString, told);
    // The tester carried out a request whose reply went wrong; a silent one
    // never read it.
    const bool testerActs = fault != Fault::Silent;

    WindowSession s(pty ? SimProcess::Link::Pty : SimProcess::Link::Tcp, arguments(fault, phase));
    const QByteArray result = ResultFiles::typical();
    QVERIFY(s.putFile(kResult, result));
    QByteArray settings = result;
    Bytes::put16(settings.data(), qsizetype(ResultFile::TrafficConfig + TrafficConfigField::Length), kLoadedLength);
    QVERIFY(s.putFile(kSettings, settings));
    QVERIFY(s.start());
    QTest::mouseClick(s.button("bEng"), Qt::LeftButton);
    MainForm &form = *s.form;
    TestForm *traffic = form.pages().value(5);
    auto *length = traffic->findChild<QSpinBox *>(QStringLiteral("sLen"));
    auto *apply = traffic->findChild<QPushButton *>(QStringLiteral("bApply"));
    QTemporaryDir reports;
    int lengthBefore = 0;

    // Up to the step the fault is aimed at.
    QElapsedTimer clock;
    if (phase == Phase::Handshake) {
        clock.start();
        s.dial();
    } else {
        QVERIFY(s.connect());
        if (phase == Phase::Polling || phase == Phase::Apply) {
            QTest::mouseClick(s.button("bTraffic"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(apply->isEnabled(), WindowSession::WaitMs);
            lengthBefore = length->value();
        } else {
            QVERIFY(s.openPage({kResult, kSettings}));
        }
        clock.start();
        switch (phase) {
        case Phase::Apply:
            length->setValue(lengthBefore == length->maximum() ? lengthBefore - 7 : lengthBefore + 7);
            QTest::mouseClick(apply, Qt::LeftButton);
            break;
        case Phase::Save: {
            s.click("bSave");
            QDialog *dialog = s.page()->openDialog();
            QVERIFY(dialog);
            QTest::keyClicks(dialog->findChild<QLineEdit *>(), kSaved.mid(1));
            WindowSession::answer(dialog, QDialogButtonBox::Ok);
            break;
        }
        case Phase::Load:
            QVERIFY(s.select(kSettings));
            s.click("bLoad");
            break;
        case Phase::Download:
            QVERIFY(s.createReport(kResult, reports.path()));
            break;
        default:
            break;
        }
    }

    // The step completes, or the link ends with one message saying why.
    if (told.isEmpty()) {
        switch (phase) {
        case Phase::Polling: // a late reply has come in time, and polling goes on
            QVERIFY(QTest::qWaitFor([&] { return form.device().connected && clock.elapsed() > 4000; }, 6000));
            QVERIFY(s.idle());
            break;
        case Phase::Handshake:
            QVERIFY(QTest::qWaitFor([&] { return form.device().connected; }, WindowSession::WaitMs));
            QVERIFY(clock.elapsed() >= kSlowMs);
            break;
        case Phase::Apply:
        case Phase::Load:
            QVERIFY(s.idle());
            break;
        case Phase::Save:
            QTRY_VERIFY_WITH_TIMEOUT(s.names().contains(kSaved), WindowSession::WaitMs);
            break;
        case Phase::Download:
            QTRY_COMPARE_WITH_TIMEOUT(s.catcher.jobs.size(), 1, WindowSession::WaitMs);
            QCOMPARE(s.catcher.jobs.first().data, result);
            break;
        }
        QVERIFY(form.device().connected);
        QVERIFY(s.messageBoxes().isEmpty());
    } else {
        QVERIFY(QTest::qWaitFor([&] { return !s.messageBoxes().isEmpty(); }, WindowSession::WaitMs));
        const qint64 ended = clock.elapsed();
        QVERIFY(!form.device().connected);
        const QStringList messages = s.takeMessages();
        QCOMPARE(messages.size(), 1);
        const QString expected = phase == Phase::Download
            ? QStringLiteral("The download of %1 stopped: the connection was lost.\n%2").arg(kResult, told)
            : told;
        QCOMPARE(messages.first(), expected);
        qInfo("link ended %lld ms after the step began", ended);
        // A clean state: nothing queued or awaited, no page, ready to connect.
        QVERIFY(!form.engine().awaitingReply() && form.engine().queuedPackets() == 0);
        QCOMPARE(form.device().linkType, 0);
        QVERIFY(!form.device().statusTimerActive());
        QVERIFY(!traffic->isVisible() && !s.page()->isVisible());
        QVERIFY(s.button(pty ? "bSerConnect" : "bEthConnect")->isVisible());
        QVERIFY(s.catcher.jobs.isEmpty());
        QVERIFY(form.device().fileData.isEmpty());
        // The fault was made once: the same tester takes a new connection.
        QVERIFY(s.connect());
    }

    // What the window shows now is what the tester did.
    switch (phase) {
    case Phase::Apply:
    case Phase::Load:
        if (!traffic->isVisible())
            QTest::mouseClick(s.button("bTraffic"), Qt::LeftButton);
        form.engine().gs_cfg(requestCode(TestNo::Traffic, 0));
        QVERIFY(s.idle());
        if (phase == Phase::Load)
            QCOMPARE(length->value() == kLoadedLength, testerActs);
        else
            QCOMPARE(length->value() != lengthBefore, testerActs);
        break;
    case Phase::Save:
        if (!s.page()->isVisible())
            QTest::mouseClick(s.button("bFTransfer"), Qt::LeftButton);
        QVERIFY(s.idle());
        QVERIFY(s.names().contains(kResult));
        QCOMPARE(s.names().contains(kSaved), testerActs);
        QCOMPARE(QFile::exists(s.flashFile(kSaved)), testerActs);
        break;
    case Phase::Download:
        if (!told.isEmpty()) {
            QVERIFY(s.openPage({kResult, kSettings}));
            QVERIFY(s.createReport(kResult, reports.path()));
            QTRY_COMPARE_WITH_TIMEOUT(s.catcher.jobs.size(), 1, WindowSession::WaitMs);
            QCOMPARE(s.catcher.jobs.first().data, result);
        }
        break;
    default:
        QVERIFY(form.device().statusTimerActive());
        break;
    }
    QVERIFY(s.idle());
    QVERIFY(form.device().connected);
    QVERIFY(s.messageBoxes().isEmpty());
    // Exit code 0: every configuration written carried its reserved bytes.
    QVERIFY(s.sim->stop());
}

QTEST_MAIN(TestFaultsE2e)
#include "tst_faults_e2e.moc"
