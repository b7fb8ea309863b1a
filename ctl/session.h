#pragma once

#include "oldproto.h"
#include "serial.h"
#include "tcpsocket.h"
#include "zorqv.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// qvctl's hold on the tester: the transports, the engine and the device
// record of the window, wired the same way, and waits that always end. The
// engine runs on the event loop as in the window; a wait runs the loop until
// its condition holds, the link is lost or its time is up.
class Session final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Session)

public:
    enum class Wait { Done, Lost, TimedOut };

    explicit Session(quint16 tcpPort = TcpSocket::DefaultPort, QObject *parent = nullptr);
    ~Session() override;

    // Opens the link and waits for the tester's first status. On failure
    // why() says what happened.
    Wait connectTcp(const QString &host, int timeoutMs);
    Wait connectSerial(const QString &device, int timeoutMs);
    // Closes the link and lets the engine settle.
    void close();

    // Runs the event loop until done() holds, the link ends or ms pass.
    Wait waitFor(const std::function<bool()> &done, int ms);
    // Until no request is queued or awaited.
    Wait settle(int ms);
    // Asks for a status now and waits for its reply.
    Wait refreshStatus(int ms);
    // As waitFor, asking for a status more often than the regular poll, so
    // that the end of a test is seen within a fraction of a second.
    Wait waitForStatus(const std::function<bool()> &done, int ms);

    bool connected() const { return m_device.connected; }
    QString why() const { return m_why; }

    Zorqv &device() { return m_device; }
    OldProto &engine() { return m_engine; }

Q_SIGNALS:
    // Something a wait may be waiting for has happened.
    void progressed();

private:
    Wait afterOpen(int timeoutMs);

    Zorqv m_device;
    OldProto m_engine{&m_device};
    Serial m_serial;
    TcpSocket m_tcp;
    QString m_why;
    bool m_lost = false;
};
