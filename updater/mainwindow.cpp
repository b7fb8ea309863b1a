#include "mainwindow.h"

#include "serialvalidator.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 5;
constexpr int kFieldWidth = 200;
constexpr int kButtonWidth = 120;
constexpr int kStatusHeight = 75;

const QString kTitle = QStringLiteral("QV Updater");

QPushButton *makeButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(kButtonWidth);
    button->setAutoDefault(false);
    return button;
}

QLineEdit *makePathField(const char *name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setFixedWidth(kFieldWidth);
    return field;
}

QProgressBar *makeBar(const char *name, QWidget *parent)
{
    auto *bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setFixedWidth(kFieldWidth);
    bar->setValue(0);
    bar->setAlignment(Qt::AlignCenter);
    bar->setTextVisible(true);
    return bar;
}

QGridLayout *makeGrid(QGroupBox *group)
{
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    return grid;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QDialog(parent, Qt::WindowMinimizeButtonHint)
{
    buildWidgets();
    connectSignals();
    setWindowTitle(kTitle);
    fixSize();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWidgets()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);

    gPort = new QGroupBox(this);
    gPort->setObjectName(QStringLiteral("gPort"));
    auto *portGrid = makeGrid(gPort);
    portGrid->addWidget(new QLabel(tr("Порт"), gPort), 0, 0);
    cbPort = new QComboBox(gPort);
    cbPort->setObjectName(QStringLiteral("cbPort"));
    cbPort->setFixedWidth(kFieldWidth);
    // Any device path can be typed, e.g. a pseudo-terminal no list shows.
    cbPort->setEditable(true);
    cbPort->setInsertPolicy(QComboBox::NoInsert);
    cbPort->addItems(UpdateLink::listPorts());
    portGrid->addWidget(cbPort, 0, 1);
    bConnect = makeButton(tr("Соединить"), "bConnect", gPort);
    bDisconnect = makeButton(tr("Разъединить"), "bDisconnect", gPort);
    bDisconnect->hide();
    portGrid->addWidget(bConnect, 0, 2);
    portGrid->addWidget(bDisconnect, 0, 2);
    layout->addWidget(gPort);

    gSerial = new QGroupBox(tr("Прошивка серийного номера"), this);
    gSerial->setObjectName(QStringLiteral("gSerial"));
    auto *serialGrid = makeGrid(gSerial);
    serialGrid->addWidget(new QLabel(tr("Номер"), gSerial), 0, 0);
    lSerial = new QLineEdit(gSerial);
    lSerial->setObjectName(QStringLiteral("lSerial"));
    lSerial->setFixedWidth(kFieldWidth);
    lSerial->setInputMask(QStringLiteral("99999"));
    lSerial->setText(QStringLiteral("00000"));
    lSerial->setCursorPosition(0);
    lSerial->setAlignment(Qt::AlignRight);
    vSerial = new SerialValidator(lSerial);
    vSerial->setObjectName(QStringLiteral("vSerial"));
    lSerial->setValidator(vSerial);
    serialGrid->addWidget(lSerial, 0, 1);
    bUpdateSerial = makeButton(tr("Записать"), "bUpdateSerial", gSerial);
    serialGrid->addWidget(bUpdateSerial, 0, 2);
    gSerial->hide();
    gSerial->setEnabled(false);
    layout->addWidget(gSerial);

    gExtended = new QGroupBox(tr("Обновление ПО (расширенное)"), this);
    gExtended->setObjectName(QStringLiteral("gExtended"));
    auto *extGrid = makeGrid(gExtended);
    extGrid->addWidget(new QLabel(tr("RPD файл"), gExtended), 0, 0);
    lRPD = makePathField("lRPD", gExtended);
    extGrid->addWidget(lRPD, 0, 1);
    bOpenRPD = makeButton(tr("Обзор"), "bOpenRPD", gExtended);
    extGrid->addWidget(bOpenRPD, 0, 2);
    bUpdateRPD = makeButton(tr("Записать RPD"), "bUpdateRPD", gExtended);
    bUpdateRPD->setEnabled(false);
    extGrid->addWidget(bUpdateRPD, 1, 2);
    extGrid->addWidget(new QLabel(tr("BIN файл"), gExtended), 2, 0);
    lBIN = makePathField("lBIN", gExtended);
    extGrid->addWidget(lBIN, 2, 1);
    bOpenBIN = makeButton(tr("Обзор"), "bOpenBIN", gExtended);
    extGrid->addWidget(bOpenBIN, 2, 2);
    bUpdateBIN = makeButton(tr("Записать BIN"), "bUpdateBIN", gExtended);
    bUpdateBIN->setEnabled(false);
    extGrid->addWidget(bUpdateBIN, 3, 2);
    extGrid->addWidget(new QLabel(tr("FS файлы"), gExtended), 4, 0, Qt::AlignTop);
    lFS = new QListWidget(gExtended);
    lFS->setObjectName(QStringLiteral("lFS"));
    lFS->setFixedSize(kFieldWidth, 60);
    extGrid->addWidget(lFS, 4, 1);
    bOpenFS = makeButton(tr("Обзор"), "bOpenFS", gExtended);
    extGrid->addWidget(bOpenFS, 4, 2, Qt::AlignTop);
    bUpdateFS = makeButton(tr("Записать FS"), "bUpdateFS", gExtended);
    bUpdateFS->setEnabled(false);
    extGrid->addWidget(bUpdateFS, 5, 2);
    gExtended->hide();
    gExtended->setEnabled(false);
    layout->addWidget(gExtended);

    gUpdate = new QGroupBox(tr("Обновление ПО"), this);
    gUpdate->setObjectName(QStringLiteral("gUpdate"));
    auto *updGrid = makeGrid(gUpdate);
    updGrid->addWidget(new QLabel(tr("Прошивка"), gUpdate), 0, 0);
    lROM = makePathField("lROM", gUpdate);
    updGrid->addWidget(lROM, 0, 1);
    bOpenROM = makeButton(tr("Обзор"), "bOpenROM", gUpdate);
    updGrid->addWidget(bOpenROM, 0, 2);
    updGrid->addWidget(new QLabel(QStringLiteral("FS"), gUpdate), 1, 0);
    pbFS = makeBar("pbFS", gUpdate);
    updGrid->addWidget(pbFS, 1, 1);
    updGrid->addWidget(new QLabel(QStringLiteral("FPGA"), gUpdate), 2, 0);
    pbFPGA = makeBar("pbFPGA", gUpdate);
    updGrid->addWidget(pbFPGA, 2, 1);
    updGrid->addWidget(new QLabel(QStringLiteral("CPU"), gUpdate), 3, 0);
    pbCPU = makeBar("pbCPU", gUpdate);
    updGrid->addWidget(pbCPU, 3, 1);
    bUpdate = makeButton(tr("Записать"), "bUpdate", gUpdate);
    bUpdate->setEnabled(false);
    updGrid->addWidget(bUpdate, 3, 2);
    gUpdate->setEnabled(false);
    layout->addWidget(gUpdate, 1);

    gStatus = new QGroupBox(tr("Статус"), this);
    gStatus->setObjectName(QStringLiteral("gStatus"));
    auto *statusLayout = new QVBoxLayout(gStatus);
    statusLayout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    tStatus = new QPlainTextEdit(gStatus);
    tStatus->setObjectName(QStringLiteral("tStatus"));
    tStatus->setReadOnly(true);
    tStatus->setFixedHeight(kStatusHeight);
    tStatus->setPlainText(tr("Установите связь с прибором."));
    statusLayout->addWidget(tStatus);
    layout->addWidget(gStatus);

    m_starters = {cbPort, bConnect, bDisconnect, lSerial, bUpdateSerial,
                  bOpenRPD, bUpdateRPD, bOpenBIN, bUpdateBIN, bOpenFS, bUpdateFS,
                  bOpenROM, bUpdate};
}

