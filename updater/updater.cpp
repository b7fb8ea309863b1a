#include "updater.h"

#include "combinedfile.h"
#include "cp1251.h"

#include <QFile>
#include <QtDebug>

#include <cstring>

namespace {

constexpr int kBlockRetries = 20;
constexpr int kStepRetries = 10;
constexpr int kLengthRetries = 3;
constexpr int kErasePollRetries = 100;
constexpr int kCpuEraseSettleMs = 2000;

QString fileDisplayName(const FsFile &file)
{
    return Cp1251::decode(file.name);
}

} // namespace

// Marks one public entry: refuses it while the link waits (the caller is an
// event handler of a running operation) and tracks the outermost one.
class Updater::Operation
{
    Q_DISABLE_COPY_MOVE(Operation)

public:
    explicit Operation(Updater *updater)
        : m_updater(updater)
        , m_refused(updater->m_link.isWaiting())
    {
        if (m_refused) {
            qWarning("Updater: refused an operation while another one runs");
            return;
        }
        if (m_updater->m_depth++ == 0)
            Q_EMIT m_updater->busyChanged(true);
    }
    ~Operation()
    {
        if (!m_refused && --m_updater->m_depth == 0)
            Q_EMIT m_updater->busyChanged(false);
    }
    bool refused() const { return m_refused; }

private:
    Updater *m_updater;
    bool m_refused;
};

Updater::Updater(QObject *parent)
    : QObject(parent)
{
    m_link.setLostHandler([this] { Q_EMIT connectionLost(); });
}

Updater::~Updater() = default;

void Updater::info(const QString &text)
{
    Q_EMIT message(text, Severity::Info);
}

void Updater::error(const QString &text)
{
    Q_EMIT message(text, Severity::Error);
}

int Updater::connectDevice(const QString &portName)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    const int result = m_link.open(portName);
    if (!m_link.isConnected()) {
        error(UpdateLink::errorText(result));
        if (const QString group = m_link.deniedGroup(); !group.isEmpty()) {
            error(tr("Нет прав на порт %1: последовательные порты доступны группе %2. Добавьте себя в неё "
                     "(sudo adduser $USER %2) и войдите в систему заново.")
                      .arg(portName, group));
        }
        info(tr("Установите связь с прибором."));
        return result != UpdateLink::NoError ? result : int(UpdateLink::OperationFailed);
    }
    info(portName + tr(": Порт открыт"));
    info(tr("Версия CPU: ") + m_link.cpuVersionText());
    info(tr("Версия FPGA: ") + m_link.fpgaVersionText());
    info(tr("Укажите файл прошивки для начала работы."));
    return UpdateLink::NoError;
}

void Updater::reportStep(int result, const QString &doneText)
{
    if (result == UpdateLink::NoError)
        info(doneText);
    else
        error(UpdateLink::errorText(result));
}

std::optional<QByteArray> Updater::readUpdateFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error(tr("Ошибка при открытии файла."));
        return std::nullopt;
    }
    return file.readAll();
}

void Updater::disconnectDevice()
{
    Operation op(this);
    if (op.refused())
        return;
    m_link.close();
}

int Updater::updateCpuFile(const QString &path)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    const std::optional<QByteArray> file = readUpdateFile(path);
    if (!file)
        return UpdateLink::OperationFailed;
    const QByteArray &image = *file;
    int result = UpdateLink::NoError;
    if (!image.isEmpty()) {
        result = flashCpu(image, image.size());
        reportStep(result, tr("Прошивка CPU завершена."));
    }
    Q_EMIT titleRestored();
    return result;
}

int Updater::updateFpgaFile(const QString &path)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    const std::optional<QByteArray> file = readUpdateFile(path);
    if (!file)
        return UpdateLink::OperationFailed;
    const QByteArray &image = *file;
    int result = UpdateLink::OperationFailed;
    const qint64 length = rpdLength(image);
    const QString problem = formatProblem(Image::Fpga, image);
    if (!problem.isEmpty()) {
        error(problem);
    } else {
        // The rounding may reach past the end of the file: sendBlocks pads
        // with 0xFF, the same bytes as the stripped tail.
        result = flashFpga(image, length);
        reportStep(result, tr("Прошивка FPGA завершена."));
    }
    Q_EMIT titleRestored();
    return result;
}

int Updater::updateFsFiles(const QStringList &paths)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    QList<FsFile> files;
    m_fileFailures = 0;
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            error(tr("Ошибка при открытии файла %1").arg(path));
            ++m_fileFailures;
            continue;
        }
        const QString name = path.mid(path.lastIndexOf(u'/') + 1);
        files.append(FsFile{Cp1251::encode(name), file.readAll()});
    }
    writeFiles(files);
    files.clear();
    Q_EMIT titleRestored();
    return m_fileFailures == 0 ? int(UpdateLink::NoError) : int(UpdateLink::OperationFailed);
}

