#include "cli.h"

#include "fieldtable.h"
#include "plan.h"
#include "resultjson.h"
#include "resultrecord.h"
#include "tester.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>

namespace Cli {

namespace {

using Test = TestFields::Test;

QString tr(const char *text)
{
    return QCoreApplication::translate("Cli", text);
}

// The commands' descriptions, kept in a table.
QString describe(const char *text)
{
    return QCoreApplication::translate("qvctl", text);
}

void out(const QString &text)
{
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void err(const QString &text)
{
    std::fprintf(stderr, "qvctl: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

QString compact(const QJsonValue &v)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

// "path: value" lines of a JSON value, for people.
void flatten(const QJsonValue &v, const QString &path, QStringList &lines)
{
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            flatten(it.value(), path.isEmpty() ? it.key() : path + u'.' + it.key(), lines);
    } else if (v.isArray()) {
        const QJsonArray a = v.toArray();
        if (a.isEmpty())
            lines << path + QStringLiteral(": []");
        for (qsizetype i = 0; i < a.size(); ++i)
            flatten(a.at(i), QStringLiteral("%1[%2]").arg(path).arg(i), lines);
    } else {
        lines << path + QStringLiteral(": ") + (v.isString() ? v.toString() : compact(v));
    }
}

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int)
{
    interrupted = 1;
}

struct Globals
{
    QString host;
    quint16 port = TcpSocket::DefaultPort;
    QString serial;
    int timeoutMs = 10000;
    bool json = false;
};

// What every command has at hand: the global options, the tester once
// connected, and the one way results and failures are told.
class Context
{
public:
    explicit Context(const Globals &g) : globals(g) {}

    // Connects as the options (or a plan) say; false after telling why.
    bool connect(const QString &fallback = {})
    {
        Globals g = globals;
        if (g.host.isEmpty() && g.serial.isEmpty() && !fallback.isEmpty() && !parseConnect(fallback, &g)) {
            code = usage(Cli::tr("The plan's \"connect\" must be HOST[:PORT] or serial:DEVICE: %1").arg(fallback));
            return false;
        }
        if (g.host.isEmpty() && g.serial.isEmpty()) {
            code = usage(Cli::tr("Say where the tester is: --connect HOST[:PORT] or --serial DEVICE."));
            return false;
        }
        session = std::make_unique<Session>(g.port);
        tester = std::make_unique<Tester>(*session, g.timeoutMs);
        const Session::Wait w = g.serial.isEmpty() ? session->connectTcp(g.host, g.timeoutMs)
                                                   : session->connectSerial(g.serial, g.timeoutMs);
        if (w == Session::Wait::Done)
            return true;
        tester->fail(w == Session::Wait::TimedOut ? Exit::Timeout : Exit::Tester, session->why());
        code = failed();
        return false;
    }

    static bool parseConnect(const QString &text, Globals *g)
    {
        if (text.startsWith(QLatin1String("serial:"))) {
            g->serial = text.mid(7);
            return !g->serial.isEmpty();
        }
        static const QRegularExpression hostPort(QStringLiteral("^([^:\\s]+)(?::(\\d{1,5}))?$"));
        const QRegularExpressionMatch m = hostPort.match(text);
        if (!m.hasMatch() || (m.hasCaptured(2) && m.captured(2).toUInt() > 65535))
            return false;
        g->host = m.captured(1);
        if (m.hasCaptured(2))
            g->port = quint16(m.captured(2).toUInt());
        return true;
    }

    // Prints the tester's failure and gives its exit code.
    int failed()
    {
        const Tester::Failure &f = tester->failure();
        return report(f.exit == Exit::Ok ? Exit::Tester : f.exit, f.message);
    }

    int usage(const QString &message) { return report(Exit::Usage, message); }

    int report(int exit, const QString &message)
    {
        err(message);
        if (globals.json)
            out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("error"), message},
                                                           {QStringLiteral("exit"), exit}})
                                      .toJson()));
        return exit;
    }

    // The command's answer: the JSON document, or text lines for people.
    int print(const QJsonValue &doc, const QStringList &text = {})
    {
        if (globals.json) {
            out(QString::fromUtf8(doc.isArray() ? QJsonDocument(doc.toArray()).toJson()
                                                : QJsonDocument(doc.toObject()).toJson())
                    .trimmed());
        } else if (!text.isEmpty()) {
            out(text.join(u'\n'));
        } else {
            QStringList lines;
            flatten(doc, QString(), lines);
            out(lines.join(u'\n'));
        }
        return Exit::Ok;
    }

    Globals globals;
    std::unique_ptr<Session> session;
    std::unique_ptr<Tester> tester;
    int code = Exit::Ok;
};

