// The updater's window, offscreen, against qvsim: the groups a user sees,
// connecting and disconnecting, the serial field, and above all that no
// control can start a second operation while one runs.

#include "mainwindow.h"
#include "updaterfixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

const QString kConnectFirst = QStringLiteral("Установите связь с прибором.");
const char *const kStarters[] = {
    "cbPort", "bConnect", "bDisconnect", "lSerial", "bUpdateSerial", "bOpenRPD", "bUpdateRPD",
    "bOpenBIN", "bUpdateBIN", "bOpenFS", "bUpdateFS", "bOpenROM", "bUpdate",
};

template <typename T = QWidget>
T *child(QWidget &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QString statusText(QWidget &window)
{
    return child<QPlainTextEdit>(window, "tStatus")->toPlainText();
}

bool connectWindow(MainWindow &window, const QString &port)
{
    child<QComboBox>(window, "cbPort")->setEditText(port);
    QTest::mouseClick(child<QPushButton>(window, "bConnect"), Qt::LeftButton);
    return window.updater().link().isConnected();
}

// Saves what the window looks like when QV_UPDATER_SHOTS names a directory.
void shoot(QWidget &window, const QString &name)
{
    const QString dir = qEnvironmentVariable("QV_UPDATER_SHOTS");
    if (!dir.isEmpty())
        window.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

} // namespace

class TestUpdaterWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groups_data();
    void groups();
    void connectAndDisconnect();
    void connectFailure();
    void lockedWhileRunning();
    void portLost();
    void refusedInput_data();
    void refusedInput();
    void serialField_data();
    void serialField();
    void serialButton_data();
    void serialButton();
};

void TestUpdaterWindow::groups_data()
{
    QTest::addColumn<bool>("developer");
    QTest::newRow("plain") << false;
    QTest::newRow("-dev") << true;
}

void TestUpdaterWindow::groups()
{
    QFETCH(bool, developer);

    MainWindow window;
    const QSize plainSize = window.size();
    if (developer)
        window.showDeveloperView();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("QV Updater"));
    QCOMPARE(statusText(window), kConnectFirst);
    for (const char *name : {"gPort", "gUpdate", "gStatus"})
        QVERIFY2(child(window, name)->isVisible(), name);
    QCOMPARE(child(window, "gSerial")->isVisible(), developer);
    QCOMPARE(child(window, "gExtended")->isVisible(), developer);
    QVERIFY(!child(window, "gUpdate")->isEnabled());
    QVERIFY(!child(window, "bDisconnect")->isVisible());
    // Fixed to the size the layout asks for, taller with the extra groups.
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.size().height() > plainSize.height(), developer);
    shoot(window, developer ? "start-dev" : "start");
}

void TestUpdaterWindow::connectAndDisconnect()
{
    SimProcess sim(SimProcess::Link::Pty, {"--updater", "--serial", "4321"});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    MainWindow window;
    window.showDeveloperView();
    window.show();

    QVERIFY(connectWindow(window, sim.ptyPath()));
    QCOMPARE(statusText(window), QStringList({
                                     sim.ptyPath() + QStringLiteral(": Порт открыт"),
                                     QStringLiteral("Версия CPU: 0.27.4"),
                                     QStringLiteral("Версия FPGA: 0.12.3"),
                                     QStringLiteral("Укажите файл прошивки для начала работы."),
                                 }).join(u'\n'));
    QVERIFY(!child(window, "bConnect")->isVisible());
    QVERIFY(child(window, "bDisconnect")->isVisible());
    QVERIFY(!child(window, "cbPort")->isEnabled());
    for (const char *name : {"gUpdate", "gSerial", "gExtended"})
        QVERIFY2(child(window, name)->isEnabled(), name);
    QCOMPARE(child<QLineEdit>(window, "lSerial")->text(), QStringLiteral("04321"));
    shoot(window, "connected");

    QTest::mouseClick(child<QPushButton>(window, "bDisconnect"), Qt::LeftButton);
    QVERIFY(!window.updater().link().isConnected());
    QCOMPARE(statusText(window), kConnectFirst);
    QVERIFY(child(window, "bConnect")->isVisible());
    QVERIFY(child(window, "cbPort")->isEnabled());
    for (const char *name : {"gUpdate", "gSerial", "gExtended"})
        QVERIFY2(!child(window, name)->isEnabled(), name);
}

