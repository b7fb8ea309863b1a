#pragma once

// What the benchmarks share: the median of their samples, and the status
// transaction straight to qvsim's socket that they compare against
// (benchengine.h has the same through the engine).

#include "packet.h"

#include <QElapsedTimer>
#include <QTcpSocket>

#include <algorithm>
#include <vector>

namespace BenchTools {

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The median round trip in microseconds of one status request written
// straight to a tester's TCP socket (qvsim or a benchmark's own peer); 0
// when a whole reply did not come.
inline double rawStatusRoundTripUs(quint16 port, int rounds)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(2000))
        return 0;
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const QByteArray request = Packet::make(0).mid(Packet::IdOffset, Packet::TcpFrameSize);
    std::vector<double> us;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        socket.write(request);
        qint64 got = 0;
        while (got < Packet::TcpFrameSize && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(2000)))
            got += socket.read(Packet::TcpFrameSize - got).size();
        if (got != Packet::TcpFrameSize)
            return 0;
        us.push_back(double(clock.nsecsElapsed()) / 1e3);
    }
    socket.disconnectFromHost();
    return median(us);
}

} // namespace BenchTools
