#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Starts qvsim, the simulated tester, for an end-to-end test and stops it
// again: the peer that QVRemote's and QVUpdater's tests talk to.
//
//   SimProcess sim(SimProcess::Link::Tcp, {"--model", "qvb"});
//   QVERIFY2(sim.start(), qPrintable(sim.errorString()));
//   TcpSocket tcp(nullptr, sim.port());     tcp.conn_sock("127.0.0.1");
//
//   SimProcess sim(SimProcess::Link::Pty, {"--updater", "--flash-dir", dir});
//   QVERIFY2(sim.start(), qPrintable(sim.errorString()));
//   serial.conn_port(sim.ptyPath());
//
// Link::Tcp: qvsim listens on 127.0.0.1 on a free port, port() tells which.
// Link::Pty: as Tcp (except in updater mode, which has no TCP) plus --pty;
//   ptyPath() is the slave device to open at any baud rate (a link to it in
//   a folder of this object's own).
// start(timeoutMs) runs the program of QVSIM_PATH (a compile definition of
//   this library) and waits for its "qvsim: ready" line; on failure it returns
//   false and errorString() says why (with what qvsim printed).
// stop() sends SIGTERM and, if qvsim has not ended within 3 s, kills it; it
//   returns true when qvsim ended by itself with exit code 0. The destructor
//   stops a running qvsim.
// The extra arguments go to qvsim as they are: fault injection (--drop,
//   --silent-after, ...), --seed, --speed, --line-rate, --model, ...
//   The environment variable QVSIM_UNDEFINED adds "--undefined VALUE"
//   (noise in the bytes the protocol leaves undefined) unless they name
//   --undefined themselves: the noise run of the end-to-end tests.
// qvsim exits with code 4 when a configuration written to it did not carry
//   its reserved bytes back unchanged, so stop() returns false then.
// qvsim's stderr goes to the test's stderr; its stdout is kept in output().
class SimProcess
{
public:
    enum class Link { Tcp, Pty };

    explicit SimProcess(Link link = Link::Tcp, const QStringList &extraArguments = {});
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // The qvsim executable these tests were built with.
    static QString program();

    bool start(int timeoutMs = 10000);
    bool stop();
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

    quint16 port() const { return m_port; }
    QString ptyPath() const { return m_ptyPath; }
    quint32 seed() const { return m_seed; }
    QString errorString() const { return m_error; }
    QByteArray output();

private:
    void parseLine(const QByteArray &line);

    Link m_link;
    QStringList m_extra;
    QProcess m_process;
    QByteArray m_output;
    quint16 m_port = 0;
    QString m_ptyPath;
    QTemporaryDir m_linkDir;
    QString m_linkPath;
    quint32 m_seed = 0;
    bool m_ready = false;
    QString m_error;
};
