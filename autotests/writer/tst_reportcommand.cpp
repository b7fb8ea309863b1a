#include "reporttext.h"
#include "resultfiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// QVRemote --report as a script runs it: no display, exit codes, one line
// per file written and a summary, errors on stderr. Also the window's own
// options, where a mistake ends the program before any window shows.
class TestReportCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();
    void json();
    void windowOptions_data();
    void windowOptions();

private:
    struct Result
    {
        int code = -1;
        QStringList out;
        QString err;
    };
    // window: with a (virtual) screen, as the window's options need one.
    Result qvremote(const QStringList &args, bool window = false);
    QTemporaryDir m_dir;
    QString m_typical;
    QString m_short;
};

void TestReportCommand::initTestCase()
{
    const auto save = [this](const char *name, const QByteArray &data) {
        QFile f(m_dir.filePath(QLatin1String(name)));
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            qFatal("cannot write %s", name);
        return f.fileName();
    };
    m_typical = save("typical.res", ResultFiles::typical());
    m_short = save("short.res", ResultFiles::tooShort());
}

TestReportCommand::Result TestReportCommand::qvremote(const QStringList &args, bool window)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (window) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // As in a desktop session: Qt complains on stderr without one.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    } else
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the mode picks its own
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QVREMOTE_PATH), args);
    Result r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void TestReportCommand::run_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("input"); // "typical", "short", "missing", "folder"
    QTest::addColumn<bool>("outIsFile");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("summary"); // the last line of stdout, or a part of stderr

    const QStringList all{"bert.pdf", "jitter.pdf", "multi.pdf", "ping.pdf", "rfc2544.pdf", "trace.pdf", "traffic.pdf"};
    QTest::newRow("all seven") << QStringList{} << "typical" << false << 0 << all << "Result PDFs created.";
    QTest::newRow("mask hex") << QStringList{"--mask", "0x120"} << "typical" << false << 0
                              << QStringList{"bert.pdf", "traffic.pdf"} << "Result PDFs created.";
    QTest::newRow("mask decimal") << QStringList{"--mask", "2048"} << "typical" << false << 0
                                  << QStringList{"multi.pdf"} << "Result PDFs created.";
    QTest::newRow("mask 0") << QStringList{"--mask", "0"} << "typical" << false << 0 << QStringList{}
                            << "No report was selected: no PDF was written.";
    QTest::newRow("header options") << QStringList{"--mask", "0x100", "--serial-number", "4321", "--speeds", "0,3", "--qvb"}
                                    << "typical" << false << 0 << QStringList{"bert.pdf"} << "Result PDFs created.";
    QTest::newRow("russian") << QStringList{"--mask", "0x100", "--lang", "ru"} << "typical" << false << 0
                             << QStringList{"bert.pdf"} << "PDF-отчёты созданы.";
    QTest::newRow("unwritable folder") << QStringList{} << "typical" << true << 1 << QStringList{} << "could not be created";
    QTest::newRow("short file") << QStringList{} << "short" << false << 3 << QStringList{} << "16367 bytes";
    QTest::newRow("missing file") << QStringList{} << "missing" << false << 3 << QStringList{} << "cannot be read";
    QTest::newRow("bad mask") << QStringList{"--mask", "12x"} << "typical" << false << 2 << QStringList{} << "--mask";
    QTest::newRow("octal-looking mask is decimal") << QStringList{"--mask", "0256"} << "typical" << false << 0
                                                   << QStringList{"bert.pdf"} << "Result PDFs created.";
    QTest::newRow("bad language") << QStringList{"--lang", "de"} << "typical" << false << 2 << QStringList{} << "--lang";
    QTest::newRow("bad speeds") << QStringList{"--speeds", "1"} << "typical" << false << 2 << QStringList{} << "--speeds";
    QTest::newRow("serial too big") << QStringList{"--serial-number", "70000"} << "typical" << false << 2
                                    << QStringList{} << "--serial-number";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "typical" << false << 2 << QStringList{} << "colour";
    QTest::newRow("no output folder") << QStringList{"NO-OUT"} << "typical" << false << 2 << QStringList{} << "--out";
    QTest::newRow("result file is a folder") << QStringList{} << "folder" << false << 3 << QStringList{}
                                             << "is a folder, not a result file";
    QTest::newRow("output folder is a file") << QStringList{"OUT-FILE"} << "typical" << false << 1 << QStringList{}
                                             << "could not be created";
    QTest::newRow("output folder cannot be made") << QStringList{"NO-OUT", "--out", "/proc/qvremote-reports"}
                                                  << "typical" << false << 1 << QStringList{} << "could not be created";
    QTest::newRow("value missing") << QStringList{"--lang"} << "typical" << false << 2 << QStringList{} << "--lang";
    QTest::newRow("mask of no report") << QStringList{"--mask", "0x1"} << "typical" << false << 2 << QStringList{}
                                       << "--mask 0x1 has bits of no report";
    QTest::newRow("speed code above 3") << QStringList{"--speeds", "1,4"} << "typical" << false << 2
                                        << QStringList{} << "--speeds takes two codes from 0 to 3";
}

