#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MinesweeperSolver.h"

using namespace velmora;
using K = MinesweeperSolver::Knowledge;

namespace {

// A position for safeTiles, one string per row: '#' covered, 'M' known mine, a digit an
// uncovered tile with that count, 'a'..'i' a covered tile whose count (0..8) is supplied anyway.
struct Position {
    MinesweeperSolver solver;
    std::vector<K> knowledge;
    std::vector<std::int64_t> counts;
};

Position position(const std::vector<std::string>& rows) {
    Position p{MinesweeperSolver(static_cast<std::int64_t>(rows[0].size()), static_cast<std::int64_t>(rows.size())),
               {}, {}};
    for (const auto& row : rows) {
        for (char c : row) {
            const bool number = c >= '0' && c <= '8';
            const bool coveredWithCount = c >= 'a' && c <= 'i';
            p.knowledge.push_back(number ? K::revealed : c == 'M' ? K::mine : K::unknown);
            p.counts.push_back(number ? c - '0' : coveredWithCount ? c - 'a' : 0);
        }
    }
    return p;
}

std::vector<std::int64_t> safe(const std::vector<std::string>& rows) {
    auto p = position(rows);
    return p.solver.safeTiles(p.knowledge, p.counts);
}

MineLayout mines(const std::vector<std::string>& rows) {
    MineLayout m;
    for (const auto& row : rows)
        for (char c : row) m.push_back(c == '*');
    return m;
}

using List = std::vector<std::int64_t>;

TEST(Neighbours, FixedOrderAndNoWrapAround) {
    const MinesweeperSolver beginner(9, 9);
    EXPECT_EQ(List(beginner.neighbors(0).begin(), beginner.neighbors(0).end()), (List{1, 9, 10}));
    EXPECT_EQ(List(beginner.neighbors(1).begin(), beginner.neighbors(1).end()), (List{0, 2, 9, 10, 11}));
    EXPECT_EQ(List(beginner.neighbors(10).begin(), beginner.neighbors(10).end()), (List{0, 1, 2, 9, 11, 18, 19, 20}));
    EXPECT_EQ(List(beginner.neighbors(80).begin(), beginner.neighbors(80).end()), (List{70, 71, 79}));
    EXPECT_EQ(List(beginner.neighbors(17).begin(), beginner.neighbors(17).end()), (List{7, 8, 16, 25, 26}));
    const MinesweeperSolver expert(22, 22);
    EXPECT_EQ(List(expert.neighbors(23).begin(), expert.neighbors(23).end()), (List{0, 1, 2, 22, 24, 44, 45, 46}));
    const MinesweeperSolver wide(7, 3);
    EXPECT_EQ(List(wide.neighbors(6).begin(), wide.neighbors(6).end()), (List{5, 12, 13}));
    EXPECT_EQ(List(wide.neighbors(7).begin(), wide.neighbors(7).end()), (List{0, 1, 8, 14, 15}));
    EXPECT_EQ(tileDistance(0, 80, 9), 8);
    EXPECT_EQ(tileDistance(8, 9, 9), 8) << "row ends are not adjacent";
    EXPECT_EQ(tileDistance(40, 50, 9), 1);
}

TEST(SafeTiles, SingleNumberAndSubsetRules) {
    EXPECT_EQ(safe({"###", "###"}), List{}) << "nothing uncovered, nothing proven";
    EXPECT_EQ(safe({"M1#"}), List{2}) << "a given mine counts for its numbers";
    EXPECT_EQ(safe({"0##"}), List{}) << "a 0 takes no part";
    // Tile 2 is proven safe; read as the 2 it is, it would clear tiles 3 and 7 as well.
    EXPECT_EQ(safe({"M4c#", "MMM#"}), List{2}) << "a proven tile's count is never read";
    EXPECT_EQ(safe({"1#", "##"}), List{});
    // A = {x, y} holds 1 and B = {x, y, z} holds 1: z is safe.
    EXPECT_EQ(safe({"####M", "12M4M"}), List{2});
    // With B holding 2, z is a mine, which makes the last number's other tile safe.
    EXPECT_EQ(safe({"####M", "13M4M"}), List{3});
    // Two numbers over exactly the same pair say nothing between them.
    EXPECT_EQ(safe({"##", "11"}), List{});
}

TEST(SafeTiles, UncoveredTilesAreNeverReturned) {
    EXPECT_EQ(safe({"M1", "1#"}), List{3});
    EXPECT_EQ(safe({"M1", "11"}), List{});
}

TEST(IsSolvable, DeductionOnlyNeverTheMineCount) {
    // The start flood opens every safe tile: solvable without a single deduction.
    EXPECT_TRUE(MinesweeperSolver(3, 3).isSolvable(mines({"...", "...", "..*"}), 0));
    // The number next to the start proves tile 2 a mine; tiles 3 and 4 are then safe only
    // by counting all the mines on the board, which the solver never does.
    EXPECT_FALSE(MinesweeperSolver(5, 1).isSolvable(mines({"..*.."}), 0));
    // One mine in two tiles that two 1s share: a guess.
    EXPECT_FALSE(MinesweeperSolver(3, 2).isSolvable(mines({"..*", "..."}), 0));
}

}  // namespace