void TestUpdaterWindow::connectFailure()
{
    SimProcess sim(SimProcess::Link::Pty, {"--updater", "--old-firmware"});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    MainWindow window;
    window.show();

    QVERIFY(!connectWindow(window, QStringLiteral("/dev/qv-no-such-port")));
    QCOMPARE(statusText(window), QStringLiteral("Ошибка открытия COM порта.\n") + kConnectFirst);
    QVERIFY(!connectWindow(window, sim.ptyPath()));
    QCOMPARE(statusText(window), QStringLiteral("Устаревшая версия прибора.\n") + kConnectFirst);
    QVERIFY(child(window, "bConnect")->isVisible());
    QVERIFY(child(window, "cbPort")->isEnabled());
    QVERIFY(!child(window, "gUpdate")->isEnabled());
}

// While the link waits for the tester the window's events run. Everything a
// user could do then to start a second operation is tried from inside that
// wait: no control is enabled, clicks and closing do nothing, and a direct
// call into the procedures is refused.
void TestUpdaterWindow::lockedWhileRunning()
{
    UpdaterFixture f;
    QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));
    MainWindow window;
    window.showDeveloperView();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(connectWindow(window, f.sim.ptyPath()));
    const QByteArray image = UpdateFiles::pattern(20 * 256, 12);
    window.setRpdFile(f.writeFile("image.rpd", image));

    QStringList enabledWhileBusy;
    QStringList titles;
    int tries = 0;
    int refusedCode = -1;
    bool closed = false;
    connect(&window.updater(), &Updater::busyChanged, this, [&](bool busy) {
        if (!busy)
            return;
        QTimer::singleShot(0, this, [&] {
            ++tries;
            for (const char *name : kStarters) {
                if (child(window, name)->isEnabled())
                    enabledWhileBusy << QLatin1String(name);
            }
            QTest::mouseClick(child<QPushButton>(window, "bUpdateRPD"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(window, "bDisconnect"), Qt::LeftButton);
            QTest::keyClick(&window, Qt::Key_Escape);
            closed = window.close();
            refusedCode = window.updater().updateFpgaFile(f.flashPath("other.rpd"));
            shoot(window, "running");
        });
    });
    connect(&window.updater(), &Updater::blockSent, this,
            [&](Updater::Bar, qint64) { titles << window.windowTitle(); });

    QTest::ignoreMessage(QtWarningMsg, "Updater: refused an operation while another one runs");
    QTest::mouseClick(child<QPushButton>(window, "bUpdateRPD"), Qt::LeftButton);

    QCOMPARE(tries, 1);
    QCOMPARE(enabledWhileBusy, QStringList());
    QVERIFY(!closed);
    QVERIFY(window.isVisible());
    QCOMPARE(refusedCode, int(UpdateLink::OperationFailed));
    QVERIFY(window.updater().link().isConnected());
    QCOMPARE(statusText(window).count(QStringLiteral("Очищается флеш память FPGA.")), 1);
    QVERIFY(statusText(window).endsWith(QStringLiteral("Прошивка FPGA завершена.")));
    QCOMPARE(f.flashed("fpga.rpd"), image + QByteArray(256, char(0xFF)));

    // The title followed the FPGA bar block by block, then went back.
    QCOMPARE(titles.size(), 21);
    const QRegularExpression percent(QStringLiteral("^QV Updater\\. \\d+%$"));
    for (const QString &title : std::as_const(titles))
        QVERIFY2(percent.match(title).hasMatch(), qPrintable(title));
    QCOMPARE(titles.last(), QStringLiteral("QV Updater. 100%"));
    QCOMPARE(window.windowTitle(), QStringLiteral("QV Updater"));
    QCOMPARE(child<QProgressBar>(window, "pbFPGA")->value(), image.size() + 256);

    // Every control is back in the state it had before.
    for (const char *name : {"bUpdateRPD", "bOpenRPD", "bOpenBIN", "bOpenFS", "bOpenROM", "bDisconnect", "bUpdateSerial"})
        QVERIFY2(child(window, name)->isEnabled(), name);
    for (const char *name : {"cbPort", "bUpdateBIN", "bUpdateFS", "bUpdate"})
        QVERIFY2(!child(window, name)->isEnabled(), name);
    shoot(window, "updated");
}

