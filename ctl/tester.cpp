#include "tester.h"

#include "progpack.h"
#include "resultvalues.h"
#include "rfclayout.h"
#include "storedname.h"
#include "testcodes.h"

#include "pdfcreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

using Test = TestFields::Test;

QString tr(const char *text)
{
    return QCoreApplication::translate("Tester", text);
}

// After a start the tester shows the test in the next status; a status is
// asked for at once and once more a little later before the start counts
// as refused.
constexpr int kStartCheckMs = 300;
// A stop shows within a few status polls.
constexpr int kStopWaitMs = 5000;

// Catches the result file a download hands on, instead of the writer.
class DownloadCatcher final : public ReportSink
{
public:
    void startReport(const ReportJob &job) override
    {
        data = job.data;
        done = true;
    }
    QByteArray data;
    bool done = false;
};

QByteArray fromBlock(const quint8 *p, std::size_t n)
{
    return QByteArray(reinterpret_cast<const char *>(p), qsizetype(n));
}

} // namespace

Tester::Kind Tester::kind(Test test)
{
    switch (test) {
    case Test::Traffic: return {TestNo::Traffic, StateBit::Traffic, true, false, false};
    case Test::Rfc2544: return {TestNo::Rfc, StateBit::Rfc, true, false, false};
    case Test::Multistream: return {TestNo::Multi, StateBit::Multi, true, false, false};
    case Test::Jitter: return {TestNo::Jitter, StateBit::Jitter, true, false, false};
    case Test::Bert: return {TestNo::Bert, StateBit::Bert, true, false, false};
    case Test::Loopback: return {TestNo::Loopback, StateBit::Loopback, false, true, false};
    case Test::Cable: return {TestNo::Cable, StateBit::Cable, false, false, false};
    case Test::Oam: return {TestNo::Oam, StateBit::Oam, false, true, false};
    case Test::Transit: return {TestNo::Transit, StateBit::Transit, false, true, true};
    case Test::Ping: return {TestNo::Ping, StateBit::Ping, false, true, false};
    case Test::Trace: return {TestNo::Trace, StateBit::Trace, false, false, false};
    case Test::Dns: return {TestNo::Dns, StateBit::Dns, false, false, false};
    case Test::Interface: return {TestNo::Iface, -1, false, false, false};
    case Test::Statistics: return {TestNo::Stats, -1, false, false, false};
    }
    return {0, -1, false, false, false};
}

std::optional<int> Tester::portNumber(const QString &name, Test test)
{
    const QString n = name.toUpper();
    if (n == QLatin1String("A"))
        return 0;
    if (n == QLatin1String("B"))
        return 1;
    if (n == QLatin1String("RC") && test == Test::Interface)
        return 2;
    return std::nullopt;
}

QString Tester::portName(int port)
{
    return port == 2 ? QStringLiteral("RC") : port ? QStringLiteral("B") : QStringLiteral("A");
}

bool Tester::fail(int exit, const QString &message)
{
    m_failure = {exit, message};
    return false;
}

bool Tester::ready()
{
    if (m_session.connected())
        return true;
    return fail(Exit::Tester, m_session.why().isEmpty() ? tr("The connection to the tester was lost.") : m_session.why());
}

bool Tester::settle()
{
    switch (m_session.settle(m_timeoutMs)) {
    case Session::Wait::Done: return true;
    case Session::Wait::Lost: return ready();
    case Session::Wait::TimedOut: return fail(Exit::Timeout, tr("The tester did not finish answering in time."));
    }
    return false;
}

bool Tester::checkPort(Test test, int port)
{
    if (port == 1 && device().isQvb)
        return fail(Exit::Usage, tr("The ZORT-QVB has port A only."));
    if (port == 2 && test != Test::Interface)
        return fail(Exit::Usage, tr("Port RC has interface settings only."));
    if (kind(test).twoPorts && device().isQvb)
        return fail(Exit::Usage, tr("%1 needs the two ports of the ZORT-QV.").arg(TestFields::name(test)));
    return true;
}

bool Tester::sendRequest(quint8 id, quint32 parameter)
{
    OldProto &e = m_session.engine();
    e.send(e.build(id, parameter));
    return true;
}

