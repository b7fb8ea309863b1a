#pragma once

#include <QFont>
#include <QMenuBar>

class QAction;
class QMenu;

// The main window's menu bar: the font of the whole window and the About
// boxes. The chosen font is applied by the main window.
class MainMenu final : public QMenuBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainMenu)

public:
    explicit MainMenu(QWidget *parent = nullptr);

    // Sets the menu titles and action texts again in the current language.
    void retranslate();

Q_SIGNALS:
    void change_font(QFont font);

private Q_SLOTS:
    void aboutClicked();
    void fontClicked();

private:
    QAction *m_about = nullptr;
    QAction *m_aboutQt = nullptr;
    QAction *m_font = nullptr;
    QMenu *m_settingsMenu = nullptr;
    QMenu *m_aboutMenu = nullptr;
};