void MainWindow::connectSignals()
{
    connect(bConnect, &QPushButton::clicked, this, &MainWindow::bConnectClicked);
    connect(bDisconnect, &QPushButton::clicked, this, &MainWindow::bDisconnectClicked);
    connect(lSerial, &QLineEdit::cursorPositionChanged, this, &MainWindow::lSerialCurPosChanged);
    connect(lSerial, &QLineEdit::textChanged, this, &MainWindow::lSerialTextChanged);
    connect(bUpdateSerial, &QPushButton::clicked, this, &MainWindow::bUpdateSerialClicked);
    connect(bOpenBIN, &QPushButton::clicked, this, &MainWindow::bOpenBINClicked);
    connect(bOpenRPD, &QPushButton::clicked, this, &MainWindow::bOpenRPDClicked);
    connect(bOpenFS, &QPushButton::clicked, this, &MainWindow::bOpenFSClicked);
    connect(bUpdateBIN, &QPushButton::clicked, this, &MainWindow::bUpdateBINClicked);
    connect(bUpdateRPD, &QPushButton::clicked, this, &MainWindow::bUpdateRPDClicked);
    connect(bUpdateFS, &QPushButton::clicked, this, &MainWindow::bUpdateFSClicked);
    connect(bOpenROM, &QPushButton::clicked, this, &MainWindow::bOpenROMClicked);
    connect(bUpdate, &QPushButton::clicked, this, &MainWindow::bUpdateClicked);

    connect(&m_updater, &Updater::message, this, [this](const QString &text) {
        appendStatus(text);
    });
    connect(&m_updater, &Updater::progressStarted, this, [this](Updater::Bar which, qint64 maximum) {
        // An empty range would turn the bar into an endless busy indicator.
        QProgressBar *progress = bar(which);
        progress->setRange(0, int(qBound<qint64>(1, maximum, qint64(INT_MAX))));
        progress->setValue(0);
    });
    connect(&m_updater, &Updater::progressChanged, this, [this](Updater::Bar which, qint64 value) {
        bar(which)->setValue(int(qMin<qint64>(value, INT_MAX)));
    });
    connect(&m_updater, &Updater::blockSent, this, [this](Updater::Bar which, qint64 value) {
        QProgressBar *progress = bar(which);
        progress->setValue(int(qMin<qint64>(value, INT_MAX)));
        setWindowTitle(kTitle + QStringLiteral(". ") + progress->text());
    });
    connect(&m_updater, &Updater::titleRestored, this, [this] { setWindowTitle(kTitle); });
    connect(&m_updater, &Updater::busyChanged, this, &MainWindow::setBusy);
    // The port went away: under an operation, which has said why by the
    // time it ends, or while the window waited for the user.
    connect(&m_updater, &Updater::busyChanged, this, [this](bool busy) {
        if (!busy)
            showConnectionLost(QString());
    });
    connect(&m_updater, &Updater::connectionLost, this, [this] {
        if (!m_busy)
            showConnectionLost(UpdateLink::errorText(UpdateLink::PortLost));
    });
}

