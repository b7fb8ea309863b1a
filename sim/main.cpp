// qvsim: a simulated tester for QVRemote and QVUpdater.

#include "device.h"
#include "faultinjector.h"
#include "options.h"
#include "recordingdump.h"
#include "replay.h"
#include "ptylink.h"
#include "qvversion.h"
#include "signalwatcher.h"
#include "tcplink.h"
#include "updaterdevice.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>

#include <memory>
#include <optional>

#include <unistd.h>

namespace {

constexpr int kClockTickMs = 100; // tests end on time even when nobody asks
constexpr int kReservedChangedExit = 4;

void say(const QString &line)
{
    QTextStream out(stdout);
    out << "qvsim: " << line << Qt::endl; // endl flushes: tests wait for these lines
}

int fail(const QString &message)
{
    QTextStream(stderr) << "qvsim: " << message << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    SignalWatcher::blockSignals();
    // Headless: the screen image is painted offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // What Qt would fall back to, made first so that it does not warn.
        const QString runtime = QDir::tempPath() + QStringLiteral("/runtime-") + QString::number(::getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("qvsim"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QV_VERSION));

    SimOptions options;
    QString error;
    if (!SimOptions::parse(QGuiApplication::arguments(), &options, &error))
        return fail(error + QStringLiteral(" (see --help)"));
    if (!options.seedGiven)
        options.seed = quint32(QDateTime::currentMSecsSinceEpoch());

    if (!options.dumpFile.isEmpty()) {
        const auto recording = SessionFile::Recording::read(options.dumpFile, &error);
        if (!recording)
            return fail(error);
        QTextStream out(stdout);
        RecordingDump::print(*recording, options.dumpHex, out);
        if (!options.pcapFile.isEmpty()) {
            error = RecordingDump::writePcap(*recording, options.pcapFile);
            if (!error.isEmpty())
                return fail(error);
        }
        return 0;
    }
    std::optional<SessionFile::Recording> recording;
    if (!options.replayFile.isEmpty()) {
        recording = SessionFile::Recording::read(options.replayFile, &error);
        if (!recording)
            return fail(error);
        if (recording->field(QStringLiteral("program")) == QLatin1String("QVUpdater")) {
            options.updater = true;
            options.pty = true;
        }
    }

    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::terminate, &app, [](int) { QGuiApplication::quit(); });

    FaultInjector faults(options.faults, options.seed);
    const quint32 undefinedSeed = options.undefinedSeedGiven ? options.undefinedSeed : options.seed ^ 0x0B5E55EDu;
    UndefinedBytes undefined = options.undefinedNoise ? UndefinedBytes::noise(undefinedSeed) : UndefinedBytes();
    std::unique_ptr<Responder> responder;
    Device *device = nullptr;
    Replay *replay = nullptr;
    QElapsedTimer uptime;
    QTimer clockTick;
    if (recording) {
        auto player = std::make_unique<Replay>(*recording, options.updater, options.speed);
        replay = player.get();
        responder = std::move(player);
    } else if (options.updater) {
        auto updater = std::make_unique<UpdaterDevice>(options.identity, undefined);
        if (!options.flashDir.isEmpty() && !updater->setFlashDirectory(options.flashDir, &error))
            return fail(error);
        responder = std::move(updater);
    } else {
        // The measurements draw from their own generator, so that faults
        // and results do not disturb each other's sequence.
        auto tester = std::make_unique<Device>(options.identity, options.seed ^ 0x5EED5EEDu, undefined);
        if (!options.flashDir.isEmpty()
            && !tester->setFileDirectory(QDir(options.flashDir).filePath(QStringLiteral("fs")), &error))
            return fail(error);
        uptime.start();
        const double speed = options.speed;
        tester->setClock([&uptime, speed] { return qint64(double(uptime.elapsed()) * speed); });
        device = tester.get();
        QObject::connect(&clockTick, &QTimer::timeout, device, &Device::sync);
        clockTick.start(kClockTickMs);
        responder = std::move(tester);
    }

    say(QStringLiteral("seed %1").arg(options.seed));
    if (undefined.isNoise())
        say(QStringLiteral("undefined bytes: noise=%1").arg(undefined.seed()));
    std::unique_ptr<TcpLink> tcp;
    if (!options.updater) {
        tcp = std::make_unique<TcpLink>(responder.get(), &faults);
        tcp->setVerbose(options.verbose);
        if (!tcp->listen(options.listenAddress, options.listenPort, &error))
            return fail(QStringLiteral("cannot listen on %1:%2: %3")
                            .arg(options.listenAddress.toString())
                            .arg(options.listenPort)
                            .arg(error));
        say(QStringLiteral("listening on %1:%2").arg(tcp->address().toString()).arg(tcp->port()));
    }
    std::unique_ptr<PtyLink> pty;
    if (options.pty) {
        pty = std::make_unique<PtyLink>(responder.get(), &faults);
        pty->setLineRate(options.lineRate);
        pty->setVerbose(options.verbose);
        if (!pty->open(&error))
            return fail(error);
        if (!options.ptyLink.isEmpty() && !pty->makeSymlink(options.ptyLink, &error))
            return fail(error);
        say(QStringLiteral("pty %1").arg(pty->slavePath()));
        if (replay && !options.updater)
            pty->sendText(replay->textBefore());
        if (device) {
            // The updater reads bare frames; only the normal tester talks.
            pty->sendText(device->banner());
            QObject::connect(device, &Device::freeText, pty.get(), &PtyLink::sendText);
        }
    }
    say(QStringLiteral("ready"));
    const int code = QGuiApplication::exec();
    using Fate = FaultInjector::Fate;
    say(QStringLiteral("requests %1, dropped %2, corrupted %3, bad start %4, unanswered %5")
            .arg(faults.requests())
            .arg(faults.count(Fate::Drop))
            .arg(faults.count(Fate::Corrupt))
            .arg(faults.count(Fate::BadStart))
            .arg(faults.count(Fate::Silent)));
    if (replay) {
        say(QStringLiteral("replay: matched exactly %1, loosely %2, not found %3")
                .arg(replay->exact())
                .arg(replay->loose())
                .arg(replay->notFound()));
    }
    const qint64 reservedChanges = device ? device->reservedChanges() : 0;
    if (reservedChanges > 0)
        say(QStringLiteral("reserved bytes changed by %1 configuration writes").arg(reservedChanges));
    say(QStringLiteral("stopped"));
    // A program that does not carry reserved bytes back fails its test.
    return code != 0 ? code : reservedChanges > 0 ? kReservedChangedExit : 0;
}
