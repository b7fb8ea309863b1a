// QVUpdater without a window, as a production line runs it: exit codes,
// the messages on stdout and stderr, and what reaches the tester.

#include "testpaths.h"
#include "updaterfixture.h"

#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Without a sessions folder the run is not recorded (--no-record).
Outcome runUpdater(const QStringList &arguments, const QString &sessions = {})
{
    QProcess process;
    if (!sessions.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QV_SESSIONS_DIR"), sessions);
        process.setProcessEnvironment(env);
    }
    process.start(QStringLiteral(QVUPDATER_PATH),
                  sessions.isEmpty() ? QStringList{QStringLiteral("--no-record")} + arguments : arguments);
    Outcome o;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return o;
    }
    o.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    o.out = QString::fromUtf8(process.readAllStandardOutput());
    o.err = QString::fromUtf8(process.readAllStandardError());
    return o;
}

} // namespace

class TestUpdaterBatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitCodes_data();
    void exitCodes();
    void recording_data();
    void recording();
    void combinedUpdate();
};

// Arguments may name "{pty}" (qvsim's port) and "{work}" (a directory with
// a.txt, отчёт.txt, empty.bin, ff.rpd, unreadable.bin with mode 000 and the
// dangling link gone.bin); with simArguments "none" no tester is started.
void TestUpdaterBatch::exitCodes_data()
{
    QTest::addColumn<QStringList>("simArguments");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("flashed"); // a file qvsim must have written

    const QStringList noSim{"none"};
    const QStringList sim;
    const QString missingValue = QStringLiteral("Не указано значение параметра ");
    const QString badSerial = QStringLiteral("Введено неверное значение серийного номера. ");
    // Bad input is refused with a message before the tester is touched
    // (exit 64 for the arguments, 100 for the files).
    QTest::newRow("port empty") << noSim << QStringList{"--port", "", "--serial-number", "5"} << 64 << ""
                                << missingValue + "--port" << "";
    QTest::newRow("port value missing") << sim << QStringList{"--port", "--cpu", "{work}/a.txt"} << 64 << ""
                                        << missingValue + "--port" << "";
    QTest::newRow("file value empty") << sim << QStringList{"--port={pty}", "--cpu="} << 64 << ""
                                      << missingValue + "--cpu" << "";
    QTest::newRow("option last") << sim << QStringList{"--port", "{pty}", "--fpga"} << 64 << ""
                                 << missingValue + "--fpga" << "";
    QTest::newRow("port not a terminal")
        << noSim << QStringList{"--port", "{work}/a.txt", "--serial-number", "5"} << 1 << ""
        << "Ошибка открытия COM порта." << "";
    QTest::newRow("port a directory") << noSim << QStringList{"--port", "{work}", "--serial-number", "5"} << 1
                                      << "" << "Ошибка открытия COM порта." << "";
    QTest::newRow("serial number empty") << sim << QStringList{"--port", "{pty}", "--serial-number="} << 64
                                         << "" << missingValue + "--serial-number" << "";
    QTest::newRow("serial number not digits") << sim << QStringList{"--port", "{pty}", "--serial-number", "12a"}
                                              << 64 << "" << badSerial + "12a" << "";
    QTest::newRow("serial number negative") << sim << QStringList{"--port", "{pty}", "--serial-number", "-5"}
                                            << 64 << "" << badSerial + "-5" << "";
    QTest::newRow("serial number out of range")
        << sim << QStringList{"--port", "{pty}", "--cpu", "{work}/a.txt", "--serial-number", "40000"} << 64 << ""
        << badSerial + "40000" << "";
    QTest::newRow("serial number too long") << sim << QStringList{"--port", "{pty}", "--serial-number", "000012"}
                                            << 64 << "" << badSerial + "000012" << "";
    QTest::newRow("file a directory") << sim << QStringList{"--port", "{pty}", "--fpga", "{work}"} << 100 << ""
                                      << "Ошибка при открытии файла {work}" << "";
    QTest::newRow("file a dangling link") << sim << QStringList{"--port", "{pty}", "--fs", "{work}/gone.bin"}
                                          << 100 << "" << "Ошибка при открытии файла {work}/gone.bin" << "";
    QTest::newRow("file unreadable") << sim << QStringList{"--port", "{pty}", "--cpu", "{work}/unreadable.bin"}
                                     << 100 << "" << "Ошибка при открытии файла {work}/unreadable.bin" << "";
    QTest::newRow("update file of another format")
        << sim << QStringList{"--port", "{pty}", "--serial-number", "5", "--update", "{work}/a.txt"} << 100 << ""
        << "{work}/a.txt: Неверный формат файла." << "";
    QTest::newRow("rpd file without data") << sim << QStringList{"--port", "{pty}", "--fpga", "{work}/ff.rpd"}
                                           << 100 << "" << "{work}/ff.rpd: RPD файл не содержит данных." << "";
    QTest::newRow("bin file empty") << sim << QStringList{"--port", "{pty}", "--cpu", "{work}/empty.bin"} << 100
                                    << "" << "{work}/empty.bin: BIN файл не содержит данных." << "";

    QTest::newRow("help") << noSim << QStringList{"--help"} << 0 << "--serial-number" << "" << "";
    QTest::newRow("no port") << noSim << QStringList{"--cpu", "x.bin"} << 64 << ""
                             << "Не указан порт" << "";
    QTest::newRow("unknown option") << noSim << QStringList{"--port", "p", "--frob"} << 64 << ""
                                    << "Неизвестный параметр: --frob" << "";
    QTest::newRow("nothing to write") << noSim << QStringList{"--port", "p"} << 64 << "" << "" << "";
    QTest::newRow("file missing")
        << QStringList() << QStringList{"--port", "{pty}", "--cpu", "{work}/none.bin"} << 100 << ""
        << "Ошибка при открытии файла {work}/none.bin" << "";
    QTest::newRow("no such port")
        << noSim << QStringList{"--port", "/dev/qv-no-such-port", "--serial-number", "5"} << 1
        << "Установите связь с прибором." << "Ошибка открытия COM порта." << "";
    QTest::newRow("old firmware")
        << QStringList{"--old-firmware"} << QStringList{"--port", "{pty}", "--serial-number", "5"}
        << 7 << "" << "Устаревшая версия прибора." << "";
    QTest::newRow("serial number written")
        << QStringList() << QStringList{"--port={pty}", "--serial-number=777"} << 0
        << "Серийный номер успешно обновлен." << "" << "serial.txt";
    QTest::newRow("a file the tester refuses")
        << QStringList() << QStringList{"--port", "{pty}", "--fs", "{work}/a.txt", "{work}/отчёт.txt"}
        << 100 << "FS 100%" << "Ошибка при создании файла: отчёт.txt" << "fs/a.txt";
}

