#include "Generator.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {

MineLayout generateMines(std::int64_t rows, std::int64_t columns, std::int64_t mineCount, std::int64_t safeIndex,
                         bool verify, RandomSource& random, GenerationReport* report,
                         const LayoutVerifier& verifier) {
    const MinesweeperSolver solver(columns, rows);
    const std::int64_t n = solver.tileCount();
    if (safeIndex < 0 || safeIndex >= n || mineCount < 0) std::abort();

    MineLayout excluded(static_cast<std::size_t>(n), 0);
    excluded[static_cast<std::size_t>(safeIndex)] = 1;
    for (auto nb : solver.neighbors(safeIndex)) excluded[static_cast<std::size_t>(nb)] = 1;

    std::vector<std::int64_t> candidates;
    candidates.reserve(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) {
        if (!excluded[static_cast<std::size_t>(i)]) candidates.push_back(i);
    }
    if (static_cast<std::int64_t>(candidates.size()) < mineCount) std::abort();

    const auto count = static_cast<std::uint64_t>(candidates.size());
    MineLayout layout(static_cast<std::size_t>(n), 0);
    std::vector<std::int64_t> shuffled(candidates.size());
    SolverWorkspace workspace;
    GenerationReport local;
    GenerationReport& r = report ? *report : local;
    r = {};

    for (int attempt = 0; attempt < kMaxGenerationAttempts; ++attempt) {
        // Every attempt starts from the same ascending list and an empty layout.
        std::fill(layout.begin(), layout.end(), 0);
        std::copy(candidates.begin(), candidates.end(), shuffled.begin());
        for (std::uint64_t i = 0; i < static_cast<std::uint64_t>(mineCount); ++i) {
            const std::uint64_t k = random.uniform(count - i);
            if (k != 0) std::swap(shuffled[i], shuffled[i + k]);
            layout[static_cast<std::size_t>(shuffled[i])] = 1;
        }
        ++r.attempts;
        if (!verify) return layout;
        ++r.solverCalls;
        r.lastVerdict = verifier ? verifier(layout, safeIndex) : solver.isSolvable(layout, safeIndex, workspace);
        if (r.lastVerdict) return layout;
    }
    return layout;
}

}  // namespace velmora
