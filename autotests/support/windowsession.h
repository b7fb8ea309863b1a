#pragma once

#include "ftransferform.h"
#include "mainform.h"
#include "simprocess.h"
#include "testform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Catches the job the engine hands over when a download completes.
class JobCatcher final : public ReportSink
{
public:
    void startReport(const ReportJob &job) override { jobs.append(job); }
    QList<ReportJob> jobs;
};


// qvsim with files already on its flash, and QVRemote's window connected
// to it: the page and message helpers the window's end-to-end tests share.
class WindowSession
{
public:
    // Where a completed download goes: caught at the seam, or the real writer.
    enum class Sink { Catcher, Writer };
    static constexpr int WaitMs = 8000;

    WindowSession(SimProcess::Link link, const QStringList &faults = {}, Sink sink = Sink::Catcher)
        : m_link(link)
        , m_sink(sink)
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
        if (m_sink == Sink::Catcher)
            form->device().setReportSink(&catcher);
        finished = std::make_unique<QSignalSpy>(&form->device(), &Zorqv::report_finished);
        form->show();
        return true;
    }

    // Asks the window to connect; connect() also waits for the handshake.
    void dial()
    {
        if (m_link == SimProcess::Link::Pty)
            form->connectSerial(sim->ptyPath());
        else
            form->connectEthernet(QStringLiteral("127.0.0.1"));
    }
    bool connect()
    {
        dial();
        return QTest::qWaitFor([this] { return form->device().connected; }, WaitMs);
    }

    // Opens the page and waits for the list the tester reports.
    bool openPage(const QStringList &expected)
    {
        QTest::mouseClick(button("bFTransfer"), Qt::LeftButton);
        return QTest::qWaitFor([&] { return names() == expected; }, WaitMs);
    }

    bool idle()
    {
        OldProto &e = form->engine();
        return QTest::qWaitFor([&] { return !e.awaitingReply() && e.queuedPackets() == 0; }, WaitMs);
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
    // The messages the program shows (not the release warning): the
    // window's own and the report writer's, which has no parent.
    QList<QMessageBox *> messageBoxes() const
    {
        QList<QMessageBox *> boxes;
        for (QWidget *widget : QApplication::allWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (box && box->isVisible() && !box->text().startsWith(QLatin1String("Compiled for")))
                boxes << box;
        }
        return boxes;
    }
    // Their texts, each box closed once read.
    QStringList takeMessages()
    {
        QStringList texts;
        for (QMessageBox *box : messageBoxes()) {
            texts << box->text();
            box->close();
        }
        return texts;
    }

    // Downloads handed on: jobs caught, or jobs the writer has finished.
    qsizetype completed() const { return m_sink == Sink::Catcher ? catcher.jobs.size() : finished->size(); }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MainForm> form;
    JobCatcher catcher;
    std::unique_ptr<QSignalSpy> finished;

private:
    SimProcess::Link m_link;
    Sink m_sink;
    QTemporaryDir m_flash;
};