void MainWindow::showConnectionLost(const QString &why)
{
    if (bDisconnect->isHidden() || m_updater.link().isConnected())
        return;
    if (!why.isEmpty())
        appendStatus(why);
    showDisconnected();
    appendStatus(tr("Установите связь с прибором."));
}

void MainWindow::fixSize()
{
    layout()->invalidate();
    layout()->activate();
    setFixedSize(sizeHint());
}

void MainWindow::showDeveloperView()
{
    gSerial->show();
    gExtended->show();
    fixSize();
}

void MainWindow::appendStatus(const QString &text)
{
    tStatus->appendPlainText(text);
}

QProgressBar *MainWindow::bar(Updater::Bar which) const
{
    switch (which) {
    case Updater::Bar::Fs:
        return pbFS;
    case Updater::Bar::Fpga:
        return pbFPGA;
    case Updater::Bar::Cpu:
        break;
    }
    return pbCPU;
}

// The link lets window events run while it waits for the tester; a click
// then must not start a second operation on it.
void MainWindow::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    if (busy) {
        for (QWidget *control : std::as_const(m_starters)) {
            // The control's own state, not the one inherited from its group.
            m_resumeState[control] = !control->testAttribute(Qt::WA_ForceDisabled);
            control->setEnabled(false);
        }
        m_busy = true;
    } else {
        m_busy = false;
        for (QWidget *control : std::as_const(m_starters))
            control->setEnabled(m_resumeState.value(control, true));
        m_resumeState.clear();
    }
}

