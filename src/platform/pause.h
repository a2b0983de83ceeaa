#pragma once

#include <QEventLoop>

// Waits a while with the window kept responsive; tests replace it so that a
// retry rule does not cost them real seconds.
class Pause
{
public:
    virtual ~Pause() = default;
    virtual void wait(int milliseconds) = 0;
    // The same, but keys and clicks wait until it is over, as during a sound.
    virtual void waitHoldingInput(int milliseconds) { wait(milliseconds); }
};

// Runs a local event loop for the time, so screens repaint and timers fire.
class EventLoopPause final : public Pause
{
public:
    void wait(int milliseconds) override;
    void waitHoldingInput(int milliseconds) override;

private:
    static void run(int milliseconds, QEventLoop::ProcessEventsFlags flags);
};
