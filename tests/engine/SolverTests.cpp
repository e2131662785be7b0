#include <gtest/gtest.h>

#include <set>

#include "Generator.h"
#include "MinesweeperSolver.h"

using namespace velmora;
using K = MinesweeperSolver::Knowledge;

namespace {

// The deduction loop exactly as a reader of the rules would write it: rescan everything,
// compare every pair, no incremental state. The engine's solver must agree with it.
bool plainIsSolvable(const MinesweeperSolver& s, const MineLayout& mines, std::int64_t start) {
    const auto n = s.tileCount();
    std::vector<std::int64_t> counts(static_cast<std::size_t>(n));
    std::int64_t target = 0;
    for (std::int64_t i = 0; i < n; ++i) {
        if (!mines[i]) ++target;
        for (auto nb : s.neighbors(i)) counts[i] += mines[nb];
    }
    std::vector<K> k(static_cast<std::size_t>(n), K::unknown);
    std::int64_t revealed = 0;
    s.floodReveal(start, k, revealed, counts);
    if (revealed == target) return true;
    for (;;) {
        std::vector<std::pair<std::vector<std::int64_t>, std::int64_t>> constraints;
        for (;;) {
            bool progress = false;
            constraints.clear();
            for (std::int64_t t = 0; t < n; ++t) {
                if (k[t] != K::revealed || counts[t] < 1) continue;
                std::vector<std::int64_t> unknown;
                std::int64_t known = 0;
                for (auto nb : s.neighbors(t)) {
                    if (k[nb] == K::unknown) unknown.push_back(nb);
                    else if (k[nb] == K::mine) ++known;
                }
                if (unknown.empty()) continue;
                const auto remaining = counts[t] - known;
                if (remaining == 0) {
                    for (auto x : unknown)
                        if (k[x] == K::unknown) s.floodReveal(x, k, revealed, counts);
                    progress = true;
                } else if (remaining == static_cast<std::int64_t>(unknown.size())) {
                    for (auto x : unknown) k[x] = K::mine;
                    progress = true;
                } else {
                    constraints.push_back({unknown, remaining});
                }
            }
            if (!progress) break;
            if (revealed == target) return true;
        }
        bool progress = false;
        for (std::size_t a = 0; a < constraints.size() && !progress; ++a) {
            const std::set<std::int64_t> A(constraints[a].first.begin(), constraints[a].first.end());
            for (std::size_t b = 0; b < constraints.size(); ++b) {
                const auto& B = constraints[b];
                if (b == a || B.first.size() <= A.size()) continue;
                std::size_t matched = 0;
                for (auto x : B.first) matched += A.count(x);
                if (matched != A.size()) continue;
                std::vector<std::int64_t> rest;
                for (auto x : B.first)
                    if (!A.count(x)) rest.push_back(x);
                const auto difference = B.second - constraints[a].second;
                for (auto x : rest) {
                    if (k[x] != K::unknown) continue;
                    if (difference == 0) {
                        s.floodReveal(x, k, revealed, counts);
                        progress = true;
                    } else if (difference == static_cast<std::int64_t>(rest.size())) {
                        k[x] = K::mine;
                        progress = true;
                    }
                }
            }
        }
        if (!progress) return false;
        if (revealed == target) return true;
    }
}

}  // namespace

TEST(SolverEquivalence, FastSolverAgreesWithPlainDeductionOnRandomLayouts) {
    SeededRandomSource random(20261207);
    struct Board { std::int64_t side, mines; };
    int solvable = 0, total = 0;
    for (Board b : {Board{9, 10}, Board{16, 40}, Board{22, 99}, Board{9, 18}, Board{16, 55}, Board{22, 120},
                    Board{5, 4}, Board{30, 150}}) {
        const MinesweeperSolver solver(b.side, b.side);
        for (int i = 0; i < 600; ++i) {
            const auto start = static_cast<std::int64_t>(random.uniform(static_cast<std::uint64_t>(b.side * b.side)));
            const auto layout = generateMines(b.side, b.side, b.mines, start, false, random);
            const bool expected = plainIsSolvable(solver, layout, start);
            ASSERT_EQ(solver.isSolvable(layout, start), expected) << "side " << b.side << " start " << start;
            solvable += expected;
            ++total;
        }
    }
    // Both verdicts must be well represented or the comparison proves little.
    EXPECT_GT(solvable, total / 5);
    EXPECT_LT(solvable, total * 4 / 5);
}

TEST(SolverEquivalence, RectangularBoardsAgreeToo) {
    SeededRandomSource random(99);
    for (auto [rows, cols] : {std::pair{1, 12}, {3, 40}, {64, 7}, {12, 1}}) {
        const MinesweeperSolver solver(cols, rows);
        for (int i = 0; i < 300; ++i) {
            const auto n = static_cast<std::uint64_t>(rows * cols);
            const auto start = static_cast<std::int64_t>(random.uniform(n));
            const std::int64_t candidates = solver.tileCount() - 1 - static_cast<std::int64_t>(solver.neighbors(start).size());
            const auto layout = generateMines(rows, cols, std::min<std::int64_t>(candidates, static_cast<std::int64_t>(n / 6)),
                                              start, false, random);
            ASSERT_EQ(solver.isSolvable(layout, start), plainIsSolvable(solver, layout, start));
        }
    }
}
