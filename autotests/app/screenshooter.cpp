// Renders QVRemote's window in its main states to PNG files, against a
// qvsim it starts itself, so that the look can be checked by eye:
//
//   qv_screenshooter OUTDIR        (run under Xvfb by scripts/screenshots)
//
// Not a test: it fails only when it cannot reach the states it shows.

#include "aboutdialog.h"
#include "livecharts.h"
#include "mainform.h"
#include "simprocess.h"
#include "testcodes.h"
#include "testform.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
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

void language(MainForm &form, const QString &lang)
{
    click(&form, lang == QLatin1String("ru") ? "bRus" : "bEng");
    QTest::qWait(100); // tables refit to the new texts
}

void shootCharts(MainForm &form, TestForm *page, const QString &name);

// The interface-settings and statistics pages, idle and while a traffic
// test runs on port A, in both languages and at both window sizes.
bool shootDevicePages(MainForm &form, TestForm *traffic)
{
    const struct
    {
        const char *button;
        const char *name;
    } pages[] = {{"bIfSettings", "ifset"}, {"bStats", "stats"}};
    const auto shootAll = [&](const QString &state) {
        for (const QSize size : {QSize(1600, 1000), QSize(1280, 800)}) {
            place(form, size);
            for (const auto &page : pages) {
                click(&form, page.button);
                QTest::qWait(2000); // the configuration and a poll or two
                for (const QString &lang : {QStringLiteral("ru"), QStringLiteral("en")}) {
                    language(form, lang);
                    save(&form, QStringLiteral("%1%2%3-%4")
                                    .arg(QLatin1String(page.name), state,
                                         size.width() == 1280 ? QStringLiteral("-1280") : QString(), lang));
                }
            }
        }
    };
    shootAll(QString());
    click(&form, "bIfSettings");
    if (auto *tabs = form.findChild<QTabWidget *>(QStringLiteral("tabWidget"))) {
        tabs->setCurrentIndex(1);
        save(&form, QStringLiteral("ifset-rc-1280-en"));
        tabs->setCurrentIndex(0);
    }
    click(&form, "bTraffic");
    QTest::qWait(500);
    click(traffic, "bStartXY");
    if (!waitFor([&] { return form.device().procState[0] != 0; }, 5000, "the traffic test"))
        return false;
    // While the traffic page is open, its results are polled for its charts.
    shootCharts(form, traffic, QStringLiteral("traffic"));
    shootAll(QStringLiteral("-running"));
    click(&form, "bStats");
    for (TestForm *p : form.pages()) {
        if (p->isVisible())
            shootCharts(form, p, QStringLiteral("stats"));
    }
    click(traffic, "bStop");
    QTest::qWait(1500);
    place(form, QSize(1600, 1000));
    return true;
}

// The page's live charts open while its test runs, in both languages and at
// both window sizes; closed again at the end. The window is left in English
// at 1600 x 1000. Nothing to do for a page (or tab) without charts.
void shootCharts(MainForm &form, TestForm *page, const QString &name)
{
    LiveCharts *charts = nullptr;
    for (LiveCharts *c : page->findChildren<LiveCharts *>()) {
        if (c->isVisible())
            charts = c;
    }
    if (!charts)
        return;
    charts->setOpen(true);
    QTest::qWait(3000); // a few polls on the lines
    for (const QSize size : {QSize(1600, 1000), QSize(1280, 800)}) {
        place(form, size);
        for (const QString &lang : {QStringLiteral("ru"), QStringLiteral("en")}) {
            language(form, lang);
            QTest::qWait(100);
            save(&form, QStringLiteral("%1-charts%2-%3")
                            .arg(name, size.width() == 1280 ? QStringLiteral("-1280") : QString(), lang));
        }
    }
    charts->setOpen(false);
    place(form, QSize(1600, 1000));
}

// One port page idle and running, in both languages and at 1280 x 800.
// start switches the page's test on and waits until it shows; stop ends it.
bool shootPortPage(MainForm &form, const char *button, const QString &name,
                   const std::function<bool()> &start, const std::function<void()> &stop)
{
    place(form, QSize(1600, 1000));
    click(&form, "bEng");
    click(&form, button);
    QTest::qWait(1500);
    save(&form, name + QStringLiteral("-en"));
    click(&form, "bRus");
    save(&form, name + QStringLiteral("-ru"));
    if (!start())
        return false;
    save(&form, name + QStringLiteral("-running-ru"));
    place(form, QSize(1280, 800));
    save(&form, name + QStringLiteral("-running-1280-ru"));
    click(&form, "bEng");
    save(&form, name + QStringLiteral("-running-1280-en"));
    place(form, QSize(1600, 1000));
    save(&form, name + QStringLiteral("-running-en"));
    stop();
    QTest::qWait(1500);
    return true;
}