bool Tester::gs(quint8 testNumber, quint8 argument)
{
    m_session.engine().gs_cfg(requestCode(testNumber, argument));
    return settle();
}

// ---- status ---------------------------------------------------------------

QJsonObject Tester::info()
{
    if (!ready() || m_session.refreshStatus(m_timeoutMs) != Session::Wait::Done) {
        ready();
        return {};
    }
    const Zorqv &d = device();
    const auto version = [](const quint8 *v) { return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]); };
    QJsonArray ports;
    for (int p = 0; p < (d.isQvb ? 1 : 2); ++p) {
        QJsonArray running, receiving;
        for (int t = 0; t < TestFields::TestCount; ++t) {
            const int bit = kind(Test(t)).bit;
            if (bit < 0)
                continue;
            if (d.procState[p] & StateBit::tx(bit))
                running << TestFields::name(Test(t));
            if (d.procState[p] & StateBit::rx(bit))
                receiving << TestFields::name(Test(t));
        }
        const quint8 speed = d.linkSpeed[p];
        QJsonValue topology;
        if (d.topology[p] == Mode::SamePort)
            topology = portName(p) + QStringLiteral("->") + portName(p);
        else if (d.topology[p] == Mode::Cross)
            topology = portName(p) + QStringLiteral("->") + portName(1 - p);
        ports << QJsonObject{
            {QStringLiteral("port"), portName(p)},
            {QStringLiteral("linkSpeed"), speed >= 1 && speed <= 3 ? int(std::pow(10, speed)) : 0},
            {QStringLiteral("duplex"),
             speed == 0 ? QJsonValue() : QJsonValue(((d.duplex >> (4 * p)) & 0x0F) == 1 ? QStringLiteral("half")
                                                                                         : QStringLiteral("full"))},
            {QStringLiteral("topology"), topology},
            {QStringLiteral("loopbackLevel"), d.loopLevel[p]},
            {QStringLiteral("running"), running},
            {QStringLiteral("receiving"), receiving},
            {QStringLiteral("elapsed"), double(d.elapsedSeconds(quint8(p)))},
            {QStringLiteral("txRate"), double(d.txRate[p])},
            {QStringLiteral("rxRate"), double(d.rxRate[p])},
        };
    }
    return {
        {QStringLiteral("model"), d.isQvb ? QStringLiteral("ZORT-QVB") : QStringLiteral("ZORT-QV")},
        {QStringLiteral("serialNumber"), d.serialNumber},
        {QStringLiteral("cpuVersion"), version(d.cpuVersion)},
        {QStringLiteral("fpgaVersion"), version(d.fpgaVersion)},
        {QStringLiteral("release"), d.release},
        {QStringLiteral("ports"), ports},
    };
}

QJsonArray Tester::tests()
{
    const bool qvb = device().isQvb;
    QJsonArray all;
    for (int t = 0; t < TestFields::TestCount; ++t) {
        const Test test = Test(t);
        const Kind k = kind(test);
        QJsonArray ports{QStringLiteral("A")};
        if (!qvb)
            ports << QStringLiteral("B");
        if (test == Test::Interface)
            ports << QStringLiteral("RC");
        all << QJsonObject{
            {QStringLiteral("name"), TestFields::name(test)},
            {QStringLiteral("offered"), !(k.twoPorts && qvb)},
            {QStringLiteral("ports"), ports},
            {QStringLiteral("crossStart"), k.cross && !qvb},
            {QStringLiteral("startable"), k.bit >= 0},
            {QStringLiteral("runsUntilStopped"), k.untilStopped},
            {QStringLiteral("config"), !TestFields::config(test).empty()},
            {QStringLiteral("results"), !TestFields::result(test).empty()},
        };
    }
    return all;
}

bool Tester::running(Test test, int port) const
{
    const int bit = kind(test).bit;
    return bit >= 0 && (m_session.device().procState[port & 1] & StateBit::tx(bit)) != 0;
}

// ---- configurations -------------------------------------------------------