int Updater::updateCombinedFile(const QString &path)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    const std::optional<QByteArray> file = readUpdateFile(path);
    if (!file)
        return UpdateLink::OperationFailed;
    CombinedFile update;
    if (!update.parse(*file)) {
        error(formatProblem(Image::Combined, *file));
        return UpdateLink::OperationFailed;
    }

    m_fileFailures = 0;
    if (!update.files().isEmpty()) {
        writeFiles(update.files());
        // Not "complete" after a file that was not written.
        if (m_fileFailures == 0)
            info(tr("Прошивка файловой системы завершена."));
    }
    int result = flashFpga(update.fpgaImage(), update.fpgaImage().size());
    if (result != UpdateLink::NoError) {
        error(UpdateLink::errorText(result));
        return result;
    }
    info(tr("Прошивка FPGA завершена."));
    result = flashCpu(update.cpuImage(), update.cpuImage().size());
    if (result != UpdateLink::NoError) {
        error(UpdateLink::errorText(result));
        return result;
    }
    info(tr("Прошивка CPU завершена."));
    Q_EMIT titleRestored();
    // File-system errors do not stop the update, but it is not complete.
    if (m_fileFailures != 0) {
        error(UpdateLink::errorText(UpdateLink::OperationFailed));
        return UpdateLink::OperationFailed;
    }
    info(tr("Прошивка прибора завершена."));
    return UpdateLink::NoError;
}

int Updater::sendBlocks(QByteArrayView data, qint64 length, quint8 command, Bar bar)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    Q_EMIT progressStarted(bar, length);
    if (length <= 0)
        return UpdateLink::NoError;

    QByteArray padded;
    qint64 pos = 0;
    qint64 end = 0;
    do {
        end = qMin<qint64>(pos + UpdateLink::kDataSize, length);
        m_link.build(command, quint32(pos), imageBlock(data, length, pos, padded));
        const int result = m_link.transact(kBlockRetries);
        Q_EMIT blockSent(bar, end);
        if (m_link.replyValue() != quint32(end)) {
            if (m_link.replyContains("ready")) {
                Q_EMIT progressChanged(bar, end);
                return UpdateLink::NoError;
            }
            error(tr("Некорректный адрес в ответе."));
            return result != UpdateLink::NoError ? result : int(UpdateLink::OperationFailed);
        }
        if (result != UpdateLink::NoError) {
            error(UpdateLink::errorText(result));
            return result;
        }
        pos = end;
    } while (end < length);
    return UpdateLink::NoError;
}

int Updater::flashCpu(QByteArrayView data, qint64 length)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    info(tr("Идет очистка памяти CPU."));
    m_link.setMode(UpdateLink::CpuMode);
    m_link.build(UpdateLink::CpuErase, 0);
    int result = m_link.transact(kStepRetries);
    if (result != UpdateLink::NoError || !m_link.replyContains("CP_OK")) {
        error(tr("Очистка памяти CPU не удалась."));
        return UpdateLink::OperationFailed;
    }
    m_link.pause(kCpuEraseSettleMs);
    m_link.build(UpdateLink::CpuLength, quint32(length));
    result = m_link.transact(kLengthRetries);
    if (result != UpdateLink::NoError || m_link.replyValue() != quint32(length)) {
        error(tr("Потеряна связь с прибором."));
        return UpdateLink::OperationFailed;
    }
    info(tr("Идет прошивка CPU."));
    result = sendBlocks(data, length, UpdateLink::CpuBlock, Bar::Cpu);
    if (result == UpdateLink::NoError)
        m_link.setMode(UpdateLink::NormalMode);
    return result;
}

int Updater::flashFpga(QByteArrayView data, qint64 length)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    m_link.setMode(UpdateLink::FpgaMode);
    if (m_link.mode() != UpdateLink::FpgaMode) {
        error(tr("Ошибка при включении режима программирования FPGA."));
        return UpdateLink::OperationFailed;
    }
    info(tr("Очищается флеш память FPGA."));
    m_link.build(UpdateLink::FpgaErase, 0);
    int result = m_link.transact(kStepRetries);
    if (result != UpdateLink::NoError) {
        error(tr("Ошибка при попытке очистки флеш памяти FPGA."));
        return result;
    }
    m_link.build(UpdateLink::FpgaErasePoll, 0);
    do {
        result = m_link.transact(kErasePollRetries);
    } while (result == UpdateLink::NoError && m_link.replyContains("Clr.."));
    if (result != UpdateLink::NoError || !m_link.replyContains("ClrOK")) {
        error(tr("Очистка флеш FPGA не удалась."));
        return UpdateLink::OperationFailed;
    }
    info(tr("Очистка флеш FPGA завершена."));
    m_link.build(UpdateLink::FpgaLength, quint32(length));
    result = m_link.transact(kLengthRetries);
    if (result != UpdateLink::NoError || m_link.replyValue() != quint32(length)) {
        error(tr("Потеряна связь с прибором."));
        return UpdateLink::OperationFailed;
    }
    info(tr("Идет прошивка флеш памяти FPGA."));
    result = sendBlocks(data, length, UpdateLink::FpgaBlock, Bar::Fpga);
    if (result == UpdateLink::NoError)
        m_link.setMode(UpdateLink::NormalMode);
    return result;
}

