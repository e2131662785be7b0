#include "GameTestSupport.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

class Rules : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeGame();
    }
    // Cycles a plain tile to a question mark (question marks are on by default).
    void question(std::int64_t index) {
        game->toggleFlag(index);
        game->toggleFlag(index);
    }
};

TEST_F(Rules, FloodStopsAtFlagsButClearsQuestionMarks) {
    game->toggleFlag(at(0, 4));          // wrongly flagged safe zero tile
    question(at(0, 6));
    game->toggleFlag(at(8, 0));          // a mine, flagged before any mine exists
    ASSERT_EQ(game->flaggedCount(), 2);
    game->reveal(at(8, 0));              // a flagged tile cannot be the first uncover
    EXPECT_EQ(game->phase(), GamePhase::ready);

    deal(kLayoutC, at(0, 0));
    ASSERT_EQ(game->phase(), GamePhase::playing);
    EXPECT_TRUE(tile(at(0, 4)).isFlagged);
    EXPECT_FALSE(tile(at(0, 4)).isRevealed);
    EXPECT_TRUE(tile(at(0, 5)).isRevealed) << "the flood goes round a flag";
    EXPECT_TRUE(tile(at(0, 6)).isRevealed);
    EXPECT_FALSE(tile(at(0, 6)).isQuestioned);
    EXPECT_TRUE(tile(at(8, 0)).hasMine);
    EXPECT_TRUE(tile(at(8, 0)).isFlagged) << "marks survive the mine placement";
    EXPECT_EQ(game->flaggedCount(), 2);
    EXPECT_EQ(tile(at(0, 0)).revealDistance, 0);
    EXPECT_EQ(tile(at(6, 2)).revealDistance, 6);
    EXPECT_EQ(tile(at(3, 5)).revealDistance, 5);
    EXPECT_EQ(tile(at(7, 1)).adjacentMines, 2);
    EXPECT_EQ(game->safeTilesRemaining(), 3);  // (0,4) behind its flag, (8,1), (7,8)
    EXPECT_EQ(game->gamesPlayed(), 1);

    game->reveal(at(0, 4));  // still flagged: nothing
    EXPECT_FALSE(tile(at(0, 4)).isRevealed);
    game->toggleFlag(at(0, 4));  // -> question mark
    EXPECT_TRUE(tile(at(0, 4)).isQuestioned);
    game->reveal(at(0, 4));
    EXPECT_TRUE(tile(at(0, 4)).isRevealed);
    EXPECT_FALSE(tile(at(0, 4)).isQuestioned);
    EXPECT_EQ(game->flaggedCount(), 1);
}

TEST_F(Rules, ChordNeedsExactlyTheRightNumberOfFlagsAndExplodesEveryMineBehindWrongOnes) {
    game->toggleFlag(at(7, 0));  // wrong flag, keeps (7,0) covered
    game->toggleFlag(at(0, 8));  // right flag on a mine far away
    deal(kLayoutC, at(0, 0));
    ASSERT_EQ(tile(at(7, 1)).adjacentMines, 2);
    scheduler.runPending();
    const auto before = game->tiles();

    game->chord(at(7, 1));  // one flag around a 2
    EXPECT_EQ(game->tiles(), before);
    EXPECT_EQ(scheduler.pendingCount(), 0u) << "a refused operation schedules nothing";

    game->toggleFlag(at(8, 1));  // second wrong flag
    game->toggleFlag(at(8, 0));  // third flag
    game->chord(at(7, 1));
    EXPECT_EQ(game->phase(), GamePhase::playing);
    game->toggleFlag(at(8, 0));  // flag -> question mark: still uncovered by a chord
    ASSERT_TRUE(tile(at(8, 0)).isQuestioned);
    game->setCurrentStreak(4);

    game->chord(at(7, 1));
    EXPECT_EQ(game->phase(), GamePhase::lost);
    EXPECT_EQ(game->currentStreak(), 0);
    for (std::int64_t i = 0; i < 81; ++i) {
        const Tile& t = tile(i);
        const bool shouldExplode = i == at(8, 0) || i == at(8, 2);
        EXPECT_EQ(t.isExploded, shouldExplode) << i;
        if (t.hasMine && !t.isFlagged) {
            EXPECT_TRUE(t.isRevealed && !t.isQuestioned) << i;
        }
        if (t.isFlagged) {
            EXPECT_FALSE(t.isRevealed) << i;
        }
    }
    EXPECT_TRUE(tile(at(0, 8)).isFlagged);
    EXPECT_TRUE(tile(at(7, 0)).isFlagged) << "a wrong flag stays for the view to show";
    EXPECT_FALSE(tile(at(7, 8)).isRevealed) << "a losing chord uncovers nothing else";
    EXPECT_EQ(tile(at(8, 0)).revealDistance, 0);

    const auto after = game->tiles();
    game->reveal(at(7, 8));
    game->toggleFlag(at(7, 8));
    game->showHint();
    EXPECT_EQ(game->tiles(), after) << "no tile operation acts once the game is lost";
}

