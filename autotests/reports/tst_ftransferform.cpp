// The File transfer page driven like a user: widgets found by their object
// names, clicks, the dialogs answered as a user answers them, and the codes
// the page emits and the file fields it leaves in the device record.

#include "filenamedialog.h"
#include "ftransferform.h"

#include "blocksizes.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

class TestFTransferForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void widgets_data();
    void widgets();
    void listFetchedWhenDue();
    void listShown();
    void saveAsksForAName_data();
    void saveAsksForAName();
    void selectedFileActions_data();
    void selectedFileActions();
    void createReport_data();
    void createReport();
    void reportFolderRefused_data();
    void reportFolderRefused();
    void screenshotEnabling_data();
    void screenshotEnabling();
    void screenshotAsksForAPath();
    void russian();

private:
    template <typename W = QWidget>
    W *w(const char *name) const
    {
        W *widget = m_page->findChild<W *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void click(const char *name) { QTest::mouseClick(w<QPushButton>(name), Qt::LeftButton); }
    // Clicks a button of a dialog's button box.
    static void answer(QDialog *dialog, QDialogButtonBox::StandardButton which)
    {
        QPushButton *button = dialog->findChild<QDialogButtonBox *>()->button(which);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void showList(const QStringList &names)
    {
        m_device->fileList = names;
        m_page->cfg_rcv(TestNo::FileTransfer);
    }
    QList<int> codes(const QSignalSpy &spy) const
    {
        QList<int> all;
        for (const QList<QVariant> &args : spy)
            all << int(args.at(0).value<unsigned short>());
        return all;
    }

    std::unique_ptr<Zorqv> m_device;
    std::unique_ptr<FTransferForm> m_page;
};

void TestFTransferForm::init()
{
    m_device = std::make_unique<Zorqv>();
    m_page = std::make_unique<FTransferForm>(m_device.get());
    m_page->resize(1000, 520);
}

void TestFTransferForm::cleanup()
{
    m_page.reset();
    m_device.reset();
}

void TestFTransferForm::widgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("icon");
    const struct
    {
        const char *name;
        const char *text;
        bool icon;
    } rows[] = {
        {"cBERT", "BERT", false},          {"cRFC", "RFC2544", false},
        {"cTrace", "Trace", false},        {"cJitter", "Jitter", false},
        {"cPing", "Ping", false},          {"cTraffic", "Traffic", false},
        {"cMulti", "Multistream", false},  {"label_2", "Files", false},
        {"bSave", "Save Settings", true},  {"bLoad", "Load Settings", true},
        {"bDelete", "Delete Settings", true}, {"bScreen", "Screenshot", true},
        {"bDown", "Create report", true},  {"bRefresh", "Refresh", true},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromLatin1(r.text) << r.icon;
}

void TestFTransferForm::widgets()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, icon);
    QWidget *widget = m_page->findChild<QWidget *>(name);
    QVERIFY(widget);
    if (auto *box = qobject_cast<QCheckBox *>(widget)) {
        QCOMPARE(box->text(), text);
        QVERIFY(box->isChecked());
        QCOMPARE(qobject_cast<QGroupBox *>(box->parentWidget())->title(), QStringLiteral("File transfer"));
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(!button->icon().isNull(), icon);
    } else {
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(), text);
    }
    QCOMPARE(m_page->windowTitle(), QStringLiteral("Form"));
    const auto *image = w<QLabel>("lImage");
    QVERIFY(!image->pixmap().isNull());
    QVERIFY(image->minimumSize().width() >= 320 && image->minimumSize().height() >= 240);
    m_page->show();
    QCOMPARE(widget->isVisible(), name != QLatin1String("bScreen"));
}