struct Command;
using Handler = int (*)(Context &, const QCommandLineParser &, const Command &);

struct Command
{
    const char *name;
    const char *synopsis;    // after "qvctl [options] "
    const char *description; // translated on use
    Handler handler;
};

// ---- options shared by commands -------------------------------------------

QCommandLineOption portOption()
{
    return {QStringLiteral("port"), tr("The port: A (default) or B; RC for the interface settings."),
            QStringLiteral("A|B")};
}

// TEST [--port] from the command line.
bool testAndPort(Context &c, const QCommandLineParser &p, Test *test, int *port, int positionals = 1)
{
    const QStringList args = p.positionalArguments();
    if (args.size() != positionals) {
        c.code = c.usage(args.isEmpty() ? tr("Name the test: %1").arg(TestFields::names().join(u' '))
                                        : tr("Unexpected argument: %1").arg(args.last()));
        return false;
    }
    const auto t = TestFields::fromName(args.first());
    if (!t) {
        c.code = c.usage(tr("%1 is not a test; the tests are: %2").arg(args.first(), TestFields::names().join(u' ')));
        return false;
    }
    *test = *t;
    const auto n = Tester::portNumber(p.value(QStringLiteral("port")).isEmpty() ? QStringLiteral("A")
                                                                                : p.value(QStringLiteral("port")),
                                      *t);
    if (!n) {
        c.code = c.usage(tr("--port takes A or B (RC for the interface settings): %1").arg(p.value(QStringLiteral("port"))));
        return false;
    }
    *port = *n;
    return true;
}

std::optional<double> seconds(Context &c, const QCommandLineParser &p, const QString &option)
{
    if (!p.isSet(option))
        return std::nullopt;
    bool ok = false;
    const double s = p.value(option).toDouble(&ok);
    if (!ok || !(s > 0) || s > 7 * 24 * 3600) {
        c.code = c.usage(tr("--%1 takes seconds above 0: %2").arg(option, p.value(option)));
        return -1.0;
    }
    return s;
}

// "streams[2].rate=50" as the JSON it merges: {"streams":[{},{},{"rate":50}]}.
bool setPair(const QString &pair, QJsonObject *patch, QString *error)
{
    const qsizetype eq = pair.indexOf(u'=');
    if (eq <= 0) {
        *error = tr("--set takes KEY=VALUE: %1").arg(pair);
        return false;
    }
    const QString valueText = pair.mid(eq + 1);
    // A value is JSON where it reads as JSON (5, true, "text"), else text.
    QJsonValue value = QJsonDocument::fromJson(QByteArray("[") + valueText.toUtf8() + "]").array().first();
    if (value.isUndefined())
        value = valueText;
    static const QRegularExpression segment(QStringLiteral("^([A-Za-z][A-Za-z0-9]*)(?:\\[([0-9]+)\\])?$"));
    const QStringList path = pair.left(eq).split(u'.');
    std::function<QJsonValue(QJsonValue, int)> place = [&](QJsonValue at, int depth) -> QJsonValue {
        if (depth == path.size())
            return value;
        const QRegularExpressionMatch m = segment.match(path.at(depth));
        QJsonObject o = at.toObject();
        if (!m.hasCaptured(2)) {
            o.insert(m.captured(1), place(o.value(m.captured(1)), depth + 1));
            return o;
        }
        QJsonArray a = o.value(m.captured(1)).toArray();
        const int index = m.captured(2).toInt();
        while (a.size() <= index)
            a << QJsonObject();
        a[index] = place(a.at(index), depth + 1);
        o.insert(m.captured(1), a);
        return o;
    };
    for (const QString &s : path) {
        if (!segment.match(s).hasMatch() || segment.match(s).captured(2).toInt() > 255) {
            *error = tr("--set: \"%1\" is not a key path like header.udpSource or streams[2].rate").arg(pair.left(eq));
            return false;
        }
    }
    *patch = place(*patch, 0).toObject();
    return true;
}

