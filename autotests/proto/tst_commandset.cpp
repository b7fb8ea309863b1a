#include "enginepeer.h"
#include "progpack.h"
#include "testcodes.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>

namespace {

// Distinct, recognisable bytes for block k: pattern(k, n)[i] = k * 37 + i.
QByteArray pattern(int k, int n)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(k * 37 + i);
    return b;
}

template <std::size_t N>
void fill(Block<N> &block, int k)
{
    const QByteArray p = pattern(k, int(N));
    std::memcpy(block.data(), p.constData(), N);
}

template <std::size_t N>
QByteArray bytes(const Block<N> &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), int(N));
}

// Every block of the record by name, for table-driven checks.
QByteArray member(const Zorqv &d, const QString &name, int i)
{
    static const std::map<QString, std::function<QByteArray(const Zorqv &, int)>> blocks = {
        {"lbConfig", [](const Zorqv &z, int i) { return bytes(z.lbConfig[i]); }},
        {"pingConfig", [](const Zorqv &z, int i) { return bytes(z.pingConfig[i]); }},
        {"traceConfig", [](const Zorqv &z, int i) { return bytes(z.traceConfig[i]); }},
        {"jitterConfig", [](const Zorqv &z, int i) { return bytes(z.jitterConfig[i]); }},
        {"trafficConfig", [](const Zorqv &z, int i) { return bytes(z.trafficConfig[i]); }},
        {"rfcConfig", [](const Zorqv &z, int i) { return bytes(z.rfcConfig[i]); }},
        {"bertConfig", [](const Zorqv &z, int i) { return bytes(z.bertConfig[i]); }},
        {"dnsConfig", [](const Zorqv &z, int i) { return bytes(z.dnsConfig[i]); }},
        {"multiConfig", [](const Zorqv &z, int i) { return bytes(z.multiConfig[i]); }},
        {"ifaceConfig", [](const Zorqv &z, int i) { return bytes(z.ifaceConfig[i]); }},
        {"pingResult", [](const Zorqv &z, int i) { return bytes(z.pingResult[i]); }},
        {"pingStats", [](const Zorqv &z, int i) { return bytes(z.pingStats[i]); }},
        {"traceResult", [](const Zorqv &z, int i) { return bytes(z.traceResult[i]); }},
        {"jitterResult", [](const Zorqv &z, int i) { return bytes(z.jitterResult[i]); }},
        {"cableResult", [](const Zorqv &z, int) { return bytes(z.cableResult); }},
        {"trafficResult", [](const Zorqv &z, int i) { return bytes(z.trafficResult[i]); }},
        {"rfcResult", [](const Zorqv &z, int i) { return bytes(z.rfcResult[i]); }},
        {"statsResult", [](const Zorqv &z, int i) { return bytes(z.statsResult[i]); }},
        {"bertResult", [](const Zorqv &z, int i) { return bytes(z.bertResult[i]); }},
        {"dnsResult", [](const Zorqv &z, int i) { return bytes(z.dnsResult[i]); }},
        {"oamResult", [](const Zorqv &z, int i) { return bytes(z.oamResult[i]); }},
        {"multiResult", [](const Zorqv &z, int i) { return bytes(z.multiResult[i]); }},
    };
    return blocks.at(name)(d, i);
}

// Where a run of reply bytes must land: reply[from, from + count) ==
// member[index][at, at + count).
struct Landing
{
    int from;
    int count;
    QString member;
    int index;
    int at;
};

// Expected request bytes: payload offset and the bytes found there.
using Segments = QList<QPair<int, QByteArray>>;

QByteArray expectedPacket(quint8 id, const Segments &segments)
{
    QByteArray p = Packet::make(id);
    for (const auto &[offset, data] : segments)
        p.replace(offset, data.size(), data);
    Packet::seal(p);
    return p;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    Bytes::put32(b.data(), 0, v);
    return b;
}

QByteArray b1(int v) { return QByteArray(1, char(v)); }

} // namespace

Q_DECLARE_METATYPE(Segments)
Q_DECLARE_METATYPE(QList<Landing>)

// The command set with in-process peers in place of the transports: every
// request and reply of the command table, the FIFOs, the request codes of
// pages and shell, the downloads and the screen image.
class TestCommandSet : public QObject
{
    Q_OBJECT

    struct Rig
    {
        Zorqv device;
        OldProto proto{&device};
        EnginePeer peer{&proto};

