#pragma once

#include <QString>

// Tells whoever sits at the screen that the program is waiting for another
// copy of the program, so that a pause of seconds does not look like a hang.
class WaitNotice
{
public:
    virtual ~WaitNotice() = default;
    virtual void showWaiting(const QString &text) = 0;
    virtual void hideWaiting() = 0;
};