QByteArray Tester::configBytes(Test test, int port)
{
    Zorqv &d = device();
    switch (test) {
    case Test::Interface:
    case Test::Oam: return fromBlock(d.ifaceConfig[port].data(), d.ifaceConfig[port].size());
    case Test::Statistics: return QByteArray(1, d.statsFlag ? 1 : 0);
    default: return TestFields::configBytes(d, test, port);
    }
}

void Tester::putConfigBytes(Test test, int port, const QByteArray &bytes)
{
    Zorqv &d = device();
    switch (test) {
    case Test::Interface:
    case Test::Oam: std::memcpy(d.ifaceConfig[port].data(), bytes.constData(), d.ifaceConfig[port].size()); break;
    case Test::Statistics: d.statsFlag = bytes.at(0) != 0; break;
    default: TestFields::setConfigBytes(d, test, port, bytes); break;
    }
}

std::optional<QJsonObject> Tester::config(Test test, int port)
{
    if (!ready() || !checkPort(test, port))
        return std::nullopt;
    if (TestFields::config(test).empty()) {
        fail(Exit::Usage, tr("%1 has no configuration.").arg(TestFields::name(test)));
        return std::nullopt;
    }
    device().curProc = quint8(port & 1);
    const quint8 argument = test == Test::Interface ? quint8(port * 64) : 0;
    if (!gs(kind(test).number, argument))
        return std::nullopt;
    return TestFields::json(test, configBytes(test, port), {}).value(QStringLiteral("config")).toObject();
}

std::optional<QJsonObject> Tester::setConfig(Test test, int port, const QJsonObject &patch)
{
    if (!config(test, port))
        return std::nullopt;
    QByteArray bytes = configBytes(test, port);
    QString problem;
    auto *block = reinterpret_cast<quint8 *>(bytes.data());
    if (!FieldTable::fromJson(TestFields::config(test), patch, block, &problem)
        || !(problem = TestFields::check(test, block)).isEmpty()) {
        fail(Exit::Usage, problem);
        return std::nullopt;
    }
    putConfigBytes(test, port, bytes);
    device().curProc = quint8(port & 1);
    const quint8 argument = test == Test::Interface ? quint8(port * 64 + 1) : 1;
    if (!gs(kind(test).number, argument))
        return std::nullopt;
    std::optional<QJsonObject> held = config(test, port);
    if (held && configBytes(test, port) != bytes) {
        fail(Exit::Tester, tr("The tester kept a configuration other than the one written (is %1 running?).")
                               .arg(TestFields::name(test)));
        return std::nullopt;
    }
    return held;
}

// ---- results --------------------------------------------------------------

bool Tester::fetchResults(Test test, int port)
{
    Zorqv &d = device();
    d.curProc = quint8(port & 1);
    switch (test) {
    case Test::Traffic: return sendRequest(PROGPACK_TRAFFIC_RES, 0) && settle();
    case Test::Jitter: return sendRequest(PROGPACK_JITTER_RES, 0) && settle();
    case Test::Bert: return sendRequest(PROGPACK_BERT_RES, 0) && settle();
    case Test::Multistream: return sendRequest(PROGPACK_MULTI_RES, 0) && settle();
    case Test::Dns: return sendRequest(PROGPACK_DNS_RES, 0) && settle();
    case Test::Oam: return sendRequest(PROGPACK_OAM_RES, 0) && settle();
    case Test::Cable: return sendRequest(PROGPACK_CABLE_RES, 0) && settle();
    case Test::Ping: return sendRequest(PROGPACK_PING_RES, 0) && settle();
    case Test::Statistics: return sendRequest(PROGPACK_STATS_RES, quint32(port)) && settle();
    case Test::Interface: return sendRequest(PROGPACK_IFACE_CFG, quint32(port * 64 + 16)) && settle();
    case Test::Trace: {
        // Every page of hops, as the page's selector would fetch them.
        const quint32 pages = quint32((BlockSize::TraceResult + BlockSize::TracePage - 1) / BlockSize::TracePage);
        for (quint32 page = 0; page < pages; ++page) {
            d.traceHop[port] = page;
            sendRequest(PROGPACK_TRACE_RES, 0);
        }
        d.traceHop[port] = 0;
        return settle();
    }
    case Test::Rfc2544: {
        // The summary in its four ranges, then every frame-loss step.
        static constexpr quint32 ranges[4][2] = {{0, 32}, {32, 96}, {128, 192}, {320, 96}};
        for (const auto &r : ranges)
            sendRequest(PROGPACK_RFC_RES, r[0] << 16 | r[1]);
        namespace C = RfcConfigField;
        const RfcConfigBlock &c = d.rfcConfig[port];
        const std::size_t steps = ResultValues::Rfc::frameLossSteps(c[C::FrlStartLoad], c[C::FrlEndLoad], c[C::FrlStep]);
        const quint32 before = d.rfcStep[port];
        for (std::size_t s = 0; s < steps; ++s) {
            d.rfcStep[port] = quint32(s);
            sendRequest(PROGPACK_RFC_STEP, 0);
        }
        d.rfcStep[port] = before;
        return settle();
    }
    default:
        return fail(Exit::Usage, tr("%1 has no results.").arg(TestFields::name(test)));
    }
}

