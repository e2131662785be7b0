#include <limits>

#include "GameTestSupport.h"

using namespace velmora;
using namespace velmora::testing;
using nlohmann::json;

namespace {

class Statistics : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeGame();
        game->setIsViewVisible(true);
    }
    // Plays kLayoutC to a win taking `seconds` on the clock.
    void winIn(std::int64_t seconds) {
        game->newGame();
        deal(kLayoutC, at(0, 0));
        scheduler.advance(seconds * 1000);
        game->reveal(at(8, 1));
        game->reveal(at(7, 8));
        ASSERT_EQ(game->phase(), GamePhase::won);
    }
    void lose() {
        game->newGame();
        deal(kLayoutC, at(0, 0));
        game->reveal(at(8, 0));
        ASSERT_EQ(game->phase(), GamePhase::lost);
    }
};

TEST_F(Statistics, StreaksCountWinsUntilALoss) {
    game->setBestStreak(2);
    winIn(10);
    winIn(10);
    winIn(10);
    EXPECT_EQ(game->currentStreak(), 3);
    EXPECT_EQ(game->bestStreak(), 3);
    lose();
    EXPECT_EQ(game->currentStreak(), 0);
    EXPECT_EQ(game->bestStreak(), 3);
    EXPECT_EQ(game->gamesPlayed(), 4);
    EXPECT_EQ(game->gamesWon(), 3);
    EXPECT_EQ(store.integer(keys::gamesPlayed), 4);
    EXPECT_EQ(store.integer(keys::gamesWon), 3);
    EXPECT_EQ(store.integer(keys::bestStreak), 3);
    EXPECT_EQ(store.integer(keys::currentStreak), 0);
}

TEST_F(Statistics, CountersStoredAtTheLargestValueStayThere) {
    constexpr auto top = std::numeric_limits<std::int64_t>::max();
    game->setGamesPlayed(top);
    game->setGamesWon(top);
    game->setCurrentStreak(top);
    winIn(10);
    EXPECT_EQ(game->gamesPlayed(), top);
    EXPECT_EQ(game->gamesWon(), top);
    EXPECT_EQ(game->currentStreak(), top);
    EXPECT_EQ(game->bestStreak(), top);
    EXPECT_EQ(store.integer(keys::gamesPlayed), top);
}

TEST_F(Statistics, BestTimeNeedsAStrictlyFasterWinWithoutHint) {
    winIn(30);
    EXPECT_EQ(game->bestTime(Difficulty::beginner), 30);
    EXPECT_TRUE(game->newBestTime()) << "the first win of a difficulty sets its time";
    EXPECT_EQ(store.object(keys::bestTimes), (json{{"Beginner", 30}}));
    winIn(30);
    EXPECT_FALSE(game->newBestTime()) << "a tie is no record";
    winIn(29);
    EXPECT_TRUE(game->newBestTime());
    EXPECT_EQ(game->bestTime(Difficulty::beginner), 29);
    game->newGame();
    EXPECT_FALSE(game->newBestTime());

    deal(kLayoutC, at(0, 0));
    game->showHint();
    game->reveal(at(8, 1));
    game->reveal(at(7, 8));
    EXPECT_EQ(game->gamesWon(), 4);
    EXPECT_EQ(game->currentStreak(), 4);
    EXPECT_EQ(game->bestTime(Difficulty::beginner), 29) << "elapsed 0 with a hint is not recorded";
    EXPECT_FALSE(game->newBestTime());
    EXPECT_FALSE(game->bestTime(Difficulty::expert));
}

TEST_F(Statistics, ResetZeroesEverythingAndSurvivesARelaunch) {
    winIn(12);
    game->newGame();
    deal(kLayoutC, at(0, 0));
    clearRecords();
    game->resetStatistics();
    EXPECT_EQ(writes, (std::vector<std::string>{keys::gamesPlayed, keys::gamesWon, keys::currentStreak,
                                                 keys::bestStreak, keys::bestTimes}));
    EXPECT_EQ(game->phase(), GamePhase::playing) << "the game in progress is untouched";
    game.reset();
    makeGame();
    EXPECT_EQ(game->gamesPlayed(), 0);
    EXPECT_EQ(game->gamesWon(), 0);
    EXPECT_EQ(game->bestStreak(), 0);
    EXPECT_TRUE(game->bestTimes().empty());
}

TEST_F(Statistics, TheClockCapIsTheRecordedTime) {
    winIn(7000);
    EXPECT_EQ(game->bestTime(Difficulty::beginner), kClockCap);
}

