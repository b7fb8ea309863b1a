// QVRemote in Russian, page by page, against the simulated tester of both
// models: every text the window shows (captions, titles, tabs, table
// headers and cells, combo items, field texts, menus, message boxes) is
// read, idle and while or after each test has run, and none may be an
// English source text of the Russian translation. A source the translation
// keeps as it is (a name such as BERT or RFC-2544) is Russian too.

#include "testpaths.h"
#include "ftransferform.h"
#include "mainform.h"
#include "mainmenu.h"
#include "pinglayout.h"
#include "simprocess.h"
#include "testcodes.h"
#include "testform.h"
#include "testpages.h"
#include "zorqv.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

namespace {

constexpr int kWaitMs = 8000;

// The English sources of the Russian translation, vanished ones included:
// each whole text, and the texts with arguments as patterns ("Compiled for
// %1 release version %2").
class EnglishTexts
{
public:
    bool load(const QString &tsPath)
    {
        QFile file(tsPath);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QSet<QString> english;
        QXmlStreamReader xml(&file);
        QString source, translation;
        bool numerus = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
                numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
                source.clear();
                translation.clear();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("translation") && !numerus) {
                translation = xml.readElementText();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("message") && !numerus) {
                // Vanished entries count too: a text the tools no longer
                // find in the code is what shows untranslated.
                if (translation != source)
                    english.insert(normalized(source));
            }
        }
        if (xml.hasError())
            return false;
        // The main window's receive and transmit indicators and rate lines
        // read "Rx" and "Tx" in either language, as the tester's own display.
        english.subtract({QStringLiteral("Rx"), QStringLiteral("Tx")});
        for (const QString &text : std::as_const(english)) {
            if (text.contains(QRegularExpression(QStringLiteral("%\\d")))) {
                addPattern(text);
            } else {
                m_exact.insert(text);
                m_folded.insert(text.toCaseFolded());
            }
        }
        return !m_exact.isEmpty();
    }

    // A word in any case: "timeout" is as English as "Timeout". Short
    // abbreviations only as written ("b" is bytes, "B" a port or pair).
    bool isEnglish(const QString &text) const
    {
        if (m_exact.contains(text) || (text.size() >= 4 && m_folded.contains(text.toCaseFolded())))
            return true;
        for (const QRegularExpression &re : m_patterns) {
            if (re.match(text).hasMatch())
                return true;
        }
        return false;
    }

    // Mnemonics and surrounding blanks are not part of what is read.
    static QString normalized(QString text)
    {
        text.replace(QLatin1String("&&"), QLatin1String("\x01"));
        text.remove(u'&');
        text.replace(u'\x01', u'&');
        return text.trimmed();
    }

private:
    // Only texts with words of their own: "%1 %2" says nothing.
    void addPattern(const QString &text)
    {
        const QStringList parts = text.split(QRegularExpression(QStringLiteral("%\\d")));
        QString pattern;
        int letters = 0;
        for (const QString &part : parts) {
            if (!pattern.isEmpty() || part != parts.first())
                pattern += QLatin1String(".+");
            pattern += QRegularExpression::escape(part);
            for (const QChar c : part)
                letters += c.isLetter() ? 1 : 0;
        }
        if (letters >= 4)
            m_patterns << QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                             QRegularExpression::DotMatchesEverythingOption);
    }

    QSet<QString> m_exact;
    QSet<QString> m_folded;
    QList<QRegularExpression> m_patterns;
};

// Reads what a window shows and keeps each English text with where it was.
class Walker
{
public:
    explicit Walker(const EnglishTexts &english)
        : m_english(english)
    {
    }

    void read(QWidget *root, const QString &where)
    {
        QList<QWidget *> widgets = root->findChildren<QWidget *>();
        widgets.prepend(root);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w != root && !widgets.contains(w)) {
                widgets << w;
                widgets << w->findChildren<QWidget *>();
            }
        }
        for (QWidget *w : std::as_const(widgets)) {
            if (w->isVisible())
                readWidget(w, where);
        }
        ++m_reads;
    }

    int reads() const { return m_reads; }
    int textsRead() const { return m_texts; }
    QStringList findings() const { return m_findings; }