TEST_F(Rules, ChordAndRevealWinFlaggingEveryMine) {
    deal(kLayoutC, at(0, 0));
    question(at(0, 8));             // a question-marked mine
    game->toggleFlag(at(8, 2));
    game->chord(at(7, 2));          // a satisfied 1 opens (8,1)
    EXPECT_TRUE(tile(at(8, 1)).isRevealed);
    EXPECT_EQ(tile(at(8, 1)).revealDistance, 0) << "each chorded tile is its own origin";
    EXPECT_EQ(game->phase(), GamePhase::playing);

    game->setIsFlagMode(true);
    game->primaryAction(at(6, 8));  // covered: flag mode marks it
    EXPECT_TRUE(tile(at(6, 8)).isFlagged);
    game->primaryAction(at(8, 8));
    game->primaryAction(at(7, 7));  // uncovered number: flag mode chords
    EXPECT_EQ(game->phase(), GamePhase::won);
    EXPECT_EQ(game->flaggedCount(), 10);
    for (std::int64_t i = 0; i < 81; ++i) {
        const Tile& t = tile(i);
        EXPECT_FALSE(t.isExploded);
        if (t.hasMine) {
            EXPECT_TRUE(t.isFlagged && !t.isQuestioned && !t.isRevealed) << i;
        } else {
            EXPECT_TRUE(t.isRevealed && !t.isFlagged) << i;
        }
    }
    EXPECT_EQ(haptics.levelChanges, 1);
    EXPECT_EQ(game->gamesWon(), 1);
}

TEST_F(Rules, FlagModeNeverUncoversACoveredTile) {
    game->setIsFlagMode(true);
    game->primaryAction(at(4, 4));
    EXPECT_EQ(game->phase(), GamePhase::ready);
    EXPECT_TRUE(tile(at(4, 4)).isFlagged);
    game->primaryAction(at(4, 4));
    EXPECT_TRUE(tile(at(4, 4)).isQuestioned);
    game->setQuestionMarksEnabled(false);
    EXPECT_FALSE(tile(at(4, 4)).isQuestioned);
    game->primaryAction(at(4, 4));
    game->primaryAction(at(4, 4));  // flag -> plain with question marks off
    EXPECT_EQ(tile(at(4, 4)), Tile{});
    EXPECT_EQ(haptics.alignments, 4);
    game->primaryAction(-1);
    game->primaryAction(81);
    EXPECT_EQ(game->flaggedCount(), 0);
}

TEST_F(Rules, AFirstUncoverThatOpensEverySafeTileWinsAtOnce) {
    deal({"*********", ".........", ".........", ".........", ".........", ".........", ".........", ".........",
          "........*"},
         at(5, 4));
    EXPECT_EQ(game->phase(), GamePhase::won);
    EXPECT_EQ(game->gamesPlayed(), 1);
    EXPECT_EQ(game->gamesWon(), 1);
    EXPECT_FALSE(game->clockRunning());
}

