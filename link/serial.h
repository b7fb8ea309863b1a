#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>

#include <optional>

class SessionRecorder;

// Carries packets to and from the tester over a serial port at 500000 baud
// and separates the tester's free text from its "$" frames.
class Serial final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Serial)

public:
    explicit Serial(QObject *parent = nullptr);
    ~Serial() override;

    // Platform names of the serial ports, in ascending order.
    static QStringList portList();
    // The device a name stands for: a bare name ("ttyUSB0") lives in /dev,
    // a path is taken as it is.
    static QString devicePath(const QString &name);
    bool isOpen() const { return m_open; }
    // Why the last conn_port left the port closed (NoError after a
    // success), for the window to tell the user; the text is the system's.
    QSerialPort::SerialPortError openError() const { return m_openError; }
    QString openErrorString() const { return m_openErrorString; }
    // Every connection is recorded there from its opening on (not owned).
    void setRecorder(SessionRecorder *recorder) { m_recorder = recorder; }

Q_SIGNALS:
    void port_conn(QString path);
    void port_disc();
    void pckt_rcv(QByteArray packet);
    void show_debug(QByteArray text);

public Q_SLOTS:
    void conn_port(const QString &name);
    void disc_port();
    void snd_pckt(const QByteArray &packet);

private Q_SLOTS:
    void tmrTimeout();

private:
    void readStep();
    void portLost(QSerialPort::SerialPortError error);

    bool m_open = false;
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    QString m_openErrorString;
    QTimer m_pollTimer;
    QByteArray m_rxBuffer;
    // The ID of the request last sent: the only ID a reply may carry.
    std::optional<quint8> m_awaitedId;
    QSerialPort m_port;
    SessionRecorder *m_recorder = nullptr;
};
