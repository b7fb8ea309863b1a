// The engine's reply path: a device record, OldProto, and a script taken
// from the input that issues the shell's and the pages' requests and feeds
// arbitrary well-framed replies (to the request just sent, or with any ID,
// once or hundreds of times for downloads and the screen image) into
// pckt_rcv, with link changes in between. A download must never be handed
// on with another size than the tester announced.

#include "fuzzcheck.h"
#include "oldproto.h"
#include "packet.h"
#include "packetfields.h"
#include "progpack.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QCoreApplication>

namespace {

constexpr quint32 kActiveTests[] = {
    0, ActiveTest::Rfc, ActiveTest::Cable, ActiveTest::Loopback, ActiveTest::Ping, ActiveTest::Trace,
    ActiveTest::Traffic, ActiveTest::Jitter, ActiveTest::Transit, ActiveTest::Bert, ActiveTest::Dns,
    ActiveTest::Oam, ActiveTest::Multi, ActiveTest::Iface, ActiveTest::Stats, ActiveTest::FileTransfer,
};

class Sink final : public ReportSink
{
public:
    void startReport(const ReportJob &job) override
    {
        FUZZ_CHECK(job.data.size() == announced);
        ++jobs;
    }
    qint64 announced = -1; // size of the last download the tester agreed to
    int jobs = 0;
};

class Script
{
public:
    Script(const uint8_t *data, size_t size) : in(data, size)
    {
        device.setReportSink(&sink);
        QObject::connect(&proto, &OldProto::snd_pckt, &proto, [this](const QByteArray &packet) {
            FUZZ_CHECK(packet.size() == Packet::Size);
            FUZZ_CHECK(Packet::crcValid(packet));
            lastId = Packet::id(packet);
        });
    }

    void run()
    {
        while (!in.atEnd()) {
            switch (in.byte() % 12) {
            case 0: device.curProc = in.byte() & 1; break;
            case 1: device.activeTest = kActiveTests[in.byte() % std::size(kActiveTests)]; break;
            case 2: proto.gs_cfg(in.word()); break;
            case 3: proto.start_test(in.word()); break;
            case 4: proto.upd_res(); break;
            case 5: proto.upd_status(); break;
            case 6: reply(lastId, 1); break;
            case 7: reply(in.byte(), 1); break;
            case 8: reply(lastId, 1 + in.byte() * 2); break;
            case 9: link(in.byte()); break;
            case 10:
                device.traceHop[device.curProc] = in.dword();
                device.rfcStep[device.curProc] = in.dword();
                break;
            case 11: {
                size_t got = 0;
                const uint8_t *text = in.take(in.byte() % 64, &got);
                device.fileName = QString::fromLatin1(reinterpret_cast<const char *>(text), qsizetype(got));
                break;
            }
            }
        }
    }

private:
    // One reply, as the serial link (263 bytes, sound CRC) or the TCP link
    // (262 bytes) delivers it, sent count times.
    void reply(quint8 id, int count)
    {
        const bool serial = in.byte() & 1;
        QByteArray packet = Packet::make(id, serial ? Packet::SerialReplyStart : Packet::RequestStart);
        size_t got = 0;
        const uint8_t *payload = in.take(Packet::CrcOffset - Packet::PayloadOffset, &got);
        std::memcpy(packet.data() + Packet::PayloadOffset, payload, got);
        Packet::seal(packet);
        if (!serial)
            packet.chop(1);
        for (int i = 0; i < count; ++i) {
            noteAnnouncement(packet);
            proto.pckt_rcv(packet);
        }
    }

    void noteAnnouncement(const QByteArray &p)
    {
        const qint64 size = Bytes::get32(p.constData(), Rep::FileSize);
        if (Packet::id(p) == PROGPACK_FILE_OPEN && p.at(Rep::Ok) == 'O' && p.at(Rep::Ok + 1) == 'K'
            && size <= OldProto::MaxDownloadSize)
            sink.announced = size;
    }

    void link(quint8 event)
    {
        switch (event % 4) {
        case 0: proto.port_conn(QStringLiteral("/dev/ttyQV")); break;
        case 1: proto.sock_conn(QStringLiteral("127.0.0.1")); break;
        case 2: proto.port_disc(); break;
        case 3: proto.sock_disc(); break;
        }
    }

    FuzzInput in;
    Zorqv device;
    OldProto proto{&device};
    Sink sink;
    quint8 lastId = PROGPACK_CHECKCONNECT;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The engine's debug lines would only slow the fuzzer down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Script(data, size).run();
    return 0;
}
