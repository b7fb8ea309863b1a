// Renders QVRemote's window in its main states to PNG files, against a
// qvsim it starts itself, so that the look can be checked by eye:
//
//   qv_screenshooter OUTDIR        (run under Xvfb by scripts/screenshots)
//
// Not a test: it fails only when it cannot reach the states it shows.

#include "aboutdialog.h"
#include "mainform.h"
#include "simprocess.h"
#include "testform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <functional>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);
QDir outDir;

void save(QWidget *w, const QString &name)
{
    QCoreApplication::processEvents();
    const QString path = outDir.filePath(name + QStringLiteral(".png"));
    if (!w->grab().save(path))
        err << "qv_screenshooter: cannot write " << path << Qt::endl;
    else
        out << path << Qt::endl;
}

bool waitFor(const std::function<bool()> &condition, int ms, const char *what)
{
    if (QTest::qWaitFor(condition, ms))
        return true;
    err << "qv_screenshooter: timed out waiting for " << what << Qt::endl;
    return false;
}

void click(QWidget *form, const char *name)
{
    auto *b = form->findChild<QPushButton *>(QLatin1String(name));
    if (b)
        QTest::mouseClick(b, Qt::LeftButton);
    else
        err << "qv_screenshooter: no button " << name << Qt::endl;
}

// Shoots the window-modal release warning if the tester brought one up,
// then closes it.
void releaseWarning(MainForm &form, const QString &name)
{
    QTest::qWait(200);
    for (QMessageBox *box : form.findChildren<QMessageBox *>()) {
        if (!box->isVisible())
            continue;
        save(box, name);
        box->close();
    }
}

void place(MainForm &form, const QSize &size)
{
    // Xvfb has no window manager to maximise the window.
    form.setWindowState(Qt::WindowNoState);
    form.resize(size);
    form.move(0, 0);
    QTest::qWait(100);
}

// A measurement page idle and while its test runs on port A, in both
// languages, also at 1280 x 800; stopped again at the end. Leaves the
// window in English at 1600 x 1000.
bool shootRunningPage(MainForm &form, const char *button, int page, const QString &name)
{
    TestForm *p = form.pages().value(page);
    if (!p)
        return false;
    click(&form, "bEng");
    click(&form, button);
    QTest::qWait(1000);
    save(&form, name + QStringLiteral("-en"));
    click(&form, "bRus");
    save(&form, name + QStringLiteral("-ru"));
    click(p, "bApply");
    QTest::qWait(300);
    click(p, "bStartXX");
    if (!waitFor([&] { return form.device().procState[0] != 0; }, 5000, qPrintable(name)))
        return false;
    QTest::qWait(3500);
    save(&form, name + QStringLiteral("-running-ru"));
    place(form, QSize(1280, 800));
    save(&form, name + QStringLiteral("-running-1280-ru"));
    click(&form, "bEng");
    save(&form, name + QStringLiteral("-running-1280-en"));
    place(form, QSize(1600, 1000));
    save(&form, name + QStringLiteral("-running-en"));
    click(p, "bStop");
    return waitFor([&] { return form.device().procState[0] == 0; }, 5000, qPrintable(name));
}