TEST(SettingsLoading, AnEmptyStoreGivesTheDefaultsAndANewBeginnerGame) {
    InMemoryDefaultsStore store;
    ManualScheduler scheduler;
    SeededRandomSource random(1);
    NoHaptics haptics;
    MinesweeperGame game(store, true, scheduler, random, haptics);
    EXPECT_EQ(game.difficulty(), Difficulty::beginner);
    EXPECT_EQ(game.boardSize(), BoardSize::standard);
    EXPECT_TRUE(game.questionMarksEnabled());
    EXPECT_EQ(game.tileTheme(), TileTheme::onyx);
    EXPECT_EQ(game.menuBarIcon(), MenuBarIconOption::flag);
    EXPECT_FALSE(game.hasSeenWelcome());
    EXPECT_EQ(game.gamesPlayed() + game.gamesWon() + game.currentStreak() + game.bestStreak(), 0);
    EXPECT_TRUE(game.bestTimes().empty());
    EXPECT_EQ(game.phase(), GamePhase::ready);
    EXPECT_EQ(game.tiles().size(), 81u);
    EXPECT_TRUE(store.content().empty()) << "loading writes nothing back";
}

struct LoadCase {
    const char* name;
    json content;
    std::function<void(const MinesweeperGame&)> check;
};

TEST(SettingsLoading, WrongKindsAndUnknownValuesFallBackWithoutTouchingTheStore) {
    const std::vector<LoadCase> cases{
        {"question marks as a string", {{keys::questionMarks, "false"}},
         [](const MinesweeperGame& g) { EXPECT_TRUE(g.questionMarksEnabled()); }},
        {"question marks as 0", {{keys::questionMarks, 0}},
         [](const MinesweeperGame& g) { EXPECT_TRUE(g.questionMarksEnabled()); }},
        {"question marks false", {{keys::questionMarks, false}},
         [](const MinesweeperGame& g) { EXPECT_FALSE(g.questionMarksEnabled()); }},
        {"lower-case difficulty", {{keys::difficulty, "expert"}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.difficulty(), Difficulty::beginner); }},
        {"difficulty as a number", {{keys::difficulty, 2}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.difficulty(), Difficulty::beginner); }},
        {"expert", {{keys::difficulty, "Expert"}},
         [](const MinesweeperGame& g) {
             EXPECT_EQ(g.difficulty(), Difficulty::expert);
             EXPECT_EQ(g.tiles().size(), 484u);
         }},
        {"best times with an unknown key", {{keys::bestTimes, {{"Expert", 120}, {"Legend", 5}}}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.bestTimes(), (BestTimes{{Difficulty::expert, 120}})); }},
        {"best times with a string value", {{keys::bestTimes, {{"Expert", 120}, {"Beginner", "30"}}}},
         [](const MinesweeperGame& g) { EXPECT_TRUE(g.bestTimes().empty()); }},
        {"best times with a real value", {{keys::bestTimes, {{"Expert", 120}, {"Beginner", 30.5}}}},
         [](const MinesweeperGame& g) { EXPECT_TRUE(g.bestTimes().empty()); }},
        {"best times beyond 64 bits", {{keys::bestTimes, {{"Expert", 18446744073709551615ull}}}},
         [](const MinesweeperGame& g) { EXPECT_TRUE(g.bestTimes().empty()); }},
        {"best times not a dictionary", {{keys::bestTimes, json::array({120})}},
         [](const MinesweeperGame& g) { EXPECT_TRUE(g.bestTimes().empty()); }},
        {"lower-case size", {{keys::boardSize, "large"}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.boardSize(), BoardSize::standard); }},
        {"large", {{keys::boardSize, "Large"}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.boardSize(), BoardSize::large); }},
        {"unknown theme", {{keys::tileTheme, "Neon"}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.tileTheme(), TileTheme::onyx); }},
        {"known theme", {{keys::tileTheme, "Solid Mauve"}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.tileTheme(), TileTheme::solidMauve); }},
        {"icon", {{keys::menuBarIcon, "Burst"}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.menuBarIcon(), MenuBarIconOption::burst); }},
        {"icon in the wrong case", {{keys::menuBarIcon, "grid"}},
         [](const MinesweeperGame& g) { EXPECT_EQ(g.menuBarIcon(), MenuBarIconOption::flag); }},
        {"welcome as a string", {{keys::hasSeenWelcome, "YES"}},
         [](const MinesweeperGame& g) { EXPECT_TRUE(g.hasSeenWelcome()); }},
        {"counters as strings, reals and Booleans",
         {{keys::gamesPlayed, "12"}, {keys::gamesWon, 3.5}, {keys::currentStreak, true}, {keys::bestStreak, "1e3"}},
         [](const MinesweeperGame& g) {
             EXPECT_EQ(g.gamesPlayed(), 12);
             EXPECT_EQ(g.gamesWon(), 0);
             EXPECT_EQ(g.currentStreak(), 1);
             EXPECT_EQ(g.bestStreak(), 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InMemoryDefaultsStore store(c.content);
        ManualScheduler scheduler;
        SeededRandomSource random(1);
        NoHaptics haptics;
        MinesweeperGame game(store, false, scheduler, random, haptics);
        c.check(game);
        scheduler.runPending();
        for (const auto& [key, value] : c.content.items()) EXPECT_EQ(store.content()[key], value) << key;
    }
}

class SettingsWriteBack : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeGame();
        scheduler.runPending();
        clearRecords();
    }
};

