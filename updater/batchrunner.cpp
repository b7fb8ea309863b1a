#include "batchrunner.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <utility>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define QV_ISATTY _isatty
#define QV_FILENO _fileno
#else
#include <unistd.h>
#define QV_ISATTY isatty
#define QV_FILENO fileno
#endif

namespace {

const QString kPort = QStringLiteral("--port");
const QString kUpdate = QStringLiteral("--update");
const QString kCpu = QStringLiteral("--cpu");
const QString kFpga = QStringLiteral("--fpga");
const QString kFs = QStringLiteral("--fs");
const QString kSerial = QStringLiteral("--serial-number");
const QString kListPorts = QStringLiteral("--list-ports");

QString barName(Updater::Bar bar)
{
    switch (bar) {
    case Updater::Bar::Fs:
        return QStringLiteral("FS");
    case Updater::Bar::Fpga:
        return QStringLiteral("FPGA");
    case Updater::Bar::Cpu:
        break;
    }
    return QStringLiteral("CPU");
}

// As a progress bar computes its text, so both modes show the same numbers.
int percentOf(qint64 value, qint64 maximum)
{
    if (maximum <= 0)
        return 100;
    return int(double(value) * 100.0 / double(maximum));
}

} // namespace

BatchRunner::BatchRunner(QObject *parent)
    : QObject(parent)
    , m_out(stdout)
    , m_err(stderr)
    , m_tty(QV_ISATTY(QV_FILENO(stdout)) != 0)
{
    connect(&m_updater, &Updater::message, this, &BatchRunner::onMessage);
    connect(&m_updater, &Updater::progressStarted, this, &BatchRunner::onProgressStarted);
    connect(&m_updater, &Updater::progressChanged, this, &BatchRunner::onProgress);
    connect(&m_updater, &Updater::blockSent, this, &BatchRunner::onProgress);
}

BatchRunner::~BatchRunner() = default;

bool BatchRunner::wanted(const QStringList &arguments)
{
    // Qt's own options have one dash and "-dev" is the window's switch.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == BatchRunner::NoRecord)
            continue; // the window records too
        if (a.startsWith(QLatin1String("--")) || a == QLatin1String("-h") || a == QLatin1String("-?")
            || a == QLatin1String("-v"))
            return true;
    }
    return false;
}

bool BatchRunner::parse(const QStringList &arguments, Request &request)
{
    bool seenUpdate = false, seenCpu = false, seenFpga = false, seenPort = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString name = arguments.at(i);
        QString value;
        bool inlineValue = false;
        if (name.startsWith(QLatin1String("--"))) {
            const qsizetype eq = name.indexOf(u'=');
            if (eq > 0) {
                value = name.mid(eq + 1);
                name.truncate(eq);
                inlineValue = true;
            }
        }
        if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("-?")) {
            request.help = true;
            continue;
        }
        if (name == QLatin1String("--version") || name == QLatin1String("-v")) {
            request.version = true;
            continue;
        }
        if (name == kListPorts) {
            request.listPorts = true;
            continue;
        }
        if (name == QLatin1String("-dev") || name == NoRecord)
            continue;
        const bool takesValue = name == kPort || name == kUpdate || name == kCpu
            || name == kFpga || name == kFs || name == kSerial;
        if (!takesValue) {
            if (name.startsWith(u'-')) {
                usageError(tr("Неизвестный параметр: %1").arg(name));
                return false;
            }
            // Further names after --fs, so that a shell pattern works.
            if (!request.fsGiven) {
                usageError(tr("Лишний аргумент: %1").arg(name));
                return false;
            }
            request.fs << name;
            continue;
        }
        if (!inlineValue && i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--")))
            value = arguments.at(++i);
        // "--cpu=" or "--port --cpu x" must not pass for an option not given.
        if (value.isEmpty()) {
            usageError(tr("Не указано значение параметра %1").arg(name));
            return false;
        }
        auto once = [this, &name](bool &seen) {
            if (seen) {
                usageError(tr("Параметр %1 указан дважды").arg(name));
                return false;
            }
            seen = true;
            return true;
        };
        if (name == kPort) {
            if (!once(seenPort))
                return false;
            request.port = value;
        } else if (name == kUpdate) {
            if (!once(seenUpdate))
                return false;
            request.update = value;
        } else if (name == kCpu) {
            if (!once(seenCpu))
                return false;
            request.cpu = value;
        } else if (name == kFpga) {
            if (!once(seenFpga))
                return false;
            request.fpga = value;
        } else if (name == kFs) {
            request.fsGiven = true;
            request.fs << value;
        } else {
            if (!once(request.serialGiven))
                return false;
            request.serialNumber = value;
        }
    }
    if (request.help || request.version || request.listPorts)
        return true;
    // Refused before anything is written, not after the images.
    if (request.serialGiven && !Updater::parseSerialNumber(request.serialNumber)) {
        usageError(tr("Введено неверное значение серийного номера.") + QLatin1Char(' ') + request.serialNumber);
        return false;
    }
    if (request.port.isEmpty()) {
        usageError(tr("Не указан порт (--port)"));
        return false;
    }
    if (request.update.isEmpty() && request.cpu.isEmpty() && request.fpga.isEmpty()
        && !request.fsGiven && !request.serialGiven) {
        usageError(tr("Не указано, что записывать в прибор"));
        return false;
    }
    return true;
}

