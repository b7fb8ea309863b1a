#include "enginepeer.h"
#include "progpack.h"
#include "screen.h"
#include "testcodes.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QByteArray statusPayload(quint8 major, quint8 minor, quint8 build, bool qvb)
{
    QByteArray s(260, '\0');
    s[0] = char(major);
    s[1] = char(minor);
    s[2] = char(build);
    s[3] = 4;
    s[4] = 5;
    s[5] = 6;
    s[6] = 0;
    Bytes::put32(s.data(), 10, StateBit::tx(StateBit::Traffic));
    Bytes::put16(s.data(), 23, 4321);
    s[25] = qvb ? 1 : 0;
    s[26] = 3;
    s[27] = 2;
    s.replace(32, 4, QByteArray("1.5\0", 4));
    s[41] = 0x10; // duplex: port B half
    Bytes::put32(s.data(), 42, 1000);
    Bytes::put32(s.data(), 46, 2000);
    Bytes::put32(s.data(), 50, 3000);
    Bytes::put32(s.data(), 54, 4000);
    return s;
}

} // namespace

// The engine's machinery: handshake, watchdog, reset, the file list, the
// screen image and the device record's poll timer (downloads: tst_download).
class TestOldProto : public QObject
{
    Q_OBJECT

    struct Rig
    {
        Zorqv device;
        OldProto proto{&device};
        EnginePeer peer{&proto};
    };

private Q_SLOTS:
    void handshake_data()
    {
        QTest::addColumn<int>("linkType");
        QTest::newRow("serial") << 1;
        QTest::newRow("tcp") << 2;
    }
    void handshake()
    {
        QFETCH(int, linkType);
        Rig rig;
        QSignalSpy conn(&rig.proto, &OldProto::qv_conn);
        QSignalSpy status(&rig.proto, &OldProto::status_upd);
        QTest::ignoreMessage(QtDebugMsg, linkType == 1 ? "Proto: port connected." : "Proto: socket connected.");
        QTest::ignoreMessage(QtDebugMsg, "Proto: PROGPACK_CHECKCONNECT sent");
        if (linkType == 1)
            rig.proto.port_conn(QStringLiteral("/dev/ttyUSB0"));
        else
            rig.proto.sock_conn(QStringLiteral("127.0.0.1"));
        QCOMPARE(rig.device.linkType, linkType);
        QCOMPARE(rig.peer.sentIds(), QList<int>{0});
        QVERIFY(!rig.device.connected);

        rig.proto.pckt_rcv(EnginePeer::reply(0, statusPayload(0, 0x1B, 0, false)));
        QVERIFY(rig.device.connected);
        QCOMPARE(conn.size(), 1);
        QCOMPARE(status.size(), 1);
        QCOMPARE(rig.peer.sentIds(), (QList<int>{0, 71}));
        QCOMPARE(int(rig.peer.sent.last().at(2)), 0); // leave transfer mode

        rig.proto.pckt_rcv(EnginePeer::reply(71));
        rig.proto.upd_status();
        rig.proto.pckt_rcv(EnginePeer::reply(0, statusPayload(0, 0x1B, 0, false)));
        QCOMPARE(conn.size(), 1);
        QCOMPARE(status.size(), 2);
    }

    void resetAndReconnect()
    {
        Rig rig;
        rig.proto.port_conn(QString());
        rig.proto.pckt_rcv(EnginePeer::reply(0, statusPayload(0, 0x1B, 0, false)));
        rig.proto.pckt_rcv(EnginePeer::reply(71));
        QSignalSpy disc(&rig.proto, &OldProto::qv_disc);
        QSignalSpy status(&rig.proto, &OldProto::status_upd);
        QSignalSpy conn(&rig.proto, &OldProto::qv_conn);
        rig.proto.port_disc();
        QCOMPARE(disc.size(), 1);
        QCOMPARE(status.size(), 1);
        QVERIFY(!rig.device.connected);
        QCOMPARE(rig.device.linkType, 0);

        rig.proto.sock_conn(QString());
        rig.proto.pckt_rcv(EnginePeer::reply(0, statusPayload(0, 0x1B, 0, false)));
        QCOMPARE(conn.size(), 1);
        QCOMPARE(rig.device.linkType, 2);
    }

