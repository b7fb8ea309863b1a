#include "simprocess.h"

#include <QElapsedTimer>

namespace {
constexpr int kStopWaitMs = 3000;
} // namespace

SimProcess::SimProcess(Link link, const QStringList &extraArguments)
    : m_link(link)
    , m_extra(extraArguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

SimProcess::~SimProcess()
{
    stop();
}

QString SimProcess::program()
{
#ifdef QVSIM_PATH
    return QStringLiteral(QVSIM_PATH);
#else
    return {};
#endif
}

bool SimProcess::start(int timeoutMs)
{
    if (program().isEmpty()) {
        m_error = QStringLiteral("qvsim was not built with these tests");
        return false;
    }
    QStringList arguments{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")};
    if (m_link == Link::Pty)
        arguments << QStringLiteral("--pty");
    // Tests open the pty by a link of their own: QSerialPort locks a port by
    // its name, and a pts number freed by one test's qvsim and taken by the
    // next may still be locked by the first test's program.
    if ((m_link == Link::Pty || m_extra.contains(QLatin1String("--updater")))
        && !m_extra.contains(QLatin1String("--pty-link")) && m_linkDir.isValid()) {
        m_linkPath = m_linkDir.filePath(QStringLiteral("tty"));
        arguments << QStringLiteral("--pty-link") << m_linkPath;
    }
    arguments << m_extra;
    // The noise run of the end-to-end tests: every qvsim fills the bytes the
    // protocol leaves undefined, unless the test chose otherwise.
    const QString undefined = qEnvironmentVariable("QVSIM_UNDEFINED");
    if (!undefined.isEmpty() && !m_extra.contains(QLatin1String("--undefined")))
        arguments << QStringLiteral("--undefined") << undefined;
    m_process.start(program(), arguments);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(program(), m_process.errorString());
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (!m_ready) {
        while (!m_ready && m_process.canReadLine()) {
            const QByteArray line = m_process.readLine();
            m_output += line;
            parseLine(line.trimmed());
        }
        if (m_ready)
            break;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || m_process.state() == QProcess::NotRunning || !m_process.waitForReadyRead(int(left))) {
            m_output += m_process.readAll();
            m_error = QStringLiteral("qvsim did not get ready: %1").arg(QString::fromLocal8Bit(m_output));
            stop();
            return false;
        }
    }
    return true;
}

void SimProcess::parseLine(const QByteArray &line)
{
    static const QByteArray listening = "qvsim: listening on ";
    static const QByteArray pty = "qvsim: pty ";
    static const QByteArray seed = "qvsim: seed ";
    if (line.startsWith(listening)) {
        const QByteArray where = line.mid(listening.size());
        m_port = quint16(where.mid(where.lastIndexOf(':') + 1).toUInt());
    } else if (line.startsWith(pty)) {
        m_ptyPath = m_linkPath.isEmpty() ? QString::fromLocal8Bit(line.mid(pty.size())) : m_linkPath;
    } else if (line.startsWith(seed)) {
        m_seed = line.mid(seed.size()).toUInt();
    } else if (line == "qvsim: ready") {
        m_ready = true;
    }
}

bool SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    m_process.terminate();
    if (!m_process.waitForFinished(kStopWaitMs)) {
        m_process.kill();
        m_process.waitForFinished(kStopWaitMs);
        return false;
    }
    m_output += m_process.readAll();
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

QByteArray SimProcess::output()
{
    m_output += m_process.readAll();
    return m_output;
}
