#include "testerwiring.h"

#include "oldproto.h"
#include "serial.h"
#include "sessionrecorder.h"
#include "tcpsocket.h"
#include "zorqv.h"

void wireTester(Zorqv &device, OldProto &engine, Serial &serial, TcpSocket &tcp)
{
    QObject::connect(&engine, &OldProto::snd_pckt, &serial, &Serial::snd_pckt);
    QObject::connect(&engine, &OldProto::snd_pckt, &tcp, &TcpSocket::snd_pckt);
    QObject::connect(&serial, &Serial::pckt_rcv, &engine, &OldProto::pckt_rcv);
    QObject::connect(&tcp, &TcpSocket::pckt_rcv, &engine, &OldProto::pckt_rcv);
    QObject::connect(&engine, &OldProto::disc_port, &serial, &Serial::disc_port);
    QObject::connect(&serial, &Serial::port_conn, &engine, &OldProto::port_conn);
    QObject::connect(&serial, &Serial::port_disc, &engine, &OldProto::port_disc);
    QObject::connect(&engine, &OldProto::disc_sock, &tcp, &TcpSocket::disc_sock);
    QObject::connect(&tcp, &TcpSocket::sock_conn, &engine, &OldProto::sock_conn);
    QObject::connect(&tcp, &TcpSocket::sock_disc, &engine, &OldProto::sock_disc);
    QObject::connect(&device, &Zorqv::upd_status, &engine, &OldProto::upd_status);
    QObject::connect(&device, &Zorqv::upd_res, &engine, &OldProto::upd_res);
}

void recordTester(Zorqv &device, OldProto &engine, Serial &serial, TcpSocket &tcp, SessionRecorder *recorder)
{
    serial.setRecorder(recorder);
    tcp.setRecorder(recorder);
    if (!recorder)
        return;
    const auto version = [](const quint8 *v) { return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]); };
    QObject::connect(&engine, &OldProto::qv_conn, &engine, [&device, recorder, version] {
        recorder->addInfo({{QStringLiteral("model"), device.isQvb ? QStringLiteral("ZORT-QVB") : QStringLiteral("ZORT-QV")},
                           {QStringLiteral("cpu"), version(device.cpuVersion)},
                           {QStringLiteral("fpga"), version(device.fpgaVersion)},
                           {QStringLiteral("release"), device.release},
                           {QStringLiteral("serial"), QString::number(device.serialNumber)}});
    });
}
