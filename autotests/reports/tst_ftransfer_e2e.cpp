// The File transfer page in QVRemote's window against qvsim: the list, a
// settings file saved, loaded and deleted, and a result file downloaded
// with its bytes arriving whole at the report writer's seam; then the
// download with the real writer, over TCP and over a serial line that drops
// and corrupts replies, where every try ends either with the exact file
// (or all its PDFs written and one "created" message) or with a failure the
// user is told of, never with part of a file handed on.

#include "../writer/reporttext.h"
#include "mainform.h"
#include "resultfiles.h"
#include "simprocess.h"
#include "testform.h"
#include "windowsession.h"

#include "resultfile.h"
#include "testcodes.h"
#include "trafficlayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ftransferform.h"

namespace {

constexpr int kWaitMs = WindowSession::WaitMs;

// A result file with a different byte at every offset that matters.
QByteArray resultFile(int seed)
{
    QByteArray file(int(ResultFile::Size), '\0');
    for (int i = 0; i < file.size(); ++i)
        file[i] = char((i * 7 + i / 251 + seed) & 0xFF);
    return file;
}

using Session = WindowSession;
using Sink = WindowSession::Sink;

} // namespace

Q_DECLARE_METATYPE(WindowSession::Sink)

class TestFTransferE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileActions();
    void downloadUnderFaults_data();
    void downloadUnderFaults();
};

void TestFTransferE2e::fileActions()
{
    Session s(SimProcess::Link::Tcp);
    const QByteArray result = resultFile(3);
    QByteArray settings = resultFile(5);
    Bytes::put32(settings.data(), qsizetype(ResultFile::TrafficConfig + TrafficConfigField::Duration), 77);
    QVERIFY(s.putFile(QStringLiteral("$TRAF_001"), result));
    QVERIFY(s.putFile(QStringLiteral("$lab"), settings));
    QVERIFY(s.start());
    QTest::mouseClick(s.button("bEng"), Qt::LeftButton);
    QVERIFY(s.connect());
    QVERIFY(s.button("bFTransfer")->isEnabled());
    QVERIFY(s.openPage({"$TRAF_001", "$lab"}));
    QVERIFY(s.page()->isVisible());
    QCOMPARE(s.form->device().activeTest, ActiveTest::FileTransfer);

    // Save under a new name: the list comes again with it.
    s.click("bSave");
    QDialog *dialog = s.page()->openDialog();
    QVERIFY(dialog);
    QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral("  field set "));
    Session::answer(dialog, QDialogButtonBox::Ok);
    QTRY_COMPARE_WITH_TIMEOUT(s.names(), (QStringList{"$TRAF_001", "$field set", "$lab"}), kWaitMs);
    QVERIFY(QFile::exists(s.flashFile(QStringLiteral("$field set"))));

    // Load: the tester's traffic configuration is the file's.
    QVERIFY(s.select(QStringLiteral("$lab")));
    s.click("bLoad");
    QVERIFY(s.idle());
    s.form->engine().gs_cfg(requestCode(TestNo::Traffic, 0));
    QVERIFY(s.idle());
    QCOMPARE(get32(s.form->device().trafficConfig[0], TrafficConfigField::Duration), 77u);

    // Delete, without a question.
    QVERIFY(s.select(QStringLiteral("$field set")));
    s.click("bDelete");
    QTRY_COMPARE_WITH_TIMEOUT(s.names(), (QStringList{"$TRAF_001", "$lab"}), kWaitMs);
    QVERIFY(!QFile::exists(s.flashFile(QStringLiteral("$field set"))));

    // Reports of the result file, ping left out.
    QTemporaryDir reports;
    QTest::mouseClick(s.page()->findChild<QCheckBox *>(QStringLiteral("cPing")), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(s.createReport(QStringLiteral("$TRAF_001"), reports.path()));
    QTRY_COMPARE_WITH_TIMEOUT(s.catcher.jobs.size(), 1, kWaitMs);
    const ReportJob &job = s.catcher.jobs.first();
    QCOMPARE(job.data, result);
    QCOMPARE(job.directory, QDir::cleanPath(reports.filePath(QStringLiteral("TRAF_001"))));
    QCOMPARE(job.mask, 0x9E2u);
    QCOMPARE(job.serialNumber, quint16(1234));
    QVERIFY(!job.singlePort);
    QVERIFY(s.idle());
    s.form->engine().upd_status();
    QVERIFY(s.idle());
    QCOMPARE(s.form->device().statusByte8, quint8(0)); // out of transfer mode
    QVERIFY(s.takeMessages().isEmpty());
    QVERIFY(s.form->device().connected);
}

