#pragma once

#include <QByteArray>
#include <QDateTime>

// What the tester's screen shows: a status page of both ports.
struct ScreenState
{
    struct Port
    {
        int speedCode = 0;
        quint32 state = 0;
        quint8 loopLevel = 0;
        quint8 topology = 0xFF;
        double txRate = 0; // bytes per second
        double rxRate = 0;
        qint64 elapsedSeconds = 0;
        quint32 address = 0;
    };
    bool qvb = false;
    quint16 serial = 0;
    QDateTime time;
    Port port[2];
};

// The 320 x 240 screen in the tester's 6-bit colours, one byte a pixel.
QByteArray paintScreen(const ScreenState &state);
