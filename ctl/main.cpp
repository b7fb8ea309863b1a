#include "cli.h"
#include "qvversion.h"

#include <QGuiApplication>
#include <QLoggingCategory>

int main(int argc, char *argv[])
{
    // No window and no display: over ssh, in a container, under CI. The
    // reports and the screen picture are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Scripts read stderr for what went wrong; the engine's and the
    // platform's chatter stays out of it unless QT_LOGGING_RULES asks.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("qvctl"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
    return Cli::run(QGuiApplication::arguments());
}
