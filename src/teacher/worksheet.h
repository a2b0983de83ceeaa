#pragma once

#include <QString>

#include <array>
#include <vector>

#include "drill/drillproblem.h"
#include "drill/factmap.h"

// One printed practice sheet of a level's 100 facts. The order comes from a
// seed alone (and, for a weak-facts sheet, the student's statistics), the
// same on every machine, so the seed in a sheet's footer prints it again.
struct Worksheet
{
    enum class Layout {
        // The 100マス grid: operands down the side and along the top.
        HundredSquares,
        // The facts numbered 1..100 in four columns.
        Numbered,
    };

    struct Problem
    {
        int code = 0;
        ProblemFace face;

        // "12－7＝", as the problem is written on the numbered sheet.
        QString question() const;
    };

    static constexpr int DivisionLevel = 4;

    int level = 0;
    Layout layout = Layout::Numbered;
    quint32 seed = 0;
    // The fact map's rows and columns in printed order (100マス only; a
    // division sheet prints no columns).
    std::array<int, FactMap::Side> rows{};
    std::array<int, FactMap::Side> columns{};
    // 100マス: row by row, ten to a row; numbered: in number order.
    std::vector<Problem> problems;
    // The student whose statistics ordered a weak-facts sheet; 0 otherwise.
    int student = 0;

    bool weakFacts() const { return student != 0; }
    // A 100マス division sheet: the divisor down the side and the dividend in
    // each cell, since a quotient along the top would be the answer itself.
    // Its cells run in an order of their own in every row.
    bool quotientsInCells() const;
    // What a 100マス sheet writes beside row `row` and above column `column`.
    int rowOperand(int row) const;
    int columnOperand(int column) const;

    // A level outside ProblemSet's programs gives a sheet without problems.
    static Worksheet hundredSquares(int level, quint32 seed);
    static Worksheet numbered(int level, quint32 seed);
    // The numbered sheet of `student`'s facts, weakest first (see weakOrder).
    static Worksheet weakFirst(int level, int student, const DrillProblemTable &facts, quint32 seed);

    // 0..count-1 shuffled by Fisher–Yates over QRandomGenerator(seed): unlike
    // std::shuffle, the same on every standard library.
    static std::vector<int> seededOrder(int count, quint32 seed);

    // Codes 0..99 of `facts` (entries 1..100), weakest first: the highest
    // share of wrong answers first; among equal shares the slowest average;
    // facts never tried last. A student is best helped by what goes wrong,
    // then by what is slow, and an untried fact says nothing yet. Ties keep
    // the seeded order, so they do not run in code order down the sheet.
    static std::vector<int> weakOrder(const DrillProblemTable &facts, quint32 seed);
};
