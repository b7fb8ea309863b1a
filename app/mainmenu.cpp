#include "mainmenu.h"

#include "aboutdialog.h"
#include "sessionrecorder.h"
#include "supportfile.h"

#include <QApplication>
#include <QFontDialog>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QUrl>

MainMenu::MainMenu(QWidget *parent)
    : QMenuBar(parent)
{
    m_about = new QAction(QIcon(QStringLiteral(":about-icon.png")), QString(), this);
    m_about->setObjectName(QStringLiteral("aAbout"));
    m_aboutQt = new QAction(QIcon(QStringLiteral(":qt-icon.png")), QString(), this);
    m_aboutQt->setObjectName(QStringLiteral("aAboutQt"));
    m_font = new QAction(QIcon(QStringLiteral(":fonts-icon.png")), QString(), this);
    m_font->setObjectName(QStringLiteral("aFont"));

    m_settingsMenu = addMenu(QString());
    m_settingsMenu->setObjectName(QStringLiteral("mSettings"));
    m_settingsMenu->addAction(m_font);
    m_record = new QAction(this);
    m_record->setObjectName(QStringLiteral("aRecord"));
    m_record->setCheckable(true);
    m_settingsMenu->addAction(m_record);
    m_aboutMenu = addMenu(QString());
    m_aboutMenu->setObjectName(QStringLiteral("mAbout"));
    m_aboutMenu->addAction(m_about);
    m_aboutMenu->addAction(m_aboutQt);
    m_openRecordings = new QAction(this);
    m_openRecordings->setObjectName(QStringLiteral("aOpenRecordings"));
    m_saveSupport = new QAction(this);
    m_saveSupport->setObjectName(QStringLiteral("aSaveSupport"));
    // The help the program gives ("Справка" in Russian): the recordings too.
    m_aboutMenu->addSeparator();
    m_aboutMenu->addAction(m_openRecordings);
    m_aboutMenu->addAction(m_saveSupport);
    setRecorder(nullptr);

    connect(m_about, &QAction::triggered, this, &MainMenu::aboutClicked);
    connect(m_font, &QAction::triggered, this, &MainMenu::fontClicked);
    connect(m_aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);
    connect(m_record, &QAction::toggled, this, &MainMenu::recordToggled);
    connect(m_openRecordings, &QAction::triggered, this, &MainMenu::openRecordingsClicked);
    connect(m_saveSupport, &QAction::triggered, this, &MainMenu::saveSupportClicked);
    retranslate();
}

void MainMenu::retranslate()
{
    m_about->setText(tr("About"));
    m_aboutQt->setText(tr("About Qt"));
    m_font->setText(tr("Font"));
    m_settingsMenu->setTitle(tr("Settings"));
    m_aboutMenu->setTitle(tr("About", "menu title"));
    m_record->setText(tr("Record sessions"));
    m_openRecordings->setText(tr("Open recordings folder"));
    m_saveSupport->setText(tr("Save support file…"));
}

void MainMenu::setRecorder(SessionRecorder *recorder)
{
    m_recorder = recorder;
    {
        const QSignalBlocker blocker(m_record);
        m_record->setChecked(recorder && recorder->settings().enabled);
    }
    m_record->setEnabled(recorder);
    m_openRecordings->setEnabled(recorder);
    m_saveSupport->setEnabled(recorder);
}

void MainMenu::recordToggled(bool on)
{
    if (!m_recorder)
        return;
    SessionRecorder::Settings settings = m_recorder->settings();
    settings.enabled = on;
    m_recorder->setSettings(settings);
    settings.save(QCoreApplication::applicationName());
}

void MainMenu::openRecordingsClicked()
{
    const QString dir = m_recorder->settings().directory;
    QDir().mkpath(dir);
    QDesktopServices::openUrl(QUrl::fromLocalFile(dir));
}

void MainMenu::saveSupportClicked()
{
    const QString suggested = QDir::home().filePath(
        QCoreApplication::applicationName() + QStringLiteral("-support-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".zip"));
    const QString path = QFileDialog::getSaveFileName(nullptr, tr("Save support file"), suggested,
                                                      tr("Zip archives (*.zip)"));
    if (path.isEmpty())
        return;
    const QString problem = SupportFile::write(path, *m_recorder);
    if (!problem.isEmpty())
        QMessageBox::warning(nullptr, tr("Save support file"), tr("%1 was not written: %2").arg(path, problem));
}

void MainMenu::aboutClicked()
{
    AboutDialog dialog;
    dialog.exec();
}

void MainMenu::fontClicked()
{
    // Named by its real style, the preset font keeps its style in the
    // dialog even when Qt's own texts are translated ("Normal" would not
    // match the font's "Regular" then, and another style would be picked).
    QFont preset = QApplication::font();
    preset.setStyleName(QFontInfo(preset).styleName());
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, preset, nullptr);
    if (accepted)
        Q_EMIT change_font(font);
}