    void watchdogClosesTheOpenLink_data()
    {
        QTest::addColumn<int>("linkType");
        QTest::newRow("serial") << 1;
        QTest::newRow("tcp") << 2;
    }
    void watchdogClosesTheOpenLink()
    {
        QFETCH(int, linkType);
        Rig rig;
        QSignalSpy port(&rig.proto, &OldProto::disc_port);
        QSignalSpy sock(&rig.proto, &OldProto::disc_sock);
        QElapsedTimer clock;
        clock.start();
        if (linkType == 1)
            rig.proto.port_conn(QString());
        else
            rig.proto.sock_conn(QString());
        QTest::ignoreMessage(QtDebugMsg, "Proto: QV timeout");
        QTRY_COMPARE_WITH_TIMEOUT(port.size() + sock.size(), 1, 3000);
        const qint64 ms = clock.elapsed(); // the 1100 ms watchdog, as a window
        QVERIFY2(ms >= 1000 && ms < 2000, qPrintable(QString::number(ms)));
        QCOMPARE(linkType == 1 ? port.size() : sock.size(), 1);
    }

    // Disconnecting with a request outstanding drops the queue at once; the
    // running watchdog still writes its line later and does nothing else.
    void disconnectWithRequestOutstanding()
    {
        Rig rig;
        rig.proto.port_conn(QString());
        rig.proto.gs_cfg(0x0005);
        rig.proto.gs_cfg(0x0007);
        QCOMPARE(rig.proto.queuedPackets(), 2);
        QSignalSpy port(&rig.proto, &OldProto::disc_port);
        rig.proto.port_disc();
        QCOMPARE(rig.proto.queuedPackets(), 0);
        QVERIFY(!rig.proto.awaitingReply());
        QTest::qWait(1300); // past the watchdog: it must not ask to close again
        QCOMPARE(port.size(), 0);
        QCOMPARE(rig.peer.sent.size(), 1);
    }

    // A reconnect right after a disconnect with a request outstanding must
    // not wait for, nor be closed by, the old link's watchdog.
    void reconnectRightAfterDisconnect()
    {
        Rig rig;
        rig.peer.responder = EnginePeer::echo;
        rig.proto.port_conn(QString());
        rig.peer.responder = nullptr;
        QTRY_COMPARE(rig.peer.sent.size(), 2); // status answered, 71 outstanding
        rig.proto.port_disc();
        QSignalSpy port(&rig.proto, &OldProto::disc_port);
        rig.peer.responder = EnginePeer::echo;
        rig.proto.port_conn(QString());
        QCOMPARE(rig.peer.sentIds().mid(2, 1), QList<int>{0});
        QTRY_VERIFY(rig.device.connected);
        QTest::qWait(1300);
        QCOMPARE(port.size(), 0);
    }