// The tester goes away in the middle of an update, and later while the
// window is idle: the window says so at once, goes back to its disconnected
// state, and connects to a tester again.
void TestUpdaterWindow::portLost()
{
    UpdaterFixture f({"--delay", "300"});
    QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));
    MainWindow window;
    window.show();
    QVERIFY(connectWindow(window, f.sim.ptyPath()));
    const QByteArray cpu = UpdateFiles::pattern(8 * 256, 13);
    window.setRomFile(f.writeFile("all.qvup", UpdateFiles::combined(cpu, UpdateFiles::pattern(512, 14), {})));
    connect(&window.updater(), &Updater::blockSent, this, [&](Updater::Bar bar, qint64 value) {
        if (bar == Updater::Bar::Cpu && value == 4 * 256)
            QTimer::singleShot(50, this, [&] { f.sim.stop(); });
    });

    QTest::mouseClick(child<QPushButton>(window, "bUpdate"), Qt::LeftButton);
    QVERIFY2(statusText(window).endsWith(QStringLiteral("Идет прошивка CPU.\n"
                                                        "Некорректный адрес в ответе.\n"
                                                        "Ошибка чтения из COM порта.\n")
                                         + kConnectFirst),
             qPrintable(statusText(window)));
    QVERIFY(!window.updater().link().isConnected());
    QVERIFY(child(window, "bConnect")->isVisible());
    QVERIFY(!child(window, "bDisconnect")->isVisible());
    QVERIFY(child(window, "cbPort")->isEnabled());
    QVERIFY(!child(window, "gUpdate")->isEnabled());
    QCOMPARE(child<QProgressBar>(window, "pbCPU")->value(), 5 * 256);
    QVERIFY(!f.flashedExists("cpu.bin"));
    shoot(window, "port-lost");

    SimProcess sound(SimProcess::Link::Pty, {"--updater"});
    QVERIFY2(sound.start(), qPrintable(sound.errorString()));
    QVERIFY(connectWindow(window, sound.ptyPath()));
    QVERIFY(child(window, "gUpdate")->isEnabled());

    // Gone while the window waits for the user: shown as soon as it happens.
    sound.stop();
    QTRY_VERIFY_WITH_TIMEOUT(child(window, "bConnect")->isVisible(), 1000);
    QVERIFY(statusText(window).endsWith(QStringLiteral("Ошибка чтения из COM порта.\n") + kConnectFirst));
    QVERIFY(!child(window, "gUpdate")->isEnabled());
}

// What a user can type or pick that cannot be used: the window says so in
// its status and nothing reaches the tester's flash. The field is the port
// box ("cbPort", connecting) or a file field whose write button is clicked.
void TestUpdaterWindow::refusedInput_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text"); // "{work}": a directory with the files below
    QTest::addColumn<QString>("message");

    const QString portError = QStringLiteral("Ошибка открытия COM порта.\n") + kConnectFirst;
    const QString openError = QStringLiteral("Ошибка при открытии файла.");
    QTest::newRow("port empty") << "cbPort" << "" << portError;
    QTest::newRow("port a directory") << "cbPort" << "{work}" << portError;
    QTest::newRow("port not a terminal") << "cbPort" << "{work}/a.bin" << portError;
    QTest::newRow("update file gone") << "bUpdate" << "{work}/gone.qvup" << openError;
    QTest::newRow("update file a directory") << "bUpdate" << "{work}" << openError;
    QTest::newRow("update file of another format") << "bUpdate" << "{work}/a.bin"
                                                    << QStringLiteral("Неверный формат файла.");
    QTest::newRow("bin file a dangling link") << "bUpdateBIN" << "{work}/dangling.bin" << openError;
    QTest::newRow("rpd file without data") << "bUpdateRPD" << "{work}/ff.rpd"
                                           << QStringLiteral("RPD файл не содержит данных.");
    QTest::newRow("fs file a directory") << "bUpdateFS" << "{work}"
                                         << QStringLiteral("Ошибка при открытии файла {work}");
}