int BatchRunner::run(const QStringList &arguments)
{
    Request request;
    if (!parse(arguments, request))
        return kUsageError;
    if (request.help) {
        printHelp();
        return 0;
    }
    if (request.version) {
        m_out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    }
    if (request.listPorts) {
        const QStringList ports = UpdateLink::listPorts();
        for (const QString &port : ports)
            m_out << port << Qt::endl;
        return 0;
    }
    return execute(request);
}

int BatchRunner::execute(const Request &request)
{
    // A file that is missing or cannot be sent is reported before the
    // tester is touched.
    QList<std::pair<QString, std::optional<Updater::Image>>> files;
    for (const QString &path : request.fs)
        files.append({path, std::nullopt});
    files.append({request.update, Updater::Image::Combined});
    files.append({request.fpga, Updater::Image::Fpga});
    files.append({request.cpu, Updater::Image::Cpu});
    for (const auto &[path, image] : std::as_const(files)) {
        if (path.isEmpty())
            continue;
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
            onMessage(tr("Ошибка при открытии файла %1").arg(path), Updater::Severity::Error);
            return UpdateLink::OperationFailed;
        }
        const QString problem = image ? Updater::formatProblem(*image, file.readAll()) : QString();
        if (!problem.isEmpty()) {
            onMessage(path + QStringLiteral(": ") + problem, Updater::Severity::Error);
            return UpdateLink::OperationFailed;
        }
    }

    int result = m_updater.connectDevice(request.port);
    if (result != UpdateLink::NoError)
        return result;

    // The order of a combined update: file system, FPGA, CPU. A file-system
    // error does not stop the rest but fails the run.
    int fsResult = UpdateLink::NoError;
    if (!request.update.isEmpty())
        result = m_updater.updateCombinedFile(request.update);
    if (result == UpdateLink::NoError && request.fsGiven)
        fsResult = m_updater.updateFsFiles(request.fs);
    if (result == UpdateLink::NoError && !request.fpga.isEmpty())
        result = m_updater.updateFpgaFile(request.fpga);
    if (result == UpdateLink::NoError && !request.cpu.isEmpty())
        result = m_updater.updateCpuFile(request.cpu);
    if (result == UpdateLink::NoError && request.serialGiven)
        result = m_updater.writeSerialNumber(request.serialNumber);
    m_updater.disconnectDevice();
    endProgressLine();
    m_out.flush();
    return result != UpdateLink::NoError ? result : fsResult;
}

void BatchRunner::onMessage(const QString &text, Updater::Severity severity)
{
    endProgressLine();
    if (severity == Updater::Severity::Error) {
        m_out.flush();
        m_err << text << Qt::endl;
    } else {
        m_out << text << Qt::endl;
    }
}

void BatchRunner::onProgressStarted(Updater::Bar bar, qint64 maximum)
{
    Q_UNUSED(bar)
    endProgressLine();
    m_maximum = maximum;
    m_percent = -1;
}

void BatchRunner::onProgress(Updater::Bar bar, qint64 value)
{
    const int percent = percentOf(value, m_maximum);
    if (percent == m_percent)
        return;
    // A terminal gets one line rewritten in place; a log gets a line per tenth.
    if (m_tty) {
        m_out << '\r' << barName(bar) << ' ' << percent << '%';
        m_out.flush();
        m_lineOpen = true;
    } else if (m_percent < 0 || percent / 10 != m_percent / 10 || percent == 100) {
        m_out << barName(bar) << ' ' << percent << '%' << Qt::endl;
    }
    m_percent = percent;
}

void BatchRunner::endProgressLine()
{
    if (!m_lineOpen)
        return;
    m_out << Qt::endl;
    m_lineOpen = false;
}

void BatchRunner::usageError(const QString &text)
{
    m_err << "QVUpdater: " << text << Qt::endl
          << tr("Справка: QVUpdater --help") << Qt::endl;
}

void BatchRunner::printHelp()
{
    m_out << tr(
        "Запись прошивки в прибор ZORT-QV без окна.\n"
        "\n"
        "  QVUpdater                       окно программы (-dev: расширенный вид)\n"
        "  QVUpdater --port ПОРТ ДЕЙСТВИЕ...\n"
        "  QVUpdater --list-ports\n"
        "\n"
        "Параметры:\n"
        "  --port ПОРТ              имя порта (ttyUSB0, COM3) или путь к устройству\n"
        "  --update ФАЙЛ.qvup       полное обновление из файла .qvup\n"
        "  --fs ФАЙЛ...             файлы для файловой системы прибора\n"
        "  --fpga ФАЙЛ.rpd          образ FPGA\n"
        "  --cpu ФАЙЛ.bin           образ CPU\n"
        "  --serial-number N        записать серийный номер (0..32767)\n"
        "  --list-ports             показать доступные порты\n"
        "  --no-record              не записывать сеанс связи с прибором\n"
        "  -v, --version            версия программы\n"
        "  -h, --help               эта справка\n"
        "\n"
        "Действия выполняются в порядке: --update, --fs, --fpga, --cpu,\n"
        "--serial-number. Ошибка останавливает следующие действия, кроме\n"
        "ошибок записи отдельных файлов файловой системы.\n"
        "\n"
        "Код завершения: 0 - успешно; 1-7 - код ошибки связи с прибором;\n"
        "100 - ошибка операции; 64 - неверные параметры.\n");
    m_out.flush();
}
