#pragma once

#include "platform/programend.h"

// Closes every window, last opened first, and ends the process.
class ApplicationEnd final : public ProgramEnd
{
public:
    [[noreturn]] void endProgram(int exitCode) override;
};