void MainWindow::setControlEnabled(QWidget *control, bool enabled)
{
    if (m_busy)
        m_resumeState[control] = enabled;
    else
        control->setEnabled(enabled);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing would end the program under a running transfer and leave the
    // tester half-programmed; the operation finishes first.
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void MainWindow::reject()
{
    if (!m_busy)
        QDialog::reject();
}

void MainWindow::bConnectClicked()
{
    tStatus->clear();
    const QString port = cbPort->currentText();
    m_updater.connectDevice(port);
    if (!m_updater.link().isConnected())
        return;
    bConnect->hide();
    bDisconnect->show();
    setControlEnabled(cbPort, false);
    gUpdate->setEnabled(true);
    pbFS->setValue(0);
    pbFPGA->setValue(0);
    pbCPU->setValue(0);
    lSerial->setText(QStringLiteral("%1").arg(m_updater.link().serialNumber()));
    gSerial->setEnabled(true);
    gExtended->setEnabled(true);
}

void MainWindow::bDisconnectClicked()
{
    m_updater.disconnectDevice();
    showDisconnected();
    tStatus->setPlainText(tr("Установите связь с прибором."));
}

void MainWindow::showDisconnected()
{
    bDisconnect->hide();
    bConnect->show();
    setControlEnabled(cbPort, true);
    gUpdate->setEnabled(false);
    gSerial->setEnabled(false);
    gExtended->setEnabled(false);
}

void MainWindow::setRomFile(const QString &path)
{
    lROM->setText(path);
    lROM->setToolTip(path);
    setControlEnabled(bUpdate, !path.isEmpty());
}

void MainWindow::setBinFile(const QString &path)
{
    lBIN->setText(path);
    lBIN->setToolTip(path);
    setControlEnabled(bUpdateBIN, !path.isEmpty());
}

void MainWindow::setRpdFile(const QString &path)
{
    lRPD->setText(path);
    lRPD->setToolTip(path);
    setControlEnabled(bUpdateRPD, !path.isEmpty());
}

void MainWindow::setFsFiles(const QStringList &paths)
{
    lFS->clear();
    lFS->addItems(paths);
    setControlEnabled(bUpdateFS, lFS->count() > 0);
}

void MainWindow::bOpenROMClicked()
{
    setRomFile(QFileDialog::getOpenFileName(this, tr("Выберите файл прошивки."), QString(),
                                            QStringLiteral("ZORQV update file(*.qvup)")));
}

void MainWindow::bOpenBINClicked()
{
    setBinFile(QFileDialog::getOpenFileName(this, tr("Выберите файл прошивки."), QString(),
                                            QStringLiteral("CPU update file(*.bin)")));
}

void MainWindow::bOpenRPDClicked()
{
    setRpdFile(QFileDialog::getOpenFileName(this, tr("Выберите файл прошивки."), QString(),
                                            QStringLiteral("FPGA update file(*.rpd)")));
}

void MainWindow::bOpenFSClicked()
{
    lFS->clear();
    setFsFiles(QFileDialog::getOpenFileNames(this, tr("Выберите файлы для файловой системы."),
                                             QString(), QStringLiteral("All(*.*)")));
}

void MainWindow::bUpdateClicked()
{
    m_updater.updateCombinedFile(lROM->text());
}

void MainWindow::bUpdateBINClicked()
{
    m_updater.updateCpuFile(lBIN->text());
}

void MainWindow::bUpdateRPDClicked()
{
    m_updater.updateFpgaFile(lRPD->text());
}

void MainWindow::bUpdateFSClicked()
{
    QStringList paths;
    for (int i = 0; i < lFS->count(); ++i)
        paths << lFS->item(i)->text();
    m_updater.updateFsFiles(paths);
}

void MainWindow::bUpdateSerialClicked()
{
    m_updater.writeSerialNumber(lSerial->text());
}

void MainWindow::lSerialCurPosChanged(int oldPos, int newPos)
{
    Q_UNUSED(oldPos)
    if (newPos > SerialValidator::kDigits - 1)
        lSerial->setCursorPosition(SerialValidator::kDigits - 1);
}

void MainWindow::lSerialTextChanged(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    setControlEnabled(bUpdateSerial, ok && number < 65536);
}