int Updater::writeFile(const FsFile &file)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    // The name must fit the 256-byte field with its terminating zero.
    if (file.name.size() > kMaxNameSize) {
        error(tr("Слишком длинное имя файла: ") + fileDisplayName(file));
        ++m_fileFailures;
        return UpdateLink::NoError;
    }
    m_link.setMode(UpdateLink::FsMode);
    QByteArray nameField(UpdateLink::kDataSize, '\0');
    std::memcpy(nameField.data(), file.name.constData(), file.name.size());
    m_link.build(UpdateLink::FsCreate, quint32(file.contents.size()), nameField.constData());
    m_link.transact(kStepRetries);
    if (m_link.replyContains("OK")) {
        const int result = sendBlocks(file.contents, file.contents.size(), UpdateLink::FsBlock, Bar::Fs);
        // As for the images: the transfer's own message alone may not say
        // why (a lost port, a silent tester).
        if (result != UpdateLink::NoError) {
            error(UpdateLink::errorText(result));
            ++m_fileFailures;
        }
        m_link.setMode(UpdateLink::NormalMode);
    } else {
        error(tr("Ошибка при создании файла: ") + fileDisplayName(file));
        ++m_fileFailures;
    }
    return UpdateLink::NoError;
}

int Updater::writeFiles(const QList<FsFile> &files)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    if (files.isEmpty())
        return UpdateLink::NoError;
    m_link.setMode(UpdateLink::FsMode);
    m_link.build(UpdateLink::FsBegin, 0);
    m_link.transact(kStepRetries);
    m_link.setMode(UpdateLink::NormalMode);
    for (const FsFile &file : files)
        writeFile(file);
    return UpdateLink::NoError;
}

int Updater::writeSerialNumber(const QString &text)
{
    Operation op(this);
    if (op.refused())
        return UpdateLink::OperationFailed;
    const std::optional<quint16> number = parseSerialNumber(text);
    if (!number) {
        error(tr("Введено неверное значение серийного номера."));
        return UpdateLink::OperationFailed;
    }
    if (!m_link.isConnected()) {
        error(tr("Требуется подключение к прибору."));
        return UpdateLink::OperationFailed;
    }
    const int result = m_link.writeSerial(*number);
    if (result != UpdateLink::NoError)
        error(UpdateLink::errorText(result));
    else
        info(tr("Серийный номер успешно обновлен."));
    return result;
}

const char *Updater::imageBlock(QByteArrayView data, qint64 length, qint64 pos, QByteArray &padded)
{
    // The image ends at length or at the end of data, whichever is first;
    // the last block is padded with 0xFF, the erased state of flash.
    const qint64 available = qMin<qint64>(length, data.size());
    if (pos + UpdateLink::kDataSize <= available)
        return data.data() + pos;
    padded.fill(char(0xFF), UpdateLink::kDataSize);
    if (available > pos)
        std::memcpy(padded.data(), data.data() + pos, size_t(available - pos));
    return padded.constData();
}

QString Updater::formatProblem(Image kind, const QByteArray &contents)
{
    switch (kind) {
    case Image::Combined:
        return CombinedFile().parse(contents) ? QString() : tr("Неверный формат файла.");
    case Image::Fpga:
        return rpdLength(contents) > 0 ? QString() : tr("RPD файл не содержит данных.");
    case Image::Cpu:
        break;
    }
    return contents.isEmpty() ? tr("BIN файл не содержит данных.") : QString();
}

std::optional<quint16> Updater::parseSerialNumber(const QString &text)
{
    // Digits only: a sign or blanks would slip through a number parser, and
    // "-5" would reach the tester as 65531.
    static constexpr int kMaxDigits = 5;
    if (text.isEmpty() || text.size() > kMaxDigits)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int number = text.toInt();
    if (number > 32767)
        return std::nullopt;
    return quint16(number);
}

qint64 Updater::rpdLength(QByteArrayView image)
{
    qint64 last = image.size() - 1;
    while (last > 0 && quint8(image.at(last)) == 0xFF)
        --last;
    if (last <= 0)
        return 0;
    const qint64 length = last + 1;
    return length + UpdateLink::kDataSize - length % UpdateLink::kDataSize;
}
