#pragma once

// Bounds of the level and student tables; index 0 of either stays unused.
inline constexpr int MaxLevel = 35;
inline constexpr int MaxStudent = 5000;
