#include "GameTestSupport.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

class Clock : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeGame();
    }
};

TEST_F(Clock, RunsOnlyWhilePlayingVisibleAndUncovered) {
    game->setIsViewVisible(true);
    scheduler.advance(5000);
    EXPECT_EQ(game->elapsedSeconds(), 0) << "no clock before the first uncover";
    EXPECT_EQ(scheduler.activeClockCount(), 0u);

    deal(kLayoutC, at(0, 0));
    scheduler.advance(999);
    EXPECT_EQ(game->elapsedSeconds(), 0);
    scheduler.advance(1501);
    EXPECT_EQ(game->elapsedSeconds(), 2);

    // Hiding pauses, keeps the value and saves it; the half second already run is dropped.
    game->setIsViewVisible(false);
    scheduler.advance(10'000);
    scheduler.runPending();
    EXPECT_EQ(game->elapsedSeconds(), 2);
    EXPECT_EQ(decodeSavedGame(*store.data(keys::savedGame))->elapsedSeconds, 2);
    game->setIsViewVisible(true);
    game->setIsViewVisible(true);
    EXPECT_EQ(scheduler.activeClockCount(), 1u) << "never two clocks";
    scheduler.advance(999);
    EXPECT_EQ(game->elapsedSeconds(), 2);
    scheduler.advance(1);
    EXPECT_EQ(game->elapsedSeconds(), 3);

    game->setIsShowingScreen(true);
    scheduler.advance(3000);
    EXPECT_EQ(game->elapsedSeconds(), 3);
    game->setIsShowingScreen(false);
    scheduler.advance(1000);
    EXPECT_EQ(game->elapsedSeconds(), 4);

    game->reveal(at(8, 0));
    EXPECT_EQ(scheduler.activeClockCount(), 0u) << "the end of a game stops the clock";
    scheduler.advance(5000);
    EXPECT_EQ(game->elapsedSeconds(), 4);
    game->newGame();
    EXPECT_EQ(game->elapsedSeconds(), 0);
}

TEST_F(Clock, StopsAtTheCapWithoutFurtherNotifications) {
    deal(kLayoutC, at(0, 0));
    game->setIsViewVisible(true);
    scheduler.runPending();
    clearRecords();
    scheduler.advance(6100 * 1000);
    EXPECT_EQ(game->elapsedSeconds(), kClockCap);
    EXPECT_EQ(count(Property::elapsedSeconds), kClockCap);
    EXPECT_EQ(written(keys::savedGame), 0) << "ticks do not save";
}

TEST_F(Clock, AClockOutlivingItsGameDoesNothing) {
    deal(kLayoutC, at(0, 0));
    game->setIsViewVisible(true);
    scheduler.advance(1000);
    game.reset();
    EXPECT_EQ(scheduler.activeClockCount(), 0u);
    scheduler.advance(3000);  // must not touch the destroyed game
}

}  // namespace
