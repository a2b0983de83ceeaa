#include "drill/countingblocks.h"

#include <algorithm>

#include "drill/drillproblem.h"

namespace CountingBlocks {

namespace {

constexpr int OtherLevelsLastBlock = 10;

void show(Visibility &blocks, int from, int to)
{
    for (int n = std::max(from, 1); n <= std::min(to, Count); ++n)
        blocks[std::size_t(n)] = true;
}

} // namespace

Visibility afterWrongAnswer(int level, int firstOperand, int secondOperand, const Visibility &before)
{
    if (level == ProblemSet::SubtractionLevel) {
        Visibility blocks{};
        show(blocks, secondOperand + 1, firstOperand);
        return blocks;
    }
    Visibility blocks = before;
    show(blocks, secondOperand + 1, OtherLevelsLastBlock);
    return blocks;
}

} // namespace CountingBlocks
