#pragma once

class OldProto;
class SessionRecorder;
class Serial;
class TcpSocket;
class Zorqv;

// The wiring between the transports, the engine and the device record:
// packets both ways, links opening and closing, and the record's poll. The
// window and qvctl connect the same parts the same way.
void wireTester(Zorqv &device, OldProto &engine, Serial &serial, TcpSocket &tcp);

// Both transports record into recorder (not owned), and each recording
// learns the tester's model, versions and serial number once it is connected.
void recordTester(Zorqv &device, OldProto &engine, Serial &serial, TcpSocket &tcp, SessionRecorder *recorder);
