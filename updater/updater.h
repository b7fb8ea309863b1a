#pragma once

#include "fsfile.h"
#include "updatelink.h"

#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// The update procedures on one UpdateLink: CPU, FPGA and file-system
// writes, the combined update file and the serial number. The window and the
// batch mode both drive this class; it reports through signals only, so it
// runs the same with or without a window.
//
// The link lets events run while it waits for the tester. An operation
// started from such an event would re-enter the link, so every public entry
// refuses to run while the link is waiting; busyChanged() tells the window
// when to lock its controls.
class Updater final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Updater)

public:
    enum class Bar { Fs, Fpga, Cpu };
    Q_ENUM(Bar)
    enum class Severity { Info, Error };
    Q_ENUM(Severity)
    enum class Image { Combined, Fpga, Cpu };

    static constexpr int kMaxNameSize = 255;   // the name field is 256 bytes, zero-terminated

    explicit Updater(QObject *parent = nullptr);
    ~Updater() override;

    UpdateLink &link() { return m_link; }
    bool isBusy() const { return m_depth > 0; }

    // Whole operations, each what one button of the window starts. They
    // return 0 when everything was written, otherwise the code of the step
    // that failed (OperationFailed for a file that could not be used or a
    // file-system file that was not written).
    int connectDevice(const QString &portName);
    void disconnectDevice();
    int updateCpuFile(const QString &path);
    int updateFpgaFile(const QString &path);
    int updateFsFiles(const QStringList &paths);
    int updateCombinedFile(const QString &path);

    // The procedures, returning UpdateLink error codes. Bytes of an image
    // that lie past the end of data (up to length) are sent as 0xFF.
    int sendBlocks(QByteArrayView data, qint64 length, quint8 command, Bar bar);
    int flashCpu(QByteArrayView data, qint64 length);
    int flashFpga(QByteArrayView data, qint64 length);
    int writeFile(const FsFile &file);
    int writeFiles(const QList<FsFile> &files);
    int writeSerialNumber(const QString &text);

    // The length an RPD image is sent with: its trailing 0xFF bytes
    // stripped (never the first byte), rounded up to the next multiple of
    // 256, by a full block when already one. 0 when no data is left.
    static qint64 rpdLength(QByteArrayView image);
    // Why contents cannot be sent as that kind of image (the message the
    // procedure shows), or an empty text when they can. An empty CPU image
    // is refused here, though updateCpuFile() just sends nothing for it.
    static QString formatProblem(Image kind, const QByteArray &contents);
    // A serial number as the tester stores it: one to five decimal digits,
    // at most 32767 (a signed 16-bit number that is not negative).
    static std::optional<quint16> parseSerialNumber(const QString &text);
    // The kDataSize bytes of the block at pos of an image of length bytes
    // whose first data.size() bytes are data: in place, or copied into
    // padded with 0xFF past the end of data.
    static const char *imageBlock(QByteArrayView data, qint64 length, qint64 pos, QByteArray &padded);

Q_SIGNALS:
    void message(const QString &text, Updater::Severity severity);
    void progressStarted(Updater::Bar bar, qint64 maximum);
    void progressChanged(Updater::Bar bar, qint64 value);
    // A block went out: the bar moves to value and the window title follows it.
    void blockSent(Updater::Bar bar, qint64 value);
    // An update has ended the way that puts the plain title back.
    void titleRestored();
    void busyChanged(bool busy);
    // The link lost its port (unplugged, hung up); during an operation that
    // operation fails as well and says so.
    void connectionLost();

private:
    class Operation;
    friend class Operation;

    // The whole file, or nothing after the "cannot open" message.
    std::optional<QByteArray> readUpdateFile(const QString &path);
    // The step's done text on success, else the link's error text.
    void reportStep(int result, const QString &doneText);
    void info(const QString &text);
    void error(const QString &text);

    UpdateLink m_link;
    int m_depth = 0;
    int m_fileFailures = 0;
};
