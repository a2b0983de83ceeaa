#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private PulseAudio server with a null sink: sounds really play, nothing
// is heard. Must be started before the process first asks Qt for audio
// devices, because Qt keeps the first answer.
class NullSinkServer final
{
public:
    NullSinkServer() = default;
    ~NullSinkServer();
    NullSinkServer(const NullSinkServer &) = delete;
    NullSinkServer &operator=(const NullSinkServer &) = delete;

    // Starts the server and points PULSE_SERVER at it; false with a reason
    // when no server can be started here.
    bool start(QString *reason);

private:
    QTemporaryDir m_runtime;
    QProcess m_server;
};
