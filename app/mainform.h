#pragma once

#include "debugform.h"
#include "oldproto.h"
#include "serial.h"
#include "tcpsocket.h"
#include "zorqv.h"

#include <QFont>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTranslator>
#include <QWidget>

class MainMenu;
class QAbstractButton;
class QLabel;
class QMessageBox;
class QPushButton;
class SessionRecorder;
class TestForm;

namespace Ui {
class MainForm;
}

// QVRemote's window. It owns the device record, the engine, both transports,
// the debug window, the menu and the thirteen test pages, wires them
// together, and shows the connection controls, the process choice, the test
// buttons and the tester's status.
class MainForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainForm)

public:
    // The program always talks to the tester's TCP port; tests pass the port
    // of their own peer.
    explicit MainForm(QWidget *parent = nullptr, quint16 tcpPort = TcpSocket::DefaultPort);
    ~MainForm() override;

    // "-dev": the debug registers, the tester's free text and the transit button.
    void showDeveloperControls();
    // Start-up connections from the command line, as if typed and clicked.
    void connectEthernet(const QString &address);
    // What kept the port from opening (also shown to the user), or empty.
    QString connectSerial(const QString &port);
    // What is wrong with a port name before it is opened, or empty.
    static QString serialPortProblem(const QString &name);
    // Records every connection of both transports there from now on, and
    // offers the recordings in the Help menu (not owned).
    void setRecorder(SessionRecorder *recorder);

    // What the window owns, for the command line and the tests.
    Zorqv &device() { return m_device; }
    OldProto &engine() { return m_engine; }
    Serial &serial() { return m_serial; }
    TcpSocket &tcpSocket() { return m_tcp; }
    DebugForm &debugForm() { return m_debugForm; }
    MainMenu *menu() const { return m_menu; }
    // In button order; a page that is not built yet is a null entry.
    const QList<TestForm *> &pages() const { return m_pages; }

Q_SIGNALS:
    void switch_proc(unsigned char port);
    void debug_fpga_rw(uint w);

public Q_SLOTS:
    void status_upd();
    void debug_fpga_rcv(uint w);
    void qv_conn();
    void qv_disc();
    void change_font(const QFont &font);

private Q_SLOTS:
    void bSerConnectClicked();
    void bEthConnectClicked();
    void bTestClicked(QAbstractButton *button);
    void bProcAClicked();
    void bProcBClicked();
    void bReadClicked();
    void bWriteClicked();
    void bEngClicked();
    void bRusClicked();

private:
    struct PortLabels
    {
        QLabel *test;
        QLabel *rx;
        QLabel *tx;
        QLabel *link;
        QLabel *topology;
        QLabel *rates;
    };

    void buildTestList();
    void retranslate();
    void retranslateTestButtons();
    void showHint();
    void showWarning(const QString &text);
    void showReportOutcome(const ReportOutcome &outcome);
    QString serialConnect();
    QString serialOpenProblem(const QString &name) const;
    void showPort(int port, const PortLabels &labels);
    QString deviceInfo() const;

    Ui::MainForm *ui = nullptr;
    QTranslator m_translatorEn;
    QTranslator m_translatorRu;
    // Qt's own dialogs (buttons of message boxes, the font dialog) in
    // Russian, when the system has Qt's translations.
    QTranslator m_qtTranslatorRu;
    Zorqv m_device;
    OldProto m_engine{&m_device};
    Serial m_serial;
    TcpSocket m_tcp;
    DebugForm m_debugForm;
    MainMenu *m_menu = nullptr;
    QList<QPushButton *> m_testButtons;
    QList<TestForm *> m_pages;
    QPointer<QMessageBox> m_releaseWarning;
    QPointer<QMessageBox> m_warning;
};