void TestUpdaterBatch::exitCodes()
{
    QFETCH(QStringList, simArguments);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, flashed);

    const bool needsSim = simArguments != QStringList{"none"};
    UpdaterFixture f(needsSim ? simArguments : QStringList());
    if (needsSim)
        QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));
    const QString work = f.workDir.path();
    QVERIFY(!f.writeFile("a.txt", "alpha").isEmpty());
    QVERIFY(!f.writeFile("отчёт.txt", "beta").isEmpty());
    QVERIFY(!f.writeFile("empty.bin", "").isEmpty());
    QVERIFY(!f.writeFile("ff.rpd", QByteArray(600, char(0xFF))).isEmpty());
    const QString unreadable = f.writeFile("unreadable.bin", "gamma");
    QVERIFY(QFile::setPermissions(unreadable, {}));
    QVERIFY(QFile::link(work + QStringLiteral("/none"), work + QStringLiteral("/gone.bin")));
    if (arguments.contains(QStringLiteral("{work}/unreadable.bin")) && ::geteuid() == 0)
        QSKIP("root reads a file whatever its mode; the directory and dangling-link rows cover the rest");
    auto expand = [&](QString text) {
        return text.replace(QStringLiteral("{pty}"), f.sim.ptyPath()).replace(QStringLiteral("{work}"), work);
    };
    for (QString &a : arguments)
        a = expand(a);

    const Outcome o = runUpdater(arguments);
    QVERIFY2(o.exitCode == exitCode,
             qPrintable(QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(o.exitCode).arg(o.out, o.err)));
    QVERIFY2(o.out.contains(expand(out)), qPrintable(o.out));
    QVERIFY2(o.err.contains(expand(err)), qPrintable(o.err));
    if (!flashed.isEmpty())
        QVERIFY(f.flashedExists(flashed));
    if (exitCode != 0) {
        QVERIFY2(!o.err.isEmpty(), "a failure says why on stderr");
        for (const char *image : {"cpu.bin", "fpga.rpd", "serial.txt"})
            QVERIFY2(!f.flashedExists(image), image);
    }
    // Arguments and files are checked before the tester hears a request;
    // the messages of that check name the file by its path.
    if (needsSim && (exitCode == 64 || err.contains(QStringLiteral("{work}")))) {
        f.sim.stop();
        QVERIFY2(f.sim.output().contains("qvsim: requests 0,"), f.sim.output().constData());
    }
}

