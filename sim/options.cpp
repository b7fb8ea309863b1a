#include "options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const char kDescription[] =
    "A simulated ZORT-QV (or ZORT-QVB) tester for QVRemote and QVUpdater.\n"
    "\n"
    "It serves the command set over TCP (261-byte frames) and, with --pty, over\n"
    "a pseudo-terminal with the serial framing ('$' replies with CRC-8, '@'\n"
    "requests checked by CRC, free text of the tester between frames). On start\n"
    "it prints machine-readable lines and flushes them:\n"
    "  qvsim: seed N\n"
    "  qvsim: listening on ADDR:PORT      (normal mode)\n"
    "  qvsim: pty /dev/pts/N              (with --pty or --updater)\n"
    "  qvsim: ready\n"
    "SIGINT and SIGTERM end it cleanly.\n"
    "\n"
    "Updater mode (--updater) answers the firmware updater on the pty only\n"
    "(commands 0, 1, 2, 3, 4, 11, 12, 13, 40, 41, 43, 71, 254). With\n"
    "--flash-dir DIR every completed transfer is written there:\n"
    "  DIR/cpu.bin      the CPU image (command 11 blocks, length of command 12)\n"
    "  DIR/fpga.rpd     the FPGA image (command 1 blocks, length of command 2)\n"
    "  DIR/fs/NAME      each file-system file (commands 41 and 43)\n"
    "  DIR/serial.txt   the serial number of command 254, in decimal\n"
    "In normal mode DIR/fs holds the tester's settings and result files, so\n"
    "they survive a restart.\n"
    "\n"
    "--replay FILE serves a session recording (QVRemote's or QVUpdater's) as the\n"
    "tester: each request gets the reply that followed the same request (ID and\n"
    "payload) in the recording, else the nearest in time with the same ID (said\n"
    "on stderr), after the recorded delay divided by --speed (0: at once). On\n"
    "exit it prints: qvsim: replay: matched exactly N, loosely N, not found N.\n"
    "A QVUpdater recording implies --updater.\n"
    "--dump FILE prints a recording (--hex: with its bytes; --pcap OUT: also a\n"
    "pcapng file, link type 147, the direction in each packet's flags) and exits.";

bool parseRate(const QString &text, double *rate)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < 0 || v > 1)
        return false;
    *rate = v;
    return true;
}

} // namespace