// ---- the commands ---------------------------------------------------------

int infoCommand(Context &c, const QCommandLineParser &, const Command &)
{
    if (!c.connect())
        return c.code;
    const QJsonObject info = c.tester->info();
    if (info.isEmpty())
        return c.failed();
    QStringList text{tr("Model: %1, serial number %2").arg(info.value(QLatin1String("model")).toString()).arg(info.value(QLatin1String("serialNumber")).toInt()),
                     tr("Firmware: CPU %1, FPGA %2, release %3")
                         .arg(info.value(QLatin1String("cpuVersion")).toString(), info.value(QLatin1String("fpgaVersion")).toString(),
                              info.value(QLatin1String("release")).toString())};
    for (const QJsonValue &v : info.value(QLatin1String("ports")).toArray()) {
        const QJsonObject p = v.toObject();
        const int speed = p.value(QLatin1String("linkSpeed")).toInt();
        QStringList running;
        for (const QJsonValue &t : p.value(QLatin1String("running")).toArray())
            running << t.toString();
        text << tr("Port %1: %2, topology %3, running: %4")
                    .arg(p.value(QLatin1String("port")).toString(),
                         speed ? tr("%1 Mbit/s %2 duplex").arg(speed).arg(p.value(QLatin1String("duplex")).toString()) : tr("no link"),
                         p.value(QLatin1String("topology")).toString(QStringLiteral("-")),
                         running.isEmpty() ? tr("nothing") : running.join(QStringLiteral(", ")));
    }
    return c.print(info, text);
}

int testsCommand(Context &c, const QCommandLineParser &, const Command &)
{
    if (!c.connect())
        return c.code;
    const QJsonArray tests = c.tester->tests();
    QStringList text;
    for (const QJsonValue &v : tests) {
        const QJsonObject t = v.toObject();
        QStringList ports, what;
        for (const QJsonValue &p : t.value(QLatin1String("ports")).toArray())
            ports << p.toString();
        if (!t.value(QLatin1String("offered")).toBool())
            what << tr("not on this model");
        if (t.value(QLatin1String("crossStart")).toBool())
            what << tr("cross start");
        if (t.value(QLatin1String("runsUntilStopped")).toBool())
            what << tr("runs until stopped");
        text << QStringLiteral("%1  %2  %3").arg(t.value(QLatin1String("name")).toString(), -12).arg(ports.join(u' '), -7).arg(what.join(QStringLiteral(", ")));
    }
    return c.print(QJsonObject{{QStringLiteral("tests"), tests}}, text);
}

int getCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    Test test;
    int port = 0;
    if (!testAndPort(c, p, &test, &port) || !c.connect())
        return c.code;
    const auto config = c.tester->config(test, port);
    return config ? c.print(*config) : c.failed();
}

int setCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    const QStringList args = p.positionalArguments();
    Test test;
    int port = 0;
    if (!testAndPort(c, p, &test, &port, args.size() == 2 ? 2 : 1))
        return c.code;
    QJsonObject patch;
    if (args.size() == 2) {
        QFile file;
        const bool opened = args.at(1) == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                             : (file.setFileName(args.at(1)), file.open(QIODevice::ReadOnly));
        if (!opened)
            return c.usage(tr("%1 cannot be read: %2").arg(args.at(1), file.errorString()));
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
        if (parseError.error != QJsonParseError::NoError || !doc.isObject())
            return c.usage(tr("%1 is not a JSON object: %2").arg(args.at(1), parseError.errorString()));
        patch = doc.object();
    }
    for (const QString &pair : p.values(QStringLiteral("set"))) {
        QString problem;
        if (!setPair(pair, &patch, &problem))
            return c.usage(problem);
    }
    if (patch.isEmpty())
        return c.usage(tr("Give the configuration to set: a FILE, - for standard input, or --set KEY=VALUE."));
    // Keys and ranges are refused before the tester is asked anything.
    QByteArray scratch(512, '\0');
    QString problem;
    if (!FieldTable::fromJson(TestFields::config(test), patch, reinterpret_cast<quint8 *>(scratch.data()), &problem))
        return c.usage(TestFields::config(test).empty() ? tr("%1 has no configuration.").arg(TestFields::name(test)) : problem);
    if (!c.connect())
        return c.code;
    const auto held = c.tester->setConfig(test, port, patch);
    return held ? c.print(*held) : c.failed();
}

int startCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    Test test;
    int port = 0;
    if (!testAndPort(c, p, &test, &port))
        return c.code;
    int to = port;
    if (p.isSet(QStringLiteral("to"))) {
        const auto n = Tester::portNumber(p.value(QStringLiteral("to")), Test::Traffic);
        if (!n)
            return c.usage(tr("--to takes A or B: %1").arg(p.value(QStringLiteral("to"))));
        to = *n;
    }
    bool ok = false;
    const int level = p.value(QStringLiteral("level")).toInt(&ok);
    if (p.isSet(QStringLiteral("level")) && (test != Test::Loopback || !ok || level < 1 || level > 4))
        return c.usage(tr("--level is the loopback level, 1 to 4: %1").arg(p.value(QStringLiteral("level"))));
    if (!c.connect())
        return c.code;
    if (!c.tester->start(test, port, to, ok ? level : 1))
        return c.failed();
    const QString name = TestFields::name(test);
    return c.print(QJsonObject{{QStringLiteral("test"), name},
                               {QStringLiteral("port"), Tester::portName(port)},
                               {QStringLiteral("to"), Tester::portName(to)},
                               {QStringLiteral("running"), true}},
                   {tr("%1 started on port %2 (%2->%3).").arg(name, Tester::portName(port), Tester::portName(to))});
}

int stopCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    Test test;
    int port = 0;
    if (!testAndPort(c, p, &test, &port) || !c.connect())
        return c.code;
    bool wasRunning = false;
    if (!c.tester->stop(test, port, &wasRunning))
        return c.failed();
    const QString name = TestFields::name(test);
    return c.print(QJsonObject{{QStringLiteral("test"), name},
                               {QStringLiteral("port"), Tester::portName(port)},
                               {QStringLiteral("stopped"), wasRunning}},
                   {wasRunning ? tr("%1 stopped on port %2.").arg(name, Tester::portName(port))
                               : tr("%1 was not running on port %2.").arg(name, Tester::portName(port))});
}

int waitCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    Test test;
    int port = 0;
    if (!testAndPort(c, p, &test, &port))
        return c.code;
    const auto limit = seconds(c, p, QStringLiteral("timeout"));
    if (limit && *limit < 0)
        return c.code;
    if (!c.connect())
        return c.code;
    // Without --timeout: the configured duration and two minutes, or an hour.
    double bound = limit.value_or(3600);
    if (!limit && !TestFields::config(test).empty()) {
        const auto config = c.tester->config(test, port);
        if (!config)
            return c.failed();
        if (config->contains(QLatin1String("duration")))
            bound = config->value(QLatin1String("duration")).toDouble() + 120;
    }
    if (!c.tester->waitStopped(test, port, int(bound * 1000)))
        return c.failed();
    const QString name = TestFields::name(test);
    return c.print(QJsonObject{{QStringLiteral("test"), name},
                               {QStringLiteral("port"), Tester::portName(port)},
                               {QStringLiteral("running"), false}},
                   {tr("%1 no longer runs on port %2.").arg(name, Tester::portName(port))});
}

int resultsCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    Test test;
    int port = 0;
    if (!testAndPort(c, p, &test, &port) || !c.connect())
        return c.code;
    const auto results = c.tester->results(test, port);
    return results ? c.print(*results) : c.failed();
}

int watchCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    Test test;
    int port = 0;
    if (!testAndPort(c, p, &test, &port) || !c.connect())
        return c.code;
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    // One line per poll while the test runs, and the line after it ended.
    for (bool last = false; !last && !interrupted;) {
        const auto results = c.tester->results(test, port);
        if (!results)
            return c.failed();
        last = !c.tester->running(test, port);
        out(compact(QJsonObject{{QStringLiteral("time"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                                {QStringLiteral("test"), TestFields::name(test)},
                                {QStringLiteral("port"), Tester::portName(port)},
                                {QStringLiteral("running"), !last},
                                {QStringLiteral("elapsed"), double(c.tester->elapsed(port))},
                                {QStringLiteral("result"), *results}}));
        if (!last && !c.tester->pauseWhileRunning(test, port, 1000))
            return c.failed();
    }
    return Exit::Ok;
}

int statsCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    if (!p.positionalArguments().isEmpty())
        return c.usage(tr("Unexpected argument: %1").arg(p.positionalArguments().first()));
    std::optional<int> only;
    if (p.isSet(QStringLiteral("port"))) {
        only = Tester::portNumber(p.value(QStringLiteral("port")), Test::Statistics);
        if (!only || *only == 2)
            return c.usage(tr("--port takes A or B: %1").arg(p.value(QStringLiteral("port"))));
    }
    if (!c.connect())
        return c.code;
    QJsonArray ports;
    bool reset = p.isSet(QStringLiteral("reset"));
    for (int port = 0; port < (c.tester->device().isQvb ? 1 : 2); ++port) {
        if (only && *only != port)
            continue;
        const QJsonObject counters = c.tester->statistics(port, reset);
        if (counters.isEmpty())
            return c.failed();
        reset = false; // one reset clears both ports
        QJsonObject o = counters;
        o.insert(QStringLiteral("port"), Tester::portName(port));
        ports << o;
    }
    return c.print(QJsonObject{{QStringLiteral("ports"), ports}});
}

int filesCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    const QStringList args = p.positionalArguments();
    const QString what = args.value(0);
    static const QStringList withName{QStringLiteral("save"), QStringLiteral("load"), QStringLiteral("delete"),
                                      QStringLiteral("download")};
    if (what == QLatin1String("list") ? args.size() != 1 : !(withName.contains(what) && args.size() == 2))
        return c.usage(tr("files takes: list | save NAME | load NAME | delete NAME | download NAME"));
    const bool download = what == QLatin1String("download");
    if (!download && (p.isSet(QStringLiteral("out")) || p.isSet(QStringLiteral("report")) || p.isSet(QStringLiteral("json"))))
        return c.usage(tr("--out, --report and --json are for files download."));
    quint32 mask = 0;
    if (p.isSet(QStringLiteral("mask"))) {
        bool ok = false;
        const QString m = p.value(QStringLiteral("mask"));
        mask = m.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? m.mid(2).toUInt(&ok, 16) : m.toUInt(&ok);
        if (!ok || !p.isSet(QStringLiteral("report")) || mask == 0 || (mask & ~0x9F2u))
            return c.usage(tr("--mask goes with --report and takes report bits 0x002 to 0x800: %1").arg(m));
    }
    if (!c.connect())
        return c.code;
    const QString name = args.value(1);
    if (what == QLatin1String("list")) {
        const auto files = c.tester->files();
        return files ? c.print(QJsonObject{{QStringLiteral("files"), QJsonArray::fromStringList(*files)}}, *files)
                     : c.failed();
    }
    if (!download) {
        const bool done = what == QLatin1String("save") ? c.tester->saveSettings(name)
            : what == QLatin1String("load")             ? c.tester->loadSettings(name)
                                                        : c.tester->deleteFile(name);
        if (!done)
            return c.failed();
        return c.print(QJsonObject{{QStringLiteral("file"), name}, {QStringLiteral("done"), what}},
                       {tr("%1: %2 done.").arg(name, what)});
    }
    const auto data = c.tester->download(name);
    if (!data)
        return c.failed();
    const QString dir = p.value(QStringLiteral("out")).isEmpty() ? QStringLiteral(".") : p.value(QStringLiteral("out"));
    QFile file(QDir(dir).filePath(QString(name).remove(u'$')));
    if (!QDir().mkpath(dir) || !file.open(QIODevice::WriteOnly) || file.write(*data) != data->size())
        return c.usage(tr("%1 could not be written.").arg(file.fileName()));
    file.close();
    QJsonObject doc{{QStringLiteral("file"), name}, {QStringLiteral("saved"), file.fileName()}, {QStringLiteral("bytes"), double(data->size())}};
    QStringList text{file.fileName()};
    if (p.isSet(QStringLiteral("report"))) {
        QStringList written;
        if (!c.tester->writeReports(*data, dir, mask, &written))
            return c.failed();
        doc.insert(QStringLiteral("reports"), QJsonArray::fromStringList(written));
        text << written;
    }
    if (p.isSet(QStringLiteral("json"))) {
        ResultRecord record;
        const QString path = QDir(dir).filePath(QStringLiteral("results.json"));
        if (!record.read(*data))
            return c.report(Exit::Tester, tr("%1 is not a result file.").arg(name));
        if (!ResultJson::write(record, path))
            return c.usage(tr("%1 could not be written.").arg(path));
        doc.insert(QStringLiteral("json"), path);
        text << path;
    }
    return c.print(doc, text);
}

int screenCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    const QString path = p.value(QStringLiteral("out"));
    if (path.isEmpty() || !path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return c.usage(tr("screen needs --out FILE.png"));
    if (!c.connect())
        return c.code;
    if (!c.tester->screen(path))
        return c.failed();
    return c.print(QJsonObject{{QStringLiteral("screen"), path}}, {path});
}

int runCommand(Context &c, const QCommandLineParser &p, const Command &)
{
    const QStringList args = p.positionalArguments();
    if (args.size() != 1)
        return c.usage(tr("run takes one plan file."));
    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly))
        return c.usage(tr("%1 cannot be read: %2").arg(args.first(), file.errorString()));
    QString problem;
    const auto plan = Plan::parse(file.readAll(), &problem);
    if (!plan)
        return c.usage(QStringLiteral("%1: %2").arg(args.first(), problem));
    if (!c.connect(plan->connect))
        return c.code;
    Plan::Options options{p.value(QStringLiteral("out")), p.value(QStringLiteral("junit"))};
    const int code = Plan::run(*c.tester, *plan, options, [](const QJsonObject &event) { out(compact(event)); });
    return code;
}

// ---- the table of commands ------------------------------------------------

const Command kCommands[] = {
    {"info", "info", QT_TRANSLATE_NOOP("qvctl", "The model, firmware versions, serial number, each port's link and what runs."), infoCommand},
    {"tests", "tests", QT_TRANSLATE_NOOP("qvctl", "The tests, which the connected model offers, and their ports."), testsCommand},
    {"get", "get TEST [--port A|B]", QT_TRANSLATE_NOOP("qvctl", "The test's configuration, as the tester holds it."), getCommand},
    {"set", "set TEST [--port A|B] [FILE|-] [--set KEY=VALUE]...",
     QT_TRANSLATE_NOOP("qvctl", "Merges the JSON of FILE (- reads standard input) and every KEY=VALUE onto the tester's "
                                "configuration, writes it and prints what the tester then holds. Unknown keys and values "
                                "out of range are refused."),
     setCommand},
    {"start", "start TEST [--port A|B] [--to A|B] [--level N]",
     QT_TRANSLATE_NOOP("qvctl", "Starts the test on the port; --to sends towards the other port where the test can, "
                                "--level is the loopback level (1 to 4)."),
     startCommand},
    {"stop", "stop TEST [--port A|B]", QT_TRANSLATE_NOOP("qvctl", "Stops the test on the port."), stopCommand},
    {"wait", "wait TEST [--port A|B] [--timeout S]",
     QT_TRANSLATE_NOOP("qvctl", "Waits until the tester reports the test no longer running (by default at most its "
                                "configured duration and two minutes, or an hour)."),
     waitCommand},
    {"results", "results TEST [--port A|B]", QT_TRANSLATE_NOOP("qvctl", "The test's current results."), resultsCommand},
    {"watch", "watch TEST [--port A|B]",
     QT_TRANSLATE_NOOP("qvctl", "One JSON line of results per second until the test stops; Ctrl-C ends it."), watchCommand},
    {"stats", "stats [--port A|B] [--reset]", QT_TRANSLATE_NOOP("qvctl", "The port statistics; --reset clears them first."), statsCommand},
    {"files", "files list | save NAME | load NAME | delete NAME | download NAME [--out DIR] [--report [--mask M]] [--json]",
     QT_TRANSLATE_NOOP("qvctl", "The settings and result files on the tester. download writes the result file into DIR, "
                                "with --report its PDF reports, with --json results.json."),
     filesCommand},
    {"screen", "screen --out FILE.png", QT_TRANSLATE_NOOP("qvctl", "The tester's screen as a PNG picture."), screenCommand},
    {"run", "run PLAN [--out DIR] [--junit FILE]",
     QT_TRANSLATE_NOOP("qvctl", "Runs a test plan (JSON): configures, starts, waits for and checks each step. Events "
                                "go to standard output as JSON lines; --out writes plan-results.json (and the reports), "
                                "--junit a JUnit XML file."),
     runCommand},
};