void TestUpdaterBatch::combinedUpdate()
{
    UpdaterFixture f;
    QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));
    const QByteArray cpu = UpdateFiles::pattern(5000, 15);
    const QByteArray fpga = UpdateFiles::pattern(3000, 16);
    const QString path = f.writeFile("all.qvup", UpdateFiles::combined(cpu, fpga, {{"x.cfg", "xyz"}}));

    const Outcome o = runUpdater({"--port", f.sim.ptyPath(), "--update", path});
    QCOMPARE(o.exitCode, 0);
    QCOMPARE(o.err, QString());
    const QStringList lines = o.out.split(u'\n', Qt::SkipEmptyParts);
    QStringList messages;
    for (const QString &line : lines) {
        if (!line.contains(u'%'))
            messages << line;
    }
    QCOMPARE(messages, QStringList({
                           f.sim.ptyPath() + QStringLiteral(": Порт открыт"),
                           QStringLiteral("Версия CPU: 0.27.4"),
                           QStringLiteral("Версия FPGA: 0.12.3"),
                           QStringLiteral("Укажите файл прошивки для начала работы."),
                           QStringLiteral("Прошивка файловой системы завершена."),
                           QStringLiteral("Очищается флеш память FPGA."),
                           QStringLiteral("Очистка флеш FPGA завершена."),
                           QStringLiteral("Идет прошивка флеш памяти FPGA."),
                           QStringLiteral("Прошивка FPGA завершена."),
                           QStringLiteral("Идет очистка памяти CPU."),
                           QStringLiteral("Идет прошивка CPU."),
                           QStringLiteral("Прошивка CPU завершена."),
                           QStringLiteral("Прошивка прибора завершена."),
                       }));
    for (const char *bar : {"FS 100%", "FPGA 100%", "CPU 100%"})
        QVERIFY2(lines.contains(QLatin1String(bar)), bar);
    QCOMPARE(f.flashed("cpu.bin"), cpu);
    QCOMPARE(f.flashed("fpga.rpd"), fpga);
    QCOMPARE(f.flashed("fs/x.cfg"), QByteArray("xyz"));
}

// The batch mode records its session like the window does, unless told not to.
void TestUpdaterBatch::recording_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("files");
    QTest::newRow("recorded") << QStringList() << 1;
    QTest::newRow("--no-record") << QStringList{"--no-record"} << 0;
}

void TestUpdaterBatch::recording()
{
    QFETCH(QStringList, extra);
    QFETCH(int, files);
    QTemporaryDir sessions;
    UpdaterFixture f;
    QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));
    const Outcome o = runUpdater(extra + QStringList{"--port", f.sim.ptyPath(), "--serial-number", "4242"}, sessions.path());
    QCOMPARE(o.exitCode, 0);
    const QStringList made = QDir(sessions.path()).entryList({"*.qvrec"}, QDir::Files);
    QCOMPARE(made.size(), files);
    if (files > 0)
        QVERIFY2(made.first().endsWith(QLatin1String("-QVUpdater-SN1234.qvrec")), qPrintable(made.first()));
}

QTEST_GUILESS_MAIN(TestUpdaterBatch)
#include "tst_updaterbatch.moc"
