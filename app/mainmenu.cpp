#include "mainmenu.h"

#include "aboutdialog.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>

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
    m_aboutMenu = addMenu(QString());
    m_aboutMenu->setObjectName(QStringLiteral("mAbout"));
    m_aboutMenu->addAction(m_about);
    m_aboutMenu->addAction(m_aboutQt);

    connect(m_about, &QAction::triggered, this, &MainMenu::aboutClicked);
    connect(m_font, &QAction::triggered, this, &MainMenu::fontClicked);
    connect(m_aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);
    retranslate();
}

void MainMenu::retranslate()
{
    m_about->setText(tr("About"));
    m_aboutQt->setText(tr("About Qt"));
    m_font->setText(tr("Font"));
    m_settingsMenu->setTitle(tr("Settings"));
    m_aboutMenu->setTitle(tr("About", "menu title"));
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