QByteArray Tester::resultBytes(Test test, int port)
{
    Zorqv &d = device();
    switch (test) {
    case Test::Cable: return fromBlock(d.cableResult.data(), d.cableResult.size());
    case Test::Oam: return fromBlock(d.oamResult[port].data(), d.oamResult[port].size());
    case Test::Statistics: return fromBlock(d.statsResult[port].data(), d.statsResult[port].size());
    case Test::Interface: {
        QByteArray words(12, '\0');
        qToLittleEndian<quint32>(d.ifaceWord1[port], words.data());
        qToLittleEndian<quint32>(d.ifaceWord2[port], words.data() + 4);
        qToLittleEndian<quint32>(d.ifaceWord3[port], words.data() + 8);
        return words;
    }
    default: return TestFields::resultBytes(d, test, port);
    }
}

std::optional<QJsonObject> Tester::results(Test test, int port)
{
    if (!ready() || !checkPort(test, port))
        return std::nullopt;
    if (TestFields::result(test).empty()) {
        fail(Exit::Usage, tr("%1 has no results.").arg(TestFields::name(test)));
        return std::nullopt;
    }
    // Results read with their configuration: shares, labels and steps depend on it.
    if (!TestFields::config(test).empty() && test != Test::Interface && !config(test, port))
        return std::nullopt;
    if (!fetchResults(test, port))
        return std::nullopt;
    const QByteArray config = test == Test::Interface ? QByteArray() : configBytes(test, port);
    return TestFields::json(test, config, resultBytes(test, port)).value(QStringLiteral("result")).toObject();
}

QJsonObject Tester::statistics(int port, bool reset)
{
    if (!ready() || !checkPort(Test::Statistics, port))
        return {};
    if (reset) {
        m_session.engine().start_test(requestCode(TestNo::Stats, 0));
        if (!settle())
            return {};
    }
    return results(Test::Statistics, port).value_or(QJsonObject());
}

// ---- running --------------------------------------------------------------

bool Tester::start(Test test, int port, int to, int level)
{
    if (!ready() || !checkPort(test, port))
        return false;
    const Kind k = kind(test);
    const QString name = TestFields::name(test);
    if (k.bit < 0)
        return fail(Exit::Usage, tr("%1 is not started: it has no run.").arg(name));
    if (to != port && (!k.cross || device().isQvb))
        return fail(Exit::Usage, tr("%1 runs on its own port only.").arg(name));
    if (m_session.refreshStatus(m_timeoutMs) != Session::Wait::Done)
        return ready() && fail(Exit::Timeout, tr("The tester did not answer in time."));
    if (running(test, port))
        return fail(Exit::Usage, tr("%1 already runs on port %2.").arg(name, portName(port)));

    quint8 argument = 0;
    switch (test) {
    case Test::Loopback: argument = quint8(level); break;
    case Test::Transit: argument = Mode::TransitOn; break;
    case Test::Oam: argument = 1; break; // the peer's remote loopback
    case Test::Cable:
    case Test::Ping:
    case Test::Trace: break;
    default: argument = to == port ? Mode::SamePort : Mode::Cross; break;
    }
    device().curProc = quint8(port);
    m_session.engine().start_test(requestCode(k.number, argument));
    if (!settle())
        return false;
    // The remote loopback of OAM shows in no state word.
    if (test == Test::Oam)
        return true;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt > 0)
            m_session.waitFor([] { return false; }, kStartCheckMs);
        if (m_session.refreshStatus(m_timeoutMs) != Session::Wait::Done)
            return ready() && fail(Exit::Timeout, tr("The tester did not answer in time."));
        if (running(test, port))
            return true;
    }
    return fail(Exit::Tester,
                tr("The tester did not start %1 on port %2 (is another test running there?).").arg(name, portName(port)));
}