void TestFTransferForm::listFetchedWhenDue()
{
    QSignalSpy cfg(m_page.get(), &TestForm::gs_cfg);
    m_device->connected = true;
    m_page->activate();
    QCOMPARE(m_device->activeTest, ActiveTest::FileTransfer);
    QVERIFY(m_page->isVisible());
    m_page->status_upd();
    m_page->activate(); // once per connection
    QCOMPARE(codes(cfg), QList<int>{0x000E});
    click("bRefresh"); // and whenever asked
    QCOMPARE(codes(cfg), (QList<int>{0x000E, 0x000E}));
    m_device->connected = false; // lost: fetched again after the next connection
    m_page->status_upd();
    m_device->connected = true;
    m_page->activate();
    m_page->activate();
    QCOMPARE(codes(cfg), (QList<int>{0x000E, 0x000E, 0x000E}));
}

void TestFTransferForm::listShown()
{
    auto *list = w<QListWidget>("lFiles");
    showList({"$TRAF_001", "$SET A", "$RFC_002"});
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(1)->text(), QStringLiteral("$SET A"));
    m_device->fileList = {"$other"};
    m_page->cfg_rcv(requestCode(TestNo::Traffic, 0)); // another page's code
    m_page->res_rcv(TestNo::FileTransfer);
    QCOMPARE(list->count(), 3);
    showList({"$RFC_002"}); // the list is replaced, not appended to
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("$RFC_002"));
}

void TestFTransferForm::saveAsksForAName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("saved"); // empty: nothing sent
    QTest::addColumn<QString>("refused"); // a part of the warning; the dialog stays
    QTest::newRow("name") << "lab1" << true << "lab1" << "";
    QTest::newRow("blanks trimmed") << "  SET A \t" << true << "SET A" << "";
    QTest::newRow("longest name") << QString(258, u'n') << true << QString(258, u'n') << "";
    QTest::newRow("blanks only") << "    " << true << "" << "Type the name";
    QTest::newRow("nothing typed") << "" << true << "" << "Type the name";
    QTest::newRow("one character too many") << QString(259, u'n') << true << "" << "at most 258";
    QTest::newRow("Cyrillic letter") << "Тест1" << true << "" << "\"Т\"";
    QTest::newRow("folder separator") << "lab/1" << true << "" << "\"/\"";
    QTest::newRow("cancelled") << "lab2" << false << "" << "";
}

void TestFTransferForm::saveAsksForAName()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, saved);
    QFETCH(QString, refused);
    QSignalSpy start(m_page.get(), &TestForm::start_test);
    m_device->fileName = QStringLiteral("before");
    m_page->show();
    click("bSave");
    auto *dialog = qobject_cast<FileNameDialog *>(m_page->openDialog());
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible() && dialog->isModal());
    QCOMPARE(dialog->findChild<QLabel *>()->text(), QStringLiteral("File name"));
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("lName"));
    name->setText(typed);
    answer(dialog, accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
    if (!refused.isEmpty()) {
        auto *box = dialog->findChild<QMessageBox *>();
        QVERIFY(box && box->isVisible());
        QVERIFY2(box->text().contains(refused), qPrintable(box->text()));
        QVERIFY(dialog->isVisible());
        QCOMPARE(name->text(), typed); // left for correction
        box->close();
        answer(dialog, QDialogButtonBox::Cancel);
    }
    QTRY_VERIFY(!m_page->openDialog()); // closed and gone
    QCOMPARE(codes(start), saved.isEmpty() ? QList<int>{} : QList<int>{0x020E});
    QCOMPARE(m_device->fileName, saved.isEmpty() ? QStringLiteral("before") : saved);
}

void TestFTransferForm::selectedFileActions_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row"); // -1: none selected
    QTest::addColumn<int>("code");
    QTest::newRow("load") << "bLoad" << 1 << 0x030E;
    QTest::newRow("delete") << "bDelete" << 2 << 0x040E;
    QTest::newRow("load, nothing selected") << "bLoad" << -1 << 0;
    QTest::newRow("delete, nothing selected") << "bDelete" << -1 << 0;
}