private:
    static QString nameOf(const QWidget *w)
    {
        const QString name = w->objectName();
        return name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name;
    }

    void readWidget(QWidget *w, const QString &where)
    {
        const QString name = nameOf(w);
        const auto check = [&](const QString &text, const QString &part = QString()) {
            this->check(where, part.isEmpty() ? name : name + part, text);
        };
        if (w->isWindow())
            check(w->windowTitle(), QStringLiteral(" (window title)"));
        if (auto *label = qobject_cast<QLabel *>(w)) {
            const QString text = label->text();
            check(Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text);
        }
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            check(button->text());
        if (auto *group = qobject_cast<QGroupBox *>(w))
            check(group->title());
        if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                check(tabs->tabText(i), QStringLiteral(" tab %1").arg(i));
        }
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                check(combo->itemText(i), QStringLiteral(" item %1").arg(i));
        }
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            check(edit->text());
            if (edit->text().isEmpty())
                check(edit->placeholderText(), QStringLiteral(" (placeholder)"));
        }
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(w))
            check(spin->specialValueText(), QStringLiteral(" (special value)"));
        if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            check(spin->prefix(), QStringLiteral(" (prefix)"));
            check(spin->suffix(), QStringLiteral(" (suffix)"));
        }
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(w)) {
            check(spin->prefix(), QStringLiteral(" (prefix)"));
            check(spin->suffix(), QStringLiteral(" (suffix)"));
        }
        if (auto *table = qobject_cast<QTableWidget *>(w))
            readTable(table, check);
        if (auto *list = qobject_cast<QListWidget *>(w)) {
            for (int i = 0; i < list->count(); ++i)
                check(list->item(i)->text(), QStringLiteral(" item %1").arg(i));
        }
        if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            for (QAction *action : bar->actions()) {
                check(action->text(), QStringLiteral(" menu"));
                if (QMenu *menu = action->menu()) {
                    for (QAction *item : menu->actions())
                        check(item->text(), QStringLiteral(" menu %1").arg(nameOf(menu)));
                }
            }
        }
    }

    template <typename Check>
    static void readTable(QTableWidget *table, const Check &check)
    {
        for (int c = 0; c < table->columnCount(); ++c) {
            if (table->isColumnHidden(c))
                continue;
            if (table->horizontalHeader()->isVisible() && table->horizontalHeaderItem(c))
                check(table->horizontalHeaderItem(c)->text(), QStringLiteral(" column %1").arg(c));
        }
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->isRowHidden(r))
                continue;
            if (table->verticalHeader()->isVisible() && table->verticalHeaderItem(r))
                check(table->verticalHeaderItem(r)->text(), QStringLiteral(" row %1").arg(r));
            for (int c = 0; c < table->columnCount(); ++c) {
                if (!table->isColumnHidden(c) && table->item(r, c))
                    check(table->item(r, c)->text(), QStringLiteral(" [%1,%2]").arg(r).arg(c));
            }
        }
    }

    // The text, each of its lines, and a line's caption before ": " or its
    // unit after a number ("Device: ...", "10.000 Kbps").
    void check(const QString &where, const QString &object, const QString &text)
    {
        const QString whole = EnglishTexts::normalized(text);
        if (whole.isEmpty())
            return;
        ++m_texts;
        QStringList parts{whole};
        const QStringList lines = whole.split(u'\n', Qt::SkipEmptyParts);
        if (lines.size() > 1)
            parts << lines;
        static const QRegularExpression unit(QStringLiteral("^[-+]?[0-9][0-9.,]*\\s+(\\S+)$"));
        for (const QString &line : lines) {
            const int colon = line.indexOf(QLatin1String(": "));
            if (colon > 0)
                parts << line.left(colon).trimmed();
            const auto m = unit.match(line.trimmed());
            if (m.hasMatch())
                parts << m.captured(1);
        }
        for (const QString &part : std::as_const(parts)) {
            if (!m_english.isEnglish(part))
                continue;
            const QString key = object + u'\x01' + part;
            if (m_seen.contains(key))
                continue;
            m_seen.insert(key);
            m_findings << QStringLiteral("%1 / %2: \"%3\"").arg(where, object, part);
        }
    }

    const EnglishTexts &m_english;
    QSet<QString> m_seen;
    QStringList m_findings;
    int m_reads = 0;
    int m_texts = 0;
};

QPushButton *button(QWidget *in, const char *name)
{
    return in->findChild<QPushButton *>(QLatin1String(name));
}