bool SimOptions::parse(const QStringList &arguments, SimOptions *o, QString *error)
{
    QCommandLineParser p;
    p.setApplicationDescription(QString::fromLatin1(kDescription));
    p.addHelpOption();
    p.addVersionOption();
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Tester model: qv (two ports, default) or qvb (one port)."), QStringLiteral("qv|qvb"), QStringLiteral("qv"));
    const QCommandLineOption serial(QStringLiteral("serial"), QStringLiteral("Serial number (default 1234)."), QStringLiteral("N"), QStringLiteral("1234"));
    const QCommandLineOption cpu(QStringLiteral("cpu-version"), QStringLiteral("CPU firmware version major.minor.build (default 0.27.4 for qv, 0.3.6 for qvb)."), QStringLiteral("X.Y.Z"));
    const QCommandLineOption fpga(QStringLiteral("fpga-version"), QStringLiteral("FPGA version major.minor.build (default 0.12.3 for qv, 0.4.1 for qvb)."), QStringLiteral("X.Y.Z"));
    const QCommandLineOption listen(QStringLiteral("listen"), QStringLiteral("TCP address and port of the remote-control port (default 127.0.0.1:55555; port 0 picks a free one)."), QStringLiteral("ADDR:PORT"), QStringLiteral("127.0.0.1:55555"));
    const QCommandLineOption pty(QStringLiteral("pty"), QStringLiteral("Also serve the serial line on a pseudo-terminal; prints its slave path."));
    const QCommandLineOption ptyLink(QStringLiteral("pty-link"), QStringLiteral("Make a symbolic link PATH to the pty slave (implies --pty); removed on exit."), QStringLiteral("PATH"));
    const QCommandLineOption lineRate(QStringLiteral("line-rate"), QStringLiteral("Pace the serial line like a UART at BAUD (BAUD/10 bytes per second each way); default unpaced."), QStringLiteral("BAUD"));
    const QCommandLineOption updater(QStringLiteral("updater"), QStringLiteral("Updater mode: answer the firmware updater on the pty (implies --pty, no TCP)."));
    const QCommandLineOption flashDir(QStringLiteral("flash-dir"), QStringLiteral("Directory for the flashed images and the file system (see above)."), QStringLiteral("DIR"));
    const QCommandLineOption oldFw(QStringLiteral("old-firmware"), QStringLiteral("Answer the status with 0xFD 0xFC in bytes 2 and 3 (a firmware too old for the programs)."));
    const QCommandLineOption drop(QStringLiteral("drop"), QStringLiteral("Probability (0..1) that a reply is not sent."), QStringLiteral("RATE"), QStringLiteral("0"));
    const QCommandLineOption corrupt(QStringLiteral("corrupt"), QStringLiteral("Probability that a serial reply has a wrong CRC (TCP frames carry none)."), QStringLiteral("RATE"), QStringLiteral("0"));
    const QCommandLineOption badStart(QStringLiteral("bad-start"), QStringLiteral("Probability that a serial reply starts with '#' instead of '$' (its CRC matching its bytes; TCP frames carry no start byte)."), QStringLiteral("RATE"), QStringLiteral("0"));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Send every reply MS milliseconds late (the replies after it wait behind it)."), QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption delayEvery(QStringLiteral("delay-every"), QStringLiteral("Delay only every Nth reply the faults are aimed at (default 1: all); on the serial line the replies after a reply delayed alone overtake it."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption undefined(QStringLiteral("undefined"), QStringLiteral("What replies carry in the bytes the protocol leaves undefined (unnamed payload bytes, reserved bytes of the blocks, byte 1 and the bytes after a text of updater replies): zero (default), or noise, random bytes from SEED (default: from --seed)."), QStringLiteral("zero|noise[=SEED]"), QStringLiteral("zero"));
    const QCommandLineOption silentAfter(QStringLiteral("silent-after"), QStringLiteral("Stop answering after N requests (all links together)."), QStringLiteral("N"));
    const QCommandLineOption closeAfter(QStringLiteral("close-after"), QStringLiteral("Close each TCP connection after answering N requests on it."), QStringLiteral("N"));
    const QCommandLineOption faultIds(QStringLiteral("fault-ids"), QStringLiteral("Apply the faults only to requests with these packet IDs (comma-separated); --silent-after and --close-after count only those."), QStringLiteral("LIST"));
    const QCommandLineOption faultCount(QStringLiteral("fault-count"), QStringLiteral("Let only N requests suffer a fault (a silence or a close counts as one each); then answer soundly again."), QStringLiteral("N"));
    const QCommandLineOption faultAfter(QStringLiteral("fault-after"), QStringLiteral("Answer the first N requests the faults are aimed at soundly (--silent-after has its own count)."), QStringLiteral("N"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of all randomness (faults and measurements); default from the clock, printed."), QStringLiteral("N"));
    const QCommandLineOption speed(QStringLiteral("speed"), QStringLiteral("Simulated seconds per real second for running tests; with --replay how much faster than recorded to answer, 0 at once (default 1)."), QStringLiteral("FACTOR"), QStringLiteral("1"));
    const QCommandLineOption replay(QStringLiteral("replay"), QStringLiteral("Serve the session recording FILE as the tester (see above)."), QStringLiteral("FILE"));
    const QCommandLineOption dump(QStringLiteral("dump"), QStringLiteral("Print the session recording FILE and exit."), QStringLiteral("FILE"));
    const QCommandLineOption hex(QStringLiteral("hex"), QStringLiteral("With --dump: the bytes of each record in hex."));
    const QCommandLineOption pcap(QStringLiteral("pcap"), QStringLiteral("With --dump: write the frames to the pcapng file OUT."), QStringLiteral("OUT"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Log every request to stderr."));
    p.addOptions({model, serial, cpu, fpga, listen, pty, ptyLink, lineRate, updater, flashDir, oldFw,
                  drop, corrupt, badStart, delay, delayEvery, silentAfter, closeAfter, faultIds, faultCount, faultAfter, seed, speed, undefined, verbose, replay, dump, hex, pcap});
    if (!p.parse(arguments)) {
        *error = p.errorText();
        return false;
    }
    if (p.isSet(QStringLiteral("help")))
        p.showHelp(0);
    if (p.isSet(QStringLiteral("version")))
        p.showVersion();
    if (!p.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument %1").arg(p.positionalArguments().first());
        return false;
    }

    const QString modelName = p.value(model).toLower();
    if (modelName != u"qv" && modelName != u"qvb") {
        *error = QStringLiteral("--model must be qv or qvb");
        return false;
    }
    o->identity = DeviceIdentity::forModel(modelName == u"qvb");
    bool ok = false;
    const uint sn = p.value(serial).toUInt(&ok);
    if (!ok || sn > 65535) {
        *error = QStringLiteral("--serial must be 0 to 65535");
        return false;
    }
    o->identity.serial = quint16(sn);
    if (p.isSet(cpu) && !DeviceIdentity::parseVersion(p.value(cpu), &o->identity.cpu)) {
        *error = QStringLiteral("--cpu-version must be three numbers 0..255 joined by dots");
        return false;
    }
    if (p.isSet(fpga) && !DeviceIdentity::parseVersion(p.value(fpga), &o->identity.fpga)) {
        *error = QStringLiteral("--fpga-version must be three numbers 0..255 joined by dots");
        return false;
    }
    o->identity.oldFirmware = p.isSet(oldFw);

    const QString where = p.value(listen);
    const qsizetype colon = where.lastIndexOf(u':');
    const uint port = colon < 0 ? 70000 : where.mid(colon + 1).toUInt(&ok);
    if (colon < 0 || !ok || port > 65535 || !o->listenAddress.setAddress(where.left(colon))) {
        *error = QStringLiteral("--listen must be ADDR:PORT");
        return false;
    }
    o->listenPort = quint16(port);

    o->updater = p.isSet(updater);
    o->ptyLink = p.value(ptyLink);
    o->pty = p.isSet(pty) || !o->ptyLink.isEmpty() || o->updater;
    if (p.isSet(lineRate)) {
        o->lineRate = p.value(lineRate).toLongLong(&ok);
        if (!ok || o->lineRate < 0) {
            *error = QStringLiteral("--line-rate must be a baud rate");
            return false;
        }
    }
    o->flashDir = p.value(flashDir);

    if (!parseRate(p.value(drop), &o->faults.drop) || !parseRate(p.value(corrupt), &o->faults.corrupt)
        || !parseRate(p.value(badStart), &o->faults.badStart)) {
        *error = QStringLiteral("--drop, --corrupt and --bad-start take a probability 0..1");
        return false;
    }
    o->faults.delayMs = p.value(delay).toInt(&ok);
    if (!ok || o->faults.delayMs < 0) {
        *error = QStringLiteral("--delay must be milliseconds");
        return false;
    }
    o->faults.delayEvery = p.value(delayEvery).toLongLong(&ok);
    if (!ok || o->faults.delayEvery < 1) {
        *error = QStringLiteral("--delay-every must be a count of at least 1");
        return false;
    }
    const QString undefinedValue = p.value(undefined);
    if (undefinedValue.startsWith(QLatin1String("noise="))) {
        o->undefinedNoise = true;
        o->undefinedSeedGiven = true;
        o->undefinedSeed = undefinedValue.mid(6).toUInt(&ok);
        if (!ok) {
            *error = QStringLiteral("--undefined noise=SEED takes an unsigned 32-bit seed");
            return false;
        }
    } else if (undefinedValue == QLatin1String("noise")) {
        o->undefinedNoise = true;
    } else if (undefinedValue != QLatin1String("zero")) {
        *error = QStringLiteral("--undefined must be zero, noise or noise=SEED");
        return false;
    }
    const auto count = [&](const QCommandLineOption &option, qint64 *out) {
        if (!p.isSet(option))
            return true;
        *out = p.value(option).toLongLong(&ok);
        return ok && *out >= 0;
    };
    if (!count(silentAfter, &o->faults.silentAfter) || !count(closeAfter, &o->faults.closeAfter)
        || !count(faultCount, &o->faults.faultCount) || !count(faultAfter, &o->faults.faultAfter)) {
        *error = QStringLiteral("--silent-after, --close-after, --fault-count and --fault-after take a count");
        return false;
    }
    if (p.isSet(faultIds)) {
        const QStringList ids = p.value(faultIds).split(u',');
        for (const QString &id : ids) {
            const uint value = id.trimmed().toUInt(&ok);
            if (!ok || value > 255) {
                *error = QStringLiteral("--fault-ids takes packet IDs 0..255, comma-separated");
                return false;
            }
            o->faults.ids << quint8(value);
        }
    }
    o->seedGiven = p.isSet(seed);
    if (o->seedGiven) {
        o->seed = p.value(seed).toUInt(&ok);
        if (!ok) {
            *error = QStringLiteral("--seed must be an unsigned 32-bit number");
            return false;
        }
    }
    o->replayFile = p.value(replay);
    o->dumpFile = p.value(dump);
    o->dumpHex = p.isSet(hex);
    o->pcapFile = p.value(pcap);
    if ((o->dumpHex || !o->pcapFile.isEmpty()) && o->dumpFile.isEmpty()) {
        *error = QStringLiteral("--hex and --pcap go with --dump");
        return false;
    }
    o->speed = p.value(speed).toDouble(&ok);
    const bool zeroAllowed = !o->replayFile.isEmpty();
    if (!ok || o->speed < 0 || (o->speed == 0 && !zeroAllowed) || o->speed > 10000) {
        *error = zeroAllowed ? QStringLiteral("--speed must be 0 to 10000")
                             : QStringLiteral("--speed must be above 0 and at most 10000");
        return false;
    }
    o->verbose = p.isSet(verbose);
    return true;
}