void TestFTransferForm::selectedFileActions()
{
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(int, code);
    const QStringList names{"$TRAF_001", "$lab", "$RFC_002"};
    showList(names);
    if (row >= 0)
        w<QListWidget>("lFiles")->setCurrentRow(row);
    QSignalSpy start(m_page.get(), &TestForm::start_test);
    m_device->fileName = QStringLiteral("before");
    click(qPrintable(button));
    QCOMPARE(codes(start), code ? QList<int>{code} : QList<int>{});
    QCOMPARE(m_device->fileName, row >= 0 ? names.at(row) : QStringLiteral("before"));
    QVERIFY(!m_page->openDialog()); // no confirmation question
}

void TestFTransferForm::createReport_data()
{
    QTest::addColumn<QStringList>("unticked");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("mask");
    QTest::newRow("all seven") << QStringList{} << true << 0x9F2;
    QTest::newRow("BERT and traffic only")
        << QStringList{"cRFC", "cTrace", "cJitter", "cPing", "cMulti"} << true << 0x120;
    QTest::newRow("RFC and multistream only")
        << QStringList{"cBERT", "cTrace", "cJitter", "cPing", "cTraffic"} << true << 0x802;
    QTest::newRow("ping, trace, jitter") << QStringList{"cBERT", "cRFC", "cTraffic", "cMulti"} << true << 0x0D0;
    QTest::newRow("none: still downloaded")
        << QStringList{"cBERT", "cRFC", "cTrace", "cJitter", "cPing", "cTraffic", "cMulti"} << true << 0;
    QTest::newRow("chooser cancelled") << QStringList{"cPing"} << false << 0x9E2;
}

void TestFTransferForm::createReport()
{
    QFETCH(QStringList, unticked);
    QFETCH(bool, accept);
    QFETCH(int, mask);
    QTemporaryDir folder;
    QSignalSpy start(m_page.get(), &TestForm::start_test);
    m_page->show();
    click("bDown"); // nothing selected: nothing asked
    QVERIFY(!m_page->openDialog());

    showList({"$TRAF_001", "$RFC_002"});
    w<QListWidget>("lFiles")->setCurrentRow(1);
    for (const QString &name : unticked)
        QTest::mouseClick(w<QCheckBox>(qPrintable(name)), Qt::LeftButton, {}, QPoint(5, 5));
    click("bDown");
    auto *chooser = qobject_cast<QFileDialog *>(m_page->openDialog());
    QVERIFY(chooser);
    QCOMPARE(chooser->fileMode(), QFileDialog::Directory);
    QVERIFY(chooser->testOption(QFileDialog::ShowDirsOnly));
    QVERIFY(!chooser->parent());
    // Set before the user has chosen: a cancelled chooser leaves them so.
    QCOMPARE(m_device->reportMask, mask);
    QCOMPARE(m_device->fileName, QStringLiteral("$RFC_002"));
    if (accept)
        chooser->setDirectory(folder.path());
    answer(chooser, accept ? QDialogButtonBox::Open : QDialogButtonBox::Cancel);
    QTRY_VERIFY(!m_page->openDialog());
    QCOMPARE(codes(start), accept ? QList<int>{0x010E} : QList<int>{});
    QCOMPARE(m_device->reportDir, accept ? folder.path() : QString());
}

void TestFTransferForm::reportFolderRefused_data()
{
    QTest::addColumn<QString>("chosen"); // in a fresh folder
    QTest::addColumn<QString>("said");
    QTest::newRow("folder gone") << "gone" << "does not exist";
    QTest::newRow("a file") << "file.pdf" << "is not a folder";
}

