#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>

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
    bool isOpen() const { return m_open; }

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
    QTimer m_pollTimer;
    QByteArray m_rxBuffer;
    QSerialPort m_port;
};
