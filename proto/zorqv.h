#pragma once

#include "blocksizes.h"
#include "reportjob.h"
#include "reportwriter.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

class PDFCreator;

// A test's elapsed seconds as the status reports them: one byte, which
// wraps after 255 s. Polls are a second apart, so a byte smaller than the
// last one means one wrap; after a restart the count begins at the byte.
class ElapsedCounter
{
public:
    void restart() { m_fresh = true; }
    void update(quint8 byte)
    {
        if (m_fresh)
            m_wraps = 0;
        else if (byte < m_last)
            ++m_wraps;
        m_fresh = false;
        m_last = byte;
    }
    quint64 seconds() const { return m_wraps * 256 + m_last; }

private:
    quint64 m_wraps = 0;
    quint8 m_last = 0;
    bool m_fresh = true;
};

// The program's picture of the connected tester: its last status, the
// process and page the user works on, and one copy per process of every
// test's configuration and result blocks. The engine fills it from replies
// and builds requests from it; pages read and edit it by copying. It also
// drives the once-a-second poll and owns the hand-over to the report writer.
class Zorqv final : public QObject, public PortTestBlocks
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Zorqv)

public:
    explicit Zorqv(QObject *parent = nullptr);
    ~Zorqv() override;

    void startStatusTimer();
    void stopStatusTimer();
    bool statusTimerActive() const { return m_statusTimer.isActive(); }

    // Where completed downloads go: the record's own report writer unless
    // another sink is set (not owned; nullptr restores the own writer).
    void setReportSink(ReportSink *sink);
    // Called by the engine when a result-file download is complete.
    void startReport(const ReportJob &job);
    // Called by the engine when a download of fileName handed nothing on;
    // emits download_failed with the text the user is shown.
    void downloadFailed(DownloadFailure why, const QString &fileName);
    PDFCreator *reportWriter() const { return m_writer.get(); }
    // How the latest report job ended (status Created with job 0 before the first).
    const ReportOutcome &lastReportOutcome() const { return m_lastOutcome; }

    bool isQvb = false;
    bool connected = false;
    int linkType = 0; // 0 no link, 1 serial, 2 TCP
    quint8 statusByte9 = 0;
    quint32 procState[2] = {};
    quint8 curProc = 0;
    quint32 activeTest = 0;
    quint8 topology[2] = {};
    quint8 loopLevel[2] = {};
    quint8 statusByte8 = 0;
    quint16 serialNumber = 0;
    quint8 cpuVersion[3] = {};
    quint8 fpgaVersion[3] = {};
    quint8 statusByte22 = 0;
    quint8 statusByte23 = 0;
    quint8 statusByte24 = 0;
    quint8 linkSpeed[2] = {};
    quint8 duplex = 0;
    quint8 elapsed[2] = {};             // the status bytes as received
    ElapsedCounter elapsedCounter[2];   // the same, unwrapped
    quint64 elapsedSeconds(quint8 proc) const { return elapsedCounter[proc & 1].seconds(); }
    quint32 txRate[2] = {};
    quint32 rxRate[2] = {};
    QString release;

    IfaceConfigBlock ifaceConfig[3] = {};
    bool statsFlag = false;
    StatsResultBlock statsResult[2] = {};
    quint32 ifaceWord1[3] = {};
    quint32 ifaceWord2[3] = {};
    quint32 ifaceWord3[3] = {};
    quint32 traceHop[2] = {};
    CableResultBlock cableResult = {};
    quint32 rfcStep[2] = {};
    OamResultBlock oamResult[2] = {};
    QByteArray screenBuffer;
    QImage screenImage;
    int screenCount = 0;
    QStringList fileList;
    QString fileName;
    QByteArray fileData;
    QString reportDir;
    QString screenPath;
    int reportMask = 0;

Q_SIGNALS:
    void upd_status();
    void upd_res();
    void download_failed(const QString &text);
    // The latest report job has ended; the window tells the user.
    void report_finished(const ReportOutcome &outcome);

private Q_SLOTS:
    void tUpdStatustmout();
    void pdf_finished(const ReportOutcome &outcome);

private:
    std::unique_ptr<PDFCreator> m_writer;
    ReportSink *m_reportSink = nullptr;
    ReportOutcome m_lastOutcome;
    QTimer m_statusTimer;
};