void click(QWidget *in, const char *name)
{
    QPushButton *b = button(in, name);
    QVERIFY2(b, name);
    QVERIFY2(b->isEnabled(), name);
    QTest::mouseClick(b, Qt::LeftButton);
}

bool waitFor(const std::function<bool()> &condition, int ms = kWaitMs)
{
    return QTest::qWaitFor(condition, ms);
}

// The caption the button shows, for saying where a text was read.
QString pageName(int index)
{
    return QString::fromLatin1(testPages[std::size_t(index)].button).mid(1);
}

// The window connected to a qvsim, in Russian as it starts.
class Session
{
public:
    // qvsim of model at speed, its flash in flashDir.
    Session(const QString &model, const QString &speed, const QString &flashDir)
        : sim(SimProcess::Link::Tcp, {QStringLiteral("--model"), model, QStringLiteral("--speed"), speed,
                                      QStringLiteral("--flash-dir"), flashDir})
    {
    }

    // Starts qvsim and the window and connects; the window is read once
    // connected, and before if readBefore.
    bool start(Walker &walker, const QString &tag, bool readBefore)
    {
        if (!sim.start()) {
            qWarning().noquote() << sim.errorString();
            return false;
        }
        form = std::make_unique<MainForm>(nullptr, sim.port());
        // The debug group and the transit button are part of the window too.
        form->showDeveloperControls();
        form->show();
        if (readBefore) // the debug window too
            walker.read(form.get(), tag + QStringLiteral(", disconnected"));
        form->debugForm().hide();
        form->connectEthernet(QStringLiteral("127.0.0.1"));
        if (!waitFor([this] { return form->device().connected; }))
            return false;
        // The release warning (a ZORT-QV) is read, then closed.
        QTest::qWait(300);
        walker.read(form.get(), tag + QStringLiteral(", connected"));
        for (QMessageBox *box : form->findChildren<QMessageBox *>())
            box->close();
        return true;
    }

    TestForm *page(int index) const { return form->pages().value(index); }

    // Opens a page by its button and waits for its configuration.
    TestForm *open(int index)
    {
        QPushButton *b = button(form.get(), testPages[std::size_t(index)].button);
        if (!b || !b->isVisible() || !b->isEnabled())
            return nullptr;
        QTest::mouseClick(b, Qt::LeftButton);
        TestForm *p = page(index);
        if (QPushButton *apply = button(p, "bApply"))
            waitFor([apply] { return apply->isEnabled(); });
        return p;
    }

    // Reads the window with each tab of the page on top in turn.
    void readTabs(Walker &walker, TestForm *p, const QString &where)
    {
        const auto tabWidgets = p->findChildren<QTabWidget *>();
        if (tabWidgets.isEmpty()) {
            walker.read(form.get(), where);
            return;
        }
        for (QTabWidget *tabs : tabWidgets) {
            const int was = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                walker.read(form.get(), where + QStringLiteral(", tab \"%1\"").arg(tabs->tabText(i)));
            }
            tabs->setCurrentIndex(was);
        }
    }

    bool runs(int process, int bit) const
    {
        return form->device().procState[process] & (StateBit::tx(bit) | StateBit::rx(bit));
    }

    SimProcess sim;
    std::unique_ptr<MainForm> form;
};

// Page indexes, in button order.
enum Page { Rfc, Multi, Cable, Loopback, Tcpip, Traffic, Jitter, Bert, Oam, Transit, Iface, Stats, Files };

} // namespace

class TestRussianE2e : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyPage_data();
    void everyPage();

private:
    // A test started with start on its page, read once its results have
    // come (a test without results: once it runs) and after it has ended
    // or been stopped. At qvsim's pace a short test may end before a poll
    // sees it run.
    void runAndRead(Session &s, int index, const char *start, int bit, int results,
                    const char *stop = "bStop");
    void runTcpip(Session &s, int process);

    EnglishTexts m_english;
    std::unique_ptr<Walker> m_walker;
};

void TestRussianE2e::initTestCase()
{
    QVERIFY(m_english.load(QStringLiteral(QV_TS_DIR "/QVRemote_ru.ts")));
}

void TestRussianE2e::everyPage_data()
{
    QTest::addColumn<QString>("model");
    QTest::newRow("ZORT-QV") << "qv";
    QTest::newRow("ZORT-QVB") << "qvb";
}

