#pragma once

// The one way the program ends after an error or a deliberate exit, so that a
// test sees the end instead of the test process dying. Callers return at once
// after calling it.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram(int exitCode) = 0;
};