QList<QCommandLineOption> optionsOf(const QString &command)
{
    QList<QCommandLineOption> o;
    const QStringList withPort{QStringLiteral("get"),   QStringLiteral("set"),     QStringLiteral("start"),
                               QStringLiteral("stop"),  QStringLiteral("wait"),    QStringLiteral("results"),
                               QStringLiteral("watch"), QStringLiteral("stats")};
    if (withPort.contains(command))
        o << portOption();
    if (command == QLatin1String("set"))
        o << QCommandLineOption(QStringLiteral("set"), tr("Sets one key, such as header.udpSource=5000 or streams[2].rate=50."),
                                QStringLiteral("KEY=VALUE"));
    if (command == QLatin1String("start")) {
        o << QCommandLineOption(QStringLiteral("to"), tr("The port the test sends towards."), QStringLiteral("A|B"));
        o << QCommandLineOption(QStringLiteral("level"), tr("The loopback level, 1 to 4."), QStringLiteral("N"));
    }
    if (command == QLatin1String("wait"))
        o << QCommandLineOption(QStringLiteral("timeout"), tr("Seconds to wait at most."), QStringLiteral("S"));
    if (command == QLatin1String("stats"))
        o << QCommandLineOption(QStringLiteral("reset"), tr("Clear the counters first."));
    if (command == QLatin1String("files")) {
        o << QCommandLineOption(QStringLiteral("out"), tr("The folder for the downloaded file."), QStringLiteral("DIR"));
        o << QCommandLineOption(QStringLiteral("report"), tr("Also write its PDF reports."));
        o << QCommandLineOption(QStringLiteral("mask"), tr("Which reports (as QVRemote --report)."), QStringLiteral("M"));
        o << QCommandLineOption(QStringLiteral("json"), tr("Also write results.json."));
    }
    if (command == QLatin1String("screen"))
        o << QCommandLineOption(QStringLiteral("out"), tr("The PNG file."), QStringLiteral("FILE.png"));
    if (command == QLatin1String("run")) {
        o << QCommandLineOption(QStringLiteral("out"), tr("The folder for plan-results.json and the reports."), QStringLiteral("DIR"));
        o << QCommandLineOption(QStringLiteral("junit"), tr("Write JUnit XML to FILE."), QStringLiteral("FILE"));
    }
    return o;
}

QString exitCodes()
{
    return tr("Exit codes:\n"
              "  0  done; every expectation held\n"
              "  1  an expectation of a plan failed\n"
              "  2  usage or input error: option, file, JSON, key or range\n"
              "  3  the tester is absent or silent, the link was lost, or the tester refused\n"
              "  4  a wait or step ran past its time-out (a test the step started is stopped first)\n");
}

QString mainHelp(const QCommandLineParser &global)
{
    QString text = tr("Usage: qvctl [--connect HOST[:PORT] | --serial DEVICE] [--timeout S] [--json] [--lang en|ru] "
                      "COMMAND [ARGS]\n\n"
                      "Runs the tests of a ZORT-QV or ZORT-QVB tester from scripts, CI jobs and production lines.\n\n");
    text += global.helpText().section(u'\n', 2);
    text += u'\n' + tr("Commands:") + u'\n';
    for (const Command &c : kCommands)
        text += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(c.synopsis), describe(c.description));
    text += u'\n' + tr("TEST is one of: %1").arg(TestFields::names().join(u' ')) + u'\n';
    text += tr("Configurations and results are JSON with the keys of results.json; \"qvctl COMMAND --help\" explains a "
               "command.\n\n");
    text += exitCodes();
    return text;
}

} // namespace