void TestRussianE2e::runAndRead(Session &s, int index, const char *start, int bit, int results,
                                const char *stop)
{
    TestForm *p = s.open(index);
    QVERIFY(p);
    const QString name = pageName(index);
    if (QPushButton *apply = button(p, "bApply"); apply && apply->isEnabled())
        QTest::mouseClick(apply, Qt::LeftButton);
    const int process = s.form->device().curProc;
    QTRY_VERIFY_WITH_TIMEOUT(button(p, start)->isEnabled(), kWaitMs);
    QSignalSpy arrived(&s.form->engine(), &OldProto::res_rcv);
    click(p, start);
    const auto came = [&] {
        if (results < 0)
            return s.runs(process, bit);
        for (const QList<QVariant> &args : std::as_const(arrived)) {
            if ((args.at(0).value<unsigned short>() & 0xFF) == results)
                return true;
        }
        return false;
    };
    QVERIFY2(waitFor(came), qPrintable(name));
    QTest::qWait(1200); // and the next poll
    s.readTabs(*m_walker, p, name + QStringLiteral(", running"));
    if (stop && button(p, stop)->isEnabled())
        click(p, stop);
    QVERIFY2(waitFor([&] { return !s.runs(process, bit); }, 3 * kWaitMs), qPrintable(name));
    QTest::qWait(1200);
    s.readTabs(*m_walker, p, name + QStringLiteral(", after the run"));
}

// Ping and trace run and stop; a lookup ends by itself.
void TestRussianE2e::runTcpip(Session &s, int process)
{
    TestForm *p = s.open(Tcpip);
    QVERIFY(p);
    auto *tabs = p->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    const struct
    {
        int tab;
        int bit;
        const char *what;
    } runs[] = {{0, StateBit::Ping, "ping"}, {1, StateBit::Trace, "trace"}, {2, StateBit::Dns, "DNS"}};
    for (const auto &run : runs) {
        tabs->setCurrentIndex(run.tab);
        const QString where = pageName(Tcpip) + QStringLiteral(", ") + QLatin1String(run.what);
        if (run.bit == StateBit::Trace) { // to a host that never answers: hops time out
            p->findChild<QLineEdit *>(QStringLiteral("lIPdst"))->setText(QStringLiteral("203.000.113.007"));
            click(p, "bApply");
        }
        QTRY_VERIFY_WITH_TIMEOUT(button(p, "bStart")->isEnabled(), kWaitMs);
        QSignalSpy arrived(&s.form->engine(), &OldProto::res_rcv);
        click(p, "bStart");
        QVERIFY2(waitFor([&] { return arrived.count() > 0; }), qPrintable(where));
        QTest::qWait(1200);
        m_walker->read(s.form.get(), where + QStringLiteral(", running"));
        if (button(p, "bStop")->isEnabled())
            click(p, "bStop");
        QVERIFY2(waitFor([&] { return !s.runs(process, run.bit); }), qPrintable(where));
        QTest::qWait(1200);
        m_walker->read(s.form.get(), where + QStringLiteral(", after the run"));
    }
}

