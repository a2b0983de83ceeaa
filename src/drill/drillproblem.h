#pragma once

#include <QString>

#include <array>
#include <optional>

inline constexpr int MaxProblemCount = 100;

// One problem of a session. The counters are cumulative over all sessions of
// the student at this level and come from the statistics file.
struct DrillProblem
{
    int Code = 0;
    bool Used = false; // drawn in this pass
    bool Done = false; // answered right
    float CorrectCount = 0;
    float WrongCount = 0;
    double TotalTime = 0;

    bool tried() const { return CorrectCount + WrongCount > 0; }
};

// Indices 1..100; index 0 is never used.
using DrillProblemTable = std::array<DrillProblem, MaxProblemCount + 1>;

// A problem as the drill screen shows it.
struct ProblemFace
{
    int FirstOperand = 0;
    QString Operator;
    int SecondOperand = 0;
    int ExpectedAnswer = 0;
};

// The fixed 100 problems of the four programs, from a problem's code 0..99.
namespace ProblemSet {

// The level of each program.
inline constexpr int AdditionLevel = 1;
inline constexpr int SubtractionLevel = 2;
inline constexpr int MultiplicationLevel = 3;
inline constexpr int DivisionLevel = 4;
inline constexpr int FirstLevel = AdditionLevel;
inline constexpr int LastLevel = DivisionLevel;

// nullopt for a level that is no arithmetic program or a code outside 0..99.
std::optional<ProblemFace> faceOf(int level, int code);

// The problem as the statistics lists write it, with plain "+" and "-":
// "4×3", "72÷8"; empty for an unknown level or code.
QString listText(int level, int code);

// The problem with its right answer, as the screens write it: "12－7＝5";
// empty for an unknown level or code.
QString withAnswer(int level, int code);

} // namespace ProblemSet
