#include "batchrunner.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCoreApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // The batch mode needs no display: a production line runs it headless.
    if (BatchRunner::wanted(arguments)) {
        QCoreApplication app(argc, argv);
        BatchRunner runner;
        return runner.run(app.arguments());
    }

    QApplication app(argc, argv);
    MainWindow window;
    const QStringList args = app.arguments();
    for (const QString &argument : args) {
        if (argument == QLatin1String("-dev"))
            window.showDeveloperView();
    }
    window.show();
    return app.exec();
}
