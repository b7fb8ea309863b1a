// The simulated tester's device model, driven packet by packet in simulated
// time: tests run for their configured time and stop by themselves, results
// grow, the start rules of the ports hold, files and blocks keep their layout.

#include "device.h"
#include "packetfields.h"

#include "bertlayout.h"
#include "cablelayout.h"
#include "iflayout.h"
#include "jitterlayout.h"
#include "multilayout.h"
#include "oamlayout.h"
#include "packet.h"
#include "pinglayout.h"
#include "progpack.h"
#include "resultfile.h"
#include "rfclayout.h"
#include "statslayout.h"
#include "testcodes.h"
#include "trafficlayout.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

quint8 at8(const QByteArray &p, std::size_t offset)
{
    return quint8(p.at(qsizetype(offset)));
}
quint32 at32(const QByteArray &p, std::size_t offset)
{
    return Bytes::get32(p.constData(), offset);
}
quint64 at64(const QByteArray &p, std::size_t offset)
{
    return quint64(at32(p, offset)) | quint64(at32(p, offset + 4)) << 32;
}

// A request packet of the command set with bytes set from offset 2 on.
QByteArray request(quint8 id, std::initializer_list<quint8> bytes = {})
{
    QByteArray p = Packet::make(id);
    std::size_t i = 2;
    for (quint8 b : bytes)
        p[qsizetype(i++)] = char(b);
    Packet::seal(p);
    return p;
}

QByteArray withBlock(quint8 id, quint8 process, const QByteArray &block)
{
    QByteArray p = request(id, {process, 1});
    p.replace(4, block.size(), block);
    Packet::seal(p);
    return p;
}

template <std::size_t N>
QByteArray bytesOf(const Block<N> &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(N));
}

QByteArray named(quint8 id, const QByteArray &name)
{
    QByteArray p = Packet::make(id);
    p.replace(2, name.size(), name);
    Packet::seal(p);
    return p;
}

} // namespace

class TestSimDevice : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Device> m_device;

    Device &dev() { return *m_device; }
    QByteArray ask(const QByteArray &p) { return dev().respond(p); }
    QByteArray statusNow() { return ask(request(PROGPACK_CHECKCONNECT)); }
    void start(quint8 process, quint8 topology, quint8 runCode)
    {
        ask(request(PROGPACK_MODE, {process, topology}));
        ask(request(PROGPACK_TEST_RUN, {process, 1, runCode}));
    }
    void stop(quint8 process, quint8 runCode) { ask(request(PROGPACK_TEST_RUN, {process, 0, runCode})); }

    // Configurations with short durations, for the tests that run.
    void shortConfigs(quint8 process)
    {
        TrafficConfigBlock traffic = TrafficDefaults::Port[process];
        put32(traffic, TrafficConfigField::Duration, 3);
        ask(withBlock(PROGPACK_TRAFFIC_CFG, process, bytesOf(traffic)));
        JitterConfigBlock jitter = JitterDefaults::Port[process];
        put32(jitter, JitterConfigField::Duration, 3);
        ask(withBlock(PROGPACK_JITTER_CFG, process, bytesOf(jitter)));
        BertConfigBlock bert = BertDefaults::Port[process];
        put32(bert, BertConfigField::Duration, 3);
        ask(withBlock(PROGPACK_BERT_CFG, process, bytesOf(bert)));
        MultiConfigBlock multi = MultiDefaults::Port[process];
        put32(multi, MultiConfigField::Duration, 3);
        ask(withBlock(PROGPACK_MULTI_CFG1, process, bytesOf(multi).left(MultiConfigField::FirstPart)));
        ask(withBlock(PROGPACK_MULTI_CFG2, process, bytesOf(multi).mid(MultiConfigField::FirstPart)));
    }

