#pragma once

#include <QFont>
#include <QMenuBar>

class QAction;
class QMenu;
class SessionRecorder;

// The main window's menu bar: the font of the whole window, the session
// recordings (on/off, their folder, the support file) and the About boxes.
// The chosen font is applied by the main window.
class MainMenu final : public QMenuBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainMenu)

public:
    explicit MainMenu(QWidget *parent = nullptr);

    // Sets the menu titles and action texts again in the current language.
    void retranslate();
    // The recordings the Help menu offers (not owned); none: the entries
    // stay disabled.
    void setRecorder(SessionRecorder *recorder);

Q_SIGNALS:
    void change_font(QFont font);

private Q_SLOTS:
    void aboutClicked();
    void fontClicked();
    void recordToggled(bool on);
    void openRecordingsClicked();
    void saveSupportClicked();

private:
    QAction *m_about = nullptr;
    QAction *m_aboutQt = nullptr;
    QAction *m_font = nullptr;
    QMenu *m_settingsMenu = nullptr;
    QMenu *m_aboutMenu = nullptr;
    QAction *m_record = nullptr;
    QAction *m_openRecordings = nullptr;
    QAction *m_saveSupport = nullptr;
    SessionRecorder *m_recorder = nullptr;
};