void TestUpdaterWindow::refusedInput()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);

    UpdaterFixture f;
    QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));
    const QString work = f.workDir.path();
    QVERIFY(!f.writeFile("a.bin", UpdateFiles::pattern(300, 15)).isEmpty());
    QVERIFY(!f.writeFile("ff.rpd", QByteArray(700, char(0xFF))).isEmpty());
    QVERIFY(QFile::link(work + QStringLiteral("/none"), work + QStringLiteral("/dangling.bin")));
    text.replace(QStringLiteral("{work}"), work);
    message.replace(QStringLiteral("{work}"), work);

    MainWindow window;
    window.showDeveloperView();
    window.show();
    if (field == QLatin1String("cbPort")) {
        QVERIFY(!connectWindow(window, text));
        QCOMPARE(statusText(window), message);
        QVERIFY(!child(window, "gUpdate")->isEnabled());
        return;
    }
    QVERIFY(connectWindow(window, f.sim.ptyPath()));
    if (field == QLatin1String("bUpdate"))
        window.setRomFile(text);
    else if (field == QLatin1String("bUpdateBIN"))
        window.setBinFile(text);
    else if (field == QLatin1String("bUpdateRPD"))
        window.setRpdFile(text);
    else
        window.setFsFiles({text});
    const QString before = statusText(window);
    QTest::mouseClick(child<QPushButton>(window, qPrintable(field)), Qt::LeftButton);
    QCOMPARE(statusText(window), before + u'\n' + message);
    QVERIFY(window.updater().link().isConnected());
    QVERIFY(QDir(f.flashPath("fs")).isEmpty(QDir::Files));
    for (const char *image : {"cpu.bin", "fpga.rpd"})
        QVERIFY2(!f.flashedExists(image), image);
}

void TestUpdaterWindow::serialField_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");

    // A deleted digit leaves a blank, which turns into "0" in place.
    QTest::newRow("backspace at the end") << "12345" << int(Qt::Key_Backspace) << "12305" << 3;
    QTest::newRow("delete at the start") << "12345" << int(Qt::Key_Delete) << "02345" << 0;
    QTest::newRow("typed over") << "12345" << int(Qt::Key_9) << "92345" << 1;
    // The cursor never stands behind the fifth digit.
    QTest::newRow("end") << "12345" << int(Qt::Key_End) << "12345" << 4;
}

void TestUpdaterWindow::serialField()
{
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, cursor);

    MainWindow window;
    window.showDeveloperView();
    child(window, "gSerial")->setEnabled(true);
    window.show();
    auto *field = child<QLineEdit>(window, "lSerial");
    QCOMPARE(field->text(), QStringLiteral("00000"));
    field->setText(start);
    field->setFocus();
    if (key == Qt::Key_Backspace)
        QTest::keyClick(field, Qt::Key_End);
    else
        QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key(key));
    QCOMPARE(field->text(), text);
    QCOMPARE(field->cursorPosition(), cursor);

    // A shorter number is padded at the front to five digits.
    field->setText(QStringLiteral("%1").arg(7));
    QCOMPARE(field->text(), QStringLiteral("00007"));
}

void TestUpdaterWindow::serialButton_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("message");

    const QString invalid = QStringLiteral("Введено неверное значение серийного номера.");
    QTest::newRow("00000") << "00000" << true << QStringLiteral("Серийный номер успешно обновлен.");
    // Accepted by the button's rule, refused when written.
    QTest::newRow("40000") << "40000" << true << invalid;
    QTest::newRow("65536") << "65536" << false << QString();
}

void TestUpdaterWindow::serialButton()
{
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(QString, message);

    UpdaterFixture f;
    QVERIFY2(f.sim.start(), qPrintable(f.sim.errorString()));
    MainWindow window;
    window.showDeveloperView();
    window.show();
    QVERIFY(connectWindow(window, f.sim.ptyPath()));
    child<QLineEdit>(window, "lSerial")->setText(text);
    auto *button = child<QPushButton>(window, "bUpdateSerial");
    QCOMPARE(button->isEnabled(), enabled);
    const QString before = statusText(window);
    QTest::mouseClick(button, Qt::LeftButton);
    if (enabled)
        QCOMPARE(statusText(window), before + u'\n' + message);
    else
        QCOMPARE(statusText(window), before);
    QCOMPARE(f.flashedExists("serial.txt"), message.startsWith(QStringLiteral("Серийный")));
}

QTEST_MAIN(TestUpdaterWindow)
#include "tst_updaterwindow.moc"