// Loopback, cable test (port B's damaged cord), OAM and transit.
bool shootPortPages(MainForm &form)
{
    // Of -dev only the transit button is needed; the debug registers would
    // widen the window beyond 1280.
    form.findChild<QWidget *>(QStringLiteral("gDebug"))->hide();
    const Zorqv &d = form.device();
    const auto page = [&form](int index) { return form.pages().value(index); };
    // Waits for the test's bit, then for a poll that the page follows.
    const auto waitBit = [&d](int proc, int bit, const char *what) {
        if (!waitFor([&d, proc, bit] { return d.procState[proc] & StateBit::tx(bit); }, 8000, what))
            return false;
        QTest::qWait(1200);
        return true;
    };
    bool ok = shootPortPage(
        form, "bLoopback", QStringLiteral("loopback"),
        [&] {
            click(page(3), "blvl3");
            return waitBit(0, StateBit::Loopback, "the loopback");
        },
        [&] { click(page(3), "blvl0"); });
    ok = ok && shootPortPage(
        form, "bCable", QStringLiteral("cable"),
        [&] {
            click(page(2), "bStart");
            return waitBit(0, StateBit::Cable, "the cable test");
        },
        [] {});
    if (!ok)
        return false;
    click(&form, "bProcB");
    click(page(2), "bStart");
    if (!waitFor([&d] { return d.procState[1] != 0; }, 5000, "the cable test on B")
        || !waitFor([&d] { return d.procState[1] == 0; }, 8000, "the cable results"))
        return false;
    QTest::qWait(1500);
    save(&form, QStringLiteral("cable-results-en"));
    click(&form, "bRus");
    save(&form, QStringLiteral("cable-results-ru"));
    place(form, QSize(1280, 800));
    save(&form, QStringLiteral("cable-results-1280-ru"));
    click(&form, "bProcA");

    ok = shootPortPage(
        form, "bOAM", QStringLiteral("oam"),
        [&] {
            page(8)->findChild<QComboBox *>(QStringLiteral("cbMode"))->setCurrentIndex(0);
            click(page(8), "bApply");
            return waitFor([&] { return page(8)->findChild<QPushButton *>(QStringLiteral("bStart"))->isEnabled(); },
                           8000, "the OAM peer");
        },
        [&] {
            page(8)->findChild<QComboBox *>(QStringLiteral("cbMode"))->setCurrentIndex(2);
            click(page(8), "bApply");
        });
    return ok && shootPortPage(
        form, "bTransit", QStringLiteral("transit"),
        [&] {
            click(page(9), "bStart");
            return waitBit(0, StateBit::Transit, "transit");
        },
        [&] { click(page(9), "bStop"); });
}

// How a measurement page's test is run for its pictures.
struct RunShot
{
    const char *start = "bStartXX";
    std::function<void(TestForm *)> prepare; // after the page shows, before Apply
    // The test shows results; by default: something runs on port A.
    std::function<bool()> shows;
};

// A measurement page idle and while its test runs on port A, in both
// languages, also at 1280 x 800; stopped again at the end. Leaves the
// window in English at 1600 x 1000.
bool shootRunningPage(MainForm &form, const char *button, int page, const QString &name,
                      const RunShot &run = {})
{
    TestForm *p = form.pages().value(page);
    if (!p)
        return false;
    click(&form, "bEng");
    click(&form, button);
    if (run.prepare)
        run.prepare(p);
    QTest::qWait(1000);
    save(&form, name + QStringLiteral("-en"));
    click(&form, "bRus");
    save(&form, name + QStringLiteral("-ru"));
    click(p, "bApply");
    QTest::qWait(300);
    click(p, run.start);
    const std::function<bool()> shows = run.shows ? run.shows : [&] { return form.device().procState[0] != 0; };
    if (!waitFor(shows, 5000, qPrintable(name)))
        return false;
    QTest::qWait(3500);
    save(&form, name + QStringLiteral("-running-ru"));
    place(form, QSize(1280, 800));
    save(&form, name + QStringLiteral("-running-1280-ru"));
    click(&form, "bEng");
    save(&form, name + QStringLiteral("-running-1280-en"));
    place(form, QSize(1600, 1000));
    save(&form, name + QStringLiteral("-running-en"));
    shootCharts(form, p, name);
    click(p, "bStop"); // a lookup has ended by itself
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
    if (!full) {
        click(&form, "bStats");
        QTest::qWait(2000);
        save(&form, QStringLiteral("stats-") + model + QStringLiteral("-en"));
        return true;
    }

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
    if (!shootDevicePages(form, traffic))
        return false;

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
        || !shootRunningPage(form, "bMulti", 1, QStringLiteral("multi"))
        || !shootRunningPage(form, "bBert", 7, QStringLiteral("bert")))
        return false;

    form.showDeveloperControls();
    form.debugForm().hide();
    save(&form, QStringLiteral("main-dev-en"));
    place(form, QSize(1280, 800));
    save(&form, QStringLiteral("traffic-1280-en"));
    return shootPortPages(form);
}


// Shows the window and connects it to qvsim, without the release warning.
bool connectQuietly(MainForm &form)
{
    form.show();
    place(form, QSize(1600, 1000));
    form.connectEthernet(QStringLiteral("127.0.0.1"));
    if (!waitFor([&] { return form.device().connected; }, 8000, "the connection"))
        return false;
    QTest::qWait(200);
    for (QMessageBox *box : form.findChildren<QMessageBox *>())
        box->close();
    return true;
}