void TestRussianE2e::everyPage()
{
    QFETCH(QString, model);
    m_walker = std::make_unique<Walker>(m_english);
    const bool twoPorts = model == QLatin1String("qv");
    const QString tag = QLatin1String(QTest::currentDataTag());

    // A settings file on the tester's flash for the File transfer list.
    QTemporaryDir flash;
    QVERIFY(QDir(flash.path()).mkpath(QStringLiteral("fs")));
    QFile settings(flash.filePath(QStringLiteral("fs/$Office A")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    QCOMPARE(settings.write(QByteArray(16368, '\0')), qint64(16368));
    settings.close();

    Session s(model, QStringLiteral("10"), flash.path());
    QVERIFY(s.start(*m_walker, tag, true));

    // Every page idle, every tab of it.
    for (int i = 0; i < int(testPages.size()); ++i) {
        if (TestForm *p = s.open(i))
            s.readTabs(*m_walker, p, pageName(i) + QStringLiteral(", idle"));
    }

    // With results.
    runAndRead(s, Traffic, "bStartXX", StateBit::Traffic, TestNo::Traffic);
    if (TestForm *p = s.open(Stats)) // the counters of that run
        s.readTabs(*m_walker, p, pageName(Stats) + QStringLiteral(", after a run"));
    runAndRead(s, Rfc, "bStartXX", StateBit::Rfc, TestNo::Rfc);
    runAndRead(s, Multi, "bStartXX", StateBit::Multi, TestNo::Multi);
    runAndRead(s, Jitter, "bStartXX", StateBit::Jitter, TestNo::Jitter);
    runAndRead(s, Bert, "bStartXX", StateBit::Bert, TestNo::Bert);
    runAndRead(s, Cable, "bStart", StateBit::Cable, TestNo::Cable, nullptr);
    runAndRead(s, Loopback, "blvl3", StateBit::Loopback, -1, "blvl0");
    if (twoPorts)
        runAndRead(s, Transit, "bStart", StateBit::Transit, -1);
    runTcpip(s, 0);
    if (QTest::currentTestFailed())
        return;
    if (TestForm *p = s.open(Oam)) {
        p->findChild<QComboBox *>(QStringLiteral("cbMode"))->setCurrentIndex(0);
        click(p, "bApply");
        waitFor([p] { return button(p, "bStart")->isEnabled(); });
        m_walker->read(s.form.get(), pageName(Oam) + QStringLiteral(", active"));
        p->findChild<QComboBox *>(QStringLiteral("cbMode"))->setCurrentIndex(2);
        click(p, "bApply");
    }
    if (TestForm *p = s.open(Files)) { // the result files of the runs
        auto *list = p->findChild<QListWidget *>(QStringLiteral("lFiles"));
        click(p, "bRefresh");
        QVERIFY(waitFor([list] { return list->count() >= 2; }));
        list->setCurrentRow(list->count() - 1);
        m_walker->read(s.form.get(), pageName(Files) + QStringLiteral(", with files"));
        click(p, "bSave"); // the name dialog
        QDialog *dialog = static_cast<FTransferForm *>(p)->openDialog();
        QVERIFY(dialog && waitFor([dialog] { return dialog->isVisible(); }));
        m_walker->read(s.form.get(), pageName(Files) + QStringLiteral(", saving settings"));
        dialog->close();
    }

    // Port B: every page retitled, and the damaged cord of its cable test.
    if (twoPorts) {
        click(s.form.get(), "bProcB");
        for (int i = 0; i < int(testPages.size()); ++i) {
            if (TestForm *p = s.open(i))
                s.readTabs(*m_walker, p, pageName(i) + QStringLiteral(", port B"));
        }
        runAndRead(s, Cable, "bStart", StateBit::Cable, TestNo::Cable, nullptr);
        click(s.form.get(), "bProcA");
    }
    QVERIFY(s.sim.stop());

    // A lookup slowed down enough to be seen in progress.
    Session slow(model, QStringLiteral("0.1"), flash.path());
    QVERIFY(slow.start(*m_walker, tag + QStringLiteral(", slow tester"), false));
    TestForm *p = slow.open(Tcpip);
    QVERIFY(p);
    p->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(2);
    QTRY_VERIFY_WITH_TIMEOUT(button(p, "bStart")->isEnabled(), kWaitMs);
    click(p, "bStart");
    const Zorqv &d = slow.form->device();
    QVERIFY(waitFor([&d] { return d.dnsResult[0][DnsResultField::Status] == DnsStatus::InProgress; }));
    QTest::qWait(1200);
    m_walker->read(slow.form.get(), pageName(Tcpip) + QStringLiteral(", DNS in progress"));
    QVERIFY(waitFor([&d] { return d.dnsResult[0][DnsResultField::Status] == DnsStatus::Passed; }, 2 * kWaitMs));
    QTest::qWait(1200);
    m_walker->read(slow.form.get(), pageName(Tcpip) + QStringLiteral(", DNS passed"));
    QVERIFY(slow.sim.stop());

    qInfo("%s: %d reads, %d texts", qPrintable(tag), m_walker->reads(), m_walker->textsRead());
    const QStringList found = m_walker->findings();
    for (const QString &f : found) // in full, however long the list
        qWarning().noquote() << f;
    QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 English text(s) in the Russian window:\n")
                                             .arg(found.size())
                                         + found.join(u'\n')));
}

QTEST_MAIN(TestRussianE2e)
#include "tst_russian_e2e.moc"