void TestReportCommand::run()
{
    QFETCH(QStringList, options);
    QFETCH(QString, input);
    QFETCH(bool, outIsFile);
    QFETCH(int, code);
    QFETCH(QStringList, files);
    QFETCH(QString, summary);

    QTemporaryDir tmp;
    QString out = tmp.filePath(QStringLiteral("reports"));
    if (outIsFile) {
        QFile blocker(out);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        out += QStringLiteral("/inside");
    }
    if (options.removeAll(QStringLiteral("OUT-FILE"))) {
        QFile blocker(out);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const QString file = input == QLatin1String("typical") ? m_typical
                       : input == QLatin1String("short")   ? m_short
                       : input == QLatin1String("folder")  ? tmp.path()
                                                           : tmp.filePath(QStringLiteral("none.res"));
    QStringList args{"--report", file};
    if (!options.contains(QLatin1String("NO-OUT")))
        args << "--out" << out;
    options.removeAll(QStringLiteral("NO-OUT"));
    args << options;

    const Result r = qvremote(args);
    QVERIFY2(r.code == code, qPrintable(QStringLiteral("exit %1\n%2").arg(r.code).arg(r.err)));
    const QStringList written = QDir(out).entryList(QDir::Files, QDir::Name);
    QCOMPARE(written, files);
    if (code == 0) {
        QCOMPARE(r.out.size(), files.size() + 1); // one line per file, then the summary
        for (int i = 0; i < files.size(); ++i)
            QVERIFY2(written.contains(QFileInfo(r.out.at(i)).fileName()), qPrintable(r.out.at(i)));
        QCOMPARE(r.out.constLast(), summary);
    } else {
        QVERIFY2(r.err.section(u'\n', 0, 0).contains(summary), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }
    if (code == 3 || code == 2)
        QVERIFY(!QFileInfo::exists(out));
    if (options.contains(QLatin1String("--qvb"))) {
        const QStringList text = pdfLines(out + QStringLiteral("/bert.pdf"));
        QVERIFY(missingInOrder(text, {"Device ZORT-QVB", "Serial number 4321", "Link speed No Sync"}).isEmpty());
        QVERIFY(!text.contains(QStringLiteral("Interface settings (Port B)")));
    }
}

void TestReportCommand::json()
{
    QTemporaryDir tmp;
    const Result r = qvremote({"--report", m_typical, "--out", tmp.path(), "--mask", "0", "--json"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.size(), 2);
    QVERIFY(r.out.at(0).endsWith(QLatin1String("results.json")));
    QFile f(tmp.filePath(QStringLiteral("results.json")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(f.readAll(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    QCOMPARE(root.value("testTime").toString(), QStringLiteral("09/07/04  05:03:12"));
    const QJsonArray ifaces = root.value("interfaces").toArray();
    QCOMPARE(ifaces.size(), 3);
    QCOMPARE(ifaces.at(0)["mac"].toString(), QStringLiteral("00:1a:2b:3c:4d:5e"));
    QCOMPARE(ifaces.at(0)["vlans"].toArray().at(1)["vid"].toInt(), 200);
    QCOMPARE(ifaces.at(1)["dhcp"].toBool(), true);
    const QJsonArray ports = root.value("ports").toArray();
    QCOMPARE(ports.size(), 2);
    const QJsonObject a = ports.at(0).toObject();
    QCOMPARE(a["port"].toString(), QStringLiteral("A"));
    QCOMPARE(a["bert"]["result"]["rxBits"].toDouble(), 5e12);
    QCOMPARE(a["bert"]["result"]["ber"].toDouble(), 1e-9);
    QCOMPARE(a["traffic"]["config"]["header"]["ipDestination"].toString(), QStringLiteral("192.168.005.006"));
    QCOMPARE(a["traffic"]["result"]["lossFrames"].toDouble(), 1000.0);
    QCOMPARE(a["ping"]["result"]["requests"].toArray().size(), 3);
    QCOMPARE(a["trace"]["result"]["hops"].toArray().size(), 5);
    QCOMPARE(a["jitter"]["result"]["buckets"].toArray().at(2)["percent"].toDouble(), 12.5);
    QCOMPARE(a["multistream"]["result"]["streams"].toArray().at(0)["txBytes"].toDouble(), 27e12);
    QCOMPARE(a["rfc2544"]["result"]["rows"].toArray().at(7)["throughput"]["bps"].toDouble(), 800e6);
    QCOMPARE(a["rfc2544"]["result"]["rows"].toArray().at(0)["frameLoss"]["steps"].toArray().size(), 5);
    const QJsonObject b = ports.at(1).toObject();
    QVERIFY(b["rfc2544"]["result"]["rows"].toArray().at(0)["throughput"]["load"].isNull()); // NaN has no number
    QVERIFY(b["jitter"]["result"]["buckets"].toArray().at(0)["percent"].isNull());
}

void TestReportCommand::windowOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said"); // in the one line on stderr (which is Russian)
    QTest::newRow("address of three parts") << QStringList{"--connect", "10.0.0"} << "10.0.0";
    QTest::newRow("address missing") << QStringList{"--connect"} << "--connect";
    QTest::newRow("no such port") << QStringList{"--serial", "ttyQV9"} << "ttyQV9";
    QTest::newRow("empty port name") << QStringList{"--serial", " "} << "";
    QTest::newRow("both links") << QStringList{"--connect", "10.0.0.1", "--serial", "ttyS0"} << "--serial";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
    QTest::newRow("stray argument") << QStringList{"10.0.0.1"} << "10.0.0.1";
}

void TestReportCommand::windowOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    const Result r = qvremote(args, true);
    QVERIFY2(r.code == 2, qPrintable(QStringLiteral("exit %1\n%2").arg(r.code).arg(r.err)));
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() == 1 && lines.first().contains(said), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_MAIN(TestReportCommand)
#include "tst_reportcommand.moc"
