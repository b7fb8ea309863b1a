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

namespace {

class RecordingSink : public ReportSink
{
public:
    void startReport(const ReportJob &job) override { jobs << job; }
    QList<ReportJob> jobs;
};

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

// The engine's machinery: handshake, watchdog, reset, downloads, the file
// list, the screen image and the device record's poll timer.
class TestOldProto : public QObject
{
    Q_OBJECT

    struct Rig
    {
        Zorqv device;
        OldProto proto{&device};
        EnginePeer peer{&proto};
        RecordingSink sink;
        Rig() { device.setReportSink(&sink); }
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
        QTest::ignoreMessage(QtDebugMsg, "Proto: QV timeout");
        QTRY_VERIFY_WITH_TIMEOUT(!rig.proto.awaitingReply(), 3000);
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

    void veryOldFirmwareStillDecoded()
    {
        Rig rig;
        QByteArray s = statusPayload(0xFD, 0xFC, 0, false);
        QTest::ignoreMessage(QtDebugMsg, "Proto: Very old zor-qv firmware");
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
        rig.proto.pckt_rcv(EnginePeer::reply(0, s));
        QCOMPARE(rig.device.release, QString(228, u'r'));
    }

    void download_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("asks");
        QTest::newRow("300 bytes") << 300 << QList<int>{256, 44};
        QTest::newRow("600 bytes") << 600 << QList<int>{256, 256, 88};
        QTest::newRow("exactly 256") << 256 << QList<int>{256};
        QTest::newRow("empty file") << 0 << QList<int>{256};
        QTest::newRow("result file") << 16368 << QList<int>(63, 256) + QList<int>{240};
    }
    void download()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, asks);
        Rig rig;
        QByteArray file(size, '\0');
        for (int i = 0; i < size; ++i)
            file[i] = char(i * 13 + i / 256);
        int served = 0;
        rig.peer.responder = [&](const QByteArray &req) {
            const quint8 id = Packet::id(req);
            if (id == PROGPACK_FILE_OPEN) {
                QByteArray p("OK\0\0\0\0", 6);
                Bytes::put32(p.data(), 2, quint32(size));
                return EnginePeer::reply(id, p);
            }
            if (id == PROGPACK_FILE_READ) {
                const int n = int(Bytes::get32(req.constData(), 2));
                const QByteArray piece = file.mid(served, n);
                served += int(piece.size());
                return EnginePeer::reply(id, QByteArray("OK") + piece + QByteArray(256 - piece.size(), 'z'));
            }
            return EnginePeer::echo(req);
        };
        rig.device.fileName = QStringLiteral("$RES07");
        rig.device.reportDir = QStringLiteral("/tmp/reports");
        rig.device.reportMask = 0x120;
        rig.device.serialNumber = 777;
        rig.device.linkSpeed[0] = 3;
        rig.device.linkSpeed[1] = 2;
        rig.proto.start_test(requestCode(TestNo::FileTransfer, 1));
        QTRY_COMPARE(rig.sink.jobs.size(), 1);
        QTRY_VERIFY(!rig.proto.awaitingReply());

        QList<int> ids = rig.peer.sentIds();
        QCOMPARE(ids.first(), 71);
        QCOMPARE(ids.at(1), 42);
        QCOMPARE(ids.last(), 71);
        QCOMPARE(int(rig.peer.sent.last().at(2)), 0);
        QList<int> requested;
        for (const QByteArray &p : std::as_const(rig.peer.sent))
            if (Packet::id(p) == PROGPACK_FILE_READ)
                requested << int(Bytes::get32(p.constData(), 2));
        QCOMPARE(requested, asks);