bool Tester::stop(Test test, int port, bool *wasRunning)
{
    if (wasRunning)
        *wasRunning = false;
    if (!ready() || !checkPort(test, port))
        return false;
    const Kind k = kind(test);
    if (k.bit < 0)
        return fail(Exit::Usage, tr("%1 is not started: it has no run.").arg(TestFields::name(test)));
    if (m_session.refreshStatus(m_timeoutMs) != Session::Wait::Done)
        return ready() && fail(Exit::Timeout, tr("The tester did not answer in time."));
    if (test != Test::Oam && !running(test, port))
        return true;
    if (wasRunning)
        *wasRunning = true;
    quint8 argument = 0; // the same request as a start: the engine makes it a stop
    if (test == Test::Transit)
        argument = Mode::TransitOff;
    device().curProc = quint8(port);
    m_session.engine().start_test(requestCode(k.number, argument));
    if (!settle())
        return false;
    if (test == Test::Oam)
        return true;
    const Session::Wait w = m_session.waitForStatus([&] { return !running(test, port); }, kStopWaitMs);
    if (w == Session::Wait::Lost)
        return ready();
    if (w == Session::Wait::TimedOut)
        return fail(Exit::Timeout, tr("%1 still runs on port %2.").arg(TestFields::name(test), portName(port)));
    return true;
}

bool Tester::waitStopped(Test test, int port, int timeoutMs)
{
    if (!ready() || !checkPort(test, port))
        return false;
    if (kind(test).bit < 0 || kind(test).untilStopped)
        return fail(Exit::Usage, tr("%1 runs until it is stopped: there is nothing to wait for.").arg(TestFields::name(test)));
    if (m_session.refreshStatus(m_timeoutMs) != Session::Wait::Done)
        return ready() && fail(Exit::Timeout, tr("The tester did not answer in time."));
    switch (m_session.waitForStatus([&] { return !running(test, port); }, timeoutMs)) {
    case Session::Wait::Done: return true;
    case Session::Wait::Lost: return ready();
    case Session::Wait::TimedOut:
        return fail(Exit::Timeout, tr("%1 still runs on port %2 after %3 s.")
                                       .arg(TestFields::name(test), portName(port))
                                       .arg(timeoutMs / 1000.0));
    }
    return false;
}

// ---- files ----------------------------------------------------------------

std::optional<QStringList> Tester::files()
{
    if (!ready())
        return std::nullopt;
    int lists = 0;
    const QMetaObject::Connection counter =
        QObject::connect(&m_session.engine(), &OldProto::cfg_rcv, &m_session, [&lists](unsigned short code) {
            if ((code & 0xFF) == TestNo::FileTransfer)
                ++lists;
        });
    m_session.engine().gs_cfg(requestCode(TestNo::FileTransfer, 0));
    const bool settled = settle();
    QObject::disconnect(counter);
    if (!settled)
        return std::nullopt;
    if (lists == 0) {
        fail(Exit::Tester, tr("The tester sent no file list."));
        return std::nullopt;
    }
    return device().fileList;
}

bool Tester::fileOperation(quint8 argument, const QString &name)
{
    if (!ready())
        return false;
    // The tester lists the file again after each operation it carries out.
    int lists = 0;
    const QMetaObject::Connection counter =
        QObject::connect(&m_session.engine(), &OldProto::cfg_rcv, &m_session, [&lists](unsigned short code) {
            if ((code & 0xFF) == TestNo::FileTransfer)
                ++lists;
        });
    device().fileName = name;
    m_session.engine().start_test(requestCode(TestNo::FileTransfer, argument));
    const bool settled = settle();
    QObject::disconnect(counter);
    if (!settled)
        return false;
    if (lists == 0)
        return fail(Exit::Tester, tr("The tester refused: %1.").arg(name));
    return true;
}