private Q_SLOTS:
    void init() { m_device = std::make_unique<Device>(DeviceIdentity::forModel(false), 1); }

    void status_data()
    {
        QTest::addColumn<bool>("qvb");
        QTest::addColumn<QByteArray>("speeds");
        QTest::addColumn<int>("duplex");
        QTest::newRow("ZORT-QV") << false << QByteArray("\x03\x03") << 0x22;
        QTest::newRow("ZORT-QVB") << true << QByteArray("\x03\x00", 2) << 0x02;
    }

    void status()
    {
        QFETCH(bool, qvb);
        QFETCH(QByteArray, speeds);
        QFETCH(int, duplex);
        m_device = std::make_unique<Device>(DeviceIdentity::forModel(qvb), 1);
        const QByteArray s = statusNow();
        QCOMPARE(s.size(), Packet::Size);
        QCOMPARE(int(at8(s, StatusField::Model)), qvb ? 1 : 0);
        QCOMPARE(int(Bytes::get16(s.constData(), StatusField::Serial)), 1234);
        QCOMPARE(s.mid(StatusField::LinkSpeed, 2), speeds);
        QCOMPARE(int(at8(s, StatusField::Duplex)), duplex);
        QCOMPARE(s.mid(StatusField::Release, 4), QByteArray("1.5\0", 4));
        // Versions past the thresholds from which the program reads the
        // release, the duplex and the rates.
        const quint32 cpu = quint32(at8(s, 2)) << 16 | quint32(at8(s, 3)) << 8 | at8(s, 4);
        QVERIFY(qvb ? cpu >= 0x305 : cpu > 0x1A19);
        QCOMPARE(at32(s, StatusField::State), 0u);
    }

    void runsForItsDuration_data()
    {
        QTest::addColumn<quint8>("runCode");
        QTest::addColumn<int>("bit");
        QTest::addColumn<quint8>("resultId");
        QTest::addColumn<int>("counter");  // offset of a 32-bit counter in the reply
        QTest::addColumn<int>("durationMs"); // configured time, margins included
        QTest::newRow("traffic") << quint8(RunCode::Traffic) << int(StateBit::Traffic) << quint8(PROGPACK_TRAFFIC_RES)
                                 << int(Rep::TrafficResult + TrafficResultField::RxFrames) << 5000;
        QTest::newRow("jitter") << quint8(RunCode::Jitter) << int(StateBit::Jitter) << quint8(PROGPACK_JITTER_RES)
                                << int(Rep::Payload + JitterResultField::RxAll) << 3000;
        QTest::newRow("BERT") << quint8(RunCode::Bert) << int(StateBit::Bert) << quint8(PROGPACK_BERT_RES)
                              << int(Rep::Payload + BertResultField::RxBits) << 3000;
        QTest::newRow("multistream") << quint8(RunCode::Multi) << int(StateBit::Multi) << quint8(PROGPACK_MULTI_RES)
                                     << int(Rep::Payload + MultiResultField::stream(0) + MultiResultField::RxFrames)
                                     << 5000;
        QTest::newRow("cable") << quint8(RunCode::Cable) << int(StateBit::Cable) << quint8(0) << 0 << 3000;
    }

    void runsForItsDuration()
    {
        QFETCH(quint8, runCode);
        QFETCH(int, bit);
        QFETCH(quint8, resultId);
        QFETCH(int, counter);
        QFETCH(int, durationMs);
        shortConfigs(0);
        start(0, Mode::SamePort, runCode);
        QCOMPARE(at32(statusNow(), StatusField::State), StateBit::tx(bit) | StateBit::rx(bit));

        quint32 last = 0;
        int grew = 0;
        for (int ms = 500; ms < durationMs; ms += 500) {
            dev().advance(500);
            QVERIFY2(at32(statusNow(), StatusField::State) != 0, "ended early");
            QCOMPARE(int(at8(statusNow(), StatusField::Elapsed)), ms / 1000);
            if (resultId == 0)
                continue;
            const quint32 now = at32(ask(request(resultId, {0})), std::size_t(counter));
            QVERIFY(now >= last);
            grew += now > last ? 1 : 0;
            last = now;
        }
        QVERIFY(resultId == 0 || grew >= 2);
        dev().advance(600);
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        QCOMPARE(int(at8(statusNow(), StatusField::Elapsed)), 0);
    }

    void ratesWhileTrafficRuns()
    {
        shortConfigs(0);
        start(0, Mode::Cross, RunCode::Traffic);
        dev().advance(500); // the margin: nothing on the wire yet
        QVERIFY(at32(statusNow(), StatusField::Rates) < 1000);
        dev().advance(1000);
        const QByteArray s = statusNow();
        // 100 % of 1000 Mbit/s with 64-byte frames is 1488095 frames/s; the
        // path forwards 10^6 of them to port B.
        QVERIFY(qAbs(double(at32(s, StatusField::Rates)) - 1488095.0 * 64) < 1000);
        QVERIFY(qAbs(double(at32(s, StatusField::Rates + 12)) - 1.0e6 * 64) < 1000);
        QVERIFY(at32(s, StatusField::Rates + 4) < 1000);
    }

    void onePerProcess()
    {
        TrafficConfigBlock endless = TrafficDefaults::Port[0];
        put32(endless, TrafficConfigField::Duration, 0);
        ask(withBlock(PROGPACK_TRAFFIC_CFG, 0, bytesOf(endless)));
        start(0, Mode::SamePort, RunCode::Traffic);
        start(0, Mode::SamePort, RunCode::Bert);
        ask(request(PROGPACK_MODE, {0, quint8(Mode::LoopbackLevel0 + 2)}));
        QCOMPARE(at32(statusNow(), StatusField::State), StateBit::tx(StateBit::Traffic) | StateBit::rx(StateBit::Traffic));
        QCOMPARE(int(at8(statusNow(), StatusField::LoopLevel)), 0);
        start(1, Mode::SamePort, RunCode::Bert);
        QCOMPARE(at32(statusNow(), StatusField::State + 4), StateBit::tx(StateBit::Bert) | StateBit::rx(StateBit::Bert));
        dev().advance(100000); // no duration: it runs until stopped
        stop(0, RunCode::Traffic);
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        QVERIFY(at32(statusNow(), StatusField::State + 4) == 0u); // BERT's 3 s are long over
    }

    void crossPort_data()
    {
        QTest::addColumn<bool>("qvb");
        QTest::addColumn<bool>("peerBusy");
        QTest::addColumn<bool>("starts");
        QTest::newRow("ZORT-QV") << false << false << true;
        QTest::newRow("peer busy") << false << true << false;
        QTest::newRow("ZORT-QVB") << true << false << false;
    }

    void crossPort()
    {
        QFETCH(bool, qvb);
        QFETCH(bool, peerBusy);
        QFETCH(bool, starts);
        m_device = std::make_unique<Device>(DeviceIdentity::forModel(qvb), 1);
        if (peerBusy)
            ask(request(PROGPACK_TEST_RUN, {1, 1, RunCode::Ping}));
        start(0, Mode::Cross, RunCode::Jitter);
        const quint32 a = at32(statusNow(), StatusField::State);
        const quint32 b = at32(statusNow(), StatusField::State + 4);
        if (!starts) {
            QCOMPARE(a, 0u);
            return;
        }
        QCOMPARE(a, StateBit::tx(StateBit::Jitter));
        QCOMPARE(b, StateBit::rx(StateBit::Jitter));
        QCOMPARE(int(at8(statusNow(), StatusField::Topology)), int(Mode::Cross));
        dev().advance(1500); // the receiving port counts the same seconds
        QCOMPARE(int(at8(statusNow(), StatusField::Elapsed + 1)), 1);
        // B is occupied: nothing starts there, and its stop does not reach A's test.
        start(1, Mode::SamePort, RunCode::Ping);
        stop(1, RunCode::Jitter);
        QCOMPARE(at32(statusNow(), StatusField::State + 4), StateBit::rx(StateBit::Jitter));
        QCOMPARE(int(at8(statusNow(), StatusField::Topology + 1)), 0xFF);
        stop(0, RunCode::Jitter);
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        QCOMPARE(at32(statusNow(), StatusField::State + 4), 0u);
    }

    void loopbackAndTransit()
    {
        ask(request(PROGPACK_MODE, {0, quint8(Mode::LoopbackLevel0 + 3)}));
        QCOMPARE(int(at8(statusNow(), StatusField::LoopLevel)), 3);
        QVERIFY(at32(statusNow(), StatusField::State) & StateBit::tx(StateBit::Loopback));
        ask(request(PROGPACK_MODE, {0, quint8(Mode::LoopbackLevel0 + 1)})); // switching levels
        QCOMPARE(int(at8(statusNow(), StatusField::LoopLevel)), 1);
        ask(request(PROGPACK_MODE, {1, Mode::TransitOn})); // A is in loopback
        QCOMPARE(at32(statusNow(), StatusField::State + 4), 0u);
        ask(request(PROGPACK_MODE, {0, Mode::LoopbackLevel0}));
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        ask(request(PROGPACK_MODE, {1, Mode::TransitOn}));
        QVERIFY(at32(statusNow(), StatusField::State) & StateBit::tx(StateBit::Transit));
        QVERIFY(at32(statusNow(), StatusField::State + 4) & StateBit::tx(StateBit::Transit));
        ask(request(PROGPACK_MODE, {0, Mode::TransitOff}));
        QCOMPARE(at32(statusNow(), StatusField::State + 4), 0u);
    }

    void configRoundTrip_data()
    {
        QTest::addColumn<quint8>("id");
        QTest::addColumn<int>("replyAt");
        QTest::addColumn<int>("size");
        QTest::newRow("loopback 50") << quint8(PROGPACK_LB_CFG) << 2 << int(BlockSize::LbConfig);
        QTest::newRow("ping 51") << quint8(PROGPACK_PING_CFG) << 4 << int(BlockSize::PingConfig);
        QTest::newRow("trace 52") << quint8(PROGPACK_TRACE_CFG) << 4 << int(BlockSize::TraceConfig);
        QTest::newRow("jitter 53") << quint8(PROGPACK_JITTER_CFG) << 4 << int(BlockSize::JitterConfig);
        QTest::newRow("traffic 61") << quint8(PROGPACK_TRAFFIC_CFG) << 4 << int(BlockSize::TrafficConfig);
        QTest::newRow("RFC 67") << quint8(PROGPACK_RFC_CFG) << 4 << int(BlockSize::RfcConfig);
        QTest::newRow("BERT 70") << quint8(PROGPACK_BERT_CFG) << 2 << int(BlockSize::BertConfig);
        QTest::newRow("DNS 73") << quint8(PROGPACK_DNS_CFG) << 2 << int(BlockSize::DnsConfig);
        QTest::newRow("multistream 80") << quint8(PROGPACK_MULTI_CFG1) << 2 << int(MultiConfigField::FirstPart);
        QTest::newRow("multistream 81") << quint8(PROGPACK_MULTI_CFG2) << 2 << int(MultiConfigField::SecondPart);
        QTest::newRow("interface 62") << quint8(PROGPACK_IFACE_CFG) << 4 << int(IfaceConfigField::OamMode);
    }

    void configRoundTrip()
    {
        QFETCH(quint8, id);
        QFETCH(int, replyAt);
        QFETCH(int, size);
        for (quint8 process : {quint8(1), quint8(0)}) {
            QByteArray block(size, '\0');
            QRandomGenerator random(id + process);
            for (char &c : block)
                c = char(random.bounded(256));
            const QByteArray written = ask(withBlock(id, process, block));
            QCOMPARE(written.mid(replyAt, size), block);
            const QByteArray read = ask(request(id, {process, 0}));
            QCOMPARE(read.mid(replyAt, size), block);
        }
        // Each process keeps its own block.
        QVERIFY(ask(request(id, {0, 0})).mid(replyAt, size) != ask(request(id, {1, 0})).mid(replyAt, size));
    }

    void configKeptWhileRunning()
    {
        const QByteArray before = ask(request(PROGPACK_BERT_CFG, {0, 0})).mid(2, 20);
        start(0, Mode::SamePort, RunCode::Bert);
        ask(withBlock(PROGPACK_BERT_CFG, 0, QByteArray(20, '\x7f')));
        QCOMPARE(ask(request(PROGPACK_BERT_CFG, {0, 0})).mid(2, 20), before);
    }

    void rfcFillsSubTestBySubTest()
    {
        using namespace RfcConfigField;
        RfcConfigBlock config = RfcDefaults::Port[0];
        for (std::size_t i = 0; i < Slots; ++i)
            put8(config, slotEnabled(i), i == 0 || i == 6 ? 1 : 0); // 64 and 1518 bytes
        put32(config, ThrSample, 1);
        put32(config, LatIterations, 2);
        put8(config, LatUserLoading, 0);
        put8(config, FrlStartLoad, 100);
        put8(config, FrlEndLoad, 90);
        put8(config, FrlStep, 5);
        put16(config, BtbIterations, 2);
        ask(withBlock(PROGPACK_RFC_CFG, 0, bytesOf(config)));
        start(0, Mode::SamePort, RunCode::Rfc);

        using namespace RfcSummaryField;
        const auto summary = [&] {
            QByteArray all;
            for (const auto &range : {std::pair{0, 32}, {32, 96}, {128, 192}, {320, 96}}) {
                QByteArray p = request(PROGPACK_RFC_RES, {0});
                Bytes::put32(p.data(), Req::RfcOffset, quint32(range.first));
                Bytes::put32(p.data(), Req::RfcLength, quint32(range.second));
                Packet::seal(p);
                all += ask(p).mid(2, range.second);
            }
            return all;
        };
        const auto frameloss = [&](std::size_t step) { return ask(request(PROGPACK_RFC_STEP, {0, 0, quint8(step)})); };
        // Sub-test by sub-test: no later sub-test runs before the earlier
        // ones are done for every frame size.
        QStringList order;
        for (int i = 0; i < 200 && at32(statusNow(), StatusField::State); ++i) {
            const QByteArray s = summary();
            const quint8 frl[2] = {at8(frameloss(0), 2 + 6 * 0), at8(frameloss(0), 2 + 6 * 6)};
            const quint8 statuses[4][2] = {{at8(s, thrStatus(0)), at8(s, thrStatus(6))},
                                           {at8(s, latStatus(0)), at8(s, latStatus(6))},
                                           {frl[0], frl[1]},
                                           {at8(s, btbStatus(0)), at8(s, btbStatus(6))}};
            for (int t = 0; t < 4; ++t) {
                for (int k = 0; k < 2; ++k) {
                    if (statuses[t][k] == RfcStatus::Running) {
                        const QString step = QStringLiteral("%1/%2").arg(t).arg(k);
                        if (order.isEmpty() || order.last() != step)
                            order << step;
                    }
                }
            }
            QCOMPARE(int(at8(s, thrStatus(1))), int(RfcStatus::Off));
            dev().advance(500);
        }
        QCOMPARE(order, (QStringList{"0/0", "0/1", "1/0", "1/1", "2/0", "2/1", "3/0", "3/1"}));
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);

        const QByteArray s = summary();
        QCOMPARE(int(Bytes::get16(s.constData(), frameLength(6))), 1518);
        float load64 = 0, load1518 = 0;
        std::memcpy(&load64, s.constData() + thrLoad(0), 4);
        std::memcpy(&load1518, s.constData() + thrLoad(6), 4);
        QCOMPARE(load64, 67.0f); // 10^6 frames/s of the 1488095 the line carries
        QCOMPARE(load1518, 100.0f);
        double latency = 0;
        std::memcpy(&latency, s.constData() + latValue(6), 8);
        QVERIFY(latency > 12000 && latency < 20000); // 1538 bytes at 1 Gbit/s, plus the path
        // Frame loss at 100, 95 and 90 % of the line, for 64-byte frames.
        const quint32 expectedLoss[3] = {33, 29, 25};
        for (std::size_t step = 0; step < 3; ++step) {
            const QByteArray f = frameloss(step);
            QCOMPARE(int(at8(f, 2)), int(RfcStatus::Ok));
            QCOMPARE(at32(f, 3), expectedLoss[step]);
            QCOMPARE(int(at8(f, 7)), int(100 - 5 * step));
            QCOMPARE(at32(f, 2 + 6 * 6 + 1), 0u); // 1518 bytes lose nothing
        }
        QCOMPARE(int(at8(frameloss(3), 7)), 0);
        QVERIFY(dev().files().contains("$RFC_001"));
    }

    void cablePairs_data()
    {
        QTest::addColumn<quint8>("port");
        QTest::addColumn<bool>("link");
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<QList<int>>("metres");
        QTest::addColumn<QList<int>>("polarity");
        const QList<int> sound{0, 0, 0, 0};
        QTest::newRow("A, link") << quint8(0) << true << QList<int>{0, 0, 0, 0} << QList<int>{35, 35, 35, 35} << sound;
        QTest::newRow("A, no link") << quint8(0) << false << QList<int>{2, 2, 2, 2} << QList<int>{35, 35, 35, 35} << sound;
        QTest::newRow("B, link") << quint8(1) << true << QList<int>{0, 0, 1, 4} << QList<int>{12, 12, 9, 9}
                                 << QList<int>{0, 1, 0, 0};
        QTest::newRow("B, no link") << quint8(1) << false << QList<int>{2, 3, 1, 4} << QList<int>{12, 12, 9, 9}
                                    << QList<int>{0, 1, 0, 0};
    }

    void cablePairs()
    {
        QFETCH(quint8, port);
        QFETCH(bool, link);
        QFETCH(QList<int>, states);
        QFETCH(QList<int>, metres);
        QFETCH(QList<int>, polarity);
        if (!link) { // no link mode offered: no partner (and OAM stays off)
            QByteArray block(int(BlockSize::IfaceConfig), '\0');
            block[int(IfaceConfigField::OamMode)] = char(OamMode::Disabled);
            ask(withBlock(PROGPACK_IFACE_CFG, port, block));
        }
        ask(request(PROGPACK_TEST_RUN, {port, 1, RunCode::Cable}));
        const std::size_t state = StatusField::State + 4 * port;
        QCOMPARE(at32(statusNow(), state), StateBit::tx(StateBit::Cable) | StateBit::rx(StateBit::Cable));
        dev().advance(3100);
        QCOMPARE(at32(statusNow(), state), 0u);
        const QByteArray r = ask(request(PROGPACK_CABLE_RES, {port}));
        QCOMPARE(int(at8(r, 2 + CableResultField::Detail)), link ? 1 : 0);
        QCOMPARE(int(at8(r, 2 + CableResultField::Straight12_34)), port == 0 ? 1 : 0); // B's cord is crossed
        for (std::size_t pair = 0; pair < CableResultField::Pairs; ++pair) {
            QCOMPARE(int(at8(r, 2 + CableResultField::state(pair))), states.at(int(pair)));
            QCOMPARE(int(at8(r, 2 + CableResultField::polarity(pair))), polarity.at(int(pair)));
            QVERIFY(qAbs(CableDistance::metres(at8(r, 2 + CableResultField::distance(pair))) - metres.at(int(pair))) <= 1);
        }
    }

    void pingRowsAndStatistics_data()
    {
        QTest::addColumn<quint32>("address");
        QTest::addColumn<quint8>("answer");
        QTest::newRow("neighbour") << 0xC0A800C9u << quint8(PingStatus::Ok);
        QTest::newRow("broadcast") << 0xC0A800FFu << quint8(PingStatus::Timeout);
    }

    void pingRowsAndStatistics()
    {
        QFETCH(quint32, address);
        QFETCH(quint8, answer);
        PingConfigBlock config = PingDefaults::Ping[0];
        put32(config, PingConfigField::IpDst, address);
        ask(withBlock(PROGPACK_PING_CFG, 0, bytesOf(config)));
        ask(request(PROGPACK_TEST_RUN, {0, 1, RunCode::Ping}));
        dev().advance(7500); // requests at 0, 1, ..., 7 s
        const QByteArray r = ask(request(PROGPACK_PING_RES, {0}));
        using namespace PingResultField;
        for (std::size_t row = 0; row < Rows; ++row) {
            QCOMPARE(int(Bytes::get16(r.constData(), 2 + PingResultField::row(row) + Sequence)), int(row + 3));
            // The newest request of a timeout is still waiting.
            const quint8 expected = answer == PingStatus::Timeout && row == Rows - 1 ? PingStatus::Request : answer;
            QCOMPARE(int(at8(r, 2 + PingResultField::row(row) + Status)), int(expected));
        }
        QCOMPARE(at32(r, Rep::PingStats + PingStatsField::Sent), 8u);
        const quint32 received = at32(r, Rep::PingStats + PingStatsField::Received);
        const quint32 minimum = at32(r, Rep::PingStats + PingStatsField::Minimum);
        QCOMPARE(received, answer == PingStatus::Ok ? 8u : 0u);
        QVERIFY(answer == PingStatus::Ok ? minimum <= 2 : minimum == PingStatsField::NoMinimum);
        ask(request(PROGPACK_TEST_RUN, {0, 0, RunCode::Ping}));
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        if (answer == PingStatus::Timeout) {
            const QByteArray after = ask(request(PROGPACK_PING_RES, {0}));
            QCOMPARE(int(at8(after, 2 + PingResultField::row(Rows - 1) + Status)), int(PingStatus::Interrupted));
        }
    }

    void traceHopsPageByPage_data()
    {
        QTest::addColumn<quint32>("destination");
        QTest::addColumn<int>("minHops");
        QTest::addColumn<quint8>("lastStatus");
        QTest::addColumn<QByteArray>("lastAddress");
        QTest::newRow("public host") << 0x5DB8D822u << 3 << quint8(TraceStatus::Reached)
                                     << QByteArray("\x5d\xb8\xd8\x22", 4); // 93.184.216.34
        // Nothing answers past the routers: probes time out up to the last hop kept.
        QTest::newRow("silent host") << 0xCB007107u << int(BlockSize::TraceHops) << quint8(TraceStatus::Timeout)
                                     << QByteArray(4, '\0');
    }

    void traceHopsPageByPage()
    {
        QFETCH(quint32, destination);
        QFETCH(int, minHops);
        QFETCH(quint8, lastStatus);
        QFETCH(QByteArray, lastAddress);
        TraceConfigBlock trace = PingDefaults::Trace[0];
        put32(trace, TraceConfigField::IpDst, destination);
        put16(trace, TraceConfigField::Pause, 100);
        ask(withBlock(PROGPACK_TRACE_CFG, 0, bytesOf(trace)));
        ask(request(PROGPACK_TEST_RUN, {0, 1, RunCode::Trace}));
        for (int i = 0; i < 1000 && at32(statusNow(), StatusField::State); ++i)
            dev().advance(500);
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        // All hops of the route, page by page; the first is the gateway. The
        // last page ends with the block: its eighth row stays empty.
        QList<QByteArray> hops;
        for (quint8 page = 0; page < 32; ++page) {
            const QByteArray r = ask(request(PROGPACK_TRACE_RES, {0, page}));
            for (std::size_t k = 0; k < BlockSize::TracePageHops; ++k) {
                const QByteArray hop = r.mid(qsizetype(2 + BlockSize::TraceHop * k), BlockSize::TraceHop);
                if (hop.at(TraceHopField::Status) != 0)
                    hops << hop;
            }
        }
        QVERIFY(hops.size() >= minHops);
        QVERIFY(hops.size() <= int(BlockSize::TraceHops));
        QCOMPARE(hops.first().mid(TraceHopField::Address, 4), QByteArray("\xc0\xa8\x00\x01", 4));
        for (qsizetype k = 0; k < hops.size(); ++k)
            QCOMPARE(int(quint8(hops[k].at(TraceHopField::Number))), int(k + 1));
        QCOMPARE(int(hops.last().at(TraceHopField::Status)), int(lastStatus));
        QCOMPARE(hops.last().mid(TraceHopField::Address, 4), lastAddress);
    }

    void dns_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<quint8>("outcome");
        QTest::addColumn<QByteArray>("address");
        QTest::newRow("example.com") << QByteArray("example.com") << quint8(DnsStatus::Passed)
                                     << QByteArray("\x5d\xb8\xd8\x22", 4);
        QTest::newRow("reserved") << QByteArray("host.invalid") << quint8(DnsStatus::Error) << QByteArray(4, '\0');
        QTest::newRow("bad characters") << QByteArray("a b.com") << quint8(DnsStatus::Error) << QByteArray(4, '\0');
    }

    void dns()
    {
        QFETCH(QByteArray, name);
        QFETCH(quint8, outcome);
        QFETCH(QByteArray, address);
        ask(withBlock(PROGPACK_DNS_CFG, 0, name + '\0'));
        ask(request(PROGPACK_TEST_RUN, {0, 1, RunCode::Dns}));
        dev().advance(100);
        QCOMPARE(int(at8(ask(request(PROGPACK_DNS_RES, {0})), 2 + DnsResultField::Status)), int(DnsStatus::InProgress));
        dev().advance(1000);
        const QByteArray r = ask(request(PROGPACK_DNS_RES, {0}));
        QCOMPARE(r.mid(2, name.size() + 1), name + '\0');
        QCOMPARE(int(at8(r, 2 + DnsResultField::Status)), int(outcome));
        QCOMPARE(r.mid(2 + DnsResultField::Address, 4), address);
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
    }

    void jitterBuckets()
    {
        shortConfigs(0);
        start(0, Mode::SamePort, RunCode::Jitter);
        dev().advance(3000);
        const QByteArray r = ask(request(PROGPACK_JITTER_RES, {0}));
        const quint64 all = at64(r, 2 + JitterResultField::RxAll);
        quint64 sum = 0;
        for (std::size_t j = 0; j < JitterResultField::Buckets; ++j)
            sum += at64(r, 2 + JitterResultField::bucket(j));
        QVERIFY(all > 2900000); // 10^6 frames/s forwarded for 3 s
        QVERIFY(sum <= all && all - sum <= JitterResultField::Buckets);
        QVERIFY(at64(r, 2 + JitterResultField::RxInOrder) < all); // an overloaded path reorders
    }

    // The buckets follow the threshold: a wide one holds nearly every frame
    // below it, a narrow one leaves most of an overloaded path at or above.
    void jitterThresholdScalesBuckets_data()
    {
        QTest::addColumn<quint16>("threshold");
        QTest::addColumn<bool>("mostBelow");
        QTest::newRow("1 ms") << quint16(1) << false;
        QTest::newRow("1000 ms") << quint16(1000) << true;
    }

    void jitterThresholdScalesBuckets()
    {
        QFETCH(quint16, threshold);
        QFETCH(bool, mostBelow);
        JitterConfigBlock config = JitterDefaults::Port[0];
        put32(config, JitterConfigField::Duration, 2);
        put16(config, JitterConfigField::Threshold, threshold);
        ask(withBlock(PROGPACK_JITTER_CFG, 0, bytesOf(config)));
        start(0, Mode::SamePort, RunCode::Jitter);
        dev().advance(2000);
        const QByteArray r = ask(request(PROGPACK_JITTER_RES, {0}));
        const quint64 all = at64(r, 2 + JitterResultField::RxAll);
        const quint64 above = at64(r, 2 + JitterResultField::bucket(JitterResultField::Buckets - 1));
        QVERIFY(all > 0);
        QCOMPARE(above < all / 100, mostBelow);
        QCOMPARE(above > all / 2, !mostBelow);
    }

    // The elapsed byte of the status wraps after 255 s like the tester's.
    void elapsedByteWraps()
    {
        TrafficConfigBlock endless = TrafficDefaults::Port[0];
        put32(endless, TrafficConfigField::Duration, 0);
        ask(withBlock(PROGPACK_TRAFFIC_CFG, 0, bytesOf(endless)));
        start(0, Mode::SamePort, RunCode::Traffic);
        dev().advance(255000);
        QCOMPARE(int(at8(statusNow(), StatusField::Elapsed)), 255);
        dev().advance(45000);
        QCOMPARE(int(at8(statusNow(), StatusField::Elapsed)), 300 - 256);
    }

    void bertRareErrors()
    {
        BertConfigBlock config = BertDefaults::Port[0];
        put16(config, BertConfigField::Rate, 50);
        put16(config, BertConfigField::Size, 1500);
        put32(config, BertConfigField::Duration, 20);
        ask(withBlock(PROGPACK_BERT_CFG, 0, bytesOf(config)));
        start(0, Mode::SamePort, RunCode::Bert);
        dev().advance(20000);
        const QByteArray r = ask(request(PROGPACK_BERT_RES, {0}));
        const double bits = double(at64(r, 2 + BertResultField::RxBits));
        const double errors = double(at64(r, 2 + BertResultField::ErrorBits));
        QVERIFY(qAbs(bits - 0.5e9 * 20 * 1500 / 1520) < 1e8);
        QVERIFY(errors > 0);
        QVERIFY(errors / bits > 2e-10 && errors / bits < 5e-9);
        QCOMPARE(at32(r, 2 + BertResultField::Elapsed), 20u);
    }

    void oamPeerAndRemoteLoopback()
    {
        ask(request(PROGPACK_OAM_CFG, {0, 1, OamMode::Active}));
        QCOMPARE(at32(statusNow(), StatusField::State), StateBit::tx(StateBit::Oam));
        QCOMPARE(int(at8(ask(request(PROGPACK_OAM_RES, {0})), 2 + OamResultField::Peer)), 0);
        dev().advance(2000);
        const QByteArray r = ask(request(PROGPACK_OAM_RES, {0}));
        QCOMPARE(int(at8(r, 2 + OamResultField::Peer)), 1);
        QVERIFY(at8(r, 2 + OamResultField::PeerConfig) & OamPeerConfig::RemoteLoopback);
        start(0, Mode::SamePort, RunCode::Traffic); // OAM occupies the port
        QCOMPARE(at32(statusNow(), StatusField::State), StateBit::tx(StateBit::Oam));
        QCOMPARE(int(at8(ask(request(PROGPACK_OAM_CFG, {0, 0})), 2)), int(OamMode::Active));
        // OAM's byte is the OAM packet's alone: an interface write keeps it.
        QCOMPARE(int(at8(ask(request(PROGPACK_IFACE_CFG, {0, 0})), 4 + IfaceConfigField::OamMode)), int(OamMode::Active));
        ask(request(PROGPACK_OAM_CFG, {0, 1, OamMode::Disabled}));
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        QCOMPARE(int(at8(ask(request(PROGPACK_OAM_RES, {0})), 2 + OamResultField::Peer)), 0);
    }

    // The interface block carries the OAM mode too: writing it switches
    // OAM like the OAM page's request; a mode the tester lacks changes nothing.
    void oamByInterfaceWrite()
    {
        const auto writeMode = [this](quint8 mode) {
            QByteArray block = ask(request(PROGPACK_IFACE_CFG, {1, 0})).mid(4, int(BlockSize::IfaceConfig));
            block[int(IfaceConfigField::OamMode)] = char(mode);
            ask(withBlock(PROGPACK_IFACE_CFG, 1, block));
            return at32(statusNow(), StatusField::State + 4);
        };
        QCOMPARE(writeMode(OamMode::Passive), StateBit::tx(StateBit::Oam));
        QCOMPARE(int(at8(ask(request(PROGPACK_OAM_CFG, {1, 0})), 2)), int(OamMode::Passive));
        QCOMPARE(writeMode(7), StateBit::tx(StateBit::Oam));
        QCOMPARE(writeMode(OamMode::Disabled), 0u);
        QCOMPARE(int(at8(ask(request(PROGPACK_OAM_CFG, {1, 0})), 2)), int(OamMode::Disabled));
    }

    void statisticsAndReset()
    {
        shortConfigs(0);
        start(0, Mode::Cross, RunCode::Traffic);
        dev().advance(2000);
        const QByteArray a = ask(request(PROGPACK_STATS_RES, {0}));
        const QByteArray b = ask(request(PROGPACK_STATS_RES, {1}));
        using namespace StatsResultField;
        const quint32 sent = at32(a, 2 + tx(Frames));
        const quint32 received = at32(b, 2 + rx(Frames));
        QVERIFY(sent > 1400000 && sent < 1600000); // one second of line rate
        QVERIFY(received > 900000 && received < 1100000);
        // All 64-byte frames (the counters round separately).
        QVERIFY(qAbs(qint64(at32(a, 2 + tx(sizeClass(1)))) - qint64(sent)) <= 2);
        QVERIFY(at32(a, 2 + rx(Pause)) > 0); // the overloaded path pushes back
        ask(request(PROGPACK_STATS_RESET));
        QVERIFY(at32(ask(request(PROGPACK_STATS_RES, {0})), 2 + tx(Frames)) < 10);
    }

    void dhcpAddresses()
    {
        IfaceConfigBlock rc = IfaceDefaults::Iface[2];
        put8(rc, IfaceConfigField::Dhcp, 1);
        QByteArray p = withBlock(PROGPACK_IFACE_CFG, 2, bytesOf(rc).left(52));
        QCOMPARE(at32(ask(p), Rep::IfaceWords), 0u); // no lease yet
        dev().advance(2500);
        const QByteArray r = ask(request(PROGPACK_IFACE_CFG, {2, 0}));
        QCOMPARE(at32(r, Rep::IfaceWords), 0xC0A80034u); // 192.168.0.52
        QCOMPARE(at32(r, Rep::IfaceWords + 4), 0xFFFFFF00u);
        QCOMPARE(at32(r, Rep::IfaceWords + 8), 0xC0A80001u);
    }

    void linkSpeedFollowsLinkModes()
    {
        IfaceConfigBlock a = IfaceDefaults::Iface[0];
        put8(a, IfaceConfigField::LinkModes, LinkMode::Half100 | LinkMode::Full10);
        ask(withBlock(PROGPACK_IFACE_CFG, 0, bytesOf(a).left(52)));
        QCOMPARE(int(at8(statusNow(), StatusField::LinkSpeed)), 2);
        QCOMPARE(int(at8(statusNow(), StatusField::Duplex)) & 0x0F, 1); // half duplex
    }

    void settingsFiles()
    {
        ask(named(PROGPACK_SET_SAVE, "lab"));
        TrafficConfigBlock changed = TrafficDefaults::Port[0];
        put16(changed, TrafficConfigField::Length, 1500);
        ask(withBlock(PROGPACK_TRAFFIC_CFG, 0, bytesOf(changed)));

        ask(request(PROGPACK_TRANSFER, {Transfer::Enter}));
        QStringList names;
        for (QByteArray r = ask(request(PROGPACK_DIR_FIRST)); r.at(Rep::DirEntry); r = ask(request(PROGPACK_DIR_NEXT)))
            names << QString::fromLatin1(r.constData() + Rep::DirName);
        ask(request(PROGPACK_TRANSFER, {Transfer::Leave}));
        QCOMPARE(names, QStringList{"$lab"});

        QCOMPARE(ask(named(PROGPACK_SET_LOAD, "$lab")).mid(2, 2), QByteArray("OK"));
        QCOMPARE(ask(request(PROGPACK_TRAFFIC_CFG, {0, 0})).mid(4, 40), bytesOf(TrafficDefaults::Port[0]));
        QCOMPARE(ask(named(PROGPACK_SET_LOAD, "missing")).mid(2, 2), QByteArray("ER"));
        start(0, Mode::SamePort, RunCode::Ping);
        QCOMPARE(ask(named(PROGPACK_SET_LOAD, "$lab")).mid(2, 2), QByteArray("ER")); // not while testing
        QCOMPARE(ask(named(PROGPACK_FILE_DEL, "$lab")).mid(2, 2), QByteArray("OK"));
        QCOMPARE(ask(named(PROGPACK_FILE_DEL, "$lab")).mid(2, 2), QByteArray("ER"));
        QVERIFY(dev().files().names().isEmpty());
    }

    void settingsFileNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::newRow("plain") << QByteArray("lab") << "$lab";
        QTest::newRow("inner blank") << QByteArray("SET A") << "$SET A";
        QTest::newRow("dollar given") << QByteArray("$B2") << "$B2";
        QTest::newRow("separator") << QByteArray("a/b") << "";
        QTest::newRow("nothing") << QByteArray() << "";
    }
    void settingsFileNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, stored);
        const QByteArray answer = ask(named(PROGPACK_SET_SAVE, name)).mid(2, 2);
        QCOMPARE(answer, QByteArray(stored.isEmpty() ? "ER" : "OK"));
        QCOMPARE(dev().files().names(), stored.isEmpty() ? QStringList{} : QStringList{stored});
    }

    void resultFileDownload()
    {
        shortConfigs(1);
        start(1, Mode::SamePort, RunCode::Traffic);
        dev().advance(6000);
        const QByteArray live = ask(request(PROGPACK_TRAFFIC_RES, {1})).mid(Rep::TrafficResult, 36);
        QCOMPARE(ask(named(PROGPACK_FILE_OPEN, "$TRAF_001")).mid(2, 2), QByteArray("ER")); // not in transfer mode
        ask(request(PROGPACK_TRANSFER, {Transfer::Enter}));
        const QByteArray open = ask(named(PROGPACK_FILE_OPEN, "$TRAF_001"));
        QCOMPARE(open.mid(2, 2), QByteArray("OK"));
        QCOMPARE(at32(open, Rep::FileSize), quint32(ResultFile::Size));
        QByteArray file;
        while (file.size() < qsizetype(ResultFile::Size)) {
            const quint32 n = quint32(qMin<qsizetype>(256, ResultFile::Size - file.size()));
            QByteArray p = request(PROGPACK_FILE_READ);
            Bytes::put32(p.data(), Req::Word, n);
            Packet::seal(p);
            const QByteArray r = ask(p);
            QCOMPARE(r.mid(2, 2), QByteArray("OK"));
            file += r.mid(Rep::FileData, n);
        }
        QCOMPARE(file.mid(qsizetype(ResultFile::at(ResultFile::TrafficResult, BlockSize::TrafficResult, 1)), 36), live);
        QCOMPARE(file.mid(qsizetype(ResultFile::at(ResultFile::TrafficConfig, BlockSize::TrafficConfig, 0)), 40),
                 ask(request(PROGPACK_TRAFFIC_CFG, {0, 0})).mid(4, 40));
        QVERIFY(file.at(ResultFile::TimeMonth) >= 1 && file.at(ResultFile::TimeMonth) <= 12);
    }

    void screenInPalette()
    {
        ask(request(PROGPACK_TRANSFER, {Transfer::Enter}));
        QByteArray screen;
        for (quint32 offset = 0; offset < BlockSize::Screen; offset += 256) {
            QByteArray p = request(PROGPACK_SCREEN);
            Bytes::put32(p.data(), Req::Word, offset);
            Packet::seal(p);
            screen += ask(p).mid(Rep::ScreenData, 256);
        }
        QCOMPARE(screen.size(), qsizetype(BlockSize::Screen));
        QSet<char> colours;
        for (const char c : screen) {
            QVERIFY(quint8(c) < 64);
            colours.insert(c);
        }
        QVERIFY(colours.size() >= 4); // text and bars, not a blank screen
    }

    void debugRegisters_data()
    {
        QTest::addColumn<quint16>("address");
        QTest::addColumn<quint8>("value");
        QTest::addColumn<quint8>("readBack");
        QTest::newRow("scratch register") << quint16(0x3000) << quint8(0xA5) << quint8(0xA5);
        QTest::newRow("FPGA version, read-only") << quint16(1) << quint8(0x55) << quint8(12);
    }

    void debugRegisters()
    {
        QFETCH(quint16, address);
        QFETCH(quint8, value);
        QFETCH(quint8, readBack);
        QByteArray p = request(PROGPACK_FPGA_RW, {1, value});
        Bytes::put32(p.data(), Req::RegAddress, address);
        Packet::seal(p);
        ask(p);
        p[2] = 0;
        Packet::seal(p);
        const QByteArray r = ask(p);
        QCOMPARE(r.mid(Rep::RegOk, 2), QByteArray("OK"));
        QCOMPARE(at32(r, Rep::RegAddress), quint32(address));
        QCOMPARE(at8(r, Rep::RegValue), readBack);
    }

    void noTestsInTransferMode()
    {
        ask(request(PROGPACK_TRANSFER, {Transfer::Enter}));
        QCOMPARE(int(at8(statusNow(), StatusField::Mode)), 2);
        ask(request(PROGPACK_TEST_RUN, {0, 1, RunCode::Ping}));
        QCOMPARE(at32(statusNow(), StatusField::State), 0u);
        ask(request(PROGPACK_TRANSFER, {Transfer::Leave}));
        ask(request(PROGPACK_TEST_RUN, {0, 1, RunCode::Ping}));
        QCOMPARE(at32(statusNow(), StatusField::State), StateBit::tx(StateBit::Ping) | StateBit::rx(StateBit::Ping));
    }

    // With noise, every payload byte a reply's layout leaves undefined
    // differs from the zero tester's, and every defined byte is the same.
    void undefinedBytes_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QList<int>>("defined"); // from, count, from, count ...
        QTest::newRow("status") << request(PROGPACK_CHECKCONNECT) << QList<int>{2, 30, 34, 4, 43, 17};
        QTest::newRow("register") << request(PROGPACK_FPGA_RW, {0, 0, 5}) << QList<int>{2, 7};
        QTest::newRow("traffic results") << request(PROGPACK_TRAFFIC_RES, {1}) << QList<int>{10, 28};
        QTest::newRow("jitter results") << request(PROGPACK_JITTER_RES, {0}) << QList<int>{10, 8, 26, 80};
        QTest::newRow("bert results") << request(PROGPACK_BERT_RES, {0}) << QList<int>{2, 28};
        QTest::newRow("dns results") << request(PROGPACK_DNS_RES, {0}) << QList<int>{2, 1, 34, 1, 38, 4};
        QTest::newRow("interface") << request(PROGPACK_IFACE_CFG, {0, 0}) << QList<int>{4, 20, 26, 1, 28, 13, 44, 13, 60, 12};
        QTest::newRow("rfc summary 0+32") << request(PROGPACK_RFC_RES, {0, 0, 0, 0, 0, 32})
                                          << QList<int>{4, 2, 8, 2, 12, 2, 16, 2, 20, 2, 24, 2, 28, 2, 32, 2};
        QTest::newRow("end of the file list") << request(PROGPACK_DIR_FIRST) << QList<int>{2, 1};
        QTest::newRow("start") << request(PROGPACK_TEST_RUN, {0, 1, 3}) << QList<int>{};
    }

    void undefinedBytes()
    {
        QFETCH(QByteArray, request);
        QFETCH(QList<int>, defined);
        Device noisy(DeviceIdentity::forModel(false), 1, UndefinedBytes::noise(77));
        const QByteArray zero = ask(request);
        const QByteArray noise = noisy.respond(request);
        QCOMPARE(noise.size(), zero.size());
        QList<bool> isDefined(Packet::CrcOffset, false);
        for (qsizetype i = 0; i + 1 < defined.size(); i += 2)
            std::fill_n(isDefined.begin() + defined[i], defined[i + 1], true);
        int undefinedCount = 0;
        int differing = 0;
        for (int i = Packet::PayloadOffset; i < Packet::CrcOffset; ++i) {
            if (isDefined[i]) {
                QVERIFY2(noise.at(i) == zero.at(i), qPrintable(QStringLiteral("defined byte %1").arg(i)));
            } else {
                ++undefinedCount;
                differing += noise.at(i) != zero.at(i);
            }
        }
        // A noise byte equals the zero tester's one time in 256.
        QVERIFY2(differing >= undefinedCount - 4 - undefinedCount / 64,
                 qPrintable(QStringLiteral("%1 of %2").arg(differing).arg(undefinedCount)));
    }

    // The reserved bytes of a configuration hold noise from boot; a write
    // that does not carry them back as sent is counted, named fields are
    // free to change.
    void reservedWriteBack_data()
    {
        QTest::addColumn<int>("offset"); // in the traffic block
        QTest::addColumn<quint8>("flip");
        QTest::addColumn<int>("changes");
        QTest::newRow("as received") << 0 << quint8(0) << 0;
        QTest::newRow("named length") << int(TrafficConfigField::Length) << quint8(0x40) << 0;
        QTest::newRow("reserved 0") << 0 << quint8(0x01) << 1;
        QTest::newRow("reserved 12") << 12 << quint8(0x80) << 1;
        QTest::newRow("reserved 19") << 19 << quint8(0x10) << 1;
        QTest::newRow("ToS bit 0") << int(TrafficConfigField::Tos) << quint8(0x01) << 1;
        QTest::newRow("ToS precedence") << int(TrafficConfigField::Tos) << quint8(0xE0) << 0;
    }

    void reservedWriteBack()
    {
        QFETCH(int, offset);
        QFETCH(quint8, flip);
        QFETCH(int, changes);
        Device noisy(DeviceIdentity::forModel(false), 1, UndefinedBytes::noise(78));
        const QByteArray read = noisy.respond(request(PROGPACK_TRAFFIC_CFG, {1, 0}));
        QByteArray block = read.mid(Rep::Block, BlockSize::TrafficConfig);
        QVERIFY(block.mid(16, 4) != QByteArray(4, '\0')); // noise, not the zero default
        block[offset] = char(block.at(offset) ^ flip);
        noisy.respond(withBlock(PROGPACK_TRAFFIC_CFG, 1, block));
        QCOMPARE(noisy.reservedChanges(), qint64(changes));
        // The tester holds what was written, so writing it again is sound.
        noisy.respond(withBlock(PROGPACK_TRAFFIC_CFG, 1, block));
        QCOMPARE(noisy.reservedChanges(), qint64(changes));
    }
};

QTEST_MAIN(TestSimDevice)
#include "tst_simdevice.moc"