// A folder typed into the chooser that cannot take the reports: said at
// once, and nothing is downloaded.
void TestFTransferForm::reportFolderRefused()
{
    QFETCH(QString, chosen);
    QFETCH(QString, said);
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("file.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QSignalSpy start(m_page.get(), &TestForm::start_test);
    showList({"$TRAF_001"});
    w<QListWidget>("lFiles")->setCurrentRow(0);
    click("bDown");
    auto *chooser = qobject_cast<QFileDialog *>(m_page->openDialog());
    QVERIFY(chooser);
    Q_EMIT chooser->filesSelected({folder.filePath(chosen)});
    chooser->reject();
    QCOMPARE(codes(start), QList<int>{});
    QCOMPARE(m_device->reportDir, QString());
    auto *box = m_page->findChild<QMessageBox *>();
    QVERIFY(box);
    QVERIFY2(box->text().contains(folder.filePath(chosen)) && box->text().contains(said), qPrintable(box->text()));
}

void TestFTransferForm::screenshotEnabling_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("qvb");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("countAfter");
    const int all = int(BlockSize::Screen);
    QTest::newRow("idle") << true << false << 0 << true << 0;
    QTest::newRow("complete") << true << false << all << true << all;
    QTest::newRow("in progress") << true << false << 2560 << false << 2560;
    QTest::newRow("one-port model") << true << true << 0 << false << 0;
    QTest::newRow("lost mid-way: reset") << false << false << 2560 << true << 0;
}

void TestFTransferForm::screenshotEnabling()
{
    QFETCH(bool, connected);
    QFETCH(bool, qvb);
    QFETCH(int, count);
    QFETCH(bool, enabled);
    QFETCH(int, countAfter);
    m_device->connected = connected;
    m_device->isQvb = qvb;
    m_device->screenCount = count;
    m_page->status_upd();
    QCOMPARE(w<QPushButton>("bScreen")->isEnabled(), enabled);
    QCOMPARE(m_device->screenCount, countAfter);
}

void TestFTransferForm::screenshotAsksForAPath()
{
    QTemporaryDir folder;
    QSignalSpy start(m_page.get(), &TestForm::start_test);
    m_page->show();
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(QMetaObject::invokeMethod(m_page.get(), "bScreenClicked"));
    auto *dialog = qobject_cast<QFileDialog *>(m_page->openDialog());
    QVERIFY(dialog);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->nameFilters(), QStringList{"*.png"});
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("png"));
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    const QString proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
    QVERIFY2(proposed.startsWith(QLatin1String("ZORT_QV ")) && proposed.endsWith(QLatin1String(".png")),
             qPrintable(proposed));
    const QDateTime stamp = QDateTime::fromString(proposed.mid(8, 19), QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    QVERIFY2(stamp >= before && stamp <= QDateTime::currentDateTime(), qPrintable(proposed));

    const QString path = folder.filePath(QStringLiteral("shot.png"));
    dialog->selectFile(path);
    answer(dialog, QDialogButtonBox::Save);
    QTRY_VERIFY(!m_page->openDialog());
    QCOMPARE(codes(start), QList<int>{0x000E});
    QCOMPARE(m_device->screenPath, path);
    QVERIFY(!w<QPushButton>("bScreen")->isEnabled());
}

void TestFTransferForm::russian()
{
    QTranslator russian;
    QVERIFY(russian.load(QStringLiteral("QVRemote_ru"), QStringLiteral(":/")));
    QCoreApplication::installTranslator(&russian);
    m_page->retranslate();
    const QString down = w<QPushButton>("bDown")->text();
    const QString group = qobject_cast<QGroupBox *>(w("cBERT")->parentWidget())->title();
    m_page->show();
    click("bSave");
    const QString label = m_page->openDialog()->findChild<QLabel *>()->text();
    m_page->openDialog()->close();
    QCoreApplication::removeTranslator(&russian);
    QCOMPARE(down, QStringLiteral("Создать отчёт"));
    QCOMPARE(group, QStringLiteral("Передача файлов"));
    QCOMPARE(label, QStringLiteral("Имя файла"));
    m_page->retranslate();
    QCOMPARE(w<QPushButton>("bDown")->text(), QStringLiteral("Create report"));
}

QTEST_MAIN(TestFTransferForm)
#include "tst_ftransferform.moc"