        Rig()
        {
            // Recognisable contents in every block of both processes.
            for (int i = 0; i < 3; ++i)
                fill(device.ifaceConfig[i], 1 + i);
            for (int i = 0; i < 2; ++i) {
                const int k = 10 * (i + 1);
                fill(device.lbConfig[i], k + 1);
                fill(device.pingConfig[i], k + 2);
                fill(device.traceConfig[i], k + 3);
                fill(device.jitterConfig[i], k + 4);
                fill(device.trafficConfig[i], k + 5);
                fill(device.rfcConfig[i], k + 6);
                fill(device.bertConfig[i], k + 7);
                fill(device.dnsConfig[i], k + 8);
                fill(device.multiConfig[i], k + 9);
            }
            device.linkType = 2;
            device.connected = true;
        }
    };

private Q_SLOTS:
    void requestLayout_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<uint>("param");
        QTest::addColumn<Segments>("segments");

        Rig rig; // only for the expected block contents
        Zorqv &d = rig.device;
        const auto blk = [](const QString &name, int i, int from = 0, int count = -1) {
            Rig r;
            const QByteArray all = member(r.device, name, i);
            return all.mid(from, count);
        };
        Q_UNUSED(d);

        QTest::newRow("0 status") << 0 << 0u << Segments{};
        QTest::newRow("30 debug write") << 30 << 0x015A3000u
                                        << Segments{{2, b1(1)}, {3, b1(0x5A)}, {4, le32(0x3000)}};
        QTest::newRow("30 debug read") << 30 << 0x00003001u << Segments{{4, le32(0x3001)}};
        QTest::newRow("32 screen offset") << 32 << 512u << Segments{{2, le32(512)}};
        QTest::newRow("42 file open") << 42 << 0u << Segments{{2, QByteArray("$RES01", 7)}};
        QTest::newRow("44 file read") << 44 << 256u << Segments{{2, le32(256)}};
        QTest::newRow("45 dir first") << 45 << 0u << Segments{};
        QTest::newRow("46 dir next") << 46 << 0u << Segments{};
        QTest::newRow("50 loopback write") << 50 << 1u
                                           << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("lbConfig", 1)}};
        QTest::newRow("51 ping read") << 51 << 0u << Segments{{2, b1(1)}, {4, blk("pingConfig", 1)}};
        QTest::newRow("52 trace write") << 52 << 1u
                                        << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("traceConfig", 1)}};
        QTest::newRow("53 jitter write") << 53 << 1u
                                         << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("jitterConfig", 1)}};
        for (int id : {54, 56, 57, 63, 72, 74, 79, 82})
            QTest::addRow("%d process only", id) << id << 1u << Segments{{2, b1(1)}};
        QTest::newRow("55 trace page") << 55 << 0u << Segments{{2, b1(1)}, {3, b1(3)}};
        QTest::newRow("58 stats write") << 58 << 1u << Segments{{2, b1(1)}, {3, b1(1)}};
        QTest::newRow("60 traffic start") << 60 << 3u << Segments{{2, b1(1)}, {3, b1(1)}, {4, b1(3)}};
        QTest::newRow("60 rfc stop (running)") << 60 << 1u << Segments{{2, b1(1)}, {3, b1(0)}, {4, b1(1)}};
        QTest::newRow("60 dns always starts") << 60 << 8u << Segments{{2, b1(1)}, {3, b1(1)}, {4, b1(8)}};
        QTest::newRow("60 oam flag from argument") << 60 << (9u | 1u << 8)
                                                   << Segments{{2, b1(1)}, {3, b1(1)}, {4, b1(9)}};
        QTest::newRow("60 oam stop") << 60 << 9u << Segments{{2, b1(1)}, {3, b1(0)}, {4, b1(9)}};
        QTest::newRow("61 traffic write") << 61 << 1u
                                          << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("trafficConfig", 1)}};
        QTest::newRow("62 interface RC result write")
            << 62 << (2u * 64 + 16 + 1) << Segments{{2, b1(2)}, {3, b1(1)}, {4, blk("ifaceConfig", 2)}};
        QTest::newRow("62 interface A read") << 62 << 0u << Segments{{4, blk("ifaceConfig", 0)}};
        QTest::newRow("64 rfc range") << 64 << (128u << 16 | 192)
                                      << Segments{{2, b1(1)}, {3, le32(128)}, {7, le32(192)}};
        QTest::newRow("65 rfc step") << 65 << 0u << Segments{{2, b1(1)}, {3, b1(0)}, {4, b1(7)}};
        QTest::newRow("66 stats port A from B") << 66 << 0u << Segments{};
        QTest::newRow("66 stats port B") << 66 << 1u << Segments{{2, b1(1)}};
        QTest::newRow("67 rfc write") << 67 << 1u
                                      << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("rfcConfig", 1)}};
        QTest::newRow("68 stats reset") << 68 << 0u << Segments{};
        QTest::newRow("69 mode") << 69 << 1u << Segments{{2, b1(1)}, {3, b1(1)}};
        QTest::newRow("70 bert write") << 70 << 1u
                                       << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("bertConfig", 1)}};
        QTest::newRow("71 transfer enter") << 71 << 2u << Segments{{2, b1(2)}};
        QTest::newRow("73 dns write") << 73 << 1u
                                      << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("dnsConfig", 1)}};
        for (int id : {75, 76, 77})
            QTest::addRow("%d file name", id) << id << 0u << Segments{{2, QByteArray("$RES01", 7)}};
        QTest::newRow("78 oam write") << 78 << 1u
                                      << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("ifaceConfig", 1, 52, 1)}};
        QTest::newRow("80 multi part 1") << 80 << 1u
                                         << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("multiConfig", 1, 0, 168)}};
        QTest::newRow("81 multi part 2") << 81 << 1u
                                         << Segments{{2, b1(1)}, {3, b1(1)}, {4, blk("multiConfig", 1, 168, 160)}};
    }
    void requestLayout()
    {
        QFETCH(int, id);
        QFETCH(uint, param);
        QFETCH(Segments, segments);
        Rig rig;
        rig.device.curProc = 1;
        rig.device.traceHop[1] = 0x103;
        rig.device.rfcStep[1] = 7;
        rig.device.statsFlag = true;
        rig.device.fileName = QStringLiteral("$RES01");
        rig.device.procState[1] = StateBit::tx(StateBit::Rfc) | StateBit::rx(StateBit::Traffic);
        const QByteArray built = rig.proto.build(quint8(id), param);
        QCOMPARE(built.toHex(' '), expectedPacket(quint8(id), segments).toHex(' '));
        QVERIFY(Packet::crcValid(built));
    }

    void unbuildableRequests_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<uint>("param");
        QTest::addColumn<bool>("logs");
        QTest::newRow("no builder") << 99 << 0u << true;
        QTest::newRow("run code outside the table") << 60 << 11u << false;
        QTest::newRow("run code 0") << 60 << 0u << false;
    }
    void unbuildableRequests()
    {
        QFETCH(int, id);
        QFETCH(uint, param);
        QFETCH(bool, logs);
        Rig rig;
        if (logs)
            QTest::ignoreMessage(QtDebugMsg, "99 - Encoder is not implemented yet.");
        QVERIFY(rig.proto.build(quint8(id), param).isEmpty());
        rig.proto.send(rig.proto.build(quint8(id), param));
        QVERIFY(rig.peer.sent.isEmpty());
        QVERIFY(!rig.proto.awaitingReply());
    }

    // A file name longer than the payload is cut, and its terminator and the
    // checksum still fit.
    void longTextNeverOverruns()
    {
        Rig rig;
        rig.device.fileName = QString(400, u'x');
        const QByteArray p = rig.proto.build(PROGPACK_SET_SAVE, 0);
        QCOMPARE(p.size(), Packet::Size);
        QCOMPARE(p.at(Packet::CrcOffset - 1), '\0');
        QCOMPARE(p.at(Packet::CrcOffset - 2), 'x');
        QVERIFY(Packet::crcValid(p));
    }

    void replyLanding_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<uint>("param");
        QTest::addColumn<QList<Landing>>("landings");
        QTest::addColumn<bool>("isConfig");
        QTest::addColumn<int>("code");

        const auto cfg = [](const char *name, int id, int from, int count, const char *m, int test) {
            QTest::newRow(name) << id << 0u << QList<Landing>{{from, count, QString::fromLatin1(m), 1, 0}}
                                << true << (0x100 | test);
        };
        const auto res = [](const char *name, int id, int from, int count, const char *m, int test) {
            QTest::newRow(name) << id << 0u << QList<Landing>{{from, count, QString::fromLatin1(m), 1, 0}}
                                << false << (0x100 | test);
        };
        cfg("50 loopback from byte 2", 50, 2, 40, "lbConfig", 0);
        cfg("51 ping from byte 4", 51, 4, 8, "pingConfig", 4);
        cfg("52 trace from byte 4", 52, 4, 8, "traceConfig", 6);
        cfg("53 jitter from byte 4", 53, 4, 36, "jitterConfig", 7);
        cfg("61 traffic from byte 4", 61, 4, 40, "trafficConfig", 5);
        cfg("67 rfc from byte 4", 67, 4, 108, "rfcConfig", 1);
        cfg("70 bert from byte 2", 70, 2, 20, "bertConfig", 8);
        cfg("73 dns from byte 2", 73, 2, 33, "dnsConfig", 9);
        // The page hears of the settings when the second part is in too.
        QTest::newRow("80 multi first part") << 80 << 0u << QList<Landing>{{2, 168, "multiConfig", 1, 0}}
                                             << true << -1;
        QTest::newRow("81 multi second part") << 81 << 0u << QList<Landing>{{2, 160, "multiConfig", 1, 168}}
                                              << true << 0x10B;
        QTest::newRow("78 oam setting") << 78 << 0u << QList<Landing>{{2, 1, "ifaceConfig", 1, 52}} << true
                                        << 0x10A;
        QTest::newRow("54 ping rows and stats")
            << 54 << 0u << QList<Landing>{{2, 42, "pingResult", 1, 0}, {44, 20, "pingStats", 1, 0}} << false
            << 0x104;
        QTest::newRow("55 trace page 2") << 55 << 0u << QList<Landing>{{2, 80, "traceResult", 1, 160}}
                                         << false << 0x106;
        res("56 jitter", 56, 2, 104, "jitterResult", 7);
        res("63 traffic from byte 6", 63, 6, 36, "trafficResult", 5);
        res("72 bert", 72, 2, 32, "bertResult", 8);
        res("74 dns", 74, 2, 40, "dnsResult", 9);
        res("79 oam", 79, 2, 26, "oamResult", 10);
        res("82 multi", 82, 2, 164, "multiResult", 11);
        QTest::newRow("57 cable, one block") << 57 << 0u << QList<Landing>{{2, 23, "cableResult", 0, 0}}
                                             << false << 0x102;
        QTest::newRow("66 stats of the requested port")
            << 66 << 0u << QList<Landing>{{2, 144, "statsResult", 0, 0}} << false << 0x00D;
        QTest::newRow("64 rfc summary range")
            << 64 << (32u << 16 | 96) << QList<Landing>{{2, 96, "rfcResult", 1, 32}} << false << 0x101;
        QTest::newRow("62 interface RC as result")
            << 62 << (2u * 64 + 16) << QList<Landing>{{4, 56, "ifaceConfig", 2, 0}} << false << 0x20C;
        QTest::newRow("62 interface B as configuration")
            << 62 << (1u * 64) << QList<Landing>{{4, 56, "ifaceConfig", 1, 0}} << true << 0x10C;
    }
    void replyLanding()
    {
        QFETCH(int, id);
        QFETCH(uint, param);
        QFETCH(QList<Landing>, landings);
        QFETCH(bool, isConfig);
        QFETCH(int, code);

        Rig rig;
        rig.device.curProc = 1;
        rig.device.traceHop[1] = 2;
        QSignalSpy cfgSpy(&rig.proto, &OldProto::cfg_rcv);
        QSignalSpy resSpy(&rig.proto, &OldProto::res_rcv);
        // Nothing in the way: both processes' blocks start out different.
        const int other = landings.first().index == 1 ? 0 : 1;
        const QByteArray before = member(rig.device, landings.first().member, other);

        rig.proto.send(rig.proto.build(quint8(id), param));
        QCOMPARE(rig.peer.sent.size(), 1);
        const QByteArray payload = pattern(99, 260);
        rig.proto.pckt_rcv(EnginePeer::reply(quint8(id), payload));

        const QByteArray wire = EnginePeer::reply(quint8(id), payload);
        for (const Landing &l : landings) {
            const QByteArray got = member(rig.device, l.member, l.index).mid(l.at, l.count);
            QCOMPARE(got.toHex(' '), wire.mid(l.from, l.count).toHex(' '));
        }
        if (landings.first().member != QLatin1String("cableResult"))
            QCOMPARE(member(rig.device, landings.first().member, other), before);
        if (code < 0) { // nothing to report yet
            QCOMPARE(cfgSpy.size() + resSpy.size(), 0);
            return;
        }
        QCOMPARE(cfgSpy.size(), isConfig ? 1 : 0);
        QCOMPARE(resSpy.size(), isConfig ? 0 : 1);
        QCOMPARE(int((isConfig ? cfgSpy : resSpy).at(0).at(0).value<unsigned short>()), code);
    }

    void interfaceWords()
    {
        Rig rig;
        rig.proto.send(rig.proto.build(PROGPACK_IFACE_CFG, 0));
        QByteArray payload(260, '\0');
        Bytes::put32(payload.data(), 58, 0x11223344);
        Bytes::put32(payload.data(), 62, 0x55667788);
        Bytes::put32(payload.data(), 66, 0x99AABBCC);
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_IFACE_CFG, payload));
        QCOMPARE(rig.device.ifaceWord1[0], 0x11223344u);
        QCOMPARE(rig.device.ifaceWord2[0], 0x55667788u);
        QCOMPARE(rig.device.ifaceWord3[0], 0x99AABBCCu);
    }

    // Two interface requests for the same port in flight, a configuration
    // read and a result poll: each reply is reported as what was asked.
    void interfaceRepliesKeepTheirKind()
    {
        Rig rig;
        QSignalSpy cfgSpy(&rig.proto, &OldProto::cfg_rcv);
        QSignalSpy resSpy(&rig.proto, &OldProto::res_rcv);
        rig.proto.gs_cfg(requestCode(TestNo::Iface, 0));
        rig.device.activeTest = ActiveTest::Iface;
        rig.proto.upd_res();
        QCOMPARE(rig.peer.sent.size(), 1);
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_IFACE_CFG));
        QCOMPARE(cfgSpy.size(), 1);
        QCOMPARE(resSpy.size(), 0);
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_IFACE_CFG));
        QCOMPARE(resSpy.size(), 1);
    }

    void rfcStepRows()
    {
        Rig rig;
        rig.device.curProc = 1;
        rig.device.rfcStep[1] = 7;
        rig.proto.send(rig.proto.build(PROGPACK_RFC_STEP, 0));
        rig.device.rfcStep[1] = 9; // the page moves on; the reply is still step 7
        QByteArray payload(260, '\0');
        for (int r = 0; r < 8; ++r) {
            payload[6 * r] = char(0xA0 + r);
            Bytes::put32(payload.data(), 6 * r + 1, 1000u * (r + 1));
            payload[6 * r + 5] = char(r + 1);
        }
        QSignalSpy resSpy(&rig.proto, &OldProto::res_rcv);
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_RFC_STEP, payload));
        const RfcResultBlock &b = rig.device.rfcResult[1];
        for (std::size_t r = 0; r < 8; ++r) {
            QCOMPARE(int(get8(b, RfcResultLayout::row(r))), int(0xA0 + r));
            QCOMPARE(get32(b, RfcResultLayout::value(r, 7)), quint32(1000 * (r + 1)));
            QCOMPARE(int(get8(b, RfcResultLayout::byte(r, 7))), int(r + 1));
            QCOMPARE(get32(b, RfcResultLayout::value(r, 9)), 0u);
        }
        QCOMPARE(resSpy.size(), 1);
        QCOMPARE(int(resSpy.at(0).at(0).value<unsigned short>()), 0x101);
    }

    void rfcPollCycle()
    {
        Rig rig;
        rig.device.activeTest = ActiveTest::Rfc;
        rig.peer.responder = EnginePeer::echo;
        QList<QPair<int, int>> ranges;
        for (int i = 0; i < 11; ++i) {
            rig.device.curProc = quint8(i % 2); // one cycle for the whole program
            rig.proto.upd_res();
            QTRY_VERIFY(!rig.proto.awaitingReply());
        }
        const QList<int> ids = rig.peer.sentIds();
        QCOMPARE(ids, (QList<int>{64, 64, 64, 64, 65, 64, 64, 64, 64, 65, 64}));
        for (int i : {0, 1, 2, 3, 6, 10}) {
            const QByteArray &p = rig.peer.sent.at(i);
            ranges << qMakePair(int(Bytes::get32(p.constData(), 3)), int(Bytes::get32(p.constData(), 7)));
        }
        QCOMPARE(ranges, (QList<QPair<int, int>>{{0, 32}, {32, 96}, {128, 192}, {320, 96}, {32, 96}, {0, 32}}));
    }

    void pollByActivePage_data()
    {
        QTest::addColumn<uint>("active");
        QTest::addColumn<bool>("qvb");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QList<int>>("byte2");
        QTest::newRow("none") << 0u << false << QList<int>{} << QList<int>{};
        QTest::newRow("loopback page polls nothing") << ActiveTest::Loopback << false << QList<int>{}
                                                     << QList<int>{};
        QTest::newRow("file transfer polls nothing") << ActiveTest::FileTransfer << false << QList<int>{}
                                                     << QList<int>{};
        QTest::newRow("cable") << ActiveTest::Cable << false << QList<int>{57} << QList<int>{0};
        QTest::newRow("ping") << ActiveTest::Ping << false << QList<int>{54} << QList<int>{0};
        QTest::newRow("trace") << ActiveTest::Trace << false << QList<int>{55} << QList<int>{0};
        QTest::newRow("traffic") << ActiveTest::Traffic << false << QList<int>{63} << QList<int>{0};
        QTest::newRow("jitter") << ActiveTest::Jitter << false << QList<int>{56} << QList<int>{0};
        QTest::newRow("bert") << ActiveTest::Bert << false << QList<int>{72} << QList<int>{0};
        QTest::newRow("dns") << ActiveTest::Dns << false << QList<int>{74} << QList<int>{0};
        QTest::newRow("oam") << ActiveTest::Oam << false << QList<int>{79} << QList<int>{0};
        QTest::newRow("multi") << ActiveTest::Multi << false << QList<int>{82} << QList<int>{0};
        QTest::newRow("stats both ports") << ActiveTest::Stats << false << QList<int>{66, 66}
                                          << QList<int>{0, 1};
        QTest::newRow("stats single port") << ActiveTest::Stats << true << QList<int>{66} << QList<int>{0};
        QTest::newRow("interfaces in use") << ActiveTest::Iface << false << QList<int>{62, 62, 62}
                                           << QList<int>{0, 1, 2};
        QTest::newRow("interfaces, single port") << ActiveTest::Iface << true << QList<int>{62, 62}
                                                 << QList<int>{0, 2};
    }
    void pollByActivePage()
    {
        QFETCH(uint, active);
        QFETCH(bool, qvb);
        QFETCH(QList<int>, ids);
        QFETCH(QList<int>, byte2);
        Rig rig;
        rig.device.activeTest = active;
        rig.device.isQvb = qvb;
        rig.peer.responder = EnginePeer::echo;
        rig.proto.upd_res();
        QTRY_COMPARE(rig.peer.sent.size(), ids.size());
        QTest::qWait(20);
        QCOMPARE(rig.peer.sentIds(), ids);
        for (int i = 0; i < byte2.size(); ++i)
            QCOMPARE(int(rig.peer.sent.at(i).at(2)), byte2.at(i));
        if (active == ActiveTest::Iface) {
            for (const QByteArray &p : std::as_const(rig.peer.sent))
                QCOMPARE(int(p.at(3)), 0); // read, as result
        }
    }

    void interfacePollSkipsUnusedInterfaces()
    {
        Rig rig;
        rig.device.activeTest = ActiveTest::Iface;
        rig.device.ifaceConfig[0][0] = 0;
        rig.device.ifaceConfig[2][0] = 0;
        rig.proto.upd_res();
        QCOMPARE(rig.peer.sentIds(), QList<int>{62});
        QCOMPARE(int(rig.peer.sent.at(0).at(2)), 1);
    }

    void configRequestCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("loopback") << 0x0000 << QList<int>{50};
        QTest::newRow("rfc") << 0x0001 << QList<int>{67};
        QTest::newRow("ping") << 0x0004 << QList<int>{51};
        QTest::newRow("traffic write") << 0x0105 << QList<int>{61};
        QTest::newRow("trace") << 0x0006 << QList<int>{52};
        QTest::newRow("jitter") << 0x0007 << QList<int>{53};
        QTest::newRow("bert") << 0x0008 << QList<int>{70};
        QTest::newRow("dns") << 0x0009 << QList<int>{73};
        QTest::newRow("oam") << 0x000A << QList<int>{78};
        QTest::newRow("multi") << 0x000B << QList<int>{80, 81};
        QTest::newRow("interface RC") << 0x800C << QList<int>{62};
        QTest::newRow("stats") << 0x010D << QList<int>{58};
        QTest::newRow("file list") << 0x000E << QList<int>{71, 45, 71};
        QTest::newRow("cable has none") << 0x0002 << QList<int>{};
        QTest::newRow("transit has none") << 0x0003 << QList<int>{};
    }
    void configRequestCodes()
    {
        QFETCH(int, code);
        QFETCH(QList<int>, ids);
        Rig rig;
        rig.peer.responder = EnginePeer::echo; // an empty list ends at once
        rig.proto.gs_cfg(quint16(code));
        QTRY_COMPARE(rig.peer.sent.size(), ids.size());
        QTest::qWait(20);
        QCOMPARE(rig.peer.sentIds(), ids);
        // The direction bit: byte 3 of a configuration request, byte 2 of
        // the statistics setting.
        if (!ids.isEmpty() && ids.first() != 71)
            QCOMPARE(int(rig.peer.sent.first().at(ids.first() == 58 ? 2 : 3)), (code >> 8) & 1);
    }

    void startCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<uint>("state");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QByteArray>("lastBytes"); // bytes 2..4 of the last packet
        const auto b = [](int x, int y, int z) { const char s[3] = {char(x), char(y), char(z)}; return QByteArray(s, 3); };
        QTest::newRow("loopback level 3") << 0x0300 << 0u << QList<int>{69} << b(0, 5, 0);
        QTest::newRow("rfc cross start") << 0x0001 << 0u << QList<int>{69, 60} << b(0, 1, 1);
        QTest::newRow("rfc same-port stop") << 0x0101 << StateBit::tx(StateBit::Rfc) << QList<int>{69, 60}
                                            << b(0, 0, 1);
        QTest::newRow("cable") << 0x0002 << 0u << QList<int>{60} << b(0, 1, 7);
        QTest::newRow("transit on") << 0x0803 << 0u << QList<int>{69} << b(0, 8, 0);
        QTest::newRow("ping") << 0x0004 << 0u << QList<int>{60} << b(0, 1, 4);
        QTest::newRow("traffic same port") << 0x0105 << 0u << QList<int>{69, 60} << b(0, 1, 3);
        QTest::newRow("traffic stop") << 0x0005 << StateBit::tx(StateBit::Traffic) << QList<int>{69, 60}
                                      << b(0, 0, 3);
        QTest::newRow("receive side alone does not stop")
            << 0x0005 << StateBit::rx(StateBit::Traffic) << QList<int>{69, 60} << b(0, 1, 3);
        QTest::newRow("trace") << 0x0006 << 0u << QList<int>{60} << b(0, 1, 5);
        QTest::newRow("jitter") << 0x0107 << 0u << QList<int>{69, 60} << b(0, 1, 6);
        QTest::newRow("bert") << 0x0008 << 0u << QList<int>{69, 60} << b(0, 1, 2);
        QTest::newRow("dns") << 0x0009 << StateBit::tx(StateBit::Dns) << QList<int>{69, 60} << b(0, 1, 8);
        QTest::newRow("oam start") << 0x010A << 0u << QList<int>{69, 60} << b(0, 1, 9);
        QTest::newRow("oam stop") << 0x000A << 0u << QList<int>{69, 60} << b(0, 0, 9);
        QTest::newRow("multi") << 0x000B << 0u << QList<int>{69, 60} << b(0, 1, 10);
        QTest::newRow("stats reset") << 0x000D << 0u << QList<int>{68} << b(0, 0, 0);
        QTest::newRow("save settings") << 0x020E << 0u << QList<int>{75} << b('$', 'S', 'E');
        QTest::newRow("interface has none") << 0x000C << 0u << QList<int>{} << QByteArray();
        QTest::newRow("file action 5 has none") << 0x050E << 0u << QList<int>{} << QByteArray();
    }
    void startCodes()
    {
        QFETCH(int, code);
        QFETCH(uint, state);
        QFETCH(QList<int>, ids);
        QFETCH(QByteArray, lastBytes);
        Rig rig;
        rig.device.procState[0] = state;
        rig.device.fileName = QStringLiteral("$SET");
        rig.peer.responder = EnginePeer::echo;
        rig.proto.start_test(quint16(code));
        QTRY_COMPARE(rig.peer.sent.size(), ids.size());
        QTest::qWait(20);
        QCOMPARE(rig.peer.sentIds(), ids);
        if (!ids.isEmpty())
            QCOMPARE(rig.peer.sent.last().mid(2, 3), lastBytes);
        if (ids.size() == 2 && ids.first() == 69)
            QCOMPARE(int(rig.peer.sent.first().at(3)), code == 0x010A || code == 0x000A ? 1 : code >> 8);
    }

    // One request outstanding at a time: the second leaves only after the
    // first has been answered.
    void strictRequestReply()
    {
        Rig rig;
        rig.proto.upd_status();
        rig.proto.gs_cfg(0x0005);
        QCOMPARE(rig.peer.sentIds(), QList<int>{0});
        QCOMPARE(rig.proto.queuedPackets(), 1);
        rig.proto.pckt_rcv(EnginePeer::reply(0));
        QCOMPARE(rig.peer.sentIds(), (QList<int>{0, 61}));
    }

    // A late reply (its request timed out on a link since closed) is not
    // taken for the request outstanding: every reply after it would be
    // filed one request late.
    void replyOfAnotherRequestIgnored()
    {
        Rig rig;
        const auto before = rig.device.trafficConfig[0];
        rig.proto.upd_status();
        rig.proto.upd_status();
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_TRAFFIC_CFG, QByteArray(40, char(0x77))));
        QCOMPARE(rig.peer.sent.size(), 1);
        QVERIFY(rig.proto.awaitingReply());
        QVERIFY(rig.device.trafficConfig[0] == before);
        rig.proto.pckt_rcv(EnginePeer::reply(0));
        QCOMPARE(rig.peer.sent.size(), 2);
    }

    // A reply nobody asked for (a late one after a reset) touches nothing.
    void replyWithEmptyQueueIgnored_data()
    {
        QTest::addColumn<int>("id");
        for (int id : {50, 54, 55, 57, 61, 62, 63, 64, 65, 66, 78, 80, 82})
            QTest::addRow("%d", id) << id;
    }
    void replyWithEmptyQueueIgnored()
    {
        QFETCH(int, id);
        Rig rig;
        QSignalSpy cfgSpy(&rig.proto, &OldProto::cfg_rcv);
        QSignalSpy resSpy(&rig.proto, &OldProto::res_rcv);
        const QByteArray before = member(rig.device, QStringLiteral("trafficConfig"), 0);
        rig.proto.pckt_rcv(EnginePeer::reply(quint8(id), pattern(5, 260)));
        QCOMPARE(cfgSpy.size() + resSpy.size(), 0);
        QCOMPARE(member(rig.device, QStringLiteral("trafficConfig"), 0), before);
    }

    void debugRegister_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<bool>("emitted");
        QTest::addColumn<uint>("word");
        QByteArray ok(7, '\0');
        Bytes::put32(ok.data(), 0, 0x3000);
        ok[4] = 0x5A;
        ok[5] = 'O';
        ok[6] = 'K';
        QByteArray negative = ok;
        negative[4] = char(0xFF);
        QByteArray refused = ok;
        refused[6] = 'X';
        QTest::newRow("value byte") << ok << true << 0x5A3000u;
        QTest::newRow("byte 6 is signed") << negative << true << uint(0x3000 - 65536);
        QTest::newRow("no OK") << refused << false << 0u;
    }
    void debugRegister()
    {
        QFETCH(QByteArray, payload);
        QFETCH(bool, emitted);
        QFETCH(uint, word);
        Rig rig;
        QSignalSpy spy(&rig.proto, &OldProto::debug_fpga_rcv);
        rig.proto.debug_fpga_rw(0x3000);
        rig.proto.pckt_rcv(EnginePeer::reply(PROGPACK_FPGA_RW, payload));
        QCOMPARE(spy.size(), emitted ? 1 : 0);
        if (emitted)
            QCOMPARE(spy.at(0).at(0).toUInt(), word);
    }

    void settingsFileActions_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("save confirmed") << 0x020E << QByteArray("OK") << QList<int>{75, 71, 45, 71};
        QTest::newRow("load confirmed") << 0x030E << QByteArray("OK") << QList<int>{76, 71, 45, 71};
        QTest::newRow("delete confirmed") << 0x040E << QByteArray("OK") << QList<int>{77, 71, 45, 71};
        // Half an "OK" is no confirmation.
        QTest::newRow("load, O only") << 0x030E << QByteArray("O?") << QList<int>{76};
        QTest::newRow("delete, K only") << 0x040E << QByteArray("?K") << QList<int>{77};
        QTest::newRow("refused") << 0x020E << QByteArray("NO") << QList<int>{75};
    }
    void settingsFileActions()
    {
        QFETCH(int, code);
        QFETCH(QByteArray, answer);
        QFETCH(QList<int>, ids);
        Rig rig;
        rig.peer.responder = [&answer](const QByteArray &req) {
            const quint8 id = Packet::id(req);
            return id >= 75 && id <= 77 ? EnginePeer::reply(id, answer) : EnginePeer::echo(req);
        };
        rig.proto.start_test(quint16(code));
        QTRY_COMPARE(rig.peer.sent.size(), ids.size());
        QTest::qWait(20);
        QCOMPARE(rig.peer.sentIds(), ids);
    }
};

QTEST_MAIN(TestCommandSet)
#include "tst_commandset.moc"