bool shootModel(const QString &model, bool full)
{
    // A few settings files on the tester's flash for the File transfer page.
    QTemporaryDir flash;
    QDir(flash.path()).mkpath(QStringLiteral("fs"));
    for (const char *name : {"$Office A", "$Lab 2"}) {
        QFile f(flash.filePath(QStringLiteral("fs/") + QLatin1String(name)));
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray(16368, '\0'));
    }
    SimProcess sim(SimProcess::Link::Tcp,
                   {QStringLiteral("--model"), model, QStringLiteral("--flash-dir"), flash.path()});
    if (!sim.start()) {
        err << "qv_screenshooter: " << sim.errorString() << Qt::endl;
        return false;
    }
    MainForm form(nullptr, sim.port());
    form.show();
    place(form, QSize(1600, 1000));
    const QString tag = QStringLiteral("main-") + model;
    if (full) {
        save(&form, QStringLiteral("main-disconnected-ru"));
        click(&form, "bEng");
        save(&form, QStringLiteral("main-disconnected-en"));
        click(&form, "bRus");
    }

    form.connectEthernet(QStringLiteral("127.0.0.1"));
    if (!waitFor([&] { return form.device().connected; }, 8000, "the connection"))
        return false;
    releaseWarning(form, QStringLiteral("release-warning-") + model);
    QTest::qWait(1500); // a status poll or two
    save(&form, tag + QStringLiteral("-connected-ru"));
    click(&form, "bEng");
    save(&form, tag + QStringLiteral("-connected-en"));
    if (!full)
        return true;

    place(form, QSize(1280, 800));
    click(&form, "bRus");
    save(&form, QStringLiteral("main-qv-connected-1280-ru"));
    click(&form, "bEng");
    place(form, QSize(1600, 1000));

    TestForm *traffic = form.pages().value(5);
    if (!traffic)
        return false;
    click(&form, "bTraffic");
    QTest::qWait(1000);
    save(&form, QStringLiteral("traffic-en"));
    click(&form, "bRus");
    save(&form, QStringLiteral("traffic-ru"));
    click(traffic, "bApply");
    QTest::qWait(300);
    click(traffic, "bStartXX");
    if (!waitFor([&] { return form.device().procState[0] != 0; }, 5000, "the traffic test"))
        return false;
    QTest::qWait(3500);
    save(&form, QStringLiteral("traffic-running-ru"));
    click(&form, "bEng");
    save(&form, QStringLiteral("traffic-running-en"));
    click(traffic, "bStop");
    QTest::qWait(1500);

    // The File transfer page, with the result file the traffic run left.
    click(&form, "bFTransfer");
    TestForm *files = form.pages().value(12);
    if (!files)
        return false;
    auto *list = files->findChild<QListWidget *>(QStringLiteral("lFiles"));
    if (!waitFor([&] { return list->count() >= 3; }, 5000, "the file list"))
        return false;
    list->setCurrentRow(0);
    save(&form, QStringLiteral("ftransfer-en"));
    click(files, "bSave");
    for (QDialog *d : files->findChildren<QDialog *>()) {
        save(d, QStringLiteral("ftransfer-save-en"));
        d->close();
    }
    click(&form, "bRus");
    save(&form, QStringLiteral("ftransfer-ru"));
    click(files, "bSave");
    for (QDialog *d : files->findChildren<QDialog *>()) {
        save(d, QStringLiteral("ftransfer-save-ru"));
        d->close();
    }
    click(&form, "bEng");

    if (!shootRunningPage(form, "bJitter", 6, QStringLiteral("jitter"))
        || !shootRunningPage(form, "bMulti", 1, QStringLiteral("multi")))
        return false;

    form.showDeveloperControls();
    form.debugForm().hide();
    save(&form, QStringLiteral("main-dev-en"));
    place(form, QSize(1280, 800));
    save(&form, QStringLiteral("traffic-1280-en"));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The engine's per-packet lines would bury the list of pictures.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        err << "usage: qv_screenshooter OUTDIR" << Qt::endl;
        return 2;
    }
    outDir.setPath(args[1]);
    outDir.mkpath(QStringLiteral("."));

    {
        MainForm form; // installs the Russian translation for the about box
        for (const char *lang : {"ru", "en"}) {
            if (QLatin1String(lang) == QLatin1String("en"))
                click(&form, "bEng");
            AboutDialog about;
            about.show();
            QTest::qWait(100);
            save(&about, QStringLiteral("about-") + QLatin1String(lang));
        }
    }
    const bool ok = shootModel(QStringLiteral("qv"), true) && shootModel(QStringLiteral("qvb"), false);
    return ok ? 0 : 1;
}
