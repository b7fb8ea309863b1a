// The File transfer page in QVRemote's window against qvsim: the list, a
// settings file saved, loaded and deleted, and a result file downloaded
// with its bytes arriving whole at the report writer's seam; then the same
// download over a serial line that drops and corrupts replies, where every
// try ends either with the exact file or with a failure the user is told
// of, never with part of a file handed on.

#include "mainform.h"
#include "simprocess.h"
#include "testform.h"

#include "resultfile.h"
#include "testcodes.h"
#include "trafficlayout.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ftransferform.h"

namespace {

constexpr int kWaitMs = 8000;

class JobCatcher final : public ReportSink
{
public:
    void startReport(const ReportJob &job) override { jobs.append(job); }
    QList<ReportJob> jobs;
};

// A result file with a different byte at every offset that matters.
QByteArray resultFile(int seed)
{
    QByteArray file(int(ResultFile::Size), '\0');
    for (int i = 0; i < file.size(); ++i)
        file[i] = char((i * 7 + i / 251 + seed) & 0xFF);
    return file;
}

// qvsim with files already on its flash, and the window connected to it.
class Session
{
public:
    Session(SimProcess::Link link, const QStringList &faults = {})
        : m_link(link)
    {
        QDir(m_flash.path()).mkpath(QStringLiteral("fs"));
        sim = std::make_unique<SimProcess>(link, QStringList{"--flash-dir", m_flash.path()} + faults);
    }

    bool putFile(const QString &name, const QByteArray &data)
    {
        QFile f(flashFile(name));
        return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
    }
    QString flashFile(const QString &name) const { return m_flash.filePath(QStringLiteral("fs/") + name); }

    bool start()
    {
        if (!sim->start()) {
            qWarning().noquote() << sim->errorString();
            return false;
        }
        form = std::make_unique<MainForm>(nullptr, sim->port());
        form->device().setReportSink(&catcher);
        form->show();
        return true;
    }

    bool connect()
    {
        if (m_link == SimProcess::Link::Pty)
            form->connectSerial(sim->ptyPath());
        else
            form->connectEthernet(QStringLiteral("127.0.0.1"));
        return QTest::qWaitFor([this] { return form->device().connected; }, kWaitMs);
    }

    // Opens the page and waits for the list the tester reports.
    bool openPage(const QStringList &expected)
    {
        QTest::mouseClick(button("bFTransfer"), Qt::LeftButton);
        return QTest::qWaitFor([&] { return names() == expected; }, kWaitMs);
    }

    bool idle()
    {
        OldProto &e = form->engine();
        return QTest::qWaitFor([&] { return !e.awaitingReply() && e.queuedPackets() == 0; }, kWaitMs);
    }

    QPushButton *button(const char *name) const
    {
        return form->findChild<QPushButton *>(QLatin1String(name));
    }
    FTransferForm *page() const { return qobject_cast<FTransferForm *>(form->pages().value(12)); }
    QListWidget *list() const { return page()->findChild<QListWidget *>(QStringLiteral("lFiles")); }
    QStringList names() const
    {
        QStringList all;
        for (int i = 0; i < list()->count(); ++i)
            all << list()->item(i)->text();
        return all;
    }
    bool select(const QString &name)
    {
        const QList<QListWidgetItem *> found = list()->findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            return false;
        list()->setCurrentItem(found.first());
        return true;
    }
    void click(const char *name) { QTest::mouseClick(page()->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton); }
    static void answer(QDialog *dialog, QDialogButtonBox::StandardButton which)
    {
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(which), Qt::LeftButton);
    }
    // "Create report" for a file, the reports going below folder.
    bool createReport(const QString &name, const QString &folder)
    {
        if (!select(name))
            return false;
        click("bDown");
        auto *chooser = qobject_cast<QFileDialog *>(page()->openDialog());
        if (!chooser)
            return false;
        chooser->setDirectory(folder);
        answer(chooser, QDialogButtonBox::Open);
        return true;
    }
    // The failures the window shows (not the release warning).
    QList<QMessageBox *> failureBoxes() const
    {
        QList<QMessageBox *> boxes;
        for (QMessageBox *box : form->findChildren<QMessageBox *>()) {
            if (box->isVisible() && !box->text().startsWith(QLatin1String("Compiled for")))
                boxes << box;
        }
        return boxes;
    }
    // Their texts, each box closed once read.
    QStringList takeMessages()
    {
        QStringList texts;
        for (QMessageBox *box : failureBoxes()) {
            texts << box->text();
            box->close();
        }
        return texts;
    }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MainForm> form;
    JobCatcher catcher;

private:
    SimProcess::Link m_link;
    QTemporaryDir m_flash;
};

} // namespace

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
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("wanted"); // downloads to complete; 0: the first try must fail
    // Request 40 falls inside the first download (64 reads): the line goes
    // silent there.
    QTest::newRow("silent mid-download") << QStringList{"--silent-after", "40"} << 0;
    // One fault in a hundred replies: with these seeds the first download
    // meets a dropped reply (11) or bad CRCs (35), later ones get through.
    for (const char *seed : {"11", "35"})
        QTest::addRow("drops and bad CRCs, seed %s", seed)
            << QStringList{"--drop", "0.01", "--corrupt", "0.01", "--seed", seed} << 2;
}

void TestFTransferE2e::downloadUnderFaults()
{
    QFETCH(QStringList, faults);
    QFETCH(int, wanted);
    Session s(SimProcess::Link::Pty, faults);
    const QByteArray result = resultFile(9);
    QVERIFY(s.putFile(QStringLiteral("$RFC_004"), result));
    QVERIFY(s.start());
    QTest::mouseClick(s.button("bEng"), Qt::LeftButton);
    QTemporaryDir reports;
    int failures = 0;
    int tries = 0;
    while (tries < 30 && s.catcher.jobs.size() < qMax(wanted, 1)) {
        ++tries;
        s.takeMessages();
        if (!s.form->device().connected && !s.connect())
            continue; // the handshake itself was hit; connect again
        if (!s.openPage({"$RFC_004"}))
            continue;
        const qsizetype before = s.catcher.jobs.size();
        QVERIFY(s.createReport(QStringLiteral("$RFC_004"), reports.path()));
        // Whole and handed on, or failed and said so: one of the two.
        QVERIFY(QTest::qWaitFor([&] { return s.catcher.jobs.size() > before || !s.failureBoxes().isEmpty(); },
                                kWaitMs));
        const QStringList messages = s.takeMessages();
        if (s.catcher.jobs.size() == before) {
            ++failures;
            QVERIFY2(messages.size() == 1 && messages.first().contains(QLatin1String("$RFC_004")),
                     qPrintable(messages.join(u'|')));
            QVERIFY(s.form->device().fileData.isEmpty());
            if (wanted == 0)
                break;
        } else {
            QVERIFY(messages.isEmpty());
            QCOMPARE(s.catcher.jobs.size(), before + 1);
        }
    }
    qInfo("%d tries, %d downloads failed, %d complete", tries, failures, int(s.catcher.jobs.size()));
    for (const ReportJob &job : std::as_const(s.catcher.jobs))
        QCOMPARE(job.data, result);
    if (wanted == 0)
        QVERIFY(failures == 1 && s.catcher.jobs.isEmpty());
    else
        QCOMPARE(s.catcher.jobs.size(), wanted);
}

QTEST_MAIN(TestFTransferE2e)
#include "tst_ftransfer_e2e.moc"
