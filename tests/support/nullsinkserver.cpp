#include "support/nullsinkserver.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

NullSinkServer::~NullSinkServer()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(3000))
            m_server.kill();
        m_server.waitForFinished(3000);
    }
}

bool NullSinkServer::start(QString *reason)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty()) {
        *reason = QStringLiteral("pulseaudio is not installed");
        return false;
    }
    if (!m_runtime.isValid()) {
        *reason = QStringLiteral("no temporary folder for the server");
        return false;
    }
    // A private runtime folder keeps this server apart from any other one.
    const QString socket = m_runtime.filePath(QStringLiteral("native"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("HOME"), m_runtime.path());
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.start(program, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
                             QStringLiteral("-L"), QStringLiteral("module-null-sink"), QStringLiteral("-L"),
                             QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket,
                             QStringLiteral("-L"), QStringLiteral("module-always-sink")});
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(socket) && waited.elapsed() < 5000) {
        if (m_server.state() == QProcess::NotRunning || m_server.waitForFinished(50))
            break;
    }
    if (!QFileInfo::exists(socket)) {
        *reason = QStringLiteral("pulseaudio did not start: ") + QString::fromLocal8Bit(m_server.readAll());
        return false;
    }
    qputenv("PULSE_SERVER", QByteArray("unix:") + socket.toLocal8Bit());
    return true;
}
