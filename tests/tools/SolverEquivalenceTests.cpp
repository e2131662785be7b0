#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Generator.h"
#include "MinesweeperSolver.h"

using namespace velmora;

namespace {

// The two rules applied the slow, obvious way: a full rescan after every change, every
// pair of constraints compared, no incremental state and no bit tricks.
class PlainSolver {
public:
    PlainSolver(int rows, int columns) : rows_(rows), columns_(columns) {}

    bool solvable(const MineLayout& mines, int start) {
        const int n = rows_ * columns_;
        count_.assign(n, 0);
        int target = 0;
        for (int i = 0; i < n; ++i) {
            if (!mines[i]) ++target;
            for (int nb : around(i)) count_[i] += mines[nb] ? 1 : 0;
        }
        state_.assign(n, kUnknown);
        revealed_ = 0;
        open(start);
        for (;;) {
            if (revealed_ == target) return true;
            if (singlePass()) continue;
            if (!subsetPass()) return false;
        }
    }

private:
    enum { kUnknown, kOpen, kMine };
    struct Constraint {
        std::vector<int> tiles;
        int mines;
    };

    const std::vector<int>& around(int t) {
        if (neighbours_.empty()) {
            for (int i = 0; i < rows_ * columns_; ++i) neighbours_.push_back(listAround(i));
        }
        return neighbours_[static_cast<std::size_t>(t)];
    }

    std::vector<int> listAround(int t) const {
        std::vector<int> out;
        const int r = t / columns_, c = t % columns_;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if ((dr || dc) && r + dr >= 0 && r + dr < rows_ && c + dc >= 0 && c + dc < columns_)
                    out.push_back((r + dr) * columns_ + c + dc);
        return out;
    }

    void open(int from) {
        std::vector<int> stack{from};
        while (!stack.empty()) {
            const int t = stack.back();
            stack.pop_back();
            if (state_[t] != kUnknown) continue;
            state_[t] = kOpen;
            ++revealed_;
            if (count_[t] == 0)
                for (int nb : around(t)) stack.push_back(nb);
        }
    }

    std::vector<Constraint> constraints() {
        std::vector<Constraint> out;
        for (int t = 0; t < rows_ * columns_; ++t) {
            if (state_[t] != kOpen || count_[t] == 0) continue;
            Constraint c{{}, count_[t]};
            for (int nb : around(t)) {
                if (state_[nb] == kUnknown) c.tiles.push_back(nb);
                if (state_[nb] == kMine) --c.mines;
            }
            if (!c.tiles.empty()) out.push_back(c);
        }
        return out;
    }

    bool settle(const std::vector<int>& tiles, bool safe) {
        bool changed = false;
        for (int t : tiles) {
            if (state_[t] != kUnknown) continue;
            changed = true;
            if (safe)
                open(t);
            else
                state_[t] = kMine;
        }
        return changed;
    }

    // One scan over every number, applying the rule wherever it holds.
    bool singlePass() {
        bool changed = false;
        for (const auto& c : constraints()) {
            if (c.mines == 0) changed |= settle(c.tiles, true);
            if (c.mines == static_cast<int>(c.tiles.size())) changed |= settle(c.tiles, false);
        }
        return changed;
    }

    bool subsetPass() {
        const auto all = constraints();
        for (const auto& a : all) {
            for (const auto& b : all) {
                if (b.tiles.size() <= a.tiles.size()) continue;
                if (!std::all_of(a.tiles.begin(), a.tiles.end(), [&](int t) {
                        return std::find(b.tiles.begin(), b.tiles.end(), t) != b.tiles.end();
                    }))
                    continue;
                std::vector<int> rest;
                for (int t : b.tiles)
                    if (std::find(a.tiles.begin(), a.tiles.end(), t) == a.tiles.end()) rest.push_back(t);
                const int difference = b.mines - a.mines;
                if (difference == 0 && settle(rest, true)) return true;
                if (difference == static_cast<int>(rest.size()) && settle(rest, false)) return true;
            }
        }
        return false;
    }

