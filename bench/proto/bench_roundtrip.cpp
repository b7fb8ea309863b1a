// The engine's cost per transaction: the median time of one status request
// through OldProto and a transport, beside the raw round trip of the same
// bytes over the same kind of link, both measured in this run against a
// peer thread that answers at once.

#include "benchengine.h"
#include "oldproto.h"
#include "packet.h"
#include "serial.h"
#include "tcpsocket.h"
#include "zorqv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 2000;


bool readExactly(int fd, char *buf, int n)
{
    int got = 0;
    while (got < n) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0)
            return false;
        const ssize_t r = ::read(fd, buf + got, size_t(n - got));
        if (r <= 0)
            return false;
        got += int(r);
    }
    return true;
}

QByteArray statusReply(char start)
{
    QByteArray p = Packet::make(0, start);
    p[4] = 0x1B; // a CPU version that carries release and rates
    Packet::seal(p);
    return p;
}

// Answers every 261-byte request with a 261-byte status reply.
class TcpPeer
{
public:
    TcpPeer()
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listen, reinterpret_cast<sockaddr *>(&a), sizeof a);
        ::listen(m_listen, 4);
        socklen_t len = sizeof a;
        ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&a), &len);
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~TcpPeer()
    {
        m_stop = true;
        ::shutdown(m_listen, SHUT_RDWR);
        ::close(m_listen);
        m_thread.join();
    }
    quint16 port() const { return m_port; }

private:
    void serve()
    {
        const QByteArray reply = statusReply(Packet::RequestStart).mid(1, Packet::TcpFrameSize);
        while (!m_stop) {
            const int c = ::accept(m_listen, nullptr, nullptr);
            if (c < 0)
                return;
            int one = 1;
            ::setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            char buf[Packet::TcpFrameSize];
            while (readExactly(c, buf, Packet::TcpFrameSize))
                ::write(c, reply.constData(), size_t(reply.size()));
            ::close(c);
        }
    }

    int m_listen = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The tester's end of a pty: answers every 263-byte request with a "$" frame.
class PtyPeer
{
public:
    PtyPeer()
    {
        char name[128];
        termios raw{};
        ::cfmakeraw(&raw);
        ::openpty(&m_master, &m_slave, name, &raw, nullptr);
        m_path = QString::fromLocal8Bit(name);
        m_thread = std::thread([this] { serve(); });
    }
    ~PtyPeer()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_master);
        ::close(m_slave);
    }
    QString path() const { return m_path; }
    int slave() const { return m_slave; }

private:
    void serve()
    {
        const QByteArray reply = statusReply(Packet::SerialReplyStart);
        char buf[Packet::Size];
        while (!m_stop) {
            if (readExactly(m_master, buf, Packet::Size))
                ::write(m_master, reply.constData(), size_t(reply.size()));
        }
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Times upd_status -> status_upd through the engine and a transport.
template <typename Transport>
double engineRoundTrip(Transport &transport)
{
    Zorqv device;
    OldProto proto(&device);
    QObject::connect(&proto, &OldProto::snd_pckt, &transport, &Transport::snd_pckt);
    QObject::connect(&transport, &Transport::pckt_rcv, &proto, &OldProto::pckt_rcv);
    device.linkType = 2;
    device.connected = true; // skip the handshake's extra packet
    return BenchTools::statusTransactionUs(proto, kRounds);
}

double rawPtyRoundTrip(int slave)
{
    const QByteArray request = Packet::make(0);
    char buf[Packet::Size];
    std::vector<double> us;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        ::write(slave, request.constData(), size_t(request.size()));
        readExactly(slave, buf, Packet::Size);
        us.push_back(double(clock.nsecsElapsed()) / 1e3);
    }
    return BenchTools::median(us);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    {
        TcpPeer peer;
        const double raw = BenchTools::rawStatusRoundTripUs(peer.port(), kRounds);
        TcpSocket transport(nullptr, peer.port());
        transport.conn_sock(QStringLiteral("127.0.0.1"));
        while (!transport.isConnected())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double engine = engineRoundTrip(transport);
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        std::printf("TCP loopback: raw round trip %.1f us, engine transaction %.1f us (median of %d), ratio %.2f\n",
                    raw, engine, kRounds, engine / raw);
    }
    {
        PtyPeer peer;
        const double raw = rawPtyRoundTrip(peer.slave());
        Serial transport;
        transport.conn_port(peer.path());
        const double engine = engineRoundTrip(transport);
        std::printf("pty:          raw round trip %.1f us, engine transaction %.1f us (median of %d), ratio %.2f\n",
                    raw, engine, kRounds, engine / raw);
    }
    return 0;
}