        const ReportJob &job = rig.sink.jobs.first();
        QCOMPARE(job.data, file);
        QCOMPARE(job.directory, QStringLiteral("/tmp/reports/RES07"));
        QCOMPARE(job.mask, 0x120u);
        QCOMPARE(job.serialNumber, quint16(777));
        QCOMPARE(job.linkSpeedA, quint8(3));
        QCOMPARE(job.linkSpeedB, quint8(2));
        QVERIFY(!job.singlePort);
        QCOMPARE(rig.device.fileName, QStringLiteral("RES07"));
    }

    void downloadRefused_data()
    {
        QTest::addColumn<QByteArray>("openAnswer");
        QTest::addColumn<QByteArray>("readAnswer");
        QTest::addColumn<QList<int>>("ids");
        QByteArray ok("OK\0\x02\0\0", 6); // 512 bytes
        QByteArray huge("OK\0\0\0\x40", 6); // 1 GiB announced
        QTest::newRow("open refused") << QByteArray("NO") << QByteArray() << QList<int>{71, 42, 71};
        QTest::newRow("read refused") << ok << QByteArray("ER") << QList<int>{71, 42, 44, 71};
        QTest::newRow("size beyond reason") << huge << QByteArray() << QList<int>{71, 42, 71};
    }
    void downloadRefused()
    {
        QFETCH(QByteArray, openAnswer);
        QFETCH(QByteArray, readAnswer);
        QFETCH(QList<int>, ids);
        Rig rig;
        rig.peer.responder = [&](const QByteArray &req) {
            const quint8 id = Packet::id(req);
            if (id == PROGPACK_FILE_OPEN)
                return EnginePeer::reply(id, openAnswer);
            if (id == PROGPACK_FILE_READ)
                return EnginePeer::reply(id, readAnswer);
            return EnginePeer::echo(req);
        };
        rig.proto.start_test(requestCode(TestNo::FileTransfer, 1));
        QTRY_COMPARE(rig.peer.sent.size(), ids.size());
        QTest::qWait(30);
        QCOMPARE(rig.peer.sentIds(), ids);
        QVERIFY(rig.sink.jobs.isEmpty());
    }

    // A file piece ("OK" and data) that no download asked for, as a late
    // reply after a reset would be, is ignored: it neither completes nor
    // continues a download, and nothing is handed on.
    void strayFilePiece_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("no download yet") << "none";
        QTest::newRow("after a complete download") << "complete";
        QTest::newRow("after a disconnect mid-download") << "disconnect";
    }
    void strayFilePiece()
    {
        QFETCH(QString, before);
        Rig rig;
        int jobs = 0;
        if (before != QLatin1String("none")) {
            QByteArray open("OK\0\0\0\0", 6);
            Bytes::put32(open.data(), 2, before == QLatin1String("complete") ? 200 : 700);
            rig.proto.start_test(requestCode(TestNo::FileTransfer, 1));
            rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_TRANSFER));
            rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_FILE_OPEN, open));
            rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_FILE_READ, "OK" + QByteArray(256, 'd')));
            if (before == QLatin1String("complete")) {
                rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_TRANSFER));
                jobs = 1;
            } else {
                rig.proto.sock_disc();
            }
        }
        QCOMPARE(rig.sink.jobs.size(), jobs);
        const qsizetype sent = rig.peer.sent.size();
        for (int i = 0; i < 3; ++i)
            rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_FILE_READ, "OK" + QByteArray(256, 's')));
        QCOMPARE(rig.sink.jobs.size(), jobs);
        QCOMPARE(rig.peer.sent.size(), sent);
    }

    // A name from the tester never takes the reports out of the chosen
    // directory.
    void reportDirectoryStaysInside_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("directory");
        QTest::newRow("dollar removed") << "$RES1" << "/r/RES1";
        QTest::newRow("parent steps") << "$../../etc" << "/r/etc";
        QTest::newRow("only dots") << "$.." << "/r/report";
        QTest::newRow("separators") << "$a/b\\c" << "/r/abc";
        QTest::newRow("empty") << "$" << "/r/report";
    }
    void reportDirectoryStaysInside()
    {
        QFETCH(QString, name);
        QFETCH(QString, directory);
        Rig rig;
        rig.peer.responder = [](const QByteArray &req) {
            const quint8 id = Packet::id(req);
            if (id == PROGPACK_FILE_OPEN)
                return EnginePeer::reply(id, QByteArray("OK\x01\0\0\0", 6));
            if (id == PROGPACK_FILE_READ)
                return EnginePeer::reply(id, QByteArray("OKx"));
            return EnginePeer::echo(req);
        };
        rig.device.fileName = name;
        rig.device.reportDir = QStringLiteral("/r");
        rig.proto.start_test(requestCode(TestNo::FileTransfer, 1));
        QTRY_COMPARE(rig.sink.jobs.size(), 1);
        QCOMPARE(rig.sink.jobs.first().directory, directory);
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

    void noReportWriterIsLogged()
    {
        Zorqv device;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Proto: no report writer")));
        device.startReport(ReportJob{});
    }
};

QTEST_MAIN(TestOldProto)
#include "tst_oldproto.moc"
