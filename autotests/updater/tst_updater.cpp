// The update procedures end to end against qvsim: what the tester's flash
// holds afterwards, the messages in their order, and the cases where nothing
// may be sent at all.

#include "../support/otheruser.h"
#include "updaterfixture.h"

#include <QTest>

#include <pty.h>

using UpdateFiles::Entry;

namespace {

const QString kFsDone = QStringLiteral("Прошивка файловой системы завершена.");
const QStringList kFpgaMessages = {
    QStringLiteral("Очищается флеш память FPGA."),
    QStringLiteral("Очистка флеш FPGA завершена."),
    QStringLiteral("Идет прошивка флеш памяти FPGA."),
    QStringLiteral("Прошивка FPGA завершена."),
};
const QStringList kCpuMessages = {
    QStringLiteral("Идет очистка памяти CPU."),
    QStringLiteral("Идет прошивка CPU."),
    QStringLiteral("Прошивка CPU завершена."),
};
const QString kDeviceDone = QStringLiteral("Прошивка прибора завершена.");

} // namespace

#define CONNECT_FIXTURE(fixture)                                                                   \
    do {                                                                                           \
        QString why;                                                                               \
        QVERIFY2((fixture).connect(&why), qPrintable(why));                                        \
    } while (false)

class TestUpdater : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void combinedUpdate_data();
    void combinedUpdate();
    void refusedCombinedFile_data();
    void refusedCombinedFile();
    void rpdFile_data();
    void rpdFile();
    void emptyCpuImage();
    void portRefusedNamesGroup();
    void blockTransfer_data();
    void blockTransfer();
    void fileSystemFiles();
    void fileNameLength_data();
    void fileNameLength();
    void serialNumber_data();
    void serialNumber();
};

void TestUpdater::combinedUpdate_data()
{
    QTest::addColumn<QList<Entry>>("files");
    QTest::addColumn<QStringList>("simArguments");
    QTest::addColumn<QString>("refused"); // a file the tester does not take

    const QList<Entry> files = {
        {"boot.cfg", UpdateFiles::pattern(300, 1)},
        {"empty.txt", QByteArray()},
        {"logo.bmp", UpdateFiles::pattern(1024, 2)},
        {"twenty-three-chars.dat", UpdateFiles::pattern(257, 3)},
    };
    QTest::newRow("with files") << files << QStringList() << QString();
    QTest::newRow("no files") << QList<Entry>() << QStringList() << QString();
    // Spoiled replies are sent again; the result must not change.
    QTest::newRow("with files, spoiled replies")
        << files << QStringList{"--corrupt", "0.15", "--bad-start", "0.15", "--seed", "11"} << QString();
    // A reply after the 1 s window of its attempt answers the attempt sent
    // again; the one still owed must not answer the next request, or the
    // transfer runs a reply behind. Within the window a late reply counts.
    QTest::newRow("with files, every 50th reply 1.3 s late")
        << files << QStringList{"--delay", "1300", "--delay-every", "50"} << QString();
    QTest::newRow("with files, every 30th reply 0.9 s late, noise")
        << files << QStringList{"--delay", "900", "--delay-every", "30", "--undefined", "noise=4"} << QString();
    // The images are still written, but neither the file system nor the
    // device is reported complete.
    QTest::newRow("a file refused") << (files + QList<Entry>{{"a/b.txt", "x"}}) << QStringList()
                                    << QStringLiteral("a/b.txt");
}