    void statusByVersion_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("build");
        QTest::addColumn<bool>("qvb");
        QTest::addColumn<bool>("release");
        QTest::addColumn<bool>("duplex");
        QTest::addColumn<bool>("rates");
        QTest::newRow("qv newest") << 0 << 0x1A << 0x1A << false << true << true << true;
        QTest::newRow("qv at duplex limit") << 0 << 0x1A << 0x19 << false << true << false << true;
        QTest::newRow("qv at release limit") << 0 << 0x16 << 0x15 << false << false << false << true;
        QTest::newRow("qv at rates limit") << 0 << 0x16 << 0x13 << false << false << false << false;
        QTest::newRow("qvb 3.5") << 0 << 3 << 5 << true << true << false << true;
        QTest::newRow("qvb 3.4") << 0 << 3 << 4 << true << true << false << false;
        QTest::newRow("qvb 3.3") << 0 << 3 << 3 << true << false << false << false;
        QTest::newRow("major counts most") << 1 << 0 << 0 << false << true << true << true;
    }
    void statusByVersion()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, build);
        QFETCH(bool, qvb);
        QFETCH(bool, release);
        QFETCH(bool, duplex);
        QFETCH(bool, rates);
        Rig rig;
        rig.device.release = QStringLiteral("stale");
        rig.proto.upd_status();
        rig.proto.pckt_rcv(EnginePeer::reply(0, statusPayload(quint8(major), quint8(minor), quint8(build), qvb)));
        const Zorqv &d = rig.device;
        QCOMPARE(d.cpuVersion[0], quint8(major));
        QCOMPARE(d.fpgaVersion[2], quint8(6));
        QCOMPARE(d.isQvb, qvb);
        QCOMPARE(d.serialNumber, quint16(4321));
        QCOMPARE(d.procState[0], StateBit::tx(StateBit::Traffic));
        QCOMPARE(d.linkSpeed[0], quint8(3));
        QCOMPARE(d.linkSpeed[1], quint8(2));
        QCOMPARE(d.release, release ? QStringLiteral("1.5") : QString());
        QCOMPARE(d.duplex, quint8(duplex ? 0x10 : 0));
        QCOMPARE(d.txRate[0], rates ? 1000u : 0u);
        QCOMPARE(d.rxRate[0], rates ? 2000u : 0u);
        QCOMPARE(d.txRate[1], rates ? 3000u : 0u);
        QCOMPARE(d.rxRate[1], rates ? 4000u : 0u);
    }

    // The one-byte elapsed time of process A, unwrapped across the polls.
    // Steps: "s<byte>" a status of a busy A, "i<byte>" one of an idle A,
    // "start" a start sent for A, "lost" a disconnect and a new link.
    void elapsedUnwraps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("seconds"); // after each step
        QTest::newRow("counts up") << QStringList{"s1", "s2", "s255"} << QList<int>{1, 2, 255};
        QTest::newRow("one wrap") << QStringList{"s250", "s254", "s3", "s9"}
                                  << QList<int>{250, 254, 259, 265};
        QTest::newRow("two wraps") << QStringList{"s200", "s10", "s250", "s5"}
                                   << QList<int>{200, 266, 506, 517};
        QTest::newRow("a start begins anew") << QStringList{"s200", "s10", "i12", "start", "s2"}
                                             << QList<int>{200, 266, 268, 268, 2};
        QTest::newRow("started on the tester") << QStringList{"s200", "i201", "s1", "s3"}
                                               << QList<int>{200, 201, 1, 3};
        QTest::newRow("a reconnect begins anew") << QStringList{"s200", "s10", "lost", "s5"}
                                                 << QList<int>{200, 266, 0, 5};
        QTest::newRow("equal byte is no wrap") << QStringList{"s7", "s7"} << QList<int>{7, 7};
    }
    void elapsedUnwraps()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, seconds);
        Rig rig;
        QByteArray status;
        rig.peer.responder = [&status](const QByteArray &request) {
            return Packet::id(request) == 0 && !status.isEmpty() ? EnginePeer::reply(0, status)
                                                                 : EnginePeer::echo(request);
        };
        rig.proto.port_conn(QString());
        QTRY_VERIFY(rig.device.connected);
        for (int i = 0; i < steps.size(); ++i) {
            const QString step = steps.at(i);
            if (step == QLatin1String("start")) {
                rig.proto.start_test(requestCode(TestNo::Traffic, 1));
            } else if (step == QLatin1String("lost")) {
                rig.proto.port_disc();
                status.clear(); // the new link's handshake sees an idle tester
                rig.proto.port_conn(QString());
            } else {
                QByteArray s = statusPayload(0, 0x1B, 0, false);
                Bytes::put32(s.data(), 10, step.startsWith(QLatin1Char('s')) ? StateBit::tx(StateBit::Traffic) : 0);
                s[28] = char(step.mid(1).toInt());
                status = s;
                rig.proto.upd_status();
            }
            QTRY_VERIFY(!rig.proto.awaitingReply() && rig.proto.queuedPackets() == 0);
            QVERIFY2(rig.device.elapsedSeconds(0) == quint64(seconds.at(i)),
                     qPrintable(QStringLiteral("step %1: %2").arg(i).arg(rig.device.elapsedSeconds(0))));
        }
    }

    // A trace page is filed where it was asked for, even when the selector
    // moved before the reply; the last page keeps only what fits.
    void tracePageFiledAsRequested_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("hops"); // of the page's 8 that are kept
        QTest::newRow("page 4") << 3 << 8;
        QTest::newRow("page 32") << 31 << 7;
    }
    void tracePageFiledAsRequested()
    {
        QFETCH(int, asked);
        QFETCH(int, hops);
        Rig rig;
        rig.device.activeTest = ActiveTest::Trace;
        rig.device.traceHop[0] = quint32(asked);
        rig.proto.upd_res();
        QCOMPARE(int(quint8(rig.peer.sent.last().at(3))), asked);
        rig.device.traceHop[0] = 5; // the user pages on before the answer
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_TRACE_RES, QByteArray(80, char(0x5A))));
        const TraceResultBlock &r = rig.device.traceResult[0];
        const int from = asked * 80;
        QCOMPARE(std::count(r.begin(), r.end(), quint8(0x5A)), std::ptrdiff_t(hops * 10));
        QCOMPARE(int(r[std::size_t(from)]), 0x5A);
        QCOMPARE(int(r[std::size_t(from - 1)]), 0);
    }

    void veryOldFirmwareStillDecoded()
    {
        Rig rig;
        QByteArray s = statusPayload(0xFD, 0xFC, 0, false);
        QTest::ignoreMessage(QtDebugMsg, "Proto: Very old zor-qv firmware");
        rig.proto.upd_status();
        rig.proto.pckt_rcv(EnginePeer::reply(0, s));
        QCOMPARE(rig.device.serialNumber, quint16(4321));
        QVERIFY(rig.device.connected);
    }

    // The release text runs to the end of the payload when unterminated.
    void releaseTextBoundedByPacket()
    {
        Rig rig;
        QByteArray s = statusPayload(0, 0x1B, 0, false);
        s.replace(32, 228, QByteArray(228, 'r'));
        rig.proto.upd_status();
        rig.proto.pckt_rcv(EnginePeer::reply(0, s));
        QCOMPARE(rig.device.release, QString(228, u'r'));
    }

    void fileList()
    {
        Rig rig;
        const QList<QByteArray> names{"$RES01  ", "settings1", "$SET A", "$RES02"};
        int next = 0;
        rig.peer.responder = [&](const QByteArray &req) {
            const quint8 id = Packet::id(req);
            if (id != PROGPACK_DIR_FIRST && id != PROGPACK_DIR_NEXT)
                return EnginePeer::echo(req);
            if (next == names.size())
                return EnginePeer::reply(id); // byte 2 = 0: the end
            return EnginePeer::reply(id, QByteArray("\x01") + names.at(next++) + QByteArray(1, '\0'));
        };
        rig.device.fileList = QStringList{QStringLiteral("old")};
        QSignalSpy cfg(&rig.proto, &OldProto::cfg_rcv);
        rig.proto.gs_cfg(requestCode(TestNo::FileTransfer, 0));
        QTRY_COMPARE(cfg.size(), 1);
        QTRY_VERIFY(!rig.proto.awaitingReply());
        QCOMPARE(int(cfg.at(0).at(0).value<unsigned short>()), 14);
        QCOMPARE(rig.device.fileList, (QStringList{"$RES01", "$SET A", "$RES02"}));
        QCOMPARE(rig.peer.sentIds(), (QList<int>{71, 45, 46, 46, 46, 46, 71}));
        QCOMPARE(int(rig.peer.sent.first().at(2)), 2);
        QCOMPARE(int(rig.peer.sent.last().at(2)), 0);
    }

    void screenImage()
    {
        Rig rig;
        QTemporaryDir dir;
        rig.device.screenPath = dir.filePath(QStringLiteral("shot.png"));
        const auto screenByte = [](int i) { return quint8((i / 320 + i % 320) % 64); };
        rig.peer.responder = [&](const QByteArray &req) {
            if (Packet::id(req) != PROGPACK_SCREEN)
                return EnginePeer::echo(req);
            const int offset = int(Bytes::get32(req.constData(), 2));
            QByteArray p(260, '\0');
            for (int i = 0; i < 256; ++i)
                p[4 + i] = char(screenByte(offset + i));
            return EnginePeer::reply(PROGPACK_SCREEN, p);
        };
        QSignalSpy res(&rig.proto, &OldProto::res_rcv);
        rig.proto.start_test(requestCode(TestNo::FileTransfer, 0));
        QTRY_COMPARE_WITH_TIMEOUT(rig.device.screenCount, 76800, 10000);
        QTRY_VERIFY(!rig.proto.awaitingReply());
        QTest::qWait(20);

        const QList<int> ids = rig.peer.sentIds();
        QCOMPARE(ids.size(), 302);
        QCOMPARE(ids.first(), 71);
        QCOMPARE(ids.last(), 71);
        QCOMPARE(ids.count(32), 300);
        for (int i = 0; i < 300; ++i)
            QCOMPARE(int(Bytes::get32(rig.peer.sent.at(i + 1).constData(), 2)), i * 256);
        QCOMPARE(res.size(), 300);

        QImage saved(rig.device.screenPath);
        QCOMPARE(saved.size(), QSize(320, 240));
        for (const QPoint &pt : {QPoint(0, 0), QPoint(17, 3), QPoint(319, 239), QPoint(100, 200)})
            QCOMPARE(saved.pixel(pt), Screen::colour(screenByte(pt.y() * 320 + pt.x())));

        // A late reply after completion asks for nothing more.
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_SCREEN));
        QCOMPARE(rig.peer.sent.size(), 302);
    }

    void screenSaveFailureIsLogged()
    {
        Rig rig;
        rig.device.screenPath = QStringLiteral("/nonexistent-dir-qv/shot.png");
        rig.peer.responder = [](const QByteArray &req) {
            return Packet::id(req) == PROGPACK_SCREEN ? EnginePeer::reply(PROGPACK_SCREEN) : EnginePeer::echo(req);
        };
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Proto: cannot save the screen image")));
        rig.proto.start_test(requestCode(TestNo::FileTransfer, 0));
        QTRY_COMPARE_WITH_TIMEOUT(rig.device.screenCount, 76800, 10000);
        QTRY_VERIFY(!rig.proto.awaitingReply());
    }

    void screenPalette_data()
    {
        QTest::addColumn<int>("pixel");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("black") << 0 << QColor(0, 0, 0);
        QTest::newRow("red bits 0-1") << 0x03 << QColor(255, 0, 0);
        QTest::newRow("green bits 2-3") << 0x08 << QColor(0, 170, 0);
        QTest::newRow("blue bits 4-5") << 0x10 << QColor(0, 0, 85);
        QTest::newRow("white") << 0x3F << QColor(255, 255, 255);
        QTest::newRow("upper bits ignored") << 0xC1 << QColor(85, 0, 0);
    }
    void screenPalette()
    {
        QFETCH(int, pixel);
        QFETCH(QColor, colour);
        QCOMPARE(QColor(Screen::colour(quint8(pixel))), colour);
        if (pixel < 64)
            QCOMPARE(int(Screen::pixel(colour.red(), colour.green(), colour.blue())), pixel);
    }

    // Every second while connected: one upd_status, then one upd_res.
    void pollTimer()
    {
        Zorqv device;
        QList<int> order;
        connect(&device, &Zorqv::upd_status, this, [&] { order << 0; });
        connect(&device, &Zorqv::upd_res, this, [&] { order << 1; });
        QElapsedTimer clock;
        clock.start();
        device.startStatusTimer();
        QTRY_VERIFY_WITH_TIMEOUT(order.size() >= 4, 4000);
        device.stopStatusTimer();
        const qint64 ms = clock.elapsed(); // two periods, not one burst
        QVERIFY2(ms >= 1800, qPrintable(QString::number(ms)));
        QCOMPARE(order, (QList<int>{0, 1, 0, 1}));
        QTest::qWait(1100);
        QCOMPARE(order.size(), 4);
    }

    // Without another sink the record's own writer takes the job, and its
    // outcome comes back through the record.
    void ownReportWriter()
    {
        Zorqv device;
        QSignalSpy finished(&device, &Zorqv::report_finished);
        device.startReport(ReportJob{});
        QVERIFY(finished.wait(5000));
        QCOMPARE(device.lastReportOutcome().status, ReportOutcome::ShortFile);
    }
};

QTEST_MAIN(TestOldProto)
#include "tst_oldproto.moc"
