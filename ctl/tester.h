#pragma once

#include "session.h"
#include "testfields.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// What qvctl's exit code says. Scripts and CI read it: it never changes
// with the language or the output format.
namespace Exit {
constexpr int Ok = 0;
constexpr int ExpectationFailed = 1; // a plan's expectation did not hold
constexpr int Usage = 2;             // option, file, JSON, key or range
constexpr int Tester = 3;            // absent, silent, link lost, or refused
constexpr int Timeout = 4;           // a wait ran past its time
} // namespace Exit

// The tester as scripts see it: each test by its name, its configuration and
// results as the JSON of the field tables, and each operation complete or
// failed with an exit code and a message when it returns. Every wait is
// bounded by the time given.
class Tester
{
public:
    using Test = TestFields::Test;

    struct Failure
    {
        int exit = Exit::Ok;
        QString message;
    };

    // What qvctl knows of each test: how the tester names and runs it.
    struct Kind
    {
        quint8 number;      // request code of the test
        int bit;            // its state bit; -1: it has no state
        bool cross;         // can send towards the other port
        bool untilStopped;  // runs until it is stopped
        bool twoPorts;      // needs both ports (transit)
    };
    static Kind kind(Test test);

    Tester(Session &session, int timeoutMs) : m_session(session), m_timeoutMs(timeoutMs) {}

    const Failure &failure() const { return m_failure; }
    int timeoutMs() const { return m_timeoutMs; }
    Zorqv &device() { return m_session.device(); }

    // Port names: "A", "B", and "RC" for the interface settings.
    static std::optional<int> portNumber(const QString &name, Test test);
    static QString portName(int port);
    // The port a test runs on, refused (exit 2) where the model has none.
    bool checkPort(Test test, int port);

    QJsonObject info();
    QJsonArray tests();

    std::optional<QJsonObject> config(Test test, int port);
    // Merged onto what the tester holds, written and read back.
    std::optional<QJsonObject> setConfig(Test test, int port, const QJsonObject &patch);
    std::optional<QJsonObject> results(Test test, int port);

    bool running(Test test, int port) const;
    // to: the port the test sends towards (cross start); level: loopback.
    bool start(Test test, int port, int to, int level = 1);
    // True when it ran and was stopped, false when it was not running (a
    // failure then sets failure()).
    bool stop(Test test, int port, bool *wasRunning = nullptr);
    // Until the tester reports the test no longer running.
    bool waitStopped(Test test, int port, int timeoutMs);
    // Seconds the test on port has run, as the status counts them.
    quint64 elapsed(int port) const { return m_session.device().elapsedSeconds(quint8(port)); }

    QJsonObject statistics(int port, bool reset);
    std::optional<QStringList> files();
    bool saveSettings(const QString &name);
    bool loadSettings(const QString &name);
    bool deleteFile(const QString &name);
    // The result file's bytes, as the tester sends it.
    std::optional<QByteArray> download(const QString &name);
    bool screen(const QString &pngPath);
    // The PDF reports of a result file into dir (mask: which, 0 = all seven),
    // with this tester's serial number and link speeds in their headers.
    bool writeReports(const QByteArray &resultFile, const QString &dir, quint32 mask, QStringList *written);
    // Lets time pass with the link served; false when the link is lost.
    bool pause(int ms);
    // As pause, ending early once the test no longer runs on the port.
    bool pauseWhileRunning(Test test, int port, int ms);

    bool fail(int exit, const QString &message);

private:
    bool ready();
    bool settle();
    bool sendRequest(quint8 id, quint32 parameter);
    bool gs(quint8 testNumber, quint8 argument);
    QByteArray configBytes(Test test, int port);
    void putConfigBytes(Test test, int port, const QByteArray &bytes);
    QByteArray resultBytes(Test test, int port);
    bool fetchResults(Test test, int port);
    bool fileOperation(quint8 argument, const QString &name);

    Session &m_session;
    int m_timeoutMs;
    Failure m_failure;
};