void TestUpdater::combinedUpdate()
{
    QFETCH(QList<Entry>, files);
    QFETCH(QStringList, simArguments);
    QFETCH(QString, refused);

    UpdaterFixture f(simArguments);
    CONNECT_FIXTURE(f);
    const QByteArray cpu = UpdateFiles::pattern(40000 + 17, 4);
    const QByteArray fpga = UpdateFiles::pattern(9000 + 3, 5);
    const QString path = f.writeFile("all.qvup", UpdateFiles::combined(cpu, fpga, files));

    QCOMPARE(f.updater.updateCombinedFile(path),
             int(refused.isEmpty() ? UpdateLink::NoError : UpdateLink::OperationFailed));

    QStringList expected;
    if (!refused.isEmpty())
        expected << QStringLiteral("Ошибка при создании файла: ") + refused;
    else if (!files.isEmpty())
        expected << kFsDone;
    expected << kFpgaMessages << kCpuMessages;
    expected << (refused.isEmpty() ? kDeviceDone : QStringLiteral("Ошибка при выполнении операции."));
    QCOMPARE(f.messages, expected);

    QCOMPARE(f.flashed("cpu.bin"), cpu);
    QCOMPARE(f.flashed("fpga.rpd"), fpga);
    for (const Entry &e : files) {
        if (QString::fromLatin1(e.name) != refused)
            QCOMPARE(f.flashed("fs/" + QString::fromLatin1(e.name)), e.contents);
    }
    QCOMPARE(f.lastBlock(Updater::Bar::Cpu), cpu.size());
    QCOMPARE(f.lastBlock(Updater::Bar::Fpga), fpga.size());
    QCOMPARE(f.titleRestored, 1);
    QCOMPARE(f.updater.link().mode(), quint8(UpdateLink::NormalMode));
}

void TestUpdater::refusedCombinedFile_data()
{
    QTest::addColumn<QByteArray>("file");

    const QByteArray good = UpdateFiles::combined(UpdateFiles::pattern(1000, 1), UpdateFiles::pattern(600, 2),
                                                  {{"a.txt", "abc"}});
    QTest::newRow("header cut short") << good.left(100);
    QTest::newRow("fpga image cut short") << good.left(128 + 1000 + 599);
    QTest::newRow("directory cut short") << good.left(128 + 1600 + 31);
    QTest::newRow("contents cut short") << good.left(good.size() - 1);
}

// A damaged file is refused before the tester sees a single request.
void TestUpdater::refusedCombinedFile()
{
    QFETCH(QByteArray, file);

    UpdaterFixture f;
    CONNECT_FIXTURE(f);
    const QByteArray lastRequest = f.updater.link().request();
    const QString path = f.writeFile("bad.qvup", file);

    QCOMPARE(f.updater.updateCombinedFile(path), int(UpdateLink::OperationFailed));
    QCOMPARE(f.messages, QStringList{QStringLiteral("Неверный формат файла.")});
    QCOMPARE(f.updater.link().request(), lastRequest);
    QVERIFY(!f.flashedExists("cpu.bin"));
    QVERIFY(!f.flashedExists("fpga.rpd"));
}

void TestUpdater::rpdFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("flashed");

    const QByteArray ff(1000, char(0xFF));
    QByteArray data512 = UpdateFiles::pattern(512, 6);
    data512[511] = '\x42';
    QTest::newRow("512 data bytes then 0xFF") << data512 + ff << data512 + ff.left(256);
    QByteArray data300 = UpdateFiles::pattern(300, 7);
    data300[299] = '\x42';
    // Rounded up past the end of the file: the added bytes are 0xFF.
    QTest::newRow("300 data bytes, no tail") << data300 << data300 + ff.left(212);
    QTest::newRow("only 0xFF") << ff << QByteArray();
}

void TestUpdater::rpdFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, flashed);

    UpdaterFixture f;
    CONNECT_FIXTURE(f);
    const QByteArray lastRequest = f.updater.link().request();
    const int result = f.updater.updateFpgaFile(f.writeFile("image.rpd", file));

    if (flashed.isEmpty()) {
        QCOMPARE(result, int(UpdateLink::OperationFailed));
        QCOMPARE(f.messages, QStringList{QStringLiteral("RPD файл не содержит данных.")});
        QCOMPARE(f.updater.link().request(), lastRequest);
        QVERIFY(!f.flashedExists("fpga.rpd"));
    } else {
        QCOMPARE(result, int(UpdateLink::NoError));
        QCOMPARE(f.messages, kFpgaMessages);
        QCOMPARE(f.flashed("fpga.rpd"), flashed);
        QCOMPARE(f.lastBlock(Updater::Bar::Fpga), flashed.size());
    }
    QCOMPARE(f.titleRestored, 1);
}

