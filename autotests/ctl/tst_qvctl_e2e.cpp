// qvctl as scripts run it, against qvsim over TCP and a pseudo-terminal:
// every command once, each exit code from a real cause, and a plan whose
// last step fails.

#include "testpaths.h"
#include "simprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

namespace {

// One qvctl run: its arguments after the connection ({dir} is the test's
// folder; {file:NAME:TEXT} a file NAME there holding TEXT), its exit code and
// what its JSON output and files must show:
// "path=json", "path~text" (a text containing it), "exists:file",
// "png:file=WxH", "lines>=N", "stderr~text".
struct Call
{
    QStringList args;
    int exit = 0;
    QStringList expect;
};

QJsonValue at(QJsonValue v, const QString &path)
{
    static const QRegularExpression segment(QStringLiteral("^(\\w+)(?:\\[(\\d+)\\])?$"));
    for (const QString &s : path.split(u'.')) {
        const QRegularExpressionMatch m = segment.match(s);
        v = v.toObject().value(m.captured(1));
        if (m.hasCaptured(2))
            v = v.toArray().at(m.captured(2).toInt());
    }
    return v;
}

QString expand(QString text, const QString &dir)
{
    static const QRegularExpression file(QStringLiteral("^\\{file:([^:]+):(.*)\\}$"), QRegularExpression::DotMatchesEverythingOption);
    if (const QRegularExpressionMatch m = file.match(text); m.hasMatch()) {
        QFile f(QDir(dir).filePath(m.captured(1)));
        if (f.open(QIODevice::WriteOnly))
            f.write(m.captured(2).toUtf8());
        return f.fileName();
    }
    return text.replace(QStringLiteral("{dir}"), dir);
}

QString compact(const QJsonValue &v)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
}

} // namespace

Q_DECLARE_METATYPE(Call)

