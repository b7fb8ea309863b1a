#include "serial.h"

#include "packet.h"
#include "serialaccess.h"
#include "sessionrecorder.h"

#include <QDebug>
#include <QSerialPortInfo>

#include <algorithm>

namespace {
constexpr qint64 kReadChunk = 1024;
constexpr qint32 kBaudRate = 500000;
} // namespace

Serial::Serial(QObject *parent)
    : QObject(parent)
{
    m_pollTimer.setInterval(Packet::ReadPollMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &Serial::tmrTimeout);
    // React to a reply as soon as it arrives rather than on the next tick,
    // and to bytes outside a transaction too: a late reply must not stop
    // the reading of the reply awaited behind it (the engine tells the two
    // apart), and the tester's free text is shown when it comes.
    connect(&m_port, &QSerialPort::readyRead, this, &Serial::readStep);
    connect(&m_port, &QSerialPort::errorOccurred, this, &Serial::portLost);
}

Serial::~Serial()
{
    m_pollTimer.stop();
    if (m_port.isOpen())
        m_port.close();
}

QStringList Serial::portList()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names << info.portName();
    std::sort(names.begin(), names.end());
    return names;
}

QString Serial::devicePath(const QString &name)
{
    return SerialAccess::devicePath(name);
}

void Serial::conn_port(const QString &name)
{
    if (m_open)
        return;
    const QString path = devicePath(name);
    m_openError = QSerialPort::NoError;
    m_openErrorString.clear();
    m_port.setPortName(path);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_openError = m_port.error();
        m_openErrorString = m_port.errorString();
        qDebug() << "Serial: cannot open" << path << m_openErrorString;
        return;
    }
    const bool configured = m_port.setBaudRate(kBaudRate)
        && m_port.setDataBits(QSerialPort::Data8)
        && m_port.setParity(QSerialPort::NoParity)
        && m_port.setStopBits(QSerialPort::OneStop)
        && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        // Not a serial device (a file, /dev/null), or one that refuses the line settings.
        m_openError = QSerialPort::UnsupportedOperationError;
        m_openErrorString = m_port.errorString();
        qDebug() << "Serial: cannot configure" << path << m_openErrorString;
        m_port.close();
        return;
    }
    m_port.clear(QSerialPort::AllDirections);
    m_rxBuffer.clear();
    m_awaitedId.reset();
    m_open = true;
    if (m_recorder) {
        m_recorder->begin(QStringLiteral("serial"),
                          {{QStringLiteral("port"), path},
                           {QStringLiteral("baud"), QString::number(kBaudRate)},
                           {QStringLiteral("line"), QStringLiteral("8N1")}});
    }
    Q_EMIT port_conn(path);
}

void Serial::disc_port()
{
    // The recorder is the other transport's too: only this link's own ends here.
    if (m_open && m_recorder)
        m_recorder->end();
    m_pollTimer.stop();
    if (m_port.isOpen())
        m_port.close();
    m_rxBuffer.clear();
    m_awaitedId.reset();
    m_open = false;
    Q_EMIT port_disc();
}

// A device that disappears (a USB adapter pulled out, the other end of a
// pseudo-terminal closed) ends the connection at once instead of leaving it
// to the engine's watchdog, which an idle link would never meet. Such a port
// reports a resource error, or a read error for a hung-up line, and keeps
// reporting it on every turn of the event loop until it is closed.
void Serial::portLost(QSerialPort::SerialPortError error)
{
    if (!m_open || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    qDebug() << "Serial: port lost:" << m_port.errorString();
    // Closed after the port has finished reporting, not inside its handler.
    QTimer::singleShot(0, this, [this] {
        if (m_open)
            disc_port();
    });
}

void Serial::snd_pckt(const QByteArray &packet)
{
    if (!m_open)
        return;
    m_port.write(packet);
    if (packet.size() > Packet::IdOffset)
        m_awaitedId = Packet::id(packet);
    if (m_recorder)
        m_recorder->record(SessionRecorder::Direction::Out, SessionRecorder::Channel::Frame, packet);
    qDebug() << "Serial: snd packet ID:" << (packet.size() > 1 ? int(Packet::id(packet)) : -1);
    m_pollTimer.start();
}

void Serial::tmrTimeout()
{
    readStep();
}

void Serial::readStep()
{
    while (m_open && m_port.bytesAvailable() > 0) {
        const QByteArray chunk = m_port.read(kReadChunk);
        if (chunk.isEmpty())
            break;
        m_rxBuffer.append(chunk);
    }
    while (m_open) {
        const std::optional<QByteArray> packet = Packet::takeFrame(
            m_rxBuffer,
            [this](const QByteArray &text) {
                if (m_recorder)
                    m_recorder->record(SessionRecorder::Direction::In, SessionRecorder::Channel::Text, text);
                Q_EMIT show_debug(text);
            },
            m_awaitedId);
        if (!packet)
            return;
        m_pollTimer.stop();
        if (m_recorder)
            m_recorder->record(SessionRecorder::Direction::In, SessionRecorder::Channel::Frame, *packet);
        qDebug() << "Serial: rcv packet ID:" << int(Packet::id(*packet));
        Q_EMIT pckt_rcv(*packet);
    }
}
