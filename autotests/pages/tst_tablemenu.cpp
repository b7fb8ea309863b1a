// The context menu of the pages' result tables: every table has "Copy" and
// "Save as CSV…", and both take the visible cells under the table's own
// headers.

#include "marktranslator.h"
#include "testform.h"
#include "testpages.h"
#include "zorqv.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

class TestTableMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { m_pages.clear(); }
    void everyTable();
    void copy_data();
    void copy();
    void save();
    void languageSwitch();

private:
    QTableWidget *table(const QString &page, const QString &name) const;
    QAction *action(QTableWidget *table, const char *name) const;
    // Every cell a text of its own ("r2,c1" and so on), row 1 and the last
    // column hidden.
    static void fill(QTableWidget *table);

    Zorqv m_device;
    std::vector<std::unique_ptr<TestForm>> m_pages;
};

void TestTableMenu::initTestCase()
{
    for (const TestPageEntry &entry : testPages) {
        m_pages.emplace_back(entry.create(&m_device, nullptr));
        m_pages.back()->setObjectName(QLatin1String(entry.button));
    }
}

QTableWidget *TestTableMenu::table(const QString &page, const QString &name) const
{
    for (const auto &p : m_pages)
        if (p->objectName() == page)
            return p->findChild<QTableWidget *>(name);
    return nullptr;
}

QAction *TestTableMenu::action(QTableWidget *table, const char *name) const
{
    const QList<QAction *> actions = table->actions();
    for (QAction *a : actions)
        if (a->objectName() == QLatin1String(name))
            return a;
    return nullptr;
}

void TestTableMenu::fill(QTableWidget *table)
{
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            table->model()->setData(table->model()->index(r, c), QStringLiteral("r%1,c%2").arg(r).arg(c));
    table->setRowHidden(1, true);
    table->setColumnHidden(table->columnCount() - 1, true);
}

// No result table of any page is left without the menu.
void TestTableMenu::everyTable()
{
    int tables = 0;
    for (const auto &page : m_pages) {
        const QList<QTableView *> views = page->findChildren<QTableView *>();
        for (QTableView *view : views) {
            ++tables;
            QVERIFY2(view->contextMenuPolicy() == Qt::ActionsContextMenu && view->actions().size() == 2,
                     qPrintable(page->objectName() + u' ' + view->objectName()));
        }
    }
    QCOMPARE(tables, 17);
}

void TestTableMenu::copy_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("table");
    // The header row after fill(): the last column is hidden; a table with
    // row labels (RFC-2544's row numbers too) starts with an empty cell
    // over them.
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QString>("firstLabel"); // of the first row; empty: no row labels

    QTest::newRow("RFC throughput") << "bRFC" << "tThrRes"
                                    << QStringList{"", "Status", "Frame length, b", "Load, %"} << "1";
    QTest::newRow("RFC frame loss") << "bRFC" << "tFrlRes" << QStringList{"", "Status", "Frame length, b"} << "1";
    QTest::newRow("RFC latency") << "bRFC" << "tLatRes" << QStringList{"", "Status", "Frame length, b", "Load, %"} << "1";
    QTest::newRow("RFC back to back") << "bRFC" << "tBtbRes"
                                      << QStringList{"", "Status", "Frame length, b", "Min T, s"} << "1";
    QTest::newRow("multistream") << "bMulti" << "tRes" << QStringList{"", "Count"} << "Load";
    QTest::newRow("cable") << "bCable" << "tRes" << QStringList{"", "1-2", "3-4", "5-6"} << "Status";
    QTest::newRow("ping") << "bTCPIP" << "tPingRes" << QStringList{"#", "Status", "Frame, b"} << "";
    QTest::newRow("trace") << "bTCPIP" << "tTraceRes" << QStringList{"#", "IP"} << "";
    QTest::newRow("traffic") << "bTraffic" << "tRes" << QStringList{"", "Count"} << "Load";
    QTest::newRow("jitter result") << "bJitter" << "tRes" << QStringList{"Rx Frames", "Count"} << "";
    QTest::newRow("jitter distribution") << "bJitter" << "tDist" << QStringList{"Jitter, ms"} << "";
    QTest::newRow("statistics commons") << "bStats" << "tCommons" << QStringList{"", "Rx"} << "Frames (Port A)";
    QTest::newRow("statistics levels") << "bStats" << "tLevels" << QStringList{"", "Rx"} << "L2 (Port A)";
    QTest::newRow("statistics errors") << "bStats" << "tRxerr" << QStringList{"", "Port A"} << "CRC";
    QTest::newRow("statistics frame types") << "bStats" << "tFramet" << QStringList{"", "Rx"} << "Broadcast (Port A)";
    QTest::newRow("statistics sizes A") << "bStats" << "tFramesA" << QStringList{"", "Rx"} << "<64";
    QTest::newRow("statistics sizes B") << "bStats" << "tFramesB" << QStringList{"", "Rx"} << "<64";
}

