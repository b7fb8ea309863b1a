// The RFC-2544 result cycle (four ranges of the summary by ID 64 and one
// frame-loss step by ID 65) and one full refresh of the RFC-2544 page,
// measured beside the raw transaction cost in the same run: one status
// request through the same engine and transport to the same qvsim. Over TCP
// loopback and over qvsim's pty paced at 500000 baud. A cycle should cost
// about five transactions; the page's refresh should be small beside one.

#include "benchtools.h"
#include "oldproto.h"
#include "rfcform.h"
#include "serial.h"
#include "simprocess.h"
#include "tcpsocket.h"
#include "testcodes.h"
#include "waituntil.h"
#include "zorqv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCyclePackets = 5; // 4 x ID 64, 1 x ID 65


// One link to a fresh qvsim with the engine and the page on it.
struct Bench
{
    Zorqv device;
    OldProto proto{&device};
    RfcForm page{&device};

    bool idle() const { return !proto.awaitingReply() && proto.queuedPackets() == 0; }

    // Microseconds from calling step until done holds, for each of rounds.
    template <typename Step>
    std::vector<double> time(int rounds, int replies, Step step, bool result)
    {
        std::vector<double> us;
        int seen = 0;
        const auto count = [&seen] { ++seen; };
        const QMetaObject::Connection c = result
            ? QObject::connect(&proto, &OldProto::res_rcv, &proto, count)
            : QObject::connect(&proto, &OldProto::status_upd, &proto, count);
        for (int i = 0; i < rounds; ++i) {
            seen = 0;
            QElapsedTimer clock;
            clock.start();
            step();
            if (!waitUntil([&] { return seen >= replies && idle(); }, 5000)) {
                std::fprintf(stderr, "no reply\n");
                break;
            }
            us.push_back(double(clock.nsecsElapsed()) / 1e3);
        }
        QObject::disconnect(c);
        return us;
    }

    void run(const char *title, int rounds)
    {
        // Results worth drawing: a finished benchmark in the record.
        for (std::size_t i = 0; i < RfcResultLayout::Size; ++i)
            device.rfcResult[0][i] = quint8(i * 37);
        device.curProc = 0;
        page.show();
        page.activate();
        waitUntil([&] { return idle(); }, 5000);

        // Five back to back, as the cycle goes: a lone request on a busy
        // machine mostly measures how fast the two processes wake up.
        const auto five = [&](void (OldProto::*request)()) {
            return [this, request] {
                for (int k = 0; k < kCyclePackets; ++k)
                    (proto.*request)();
            };
        };
        const double raw = BenchTools::median(time(rounds, kCyclePackets, five(&OldProto::upd_status), false)) / kCyclePackets;
        const double bare = BenchTools::median(time(rounds, kCyclePackets, five(&OldProto::upd_res), true));
        // The same with the page redrawing on every reply, as in the program.
        const QMetaObject::Connection shown =
            QObject::connect(&proto, &OldProto::res_rcv, &page, &RfcForm::res_rcv);
        const double cycle = BenchTools::median(time(rounds, kCyclePackets, five(&OldProto::upd_res), true));
        QObject::disconnect(shown);
        std::vector<double> update, paint;
        for (int i = 0; i < 200; ++i) {
            QElapsedTimer clock;
            clock.start();
            page.res_rcv(requestCode(TestNo::Rfc, 0));
            update.push_back(double(clock.nsecsElapsed()) / 1e3);
            clock.restart();
            page.repaint();
            paint.push_back(double(clock.nsecsElapsed()) / 1e3);
        }
        const double data = BenchTools::median(update);
        const double drawn = BenchTools::median(paint);
        std::printf("%s\n"
                    "  raw transaction (status request, 5 in a row) %9.1f us\n"
                    "  result cycle, 4 x ID 64 + ID 65               %9.1f us   ratio %.2f\n"
                    "  result cycle with the page redrawing          %9.1f us   ratio %.2f\n"
                    "  page refresh: tables and charts               %9.1f us   ratio %.3f\n"
                    "  page refresh: painting the whole page         %9.1f us   ratio %.3f\n",
                    title, raw, bare, bare / raw, cycle, cycle / raw, data, data / raw, drawn, drawn / raw);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The engine's per-packet lines would be timed with it.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("RFC-2544 result cycle and page refresh against qvsim (medians; ratios to the raw transaction)\n");
    {
        SimProcess sim(SimProcess::Link::Tcp);
        if (!sim.start()) {
            std::fprintf(stderr, "%s\n", qPrintable(sim.errorString()));
            return 1;
        }
        Bench b;
        TcpSocket tcp(nullptr, sim.port());
        QObject::connect(&b.proto, &OldProto::snd_pckt, &tcp, &TcpSocket::snd_pckt);
        QObject::connect(&tcp, &TcpSocket::pckt_rcv, &b.proto, &OldProto::pckt_rcv);
        QObject::connect(&tcp, &TcpSocket::sock_conn, &b.proto, &OldProto::sock_conn);
        tcp.conn_sock(QStringLiteral("127.0.0.1"));
        if (!waitUntil([&] { return b.device.connected && b.idle(); }, 5000))
            return 1;
        b.run("TCP loopback:", 300);
    }
    {
        SimProcess sim(SimProcess::Link::Pty, {QStringLiteral("--line-rate"), QStringLiteral("500000")});
        if (!sim.start()) {
            std::fprintf(stderr, "%s\n", qPrintable(sim.errorString()));
            return 1;
        }
        Bench b;
        Serial port;
        QObject::connect(&b.proto, &OldProto::snd_pckt, &port, &Serial::snd_pckt);
        QObject::connect(&port, &Serial::pckt_rcv, &b.proto, &OldProto::pckt_rcv);
        QObject::connect(&port, &Serial::port_conn, &b.proto, &OldProto::port_conn);
        port.conn_port(sim.ptyPath());
        if (!waitUntil([&] { return b.device.connected && b.idle(); }, 5000))
            return 1;
        b.run("pty paced at 500000 baud:", 40);
    }
    return 0;
}