    int rows_, columns_;
    std::vector<int> count_;
    std::vector<int> state_;
    std::vector<std::vector<int>> neighbours_;
    int revealed_ = 0;
};

struct Shape {
    int rows, columns, mines;
};

// Compares verdicts on `boards` layouts of the shape, dealt around random first tiles the way
// the generator deals them, and returns how many were solvable.
int compareOn(Shape s, int boards, SeededRandomSource& random) {
    const MinesweeperSolver fast(s.columns, s.rows);
    PlainSolver plain(s.rows, s.columns);
    SolverWorkspace workspace;
    int solvable = 0;
    for (int i = 0; i < boards; ++i) {
        const auto start = static_cast<int>(random.uniform(static_cast<std::uint64_t>(s.rows * s.columns)));
        const auto layout = generateMines(s.rows, s.columns, s.mines, start, false, random);
        const bool expected = plain.solvable(layout, start);
        const bool verdict = fast.isSolvable(layout, start, workspace);
        EXPECT_EQ(verdict, expected) << s.rows << "x" << s.columns << " with " << s.mines << " mines, board " << i
                                     << ", start " << start;
        if (verdict != expected) break;
        solvable += expected ? 1 : 0;
    }
    return solvable;
}

}  // namespace

TEST(FastSolverEquivalence, AgreesWithPlainRulesOnTheThreeDifficulties) {
    SeededRandomSource random(7001);
    // The real densities and denser ones, so that both verdicts are common.
    for (Shape s : {Shape{9, 9, 10}, Shape{16, 16, 40}, Shape{22, 22, 99}, Shape{9, 9, 16}, Shape{16, 16, 52},
                    Shape{22, 22, 85}}) {
        const int boards = 600;
        const int solvable = compareOn(s, boards, random);
        EXPECT_GT(solvable, boards / 50) << s.rows << "x" << s.columns << " " << s.mines;
        EXPECT_LT(solvable, boards - boards / 50) << s.rows << "x" << s.columns << " " << s.mines;
    }
}

TEST(FastSolverEquivalence, AgreesAtTheEdgesOfTheBitBoardAndBeyond) {
    SeededRandomSource random(7002);
    // Up to 60 a side the bit boards serve; wider or taller boards take the framed arrays.
    for (Shape s : {Shape{60, 60, 500}, Shape{60, 61, 500}, Shape{64, 64, 560}, Shape{1, 60, 6}, Shape{61, 1, 6},
                    Shape{2, 64, 14}, Shape{64, 3, 20}, Shape{1, 1, 0}, Shape{3, 3, 0}}) {
        compareOn(s, 8, random);
    }
}

TEST(FastSolverEquivalence, AgreesWhenTheFirstTileShowsANumber) {
    // The solver's contract only keeps the first tile itself free of mines.
    SeededRandomSource random(7003);
    for (Shape s : {Shape{9, 9, 12}, Shape{16, 16, 45}, Shape{22, 22, 90}, Shape{62, 62, 480}}) {
        const MinesweeperSolver fast(s.columns, s.rows);
        PlainSolver plain(s.rows, s.columns);
        const auto n = static_cast<std::uint64_t>(s.rows * s.columns);
        for (int i = 0; i < (n > 1000 ? 8 : 200); ++i) {
            MineLayout layout(n, 0);
            for (int placed = 0; placed < s.mines;) {
                auto& tile = layout[random.uniform(n)];
                if (!tile) tile = 1, ++placed;
            }
            int start = static_cast<int>(random.uniform(n));
            while (layout[static_cast<std::size_t>(start)]) start = (start + 1) % static_cast<int>(n);
            ASSERT_EQ(fast.isSolvable(layout, start), plain.solvable(layout, start))
                << s.rows << "x" << s.columns << " layout " << i << " start " << start;
        }
    }
}