void TestUpdater::emptyCpuImage()
{
    UpdaterFixture f;
    CONNECT_FIXTURE(f);
    const QByteArray lastRequest = f.updater.link().request();

    QCOMPARE(f.updater.updateCpuFile(f.writeFile("empty.bin", QByteArray())), int(UpdateLink::NoError));
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(f.updater.link().request(), lastRequest);
    QCOMPARE(f.titleRestored, 1);

    QCOMPARE(f.updater.updateCpuFile(f.flashPath("no-such.bin")), int(UpdateLink::OperationFailed));
    QCOMPARE(f.messages, QStringList{QStringLiteral("Ошибка при открытии файла.")});
}

// A port whose mode refuses the user: the link's error, then which group
// to join and how.
void TestUpdater::portRefusedNamesGroup()
{
    UpdaterFixture f; // qvsim is not started
    int master = -1, slave = -1;
    char name[64] = {};
    QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
    QVERIFY(::chmod(name, 0) == 0);
    int code = -1;
    asOtherUser([&] { code = f.updater.connectDevice(QString::fromLatin1(name)); });
    ::close(master);
    ::close(slave);
    QCOMPARE(code, int(UpdateLink::OpenFailed));
    QCOMPARE(f.messages,
             (QStringList{QStringLiteral("Ошибка открытия COM порта."),
                          QStringLiteral("Нет прав на порт %1: последовательные порты доступны группе dialout. Добавьте "
                                         "себя в неё (sudo adduser $USER dialout) и войдите в систему заново.")
                              .arg(QString::fromLatin1(name)),
                          QStringLiteral("Установите связь с прибором.")}));
}

// The tester answers a block with its count of bytes, or with "ready" once
// it has everything it announced: that ends the transfer as a success,
// even before the last block.
void TestUpdater::blockTransfer_data()
{
    QTest::addColumn<int>("announced");
    QTest::addColumn<int>("result");
    QTest::addColumn<qint64>("bar");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("ready before the end") << 300 << int(UpdateLink::NoError) << qint64(512) << QStringList();
    QTest::newRow("ready at the end") << 1000 << int(UpdateLink::NoError) << qint64(1000) << QStringList();
    QTest::newRow("no file announced")
        << -1 << int(UpdateLink::OperationFailed) << qint64(256)
        << QStringList{QStringLiteral("Некорректный адрес в ответе.")};
}

void TestUpdater::blockTransfer()
{
    QFETCH(int, announced);
    QFETCH(int, result);
    QFETCH(qint64, bar);
    QFETCH(QStringList, messages);

    UpdaterFixture f;
    CONNECT_FIXTURE(f);
    UpdateLink &link = f.updater.link();
    QCOMPARE(link.setMode(UpdateLink::FsMode), int(UpdateLink::NoError));
    if (announced >= 0) {
        QByteArray name(UpdateLink::kDataSize, '\0');
        name.replace(0, 9, "block.bin");
        link.build(UpdateLink::FsCreate, quint32(announced), name.constData());
        QCOMPARE(link.transact(0), int(UpdateLink::NoError));
        QVERIFY(link.replyContains("OK"));
    }
    const QByteArray data = UpdateFiles::pattern(1000, 8);

    QCOMPARE(f.updater.sendBlocks(data, data.size(), UpdateLink::FsBlock, Updater::Bar::Fs), result);
    QCOMPARE(f.lastBlock(Updater::Bar::Fs), bar);
    QCOMPARE(f.messages, messages);
    if (announced >= 0)
        QCOMPARE(f.flashed("fs/block.bin"), data.left(announced));
}

