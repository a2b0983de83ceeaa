#pragma once

#include <optional>

#include "platform/programend.h"

// Closes every window, last opened first, and leaves the event loop; main
// returns the code asked for here.
class ApplicationEnd final : public ProgramEnd
{
public:
    void endProgram(int exitCode) override;
    std::optional<int> exitCode() const { return m_exitCode; }

private:
    std::optional<int> m_exitCode;
};