void TestFTransferE2e::downloadUnderFaults_data()
{
    QTest::addColumn<bool>("pty");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("wanted"); // downloads to complete; 0: the first try must fail
    QTest::addColumn<Sink>("sink");
    QTest::newRow("tcp, real writer") << false << QStringList{} << 1 << Sink::Writer;
    // Request 40 falls inside the first download (64 reads): the line goes
    // silent there.
    QTest::newRow("silent mid-download") << true << QStringList{"--silent-after", "40"} << 0 << Sink::Catcher;
    // One fault in a hundred replies: with these seeds the first download
    // meets a dropped reply (11) or bad CRCs (35), later ones get through.
    for (const char *seed : {"11", "35"}) {
        const QStringList faults{"--drop", "0.01", "--corrupt", "0.01", "--seed", seed};
        QTest::addRow("drops and bad CRCs, seed %s", seed) << true << faults << 2 << Sink::Catcher;
        QTest::addRow("drops and bad CRCs, seed %s, real writer", seed) << true << faults << 2 << Sink::Writer;
    }
}

void TestFTransferE2e::downloadUnderFaults()
{
    QFETCH(bool, pty);
    QFETCH(QStringList, faults);
    QFETCH(int, wanted);
    QFETCH(Sink, sink);
    // One line of each report that only a correctly decoded file gives.
    static const QList<std::pair<QString, QString>> reportLines{
        {"bert.pdf", "Rx bits 5000000000000"},  {"jitter.pdf", "In order 9.900E+02 99.00"},
        {"multi.pdf", "Tx bytes 27000000000000"}, {"ping.pdf", "1 OK 100 12"},
        {"rfc2544.pdf", "OK 128 90 200"},         {"trace.pdf", "4 001.001.001.001 20"},
        {"traffic.pdf", "Tx frames 1000000"}};
    Session s(pty ? SimProcess::Link::Pty : SimProcess::Link::Tcp, faults, sink);
    const QByteArray result = ResultFiles::typical();
    QVERIFY(s.putFile(QStringLiteral("$RFC_004"), result));
    QVERIFY(s.start());
    QTest::mouseClick(s.button("bEng"), Qt::LeftButton);
    QTemporaryDir reports;
    const QDir folder(reports.filePath(QStringLiteral("RFC_004")));
    int failures = 0;
    int tries = 0;
    while (tries < 30 && s.completed() < qMax(wanted, 1)) {
        ++tries;
        s.takeMessages();
        if (!s.form->device().connected && !s.connect())
            continue; // the handshake itself was hit; connect again
        if (!s.openPage({"$RFC_004"}))
            continue;
        const qsizetype before = s.completed();
        QVERIFY(s.createReport(QStringLiteral("$RFC_004"), reports.path()));
        // Whole and handed on, or failed and said so: one of the two.
        QVERIFY(QTest::qWaitFor([&] { return s.completed() > before || !s.messageBoxes().isEmpty(); }, kWaitMs));
        const QStringList messages = s.takeMessages();
        if (s.completed() == before) {
            ++failures;
            // One box: the download's failure, with why the link went.
            QVERIFY2(messages.size() == 1 && messages.first().contains(QLatin1String("$RFC_004")),
                     qPrintable(messages.join(u'|')));
            QVERIFY(s.form->device().fileData.isEmpty());
            if (wanted == 0)
                break;
            continue;
        }
        QCOMPARE(s.completed(), before + 1);
        if (sink == Sink::Catcher) {
            QVERIFY(messages.isEmpty());
            continue;
        }
        // Exactly one outcome, and "created" only with every PDF complete.
        QCOMPARE(messages, QStringList{"Result PDFs created."});
        QCOMPARE(s.form->device().lastReportOutcome().written.size(), 7);
        QStringList names;
        for (const auto &[file, line] : reportLines)
            names << file;
        QCOMPARE(folder.entryList(QDir::Files, QDir::Name), names);
        for (const auto &[file, line] : reportLines)
            QVERIFY2(pdfLines(folder.filePath(file)).contains(line), qPrintable(file + u' ' + line));
    }
    qInfo("%d tries, %d downloads failed, %d complete", tries, failures, int(s.completed()));
    for (const ReportJob &job : std::as_const(s.catcher.jobs))
        QCOMPARE(job.data, result);
    if (wanted == 0)
        QVERIFY(failures == 1 && s.completed() == 0 && !folder.exists(QStringLiteral("bert.pdf")));
    else
        QCOMPARE(s.completed(), wanted);
    // Nothing more comes late: no second outcome, no stray message.
    QTest::qWait(300);
    QCOMPARE(s.completed(), qsizetype(qMax(wanted, 0)));
    QVERIFY(s.takeMessages().isEmpty());
}

QTEST_MAIN(TestFTransferE2e)
#include "tst_ftransfer_e2e.moc"
