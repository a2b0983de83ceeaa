#pragma once

#include <array>

// The 20 numbered counting blocks that help with a wrong answer.
namespace CountingBlocks {

inline constexpr int Count = 20;
// Index 0 is unused so that block n is element n.
using Visibility = std::array<bool, Count + 1>;

// Blocks after a wrong answer. Subtraction shows exactly the blocks
// second + 1 .. first (as many as the answer); the other levels add the
// blocks second + 1 .. 10 to those already shown.
Visibility afterWrongAnswer(int level, int firstOperand, int secondOperand, const Visibility &before);

} // namespace CountingBlocks