bool Tester::saveSettings(const QString &name)
{
    const QString problem = StoredName::problem(name);
    if (!problem.isEmpty())
        return fail(Exit::Usage, problem);
    return fileOperation(2, name);
}

bool Tester::loadSettings(const QString &name)
{
    return fileOperation(3, name);
}

bool Tester::deleteFile(const QString &name)
{
    return fileOperation(4, name);
}

std::optional<QByteArray> Tester::download(const QString &name)
{
    if (!ready())
        return std::nullopt;
    DownloadCatcher catcher;
    QTemporaryDir scratch; // the engine checks that a report folder can be made
    Zorqv &d = device();
    d.setReportSink(&catcher);
    d.fileName = name;
    d.reportDir = scratch.path();
    d.reportMask = 0;
    QString failed;
    const QMetaObject::Connection watch = QObject::connect(
        &d, &Zorqv::download_failed, &m_session, [&failed](const QString &text) { failed = text; });
    m_session.engine().start_test(requestCode(TestNo::FileTransfer, 1));
    const Session::Wait w = m_session.waitFor([&] { return catcher.done || !failed.isEmpty(); }, m_timeoutMs);
    QObject::disconnect(watch);
    d.setReportSink(nullptr);
    if (!failed.isEmpty()) {
        fail(Exit::Tester, failed);
        return std::nullopt;
    }
    if (w == Session::Wait::Lost) {
        ready();
        return std::nullopt;
    }
    if (w == Session::Wait::TimedOut) {
        fail(Exit::Timeout, tr("The download of %1 did not end in time.").arg(name));
        return std::nullopt;
    }
    settle();
    return catcher.data;
}

bool Tester::screen(const QString &pngPath)
{
    if (!ready())
        return false;
    QFile::remove(pngPath);
    device().screenPath = pngPath;
    m_session.engine().start_test(requestCode(TestNo::FileTransfer, 0));
    if (!settle())
        return false;
    if (!QFileInfo::exists(pngPath))
        return fail(Exit::Tester, tr("The screen image could not be written to %1.").arg(pngPath));
    return true;
}

bool Tester::writeReports(const QByteArray &resultFile, const QString &dir, quint32 mask, QStringList *written)
{
    constexpr quint32 kAllReports = 0x100 | 0x020 | 0x010 | 0x040 | 0x080 | 0x002 | 0x800;
    const Zorqv &d = device();
    ReportJob job;
    job.directory = QDir(dir).absolutePath();
    job.data = resultFile;
    job.mask = mask ? mask : kAllReports;
    job.singlePort = d.isQvb;
    job.serialNumber = d.serialNumber;
    job.linkSpeedA = d.linkSpeed[0];
    job.linkSpeedB = d.linkSpeed[1];
    PDFCreator *writer = device().reportWriter();
    std::optional<ReportOutcome> outcome;
    const QMetaObject::Connection watch = QObject::connect(writer, &PDFCreator::reportFinished, &m_session,
                                                           [&outcome](const ReportOutcome &o) { outcome = o; });
    writer->startReport(job);
    // Seven PDFs take a moment; the writer runs on its own thread.
    const Session::Wait w = m_session.waitFor([&outcome] { return outcome.has_value(); }, qMax(m_timeoutMs, 60000));
    QObject::disconnect(watch);
    if (w != Session::Wait::Done || !outcome)
        return fail(Exit::Timeout, tr("The reports were not written in time."));
    if (written)
        *written = outcome->written;
    if (!outcome->ok() && outcome->status != ReportOutcome::NothingRequested)
        return fail(Exit::Usage, outcome->message());
    return true;
}

bool Tester::pause(int ms)
{
    return m_session.waitFor([] { return false; }, ms) != Session::Wait::Lost || ready();
}

bool Tester::pauseWhileRunning(Test test, int port, int ms)
{
    return m_session.waitForStatus([&] { return !running(test, port); }, ms) != Session::Wait::Lost || ready();
}
