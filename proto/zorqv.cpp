#include "zorqv.h"

#include "pdfcreator.h"

#include <QDebug>


namespace {
constexpr int kStatusPeriodMs = 1000;
} // namespace

Zorqv::Zorqv(QObject *parent)
    : QObject(parent)
    , screenBuffer(int(BlockSize::Screen), '\0')
    , screenImage(int(BlockSize::ScreenWidth), int(BlockSize::ScreenHeight), QImage::Format_RGB888)
{
    screenImage.fill(Qt::black);
    m_statusTimer.setInterval(kStatusPeriodMs);
    connect(&m_statusTimer, &QTimer::timeout, this, &Zorqv::tUpdStatustmout);
    m_writer = std::make_unique<PDFCreator>();
    m_reportSink = m_writer.get();
    connect(m_writer.get(), &PDFCreator::reportFinished, this, &Zorqv::pdf_finished);
}

// The writer's destructor stops a running job and removes its unfinished file.
Zorqv::~Zorqv() = default;

void Zorqv::setReportSink(ReportSink *sink)
{
    m_reportSink = sink ? sink : m_writer.get();
}

void Zorqv::startStatusTimer()
{
    m_statusTimer.start();
}

void Zorqv::stopStatusTimer()
{
    m_statusTimer.stop();
}

void Zorqv::startReport(const ReportJob &job)
{
    m_reportSink->startReport(job);
}

void Zorqv::downloadFailed(DownloadFailure why, const QString &fileName)
{
    QString text;
    switch (why) {
    case DownloadFailure::Refused:
        text = tr("The tester did not send the file %1.");
        break;
    case DownloadFailure::BadSize:
        text = tr("The file %1 is not a result file.");
        break;
    case DownloadFailure::LinkLost:
        text = tr("The download of %1 stopped: the connection was lost.");
        break;
    case DownloadFailure::NoFolder:
        text = tr("No report folder can be made for %1 in the chosen folder.");
        break;
    }
    text = text.arg(fileName);
    qDebug().noquote() << "Proto: download failed:" << text;
    Q_EMIT download_failed(text);
}

void Zorqv::tUpdStatustmout()
{
    Q_EMIT upd_status();
    Q_EMIT upd_res();
}

void Zorqv::pdf_finished(const ReportOutcome &outcome)
{
    m_lastOutcome = outcome;
    Q_EMIT report_finished(outcome);
}
