#pragma once

#include "updater.h"

#include <QDialog>
#include <QHash>
#include <QList>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class SerialValidator;

// The updater's window: port choice and connection, the device's versions,
// the file choosers and write buttons, three progress bars and the status
// text. The procedures themselves run in the Updater it owns; while one
// runs, every control that could start another is locked.
class MainWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the serial-number and extended groups ("-dev").
    void showDeveloperView();

    // What the file dialogs do with their answer; also for scripted use.
    void setRomFile(const QString &path);
    void setBinFile(const QString &path);
    void setRpdFile(const QString &path);
    void setFsFiles(const QStringList &paths);

    Updater &updater() { return m_updater; }

public Q_SLOTS:
    void bConnectClicked();
    void bDisconnectClicked();
    void bOpenROMClicked();
    void bUpdateClicked();
    void bUpdateSerialClicked();
    void lSerialCurPosChanged(int oldPos, int newPos);
    void lSerialTextChanged(const QString &text);
    void bOpenBINClicked();
    void bOpenRPDClicked();
    void bOpenFSClicked();
    void bUpdateBINClicked();
    void bUpdateRPDClicked();
    void bUpdateFSClicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void buildWidgets();
    void connectSignals();
    void appendStatus(const QString &text);
    QProgressBar *bar(Updater::Bar which) const;
    void setBusy(bool busy);
    void showDisconnected();
    // Back to disconnected after the link lost its port, telling why first
    // unless an operation already did.
    void showConnectionLost(const QString &why);
    void setControlEnabled(QWidget *control, bool enabled);
    void fixSize();

    Updater m_updater;
    bool m_busy = false;
    // Controls that can start an operation, and the state each one returns
    // to when the running operation ends.
    QList<QWidget *> m_starters;
    QHash<QWidget *, bool> m_resumeState;

    QGroupBox *gPort = nullptr;
    QComboBox *cbPort = nullptr;
    QPushButton *bConnect = nullptr;
    QPushButton *bDisconnect = nullptr;

    QGroupBox *gSerial = nullptr;
    QLineEdit *lSerial = nullptr;
    SerialValidator *vSerial = nullptr;
    QPushButton *bUpdateSerial = nullptr;

    QGroupBox *gExtended = nullptr;
    QLineEdit *lRPD = nullptr;
    QPushButton *bOpenRPD = nullptr;
    QPushButton *bUpdateRPD = nullptr;
    QLineEdit *lBIN = nullptr;
    QPushButton *bOpenBIN = nullptr;
    QPushButton *bUpdateBIN = nullptr;
    QListWidget *lFS = nullptr;
    QPushButton *bOpenFS = nullptr;
    QPushButton *bUpdateFS = nullptr;

    QGroupBox *gUpdate = nullptr;
    QLineEdit *lROM = nullptr;
    QPushButton *bOpenROM = nullptr;
    QPushButton *bUpdate = nullptr;
    QProgressBar *pbFS = nullptr;
    QProgressBar *pbFPGA = nullptr;
    QProgressBar *pbCPU = nullptr;

    QGroupBox *gStatus = nullptr;
    QPlainTextEdit *tStatus = nullptr;
};