void TestTableMenu::copy()
{
    QFETCH(QString, page);
    QFETCH(QString, table);
    QFETCH(QStringList, header);
    QFETCH(QString, firstLabel);

    QTableWidget *t = this->table(page, table);
    QVERIFY(t);
    QAction *copy = action(t, "actionCopyTable");
    QAction *save = action(t, "actionSaveTableCsv");
    QVERIFY(copy && save);
    QCOMPARE(copy->text(), QStringLiteral("Copy"));
    QCOMPARE(save->text(), QStringLiteral("Save as CSV…"));

    fill(t);
    QGuiApplication::clipboard()->clear();
    copy->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    QCOMPARE(lines.size(), t->rowCount() - 1 + 2); // the header, the rows but one, the last line's end
    QCOMPARE(lines.first(), header.join(u'\t'));
    const bool labels = !firstLabel.isEmpty();
    for (int r = 0, line = 1; r < t->rowCount(); ++r) {
        if (r == 1)
            continue;
        QStringList cells;
        for (int c = 0; c + 1 < t->columnCount(); ++c)
            cells << QStringLiteral("r%1,c%2").arg(r).arg(c);
        const QStringList got = lines.at(line++).split(u'\t');
        QCOMPARE(got.mid(labels ? 1 : 0), cells);
        if (labels && r == 0)
            QCOMPARE(got.first(), firstLabel);
    }
}

// "Save as CSV…" asks for a file and writes the table there, quoted.
void TestTableMenu::save()
{
    QTableWidget *t = table(QStringLiteral("bJitter"), QStringLiteral("tDist"));
    QVERIFY(t);
    fill(t);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("distribution"));
    bool asked = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        asked = true;
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    action(t, "actionSaveTableCsv")->trigger();
    QVERIFY(asked);
    QFile file(path + QStringLiteral(".csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray expected("\"Jitter, ms\"\r\n");
    for (int r = 0; r < t->rowCount(); ++r)
        if (r != 1)
            expected += QStringLiteral("\"r%1,c0\"\r\n").arg(r).toUtf8();
    QCOMPARE(file.readAll(), expected);
}

// The menu's texts follow a language switch while the page is open.
void TestTableMenu::languageSwitch()
{
    QTableWidget *t = table(QStringLiteral("bTraffic"), QStringLiteral("tRes"));
    MarkTranslator marks({"TableMenu"});
    QCoreApplication::installTranslator(&marks);
    QCoreApplication::processEvents();
    const QString copy = action(t, "actionCopyTable")->text();
    const QString save = action(t, "actionSaveTableCsv")->text();
    QCoreApplication::removeTranslator(&marks);
    QCoreApplication::processEvents();
    QCOMPARE(copy, QStringLiteral("[Copy]"));
    QCOMPARE(save, QStringLiteral("[Save as CSV…]"));
    QCOMPARE(action(t, "actionCopyTable")->text(), QStringLiteral("Copy"));
}

QTEST_MAIN(TestTableMenu)
#include "tst_tablemenu.moc"
