#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What a completed result-file download hands to the report writer: where
// the PDFs go, the file itself and the device details the header shows.
struct ReportJob
{
    QString directory;
    QByteArray data;
    quint32 mask = 0;
    bool singlePort = false;
    quint16 serialNumber = 0;
    quint8 linkSpeedA = 0;
    quint8 linkSpeedB = 0;

    // The model the header names.
    QString model() const { return singlePort ? QStringLiteral("ZORT-QVB") : QStringLiteral("ZORT-QV"); }
};

// Why a download handed nothing on to the report writer.
enum class DownloadFailure {
    Refused,  // the tester did not open or read the file
    BadSize,  // the announced size is not that of a result file
    LinkLost, // the link went down before the last byte
    NoFolder, // no report folder can be made inside the chosen one
};

// The device record starts report jobs through this seam; the report writer
// implements it. A new job stops a job still running before it starts.
class ReportSink
{
public:
    virtual ~ReportSink() = default;
    virtual void startReport(const ReportJob &job) = 0;
};