TEST_F(SettingsWriteBack, SameValueWritesTheKeyButNotifiesNobody) {
    game->setTileTheme(TileTheme::onyx);
    game->setTileTheme(TileTheme::onyx);
    game->setBoardSize(BoardSize::standard);
    game->setMenuBarIcon(MenuBarIconOption::flag);
    game->setHasSeenWelcome(false);
    game->setQuestionMarksEnabled(true);
    game->setGamesPlayed(0);
    game->setBestTimes({});
    game->setIsViewVisible(false);  // still schedules its save
    game->setIsFlagMode(false);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(written(keys::tileTheme), 2);
    EXPECT_EQ(store.string(keys::tileTheme), "Onyx Slate");
    EXPECT_EQ(store.string(keys::boardSize), "Standard");
    EXPECT_EQ(store.string(keys::menuBarIcon), "Flag");
    EXPECT_EQ(store.object(keys::hasSeenWelcome), json(false));
    EXPECT_EQ(store.object(keys::questionMarks), json(true));
    EXPECT_EQ(store.object(keys::gamesPlayed), json(0));
    EXPECT_EQ(store.object(keys::bestTimes), json::object());
    EXPECT_EQ(scheduler.pendingCount(), 1u);

    game->setTileTheme(TileTheme::solidLeaf);
    EXPECT_EQ(notes, std::vector<Property>{Property::tileTheme});
    EXPECT_EQ(store.string(keys::tileTheme), "Solid Leaf");
}

TEST_F(SettingsWriteBack, DifficultyIsWrittenOnlyOnChangeAndAbandonsTheGame) {
    game->setCurrentStreak(5);
    deal(kLayoutC, at(0, 0));
    clearRecords();
    game->setDifficulty(Difficulty::beginner);
    EXPECT_EQ(written(keys::difficulty), 0);
    EXPECT_EQ(game->phase(), GamePhase::playing) << "the same difficulty starts no new game";

    game->setDifficulty(Difficulty::intermediate);
    EXPECT_EQ(store.string(keys::difficulty), "Intermediate");
    EXPECT_EQ(game->phase(), GamePhase::ready);
    EXPECT_EQ(game->boardDifficulty(), Difficulty::intermediate);
    EXPECT_EQ(game->tiles().size(), 256u);
    EXPECT_EQ(game->currentStreak(), 0);
    EXPECT_EQ(count(Property::tiles), 1) << "one operation, one tiles notification";
    game->reveal(0);
    EXPECT_EQ(std::count_if(game->tiles().begin(), game->tiles().end(), [](const Tile& t) { return t.hasMine; }), 40);
}

TEST_F(SettingsWriteBack, QuestionMarksOffClearsEveryMarkAndSavesOnIsNoOp) {
    deal(kLayoutC, at(0, 0));
    for (auto i : {at(8, 1), at(7, 8), at(0, 8)}) {
        game->toggleFlag(i);
        game->toggleFlag(i);
    }
    game->toggleFlag(at(1, 8));
    scheduler.runPending();
    clearRecords();
    game->setQuestionMarksEnabled(true);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
    EXPECT_EQ(count(Property::tiles), 0);

    game->setQuestionMarksEnabled(false);
    EXPECT_EQ(count(Property::tiles), 1);
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    for (const auto& t : game->tiles()) EXPECT_FALSE(t.isQuestioned);
    EXPECT_TRUE(tile(at(1, 8)).isFlagged);
    EXPECT_EQ(game->flaggedCount(), 1);
    scheduler.runPending();
    EXPECT_EQ(decodeSavedGame(*store.data(keys::savedGame))->questioned, std::vector<std::int64_t>{});
}

TEST_F(SettingsWriteBack, ARevealNotifiesTilesOnceAndEachChangedPropertyOnce) {
    deal(kLayoutC, at(0, 0));
    EXPECT_EQ(count(Property::tiles), 1);
    EXPECT_EQ(count(Property::phase), 1);
    EXPECT_EQ(count(Property::gamesPlayed), 1);
    EXPECT_EQ(count(Property::elapsedSeconds), 0);
}

}  // namespace