TEST_F(Rules, NewGameResetsTheStreakOnlyWhenAGameIsAbandonedInPlay) {
    game->setCurrentStreak(3);
    game->newGame();  // ready
    EXPECT_EQ(game->currentStreak(), 3);
    deal(kLayoutC, at(0, 0));
    game->newGame();  // playing
    EXPECT_EQ(game->currentStreak(), 0);
    EXPECT_EQ(game->gamesPlayed(), 1) << "an abandoned game stays counted";
    EXPECT_EQ(game->phase(), GamePhase::ready);
    EXPECT_EQ(game->tiles(), std::vector<Tile>(81));

    game->setCurrentStreak(2);
    deal(kLayoutC, at(0, 0));
    game->reveal(at(8, 0));  // lost
    game->setCurrentStreak(2);
    game->newGame();
    EXPECT_EQ(game->currentStreak(), 2);

    deal(kLayoutC, at(0, 0));
    game->reveal(at(8, 1));
    game->reveal(at(7, 8));  // won
    ASSERT_EQ(game->phase(), GamePhase::won);
    EXPECT_EQ(game->currentStreak(), 3);
    game->newGame();
    EXPECT_EQ(game->currentStreak(), 3);
}

TEST_F(Rules, OperationsOnTheWrongTileOrPhaseChangeNothingAndScheduleNothing) {
    game->chord(at(4, 4));  // ready
    game->showHint();       // ready
    deal(kLayoutC, at(0, 0));
    game->toggleFlag(at(8, 2));
    scheduler.runPending();
    clearRecords();
    const auto before = game->tiles();
    game->reveal(at(0, 0));     // already uncovered
    game->reveal(at(8, 2));     // flagged
    game->reveal(81);
    game->reveal(-1);
    game->toggleFlag(at(3, 3)); // uncovered
    game->toggleFlag(1000);
    game->chord(at(3, 3));      // a zero
    game->chord(at(8, 1));      // covered
    game->chord(-5);
    EXPECT_EQ(game->tiles(), before);
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(Rules, HintsMarkProvablySafeTilesAndMoveOnRepeat) {
    deal(kLayoutC, at(0, 0));
    // Both covered safe tiles, (8,1) and (7,8), follow from the numbers.
    std::optional<std::int64_t> last;
    for (int i = 0; i < 6; ++i) {
        game->showHint();
        ASSERT_TRUE(game->hintedTile());
        EXPECT_TRUE(*game->hintedTile() == at(8, 1) || *game->hintedTile() == at(7, 8));
        EXPECT_NE(game->hintedTile(), last);
        last = game->hintedTile();
    }
    EXPECT_TRUE(game->usedHint());
    game->toggleFlag(*last);
    EXPECT_EQ(game->hintedTile(), last) << "marking the hinted tile keeps the hint";
    game->toggleFlag(*last);
    game->toggleFlag(*last);
    const auto other = *last == at(8, 1) ? at(7, 8) : at(8, 1);
    game->reveal(*last);
    EXPECT_FALSE(game->hintedTile());
    game->showHint();  // one candidate left: it stays even when repeated
    EXPECT_EQ(game->hintedTile(), other);
    game->showHint();
    EXPECT_EQ(game->hintedTile(), other);
    game->reveal(other);
    EXPECT_EQ(game->phase(), GamePhase::won);
    EXPECT_FALSE(game->hintedTile());
    EXPECT_TRUE(game->bestTimes().empty()) << "a hinted win records no best time";
    EXPECT_FALSE(game->newBestTime());
}

TEST_F(Rules, NoHintWhenNothingIsProvable) {
    // (8,7) and (8,8) hold one mine between them and no number tells which.
    deal({"......***", "......***", "........*", ".........", ".........", ".........", ".........",
          "......*..", "......*.*"},
         at(0, 0));
    ASSERT_EQ(game->phase(), GamePhase::playing);
    scheduler.runPending();
    clearRecords();
    game->showHint();
    EXPECT_FALSE(game->hintedTile());
    EXPECT_FALSE(game->usedHint());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

}  // namespace
