#pragma once

#include "updater.h"

#include <QObject>
#include <QStringList>
#include <QTextStream>

// The updater without a window, for service benches and production lines:
// connects to one port, runs the requested writes in the order of a
// combined update and reports the window's messages and the progress on the
// terminal. run() returns the process exit code.
class BatchRunner final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BatchRunner)

public:
    static constexpr int kUsageError = 64;
    // The window's switch as well: no session recording.
    static inline const QString NoRecord = QStringLiteral("--no-record");

    explicit BatchRunner(QObject *parent = nullptr);
    ~BatchRunner() override;

    // True when the arguments ask for the batch mode rather than the window.
    static bool wanted(const QStringList &arguments);
    int run(const QStringList &arguments);
    Updater &updater() { return m_updater; }

private:
    struct Request
    {
        QString port;
        QString update;
        QString cpu;
        QString fpga;
        QStringList fs;
        QString serialNumber;
        bool fsGiven = false;
        bool serialGiven = false;
        bool help = false;
        bool version = false;
        bool listPorts = false;
    };

    bool parse(const QStringList &arguments, Request &request);
    int execute(const Request &request);
    void onMessage(const QString &text, Updater::Severity severity);
    void onProgressStarted(Updater::Bar bar, qint64 maximum);
    void onProgress(Updater::Bar bar, qint64 value);
    void endProgressLine();
    void usageError(const QString &text);
    void printHelp();

    Updater m_updater;
    QTextStream m_out;
    QTextStream m_err;
    bool m_tty = false;
    bool m_lineOpen = false;
    qint64 m_maximum = 0;
    int m_percent = -1;
};
