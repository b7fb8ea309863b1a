#include "batchrunner.h"
#include "mainwindow.h"
#include "qvversion.h"
#include "sessionrecorder.h"

#include <QApplication>
#include <QCoreApplication>

#include <memory>

namespace {

const QString kProgram = QStringLiteral("QVUpdater");

SessionRecorder::Settings recordingSettings(const QStringList &arguments)
{
    SessionRecorder::Settings settings = SessionRecorder::Settings::load(kProgram);
    if (arguments.contains(BatchRunner::NoRecord))
        settings.enabled = false;
    return settings;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // The batch mode needs no display: a production line runs it headless.
    if (BatchRunner::wanted(arguments)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(kProgram);
        QCoreApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
        SessionRecorder recorder(kProgram, QCoreApplication::applicationVersion(), recordingSettings(arguments));
        BatchRunner runner;
        runner.updater().link().setRecorder(&recorder);
        return runner.run(app.arguments());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgram);
    QApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
    SessionRecorder recorder(kProgram, QCoreApplication::applicationVersion(), recordingSettings(arguments));
    MainWindow window;
    window.updater().link().setRecorder(&recorder);
    const QStringList args = app.arguments();
    for (const QString &argument : args) {
        if (argument == QLatin1String("-dev"))
            window.showDeveloperView();
    }
    window.show();
    return app.exec();
}