// The TCP/IP page's three tabs idle and with results, qvsim ten times
// faster than life: pings, a trace to a silent host shown on its third page
// of hops, a finished lookup.
bool shootTcpip()
{
    SimProcess sim(SimProcess::Link::Tcp, {QStringLiteral("--speed"), QStringLiteral("10")});
    if (!sim.start()) {
        err << "qv_screenshooter: " << sim.errorString() << Qt::endl;
        return false;
    }
    MainForm form(nullptr, sim.port());
    if (!connectQuietly(form))
        return false;
    constexpr int page = 4;
    const auto tab = [](int index) {
        return [index](TestForm *p) {
            p->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(index);
        };
    };
    RunShot ping{"bStart", tab(0), {}};
    RunShot trace{"bStart",
                  [&](TestForm *p) {
                      tab(1)(p);
                      p->findChild<QLineEdit *>(QStringLiteral("lIPdst"))->setText(QStringLiteral("203.0.113.7"));
                      p->findChild<QSpinBox *>(QStringLiteral("sDelay"))->setValue(100);
                      p->findChild<QSpinBox *>(QStringLiteral("sPage"))->setValue(3);
                  },
                  {}};
    TestForm *tcpip = form.pages().value(page);
    RunShot dns{"bStart", tab(2), [tcpip] {
                    return !tcpip->findChild<QLineEdit *>(QStringLiteral("lStatus"))->text().isEmpty();
                }};
    return shootRunningPage(form, "bTCPIP", page, QStringLiteral("tcpip-ping"), ping)
        && shootRunningPage(form, "bTCPIP", page, QStringLiteral("tcpip-trace"), trace)
        && shootRunningPage(form, "bTCPIP", page, QStringLiteral("tcpip-dns"), dns);
}

// The RFC-2544 page on each of its tabs, idle, running and after a full run
// through the four sub-tests (qvsim ten times faster than life).
bool shootRfc()
{
    SimProcess sim(SimProcess::Link::Tcp, {QStringLiteral("--speed"), QStringLiteral("10")});
    if (!sim.start()) {
        err << "qv_screenshooter: " << sim.errorString() << Qt::endl;
        return false;
    }
    MainForm form(nullptr, sim.port());
    if (!connectQuietly(form))
        return false;
    click(&form, "bRFC");
    TestForm *rfc = form.pages().value(0);
    auto *apply = rfc ? rfc->findChild<QPushButton *>(QStringLiteral("bApply")) : nullptr;
    auto *tabs = rfc ? rfc->findChild<QTabWidget *>(QStringLiteral("tabWidget")) : nullptr;
    if (!apply || !tabs || !waitFor([&] { return apply->isEnabled(); }, 5000, "the RFC-2544 configuration"))
        return false;
    const auto shootTabs = [&](const QString &suffix) {
        const char *names[] = {"rfc-frame", "rfc-settings", "rfc-measuring", "rfc-charts"};
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            save(&form, QLatin1String(names[t]) + suffix);
        }
    };
    shootTabs(QStringLiteral("-ru"));
    click(&form, "bEng");
    shootTabs(QStringLiteral("-en"));

    // Short trials so that the run ends in seconds.
    for (const char *name : {"sLatCount", "sBtbCount"})
        rfc->findChild<QSpinBox *>(QLatin1String(name))->setValue(1);
    rfc->findChild<QSpinBox *>(QStringLiteral("sThrMinrate"))->setValue(50);
    rfc->findChild<QSpinBox *>(QStringLiteral("sFrlStep"))->setValue(5);
    rfc->findChild<QSpinBox *>(QStringLiteral("sFrlMinrate"))->setValue(80);
    click(rfc, "bApply");
    QTest::qWait(300);
    click(rfc, "bStartXX");
    const quint32 bit = StateBit::tx(StateBit::Rfc);
    if (!waitFor([&] { return form.device().procState[0] & bit; }, 5000, "the RFC-2544 run"))
        return false;
    tabs->setCurrentIndex(2);
    QTest::qWait(3000);
    save(&form, QStringLiteral("rfc-running-en"));
    if (!waitFor([&] { return !(form.device().procState[0] & bit); }, 60000, "the end of the RFC-2544 run"))
        return false;
    QTest::qWait(11000); // two result cycles: every range and the step
    shootTabs(QStringLiteral("-done-en"));
    click(&form, "bRus");
    shootTabs(QStringLiteral("-done-ru"));
    place(form, QSize(1280, 800));
    for (const int t : {1, 2, 3}) {
        tabs->setCurrentIndex(t);
        save(&form, QStringLiteral("rfc-%1-1280-ru").arg(t));
    }
    click(&form, "bEng");
    tabs->setCurrentIndex(2);
    save(&form, QStringLiteral("rfc-2-1280-en"));
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
    const bool ok = shootModel(QStringLiteral("qv"), true) && shootModel(QStringLiteral("qvb"), false) && shootRfc()
        && shootTcpip();
    return ok ? 0 : 1;
}