int run(const QStringList &arguments)
{
    // The language is known before any text is made, the help included.
    static QTranslator russian;
    static QTranslator qtRussian;
    const qsizetype langAt = arguments.indexOf(QStringLiteral("--lang"));
    const QString language = langAt > 0 ? arguments.value(langAt + 1)
        : arguments.filter(QRegularExpression(QStringLiteral("^--lang="))).value(0).mid(7);
    if (language == QLatin1String("ru")) {
        if (russian.load(QStringLiteral("QVRemote_ru"), QStringLiteral(":/")))
            QCoreApplication::installTranslator(&russian);
        if (qtRussian.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qtRussian);
    }

    QCommandLineParser global;
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption connect(QStringLiteral("connect"), tr("The tester over Ethernet (TCP port 55555 unless given)."),
                                     QStringLiteral("HOST[:PORT]"));
    const QCommandLineOption serial(QStringLiteral("serial"), tr("The tester on a serial port (a name or a device path)."),
                                    QStringLiteral("DEVICE"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), tr("Seconds each exchange with the tester may take (default 10)."),
                                     QStringLiteral("S"));
    const QCommandLineOption json(QStringLiteral("json"), tr("Print one JSON document instead of text."));
    const QCommandLineOption lang(QStringLiteral("lang"), tr("The language of the texts: en (default) or ru."),
                                  QStringLiteral("en|ru"), QStringLiteral("en"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, tr("Show this help."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")}, tr("Show the version."));
    global.addOptions({connect, serial, timeout, json, lang, help, version});

    Globals g;
    Context usageOnly(g);
    if (!global.parse(arguments))
        return usageOnly.usage(global.errorText());
    if (global.isSet(version)) {
        out(QStringLiteral("qvctl %1").arg(QCoreApplication::applicationVersion()));
        return Exit::Ok;
    }
    const QStringList rest = global.positionalArguments();
    if (global.isSet(help) || rest.isEmpty()) {
        out(mainHelp(global));
        return rest.isEmpty() && !global.isSet(help) ? Exit::Usage : Exit::Ok;
    }
    if (global.value(lang) != QLatin1String("en") && global.value(lang) != QLatin1String("ru"))
        return usageOnly.usage(tr("--lang takes en or ru: %1").arg(global.value(lang)));
    g.json = global.isSet(json);
    if (global.isSet(connect) && global.isSet(serial))
        return usageOnly.usage(tr("--connect and --serial cannot be used together."));
    if (global.isSet(connect) && !Context::parseConnect(global.value(connect), &g))
        return usageOnly.usage(tr("--connect takes HOST[:PORT]: %1").arg(global.value(connect)));
    g.serial = global.value(serial);
    if (global.isSet(timeout)) {
        bool ok = false;
        const double s = global.value(timeout).toDouble(&ok);
        if (!ok || !(s > 0) || s > 3600)
            return usageOnly.usage(tr("--timeout takes seconds above 0, at most 3600: %1").arg(global.value(timeout)));
        g.timeoutMs = int(s * 1000);
    }

    const QString name = rest.first();
    const Command *command = nullptr;
    for (const Command &c : kCommands) {
        if (name == QLatin1String(c.name))
            command = &c;
    }
    Context context(g);
    if (!command)
        return context.usage(tr("%1 is not a command; \"qvctl --help\" lists them.").arg(name));

    QCommandLineParser parser;
    parser.addOptions(optionsOf(name));
    const QCommandLineOption commandHelp(QStringList{QStringLiteral("h"), QStringLiteral("help")}, tr("Show this help."));
    parser.addOption(commandHelp);
    if (!parser.parse(QStringList{QStringLiteral("qvctl ") + name} + rest.mid(1)))
        return context.usage(parser.errorText());
    if (parser.isSet(commandHelp)) {
        QString text = tr("Usage: qvctl [global options] %1\n\n%2\n\n").arg(QLatin1String(command->synopsis), describe(command->description))
            + parser.helpText().section(u'\n', 2) + u'\n';
        // "set traffic --help": the keys that test takes, with their ranges.
        const auto test = TestFields::fromName(parser.positionalArguments().value(0));
        if (test && name == QLatin1String("set") && !TestFields::config(*test).empty())
            text += tr("Keys of %1:").arg(TestFields::name(*test)) + QStringLiteral("\n  ")
                + FieldTable::describe(TestFields::config(*test)).join(QStringLiteral("\n  ")) + QStringLiteral("\n\n");
        out(text + exitCodes());
        return Exit::Ok;
    }
    const int code = command->handler(context, parser, *command);
    if (context.session)
        context.session->close();
    return code;
}

} // namespace Cli
