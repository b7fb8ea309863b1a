#pragma once

// The status transaction through the engine, beside benchtools.h's raw one.

#include "benchtools.h"
#include "oldproto.h"

#include <QCoreApplication>

namespace BenchTools {

// The median microseconds from upd_status to status_upd through an engine
// that is connected to a transport.
inline double statusTransactionUs(OldProto &proto, int rounds)
{
    bool answered = false;
    const auto c = QObject::connect(&proto, &OldProto::status_upd, &proto, [&] { answered = true; });
    std::vector<double> us;
    for (int i = 0; i < rounds; ++i) {
        answered = false;
        QElapsedTimer clock;
        clock.start();
        proto.upd_status();
        while (!answered)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        us.push_back(double(clock.nsecsElapsed()) / 1e3);
    }
    QObject::disconnect(c);
    return median(us);
}

} // namespace BenchTools
