#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "Generator.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

TEST(Generator, EveryDifficultyAndFirstClickKeepsTheZoneClearWithExactMinesAndSolvable) {
    SeededRandomSource random(424242);
    for (Difficulty d : allDifficulties) {
        const auto side = sideLength(d);
        const MinesweeperSolver solver(side, side);
        const std::int64_t corner = side * side - 1, edge = side / 2, inner = side * (side / 2) + side / 2 - 1;
        for (std::int64_t start : {std::int64_t{0}, corner, edge, inner, side * (side - 1) + 3}) {
            for (int round = 0; round < 8; ++round) {
                GenerationReport report;
                const auto layout = generateMines(side, side, mineCount(d), start, true, random, &report);
                ASSERT_EQ(layout.size(), static_cast<std::size_t>(side * side));
                EXPECT_EQ(std::count(layout.begin(), layout.end(), 1), mineCount(d));
                EXPECT_FALSE(layout[static_cast<std::size_t>(start)]);
                for (auto nb : solver.neighbors(start)) EXPECT_FALSE(layout[static_cast<std::size_t>(nb)]);
                EXPECT_EQ(report.solverCalls, report.attempts);
                if (report.attempts < kMaxGenerationAttempts) {
                    EXPECT_TRUE(report.lastVerdict);
                    EXPECT_TRUE(solver.isSolvable(layout, start)) << rawValue(d) << " start " << start;
                }
            }
        }
    }
}

TEST(Generator, ARefusingVerifierSeesExactlyAThousandDrawsAndTheLastIsDealt) {
    SeededRandomSource random(5);
    int calls = 0;
    MineLayout lastSeen;
    GenerationReport report;
    const auto layout = generateMines(9, 9, 10, 40, true, random, &report, [&](const MineLayout& m, std::int64_t start) {
        ++calls;
        lastSeen = m;
        EXPECT_EQ(start, 40);
        return false;
    });
    EXPECT_EQ(calls, 1000);
    EXPECT_EQ(report.attempts, 1000);
    EXPECT_FALSE(report.lastVerdict);
    EXPECT_EQ(layout, lastSeen);
}

TEST(Generator, WithoutVerificationOneDrawAndNoVerifierCall) {
    SeededRandomSource random(6);
    int calls = 0;
    GenerationReport report;
    const auto layout = generateMines(16, 16, 40, 0, false, random, &report, [&](const MineLayout&, std::int64_t) {
        ++calls;
        return true;
    });
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(report.attempts, 1);
    EXPECT_EQ(report.solverCalls, 0);
    EXPECT_EQ(std::count(layout.begin(), layout.end(), 1), 40);
}

TEST(Generator, DrawsAreUniformOverTheCandidates) {
    // One mine among the 72 candidates of a 9x9 board clicked in its centre, many times:
    // every candidate must turn up, none far more often than the others.
    SeededRandomSource random(77);
    std::vector<int> hits(81, 0);
    const int draws = 72 * 100;
    for (int i = 0; i < draws; ++i) {
        const auto layout = generateMines(9, 9, 1, 40, false, random);
        for (std::size_t k = 0; k < 81; ++k) hits[k] += layout[k];
    }
    int used = 0;
    for (std::size_t k = 0; k < 81; ++k) {
        if (!hits[k]) continue;
        ++used;
        EXPECT_GT(hits[k], 55) << k;
        EXPECT_LT(hits[k], 150) << k;
    }
    EXPECT_EQ(used, 72);
}

class GameGeneration : public GameTest {};

TEST_F(GameGeneration, TheGamePassesItsVerifyFlagAndKeepsMarksPlacedBeforeTheDeal) {
    makeGame(true);
    int calls = 0;
    game->setLayoutVerifier([&](const MineLayout&, std::int64_t) { return ++calls == 3; });
    for (std::int64_t i = 0; i < 81; i += 2) game->toggleFlag(i);  // marks all over, mines will land under some
    game->toggleFlag(40);  // the click's own tile: flag -> question mark
    game->reveal(40);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(game->lastGeneration().attempts, 3);
    for (std::int64_t i = 0; i < 81; ++i) {
        if (i != 40) {
            EXPECT_EQ(tile(i).isFlagged, i % 2 == 0) << i;
        }
    }
    EXPECT_EQ(tile(40).adjacentMines, 0);
    std::int64_t mines = 0, pairs = 0, counted = 0;
    for (std::int64_t i = 0; i < 81; ++i) {
        mines += tile(i).hasMine;
        counted += tile(i).adjacentMines;
        if (tile(i).hasMine) pairs += static_cast<std::int64_t>(game->geometry().neighbors(i).size());
    }
    EXPECT_EQ(mines, 10);
    EXPECT_EQ(counted, pairs);

    InMemoryDefaultsStore other;
    MinesweeperGame unverified(other, false, scheduler, random, haptics);
    calls = 0;
    unverified.setLayoutVerifier([&](const MineLayout&, std::int64_t) { return ++calls > 0; });
    unverified.reveal(0);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(unverified.lastGeneration().attempts, 1);
}

}  // namespace
