#include "mainform.h"
#include "qvversion.h"
#include "reportcommand.h"
#include "sessionrecorder.h"
#include "validators.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

#include <cstdio>
#include <cstring>

namespace {

// Prints a command-line mistake the way QCommandLineParser prints its own.
int usageError(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 2;
}

// --help and --version print and end: they need no display (a terminal over
// ssh, the manual pages made at build time).
bool printsOnly(int argc, char **argv)
{
    static const char *const options[] = {"-h", "--help", "-help", "-?", "-v", "--version", "-version"};
    for (int i = 1; i < argc; ++i) {
        for (const char *option : options) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // Reports from the command line need no window, nor a display.
    const bool reportMode = ReportCommand::requested(argc, argv);
    if (reportMode)
        ReportCommand::prepare();
    else if (printsOnly(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QVRemote"));
    QApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
    if (reportMode)
        return ReportCommand::run(app);

    // The program speaks Russian from the start, its help text included.
    QTranslator helpRu;
    QTranslator helpQtRu;
    if (helpQtRu.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&helpQtRu);
    if (helpRu.load(QStringLiteral("QVRemote_ru"), QStringLiteral(":/")))
        QApplication::installTranslator(&helpRu);

    QCommandLineParser parser;
    // "-dev" is one option, not -d -e -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QApplication::translate("main", "Remote control of the ZORT-QV and ZORT-QVB Ethernet testers."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dev(QStringLiteral("dev"),
        QApplication::translate("main", "Show the debug registers and the tester's debug window."));
    const QCommandLineOption connectTo(QStringLiteral("connect"),
        QApplication::translate("main", "Connect over Ethernet to the tester at <address> (IPv4)."),
        QApplication::translate("main", "address"));
    const QCommandLineOption serial(QStringLiteral("serial"),
        QApplication::translate("main", "Connect to the tester on the serial port <port> (a name or a device path)."),
        QApplication::translate("main", "port"));
    // Only for the help text: --report switches to its own parser before this one.
    const QCommandLineOption report(QStringLiteral("report"),
        QApplication::translate("main", "Write the PDF reports of <resultfile> without a window "
                                        "(--report --help shows its options)."),
        QApplication::translate("main", "resultfile"));
    const QCommandLineOption noRecord(QStringLiteral("no-record"),
        QApplication::translate("main", "Do not record the sessions with the tester."));
    parser.addOptions({dev, connectTo, serial, report, noRecord});
    // Not process(): a mistake ends the program with the usage-error code.
    if (!parser.parse(QApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp();
    if (parser.isSet(version))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty())
        return usageError(QApplication::translate("main", "Unexpected argument: %1")
                              .arg(parser.positionalArguments().constFirst()));

    if (parser.isSet(connectTo) && parser.isSet(serial))
        return usageError(QApplication::translate("main", "--connect and --serial cannot be used together."));
    const QString address = parser.value(connectTo);
    if (parser.isSet(connectTo) && !Validators::isIpv4(address))
        return usageError(QApplication::translate("main", "%1 is not an IPv4 address.").arg(address));
    const QString port = parser.value(serial).trimmed();
    if (parser.isSet(serial)) {
        const QString problem = MainForm::serialPortProblem(port);
        if (!problem.isEmpty())
            return usageError(problem);
    }

    QApplication::removeTranslator(&helpRu);
    QApplication::removeTranslator(&helpQtRu);

    // One diagnostic line per packet is for developers: shown with "-dev" or
    // when QT_LOGGING_RULES asks for it, not in an engineer's terminal.
    if (!parser.isSet(dev) && qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    SessionRecorder::Settings recording = SessionRecorder::Settings::load(QApplication::applicationName());
    if (parser.isSet(noRecord))
        recording.enabled = false;
    SessionRecorder recorder(QApplication::applicationName(), QApplication::applicationVersion(), recording);
    MainForm form;
    form.setRecorder(&recorder);
    if (parser.isSet(dev))
        form.showDeveloperControls();
    form.show();
    if (parser.isSet(connectTo))
        form.connectEthernet(address);
    else if (parser.isSet(serial)) {
        // A port that exists but cannot be opened (busy, not a serial
        // device): the window says so too, and stays for another try.
        const QString problem = form.connectSerial(port);
        if (!problem.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(problem));
    }
    return app.exec();
}
