#pragma once

#include "filestore.h"
#include "identity.h"
#include "responder.h"
#include "testrun.h"
#include "undefinedbytes.h"

#include "blocksizes.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QRandomGenerator>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

// The simulated tester in normal operation: everything the command set
// asks about. It keeps the configuration and result blocks of both
// processes and of the three interfaces, runs one test per process (a
// cross-port test occupies the receiving process too), keeps the port
// statistics, settings and result files, debug registers and the screen.
//
// Time is simulated: advance() moves it on, so that the model is tested
// without waiting; with a clock set, every request first catches up with it.
class Device final : public QObject, public Responder
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Device)

public:
    static constexpr int Processes = 2;
    static constexpr int ResultFilesKept = 16;
    static constexpr qint64 StepMs = 100;        // granularity of simulated time
    static constexpr qint64 OamDiscoveryMs = 1500;
    static constexpr qint64 DhcpLeaseMs = 2000;
    static constexpr qint64 UptimeTextMs = 60000; // a diagnostic line this often

    // undefined: what the replies carry where the protocol defines nothing,
    // and, as noise, what the reserved bytes of the settings hold at boot.
    Device(const DeviceIdentity &identity, quint32 seed, UndefinedBytes undefined = {},
           QObject *parent = nullptr);
    ~Device() override;

    // Settings and result files go to dir as well (see FileStore).
    bool setFileDirectory(const QString &dir, QString *error);
    // The simulated time in milliseconds that requests catch up with.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    void sync();
    void advance(qint64 ms);
    qint64 now() const { return m_now; }

    QByteArray respond(const QByteArray &request) override;
    // A reply packet with the request's ID, its payload zero.
    static QByteArray replyTo(const QByteArray &request);

    quint32 stateWord(int process) const;
    // Seconds of the test that occupies the process, its own or a cross-port
    // test of the other process; 0 when idle.
    qint64 elapsedSeconds(int process) const;
    quint8 mode() const { return m_mode; }
    // Configuration writes that did not carry a reserved byte back as the
    // tester holds it.
    qint64 reservedChanges() const { return m_reservedChanges; }
    const FileStore &files() const { return m_files; }
    // The blocks of both processes in the result-file layout.
    QByteArray snapshot() const;
    // The boot banner the tester writes on its serial line.
    QByteArray banner() const;

Q_SIGNALS:
    // A line of the tester's own text for its serial line.
    void freeText(const QByteArray &text);

private:
    struct Process
    {
        LbConfigBlock lb{};
        PingConfigBlock ping{};
        TraceConfigBlock trace{};
        JitterConfigBlock jitter{};
        TrafficConfigBlock traffic{};
        RfcConfigBlock rfc{};
        BertConfigBlock bert{};
        DnsConfigBlock dns{};
        MultiConfigBlock multi{};
        TrafficResultBlock trafficResult{};
        RfcResultBlock rfcResult{};
        JitterResultBlock jitterResult{};
        BertResultBlock bertResult{};
        MultiResultBlock multiResult{};
        DnsResultBlock dnsResult{};
        PingResultBlock pingResult{};
        PingStatsBlock pingStats{};
        TraceResultBlock traceResult{};
        CableResultBlock cableResult{};
        OamResultBlock oamResult{};
        std::array<double, BlockSize::StatsResult / 4> stats{}; // the port's counters
        quint8 topology = 0xFF; // none until a mode packet sets it
        quint8 loopLevel = 0;
        std::unique_ptr<TestRun> run;
        bool oam = false;
        qint64 oamSince = 0;
        bool remoteLoopback = false;
        double txRate = 0;
        double rxRate = 0;
    };

    void step(qint64 ms);
    RunContext context();
    void countFlows(int process, qint64 ms);
    void addFrames(int port, std::size_t half, int length, double frames, bool ip);
    void endRun(int process, bool stopped);
    void say(const QString &line);
    QString portName(int process) const { return QString(QLatin1Char(process == 0 ? 'A' : 'B')); }
    bool exists(int process) const { return process == 0 || !m_identity.qvb; }
    int speedCode(int port) const;
    quint64 lineBps(int port) const;
    Net::Interface interface(int iface) const;

    QByteArray buildReply(const QByteArray &request);
    void fillUndefined(const QByteArray &request, QByteArray &reply);
    template <std::size_t N>
    void noiseReserved(Block<N> &block, quint8 id);
    // Counts and names the reserved bytes of block [from, from + count)
    // that the write request changes.
    void checkReserved(const QByteArray &request, const quint8 *block, std::size_t count, std::size_t from);
    QByteArray status();
    QByteArray testRun(const QByteArray &request);
    QByteArray setMode(const QByteArray &request);
    QByteArray iface(const QByteArray &request);
    QByteArray oamConfig(const QByteArray &request);
    // OAM mode of port p (0, 1 or 2 = off), from either request that carries it.
    void setOamMode(int p, quint8 wanted);
    QByteArray rfcSummary(const QByteArray &request);
    QByteArray rfcStep(const QByteArray &request);
    QByteArray stats(const QByteArray &request);
    QByteArray debugRegister(const QByteArray &request);
    QByteArray screen(const QByteArray &request);
    QByteArray fileOpen(const QByteArray &request);
    QByteArray fileRead(const QByteArray &request);
    QByteArray dirEntry(const QByteArray &request, bool first);
    QByteArray saveSettings(const QByteArray &request);
    QByteArray loadSettings(const QByteArray &request);
    QByteArray deleteFile(const QByteArray &request);
    template <std::size_t N>
    QByteArray config(const QByteArray &request, Block<N> &block, std::size_t replyAt, int bit,
                      std::size_t count = N, std::size_t from = 0);
    void storeResultFile(const TestRun &run);
    void loadConfigs(const QByteArray &file);
    QString storedName(const QByteArray &request) const;

    DeviceIdentity m_identity;
    QRandomGenerator m_random;
    UndefinedBytes m_undefined;
    qint64 m_reservedChanges = 0;
    std::function<qint64()> m_clock;
    qint64 m_now = 0;
    qint64 m_nextUptimeText = UptimeTextMs;
    quint8 m_mode = 0; // 0 normal, 2 file transfer
    std::array<Process, Processes> m_proc;
    std::array<IfaceConfigBlock, 3> m_iface{};
    std::array<qint64, 3> m_dhcpSince{-1, -1, -1};
    bool m_transit = false;
    bool m_statsAutoReset = false;
    QHash<quint16, quint8> m_registers;
    FileStore m_files;
    int m_resultSequence = 0;
    QStringList m_listing;
    qsizetype m_listingPos = 0;
    QByteArray m_openFile;
    qsizetype m_readPos = 0;
    bool m_fileOpen = false;
    QByteArray m_screen;
};
