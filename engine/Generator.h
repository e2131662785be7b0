#pragma once

#include <cstdint>
#include <functional>

#include "MinesweeperSolver.h"
#include "RandomSource.h"

namespace velmora {

inline constexpr int kMaxGenerationAttempts = 1000;

// What one generation did, for tools and benchmarks.
struct GenerationReport {
    int attempts = 0;        // layouts drawn
    int solverCalls = 0;     // layouts given to the verifier
    bool lastVerdict = false; // the verifier's answer on the returned layout, when asked
};

// Replaces the deduction solver as the judge of a layout (tests use it to count calls).
using LayoutVerifier = std::function<bool(const MineLayout&, std::int64_t start)>;

// Draws mine layouts that keep `safeIndex` and its neighbours clear until one is proven
// solvable from `safeIndex` (at most 1000 draws; the last is dealt if none passes).
// With verify false the first draw is returned unchecked.
MineLayout generateMines(std::int64_t rows, std::int64_t columns, std::int64_t mineCount, std::int64_t safeIndex,
                         bool verify, RandomSource& random, GenerationReport* report = nullptr,
                         const LayoutVerifier& verifier = {});

}  // namespace velmora