// Files from disk: one that cannot be opened is reported and skipped, one
// the tester refuses is reported by its name, the rest are written.
void TestUpdater::fileSystemFiles()
{
    UpdaterFixture f;
    CONNECT_FIXTURE(f);
    const QByteArray a = UpdateFiles::pattern(700, 9);
    const QByteArray c = UpdateFiles::pattern(256, 10);
    const QString missing = f.flashPath("missing.txt");
    const QStringList paths = {
        f.writeFile("a.txt", a),
        missing,
        f.writeFile("отчёт.txt", "x"), // qvsim takes printable ASCII names only
        f.writeFile("c.dat", c),
    };

    QCOMPARE(f.updater.updateFsFiles(paths), int(UpdateLink::OperationFailed));
    QCOMPARE(f.messages, (QStringList{
                             QStringLiteral("Ошибка при открытии файла %1").arg(missing),
                             QStringLiteral("Ошибка при создании файла: отчёт.txt"),
                         }));
    QCOMPARE(f.flashed("fs/a.txt"), a);
    QCOMPARE(f.flashed("fs/c.dat"), c);
    QCOMPARE(f.titleRestored, 1);
    QCOMPARE(f.updater.link().mode(), quint8(UpdateLink::NormalMode));
}

void TestUpdater::fileNameLength_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("written");

    QTest::newRow("255 bytes") << 255 << true;
    QTest::newRow("256 bytes") << 256 << false;
}

void TestUpdater::fileNameLength()
{
    QFETCH(int, length);
    QFETCH(bool, written);

    UpdaterFixture f;
    CONNECT_FIXTURE(f);
    const QByteArray lastRequest = f.updater.link().request();
    const FsFile file{QByteArray(length, 'n'), "contents"};

    QCOMPARE(f.updater.writeFile(file), int(UpdateLink::NoError));
    if (written) {
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(f.flashed("fs/" + QString(length, u'n')), QByteArray("contents"));
    } else {
        QCOMPARE(f.messages, QStringList{QStringLiteral("Слишком длинное имя файла: ") + QString(length, u'n')});
        QCOMPARE(f.updater.link().request(), lastRequest);
    }
}

void TestUpdater::serialNumber_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("stored"); // -1: nothing sent

    const QString invalid = QStringLiteral("Введено неверное значение серийного номера.");
    const QString done = QStringLiteral("Серийный номер успешно обновлен.");
    QTest::newRow("12345") << true << "12345" << done << 12345;
    QTest::newRow("leading zeros") << true << "00042" << done << 42;
    QTest::newRow("32767") << true << "32767" << done << 32767;
    QTest::newRow("40000") << true << "40000" << invalid << -1;
    QTest::newRow("not a number") << true << "12a45" << invalid << -1;
    // Would reach the tester as 65531.
    QTest::newRow("negative") << true << "-5" << invalid << -1;
    QTest::newRow("blank") << true << " 77" << invalid << -1;
    QTest::newRow("not connected") << false << "12345"
                                   << QStringLiteral("Требуется подключение к прибору.") << -1;
}

void TestUpdater::serialNumber()
{
    QFETCH(bool, connected);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, stored);

    UpdaterFixture f;
    if (connected)
        CONNECT_FIXTURE(f);
    const int result = f.updater.writeSerialNumber(text);
    QCOMPARE(f.messages, QStringList{message});
    if (stored < 0) {
        QVERIFY(result != UpdateLink::NoError);
        QVERIFY(!f.flashedExists("serial.txt"));
        return;
    }
    QCOMPARE(result, int(UpdateLink::NoError));
    QCOMPARE(f.flashed("serial.txt"), QByteArray::number(stored) + '\n');
    // The tester reports the new number at the next connection.
    QCOMPARE(f.updater.connectDevice(f.sim.ptyPath()), int(UpdateLink::NoError));
    QCOMPARE(int(f.updater.link().serialNumber()), stored);
}

QTEST_GUILESS_MAIN(TestUpdater)
#include "tst_updater.moc"