class TestQvctl : public QObject
{
    Q_OBJECT

private:
    // Runs qvctl connected to sim; killMs > 0 stops qvsim that long after
    // the start. Returns the exit code (-1: it crashed or never ended).
    int qvctl(SimProcess &sim, bool pty, const QStringList &args, QByteArray *out, QByteArray *err, int killMs = 0)
    {
        QProcess p;
        const QStringList link = pty ? QStringList{"--serial", sim.ptyPath()}
                                     : QStringList{"--connect", QStringLiteral("127.0.0.1:%1").arg(sim.port())};
        p.start(QStringLiteral(QVCTL_PATH), link + QStringList{"--json"} + args);
        if (killMs > 0)
            QTimer::singleShot(killMs, &p, [&sim] { sim.stop(); });
        if (!p.waitForStarted(5000) || !QTest::qWaitFor([&p] { return p.state() == QProcess::NotRunning; }, 90000)) {
            p.kill();
            return -1;
        }
        *out = p.readAllStandardOutput();
        *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // Runs each call on one qvsim and checks what it shows.
    void runCalls(bool pty, const QStringList &simArgs, const QList<Call> &calls, int killMs = 0)
    {
        QTemporaryDir dir;
        SimProcess sim(pty ? SimProcess::Link::Pty : SimProcess::Link::Tcp, simArgs);
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        for (const Call &call : calls) {
            QStringList args;
            for (const QString &a : call.args)
                args << expand(a, dir.path());
            QByteArray out, err;
            const int exit = qvctl(sim, pty, args, &out, &err, killMs);
            const QString what = args.join(u' ') + QStringLiteral(": ") + QString::fromUtf8(err).trimmed();
            QVERIFY2(exit == call.exit, qPrintable(QStringLiteral("exit %1, wanted %2 for %3\nqvsim: %4")
                                                       .arg(exit).arg(call.exit).arg(what)
                                                       .arg(QString::fromLocal8Bit(sim.output().right(1500)))));
            const QJsonValue doc = QJsonDocument::fromJson(out).object();
            for (const QString &e : call.expect) {
                const QString x = expand(e, dir.path());
                if (x.startsWith(QLatin1String("exists:"))) {
                    QVERIFY2(QFile::exists(x.mid(7)), qPrintable(x));
                } else if (x.startsWith(QLatin1String("png:"))) {
                    const QImage image(x.mid(4).section(u'=', 0, 0));
                    QCOMPARE(QStringLiteral("%1x%2").arg(image.width()).arg(image.height()), x.section(u'=', 1));
                } else if (x.startsWith(QLatin1String("lines>="))) {
                    QVERIFY2(out.trimmed().split('\n').size() >= x.mid(7).toInt(), out.constData());
                } else if (x.startsWith(QLatin1String("stderr~"))) {
                    QVERIFY2(QString::fromUtf8(err).contains(x.mid(7)), err.constData());
                } else if (const qsizetype t = x.indexOf(u'~'); t > 0 && (x.indexOf(u'=') < 0 || t < x.indexOf(u'='))) {
                    QVERIFY2(at(doc, x.left(t)).toString().contains(x.mid(t + 1)), qPrintable(x + u' ' + out));
                } else {
                    const qsizetype eq = x.indexOf(u'=');
                    const QJsonValue wanted = QJsonDocument::fromJson("[" + x.mid(eq + 1).toUtf8() + "]").array().first();
                    const QJsonValue got = at(doc, x.left(eq));
                    const bool absent = wanted.isNull() && got.isUndefined();
                    QVERIFY2(got == wanted || absent, qPrintable(x + QStringLiteral(" got ") + compact(got) + u' ' + what));
                }
            }
        }
    }

private Q_SLOTS:
    void commands_data();
    void commands();
    void exitCodes_data();
    void exitCodes();
    void plan();
};

void TestQvctl::commands_data()
{
    QTest::addColumn<bool>("pty");
    QTest::addColumn<QStringList>("sim");
    QTest::addColumn<QList<Call>>("calls");

    QTest::newRow("info, tcp") << false << QStringList{"--serial", "4321"}
                               << QList<Call>{{{"info"}, 0, {"model=\"ZORT-QV\"", "serialNumber=4321", "cpuVersion=\"0.27.4\"",
                                                             "ports[1].port=\"B\"", "ports[0].linkSpeed=1000", "ports[0].duplex=\"full\""}}};
    QTest::newRow("info and tests, one port, pty")
        << true << QStringList{"--model", "qvb"}
        << QList<Call>{{{"info"}, 0, {"model=\"ZORT-QVB\"", "ports[1]=null"}},
                       {{"tests"}, 0, {"tests[8].name=\"transit\"", "tests[8].offered=false", "tests[0].crossStart=false"}}};
    QTest::newRow("get, port B, tcp")
        << false << QStringList()
        << QList<Call>{{{"get", "traffic", "--port", "B"}, 0, {"frameSize=64", "header.macDestination=\"00:06:07:08:09:10\""}}};
    QTest::newRow("set, then get, pty")
        << true << QStringList()
        << QList<Call>{{{"set", "multistream", "--set", "streams[2].rate=50", "--set", "streams[2].active=true", "--set", "duration=30"},
                        0, {"streams[2].rate=50", "streams[2].active=true", "duration=30"}},
                       {{"get", "multistream"}, 0, {"streams[2].rate=50", "streams[2].active=true", "duration=30"}}};
    QTest::newRow("start, wait, results, tcp")
        << false << QStringList{"--speed", "10"}
        << QList<Call>{{{"set", "traffic", "--set", "duration=20", "--set", "frameSize=1518"}, 0, {"duration=20"}},
                       {{"start", "traffic", "--to", "B"}, 0, {"running=true", "to=\"B\""}},
                       {{"info"}, 0, {"ports[0].running[0]=\"traffic\"", "ports[1].receiving[0]=\"traffic\"", "ports[0].topology=\"A->B\""}},
                       {{"wait", "traffic", "--timeout", "20"}, 0, {"running=false"}},
                       {{"results", "traffic"}, 0, {"load=100", "lossFrames=0"}}};
    QTest::newRow("start, stop, pty")
        << true << QStringList()
        << QList<Call>{{{"start", "ping"}, 0, {"running=true"}},
                       {{"stop", "ping"}, 0, {"stopped=true"}},
                       {{"stop", "ping"}, 0, {"stopped=false"}}};
    QTest::newRow("watch, tcp")
        << false << QStringList{"--speed", "2"}
        << QList<Call>{{{"set", "bert", "--set", "duration=4"}, 0, {}},
                       {{"start", "bert"}, 0, {}},
                       {{"watch", "bert"}, 0, {"lines>=2"}}};
    QTest::newRow("stats, tcp")
        << false << QStringList()
        << QList<Call>{{{"stats", "--reset"}, 0, {"ports[0].port=\"A\"", "ports[1].port=\"B\""}},
                       {{"stats", "--port", "B"}, 0, {"ports[0].port=\"B\"", "ports[1]=null"}}};
    QTest::newRow("files, pty")
        << true << QStringList{"--speed", "20"}
        << QList<Call>{{{"set", "traffic", "--set", "duration=10"}, 0, {}},
                       {{"files", "save", "lab"}, 0, {"done=\"save\""}},
                       {{"files", "list"}, 0, {"files[0]=\"$lab\""}},
                       {{"files", "load", "$lab"}, 0, {}},
                       {{"files", "delete", "$lab"}, 0, {}},
                       {{"start", "traffic"}, 0, {}},
                       {{"wait", "traffic"}, 0, {}},
                       {{"files", "list"}, 0, {"files[0]=\"$TRAF_001\""}},
                       {{"files", "download", "$TRAF_001", "--out", "{dir}", "--report", "--mask", "0x020", "--json"},
                        0, {"bytes=16368", "reports[0]~traffic.pdf", "exists:{dir}/TRAF_001", "exists:{dir}/results.json"}}};
    QTest::newRow("screen, tcp")
        << false << QStringList() << QList<Call>{{{"screen", "--out", "{dir}/screen.png"}, 0, {"png:{dir}/screen.png=320x240"}}};
}

void TestQvctl::commands()
{
    QFETCH(bool, pty);
    QFETCH(QStringList, sim);
    QFETCH(QList<Call>, calls);
    runCalls(pty, sim, calls);
}

// Each exit code from a real cause; a kill stops qvsim in mid-wait.
void TestQvctl::exitCodes_data()
{
    QTest::addColumn<QStringList>("sim");
    QTest::addColumn<QList<Call>>("calls");
    QTest::addColumn<int>("killMs");

    QTest::newRow("2: unknown key") << QStringList()
        << QList<Call>{{{"set", "traffic", "--set", "speed=5"}, 2, {"stderr~\"speed\" is not a key", "exit=2"}}} << 0;
    QTest::newRow("2: out of range") << QStringList()
        << QList<Call>{{{"set", "traffic", "--set", "frameSize=10"}, 2, {"stderr~from 64 to 9600 bytes"}}} << 0;
    QTest::newRow("2: rate above 100 %") << QStringList()
        << QList<Call>{{{"set", "bert", "--set", "rate=500", "--set", "units=0"}, 2, {"stderr~1 to 100 when"}}} << 0;
    QTest::newRow("2: bad JSON file") << QStringList()
        << QList<Call>{{{"set", "traffic", "{file:bad.json:{\"frameSize\": 100,}}"}, 2, {"stderr~is not a JSON object"}},
                       {{"run", "{file:plan.json:{\"steps\": [{\"test\": \"traffic\", \"config\": {\"rate\": 0}}]}}"},
                        2, {"stderr~step 1: config: \"rate\" must be a whole number from 1 to 9999"}}} << 0;
    QTest::newRow("2: missing file") << QStringList()
        << QList<Call>{{{"set", "traffic", "{dir}/missing.json"}, 2, {"stderr~cannot be read"}}} << 0;
    QTest::newRow("2: unknown test") << QStringList() << QList<Call>{{{"results", "speed"}, 2, {"stderr~not a test"}}} << 0;
    QTest::newRow("2: port B of a one-port tester") << QStringList{"--model", "qvb"}
        << QList<Call>{{{"get", "jitter", "--port", "B"}, 2, {"stderr~port A only"}}} << 0;
    QTest::newRow("3: silent tester") << QStringList{"--silent-after", "0"}
        << QList<Call>{{{"info"}, 3, {"stderr~stopped answering"}}} << 0;
    QTest::newRow("3: refused file") << QStringList()
        << QList<Call>{{{"files", "download", "$NONE"}, 3, {"stderr~did not send"}}} << 0;
    QTest::newRow("3: tester gone in mid-wait") << QStringList()
        << QList<Call>{{{"set", "jitter", "--set", "duration=60"}, 0, {}}, {{"start", "jitter"}, 0, {}},
                       {{"wait", "jitter"}, 3, {"stderr~lost"}}}
        << 1500;
    QTest::newRow("4: wait shorter than the test") << QStringList()
        << QList<Call>{{{"set", "traffic", "--set", "duration=30"}, 0, {}}, {{"start", "traffic"}, 0, {}},
                       {{"wait", "traffic", "--timeout", "1.5"}, 4, {"stderr~still runs"}}}
        << 0;
}

void TestQvctl::exitCodes()
{
    QFETCH(QStringList, sim);
    QFETCH(QList<Call>, calls);
    QFETCH(int, killMs);
    // Only the last call may kill qvsim: the calls before it set up the step.
    QList<Call> setup = calls.mid(0, calls.size() - 1);
    if (killMs == 0) {
        runCalls(false, sim, calls);
        return;
    }
    QTemporaryDir dir;
    SimProcess qvsim(SimProcess::Link::Tcp, sim);
    QVERIFY2(qvsim.start(), qPrintable(qvsim.errorString()));
    QByteArray out, err;
    for (const Call &c : setup)
        QCOMPARE(qvctl(qvsim, false, c.args, &out, &err), c.exit);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(qvctl(qvsim, false, calls.last().args, &out, &err, killMs), calls.last().exit);
    // At once after the loss, not at the end of the wait.
    QVERIFY2(clock.elapsed() < killMs + 3000, qPrintable(QString::number(clock.elapsed())));
}

// Three steps: a cable test, a traffic step whose expectations hold and one
// whose expectation fails. Exit 1; the results and JUnit say which.
void TestQvctl::plan()
{
    QTemporaryDir dir;
    SimProcess qvsim(SimProcess::Link::Tcp, {"--speed", "10"});
    QVERIFY2(qvsim.start(), qPrintable(qvsim.errorString()));
    const QByteArray plan = QStringLiteral(R"({"connect": "127.0.0.1:%1", "steps": [
        {"test": "cable", "expect": {"pairs[*].state": {"equals": 0}}},
        {"name": "loss-free", "test": "traffic", "to": "B", "config": {"duration": 10, "frameSize": 1518},
         "expect": {"lossFrames": {"max": 0}, "load": {"min": 99}}, "report": true},
        {"name": "64-byte line rate", "test": "traffic", "config": {"duration": 10, "frameSize": 64},
         "expect": {"lossFrames": {"max": 0}}}
    ]})").arg(qvsim.port()).toUtf8();
    QFile file(dir.filePath(QStringLiteral("plan.json")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(plan) == plan.size());
    file.close();

    QProcess p;
    p.start(QStringLiteral(QVCTL_PATH), {"run", file.fileName(), "--out", dir.filePath("out"), "--junit", dir.filePath("junit.xml")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 1);

    QStringList events;
    for (const QByteArray &line : p.readAllStandardOutput().trimmed().split('\n')) {
        const QJsonObject e = QJsonDocument::fromJson(line).object();
        if (e.value("event").toString() != QLatin1String("progress"))
            events << QStringLiteral("%1 %2 %3").arg(e.value("step").toInt()).arg(e.value("event").toString(), e.value("verdict").toString());
    }
    QCOMPARE(events, (QStringList{"1 start ", "1 result ", "1 verdict pass", "2 start ", "2 result ", "2 verdict pass",
                                  "3 start ", "3 result ", "3 verdict fail"}));

    QFile results(dir.filePath("out/plan-results.json"));
    QVERIFY(results.open(QIODevice::ReadOnly));
    const QJsonObject r = QJsonDocument::fromJson(results.readAll()).object();
    QCOMPARE(r.value("schemaVersion").toInt(), 1);
    QCOMPARE(r.value("device").toObject().value("model").toString(), QStringLiteral("ZORT-QV"));
    QCOMPARE(at(r, "steps[1].config.frameSize").toInt(), 1518);
    QVERIFY(at(r, "steps[2].results.lossFrames").toDouble() > 0);
    QVERIFY(at(r, "steps[2].failures[0]").toString().startsWith(QLatin1String("lossFrames is ")));
    QVERIFY(QFile::exists(dir.filePath("out/step-2/traffic.pdf")));
    QVERIFY(QDateTime::fromString(r.value("started").toString(), Qt::ISODateWithMs).isValid());

    QFile junit(dir.filePath("junit.xml"));
    QVERIFY(junit.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&junit);
    QStringList cases;
    int failures = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("testsuite")) {
            QCOMPARE(xml.attributes().value("tests").toString(), QStringLiteral("3"));
            QCOMPARE(xml.attributes().value("failures").toString(), QStringLiteral("1"));
        } else if (xml.name() == QLatin1String("testcase")) {
            cases << xml.attributes().value("name").toString();
        } else if (xml.name() == QLatin1String("failure")) {
            ++failures;
            QVERIFY(cases.last().contains(QLatin1String("64-byte line rate")));
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(cases.size(), 3);
    QCOMPARE(failures, 1);
}

QTEST_GUILESS_MAIN(TestQvctl)
#include "tst_qvctl_e2e.moc"
