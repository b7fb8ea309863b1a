#include "testerwiring.h"

#include "oldproto.h"
#include "serial.h"
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
