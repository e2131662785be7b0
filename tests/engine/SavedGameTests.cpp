#include "GameTestSupport.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

class SavedGames : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        makeGame();
    }
    // A game of kLayoutC in play: flag on (8,2), question mark on (7,8), 42 seconds.
    SavedGame playedRecord() {
        deal(kLayoutC, at(0, 0));
        game->toggleFlag(at(8, 2));
        game->toggleFlag(at(7, 8));
        game->toggleFlag(at(7, 8));
        game->setIsViewVisible(true);
        scheduler.advance(42'000);
        game->showHint();
        game->setIsViewVisible(false);
        scheduler.runPending();
        return *decodeSavedGame(*store.data(keys::savedGame));
    }
};

TEST_F(SavedGames, AGameInPlaySurvivesARelaunch) {
    const SavedGame record = playedRecord();
    EXPECT_EQ(record.elapsedSeconds, 42);
    EXPECT_EQ(record.flagged, std::vector<std::int64_t>{at(8, 2)});
    EXPECT_EQ(record.questioned, std::vector<std::int64_t>{at(7, 8)});
    EXPECT_EQ(record.usedHint, true);
    EXPECT_EQ(record.mines.size(), 10u);
    const auto tilesBefore = game->tiles();

    game.reset();
    makeGame();
    EXPECT_EQ(game->phase(), GamePhase::playing);
    EXPECT_EQ(game->elapsedSeconds(), 42);
    EXPECT_TRUE(game->usedHint());
    EXPECT_FALSE(game->hintedTile());
    EXPECT_EQ(game->flaggedCount(), 1);
    EXPECT_FALSE(game->clockRunning()) << "the clock waits for the window";
    ASSERT_EQ(game->tiles().size(), tilesBefore.size());
    for (std::size_t i = 0; i < tilesBefore.size(); ++i) {
        Tile expected = tilesBefore[i];
        expected.revealDistance = 0;
        EXPECT_EQ(game->tiles()[i], expected) << i;
    }
    EXPECT_EQ(game->savedGameSnapshot(), record);
    game->setIsViewVisible(true);
    scheduler.advance(1000);
    EXPECT_EQ(game->elapsedSeconds(), 43);
}

TEST_F(SavedGames, ARecordOfAnotherDifficultyBecomesTheSettingWithoutANewGame) {
    playedRecord();
    game.reset();
    store.setString(keys::difficulty, "Expert");
    makeGame();
    EXPECT_EQ(game->phase(), GamePhase::playing);
    EXPECT_EQ(game->difficulty(), Difficulty::beginner);
    EXPECT_EQ(store.string(keys::difficulty), "Beginner");
    game->reveal(at(8, 1));
    game->reveal(at(7, 8));
    EXPECT_EQ(game->phase(), GamePhase::won);
    EXPECT_EQ(game->gamesWon(), 1);
}

TEST_F(SavedGames, AnOldRecordWithoutMarksOrHintRestores) {
    const SavedGame record = playedRecord();
    nlohmann::json j = nlohmann::json::parse(encodeSavedGame(record));
    j.erase("questioned");
    j["usedHint"] = nullptr;
    store.setData(keys::savedGame, bytesOf(j.dump()));
    game.reset();
    makeGame();
    EXPECT_EQ(game->phase(), GamePhase::playing);
    EXPECT_FALSE(game->usedHint());
    for (const auto& t : game->tiles()) EXPECT_FALSE(t.isQuestioned);
}

TEST_F(SavedGames, EveryInconsistentRecordIsRejected) {
    const SavedGame good = playedRecord();
    ASSERT_TRUE(restoredBoard(good));
    using Edit = std::function<void(SavedGame&)>;
    const std::vector<std::pair<const char*, Edit>> bad{
        {"version 2", [](SavedGame& g) { g.version = 2; }},
        {"lower-case difficulty", [](SavedGame& g) { g.difficulty = "beginner"; }},
        {"6000 seconds", [](SavedGame& g) { g.elapsedSeconds = 6000; }},
        {"negative seconds", [](SavedGame& g) { g.elapsedSeconds = -1; }},
        {"duplicated mine", [](SavedGame& g) { g.mines[1] = g.mines[0]; }},
        {"mine off the board", [](SavedGame& g) { g.mines[0] = 81; }},
        {"11 mines", [](SavedGame& g) { g.mines.push_back(at(0, 7)); }},
        {"9 mines", [](SavedGame& g) { g.mines.pop_back(); }},
        {"nothing uncovered", [](SavedGame& g) { g.revealed.clear(); }},
        {"uncovered twice", [](SavedGame& g) { g.revealed.push_back(g.revealed[0]); }},
        {"uncovered off the board", [](SavedGame& g) { g.revealed.push_back(-1); }},
        {"flag off the board", [](SavedGame& g) { g.flagged.push_back(81); }},
        {"flag twice", [](SavedGame& g) { g.flagged.push_back(g.flagged[0]); }},
        {"question mark twice", [](SavedGame& g) { g.questioned->push_back(at(7, 8)); }},
        {"question mark off the board", [](SavedGame& g) { g.questioned->push_back(1 << 20); }},
        {"uncovered mine", [](SavedGame& g) { g.revealed.push_back(at(8, 0)); }},
        {"uncovered flagged tile", [](SavedGame& g) { g.flagged.push_back(at(0, 0)); }},
        {"uncovered question mark", [](SavedGame& g) { g.questioned->push_back(at(0, 0)); }},
        {"flag and question mark", [](SavedGame& g) { g.flagged.push_back(at(7, 8)); }},
        {"every safe tile uncovered", [](SavedGame& g) { g.revealed.insert(g.revealed.end(), {at(8, 1), at(7, 8)}); }},
        {"zero beside a covered tile", [](SavedGame& g) { std::erase(g.revealed, at(1, 1)); }},
    };
    for (const auto& [name, edit] : bad) {
        SavedGame g = good;
        edit(g);
        EXPECT_FALSE(restoredBoard(g)) << name;
    }
    // What play can produce is accepted: marks on mines, a zero beside a flagged tile.
    SavedGame marked = good;
    marked.flagged.push_back(at(0, 8));
    marked.questioned->push_back(at(1, 8));
    EXPECT_TRUE(restoredBoard(marked));
    SavedGame flaggedBesideZero = good;
    std::erase(flaggedBesideZero.revealed, at(0, 0));
    flaggedBesideZero.flagged.push_back(at(0, 0));
    EXPECT_TRUE(restoredBoard(flaggedBesideZero));
    EXPECT_FALSE(restoredBoard(SavedGame{}));
}

TEST_F(SavedGames, ARejectedOrUndecodableRecordIsDeletedAndANewGameStarts) {
    SavedGame record = playedRecord();
    const std::string encoded = encodeSavedGame(record);
    record.elapsedSeconds = 6000;
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string s = encoded;
        const auto at = s.find(from);
        if (at == std::string::npos) ADD_FAILURE() << from;
        else s.replace(at, from.size(), to);
        return s;
    };
    const std::vector<std::string> texts{
        encodeSavedGame(record),
        replaced("\"version\":1", "\"version\":\"1\""),
        replaced("\"usedHint\":true", "\"usedHint\":1"),
        replaced("\"elapsedSeconds\":42", "\"elapsedSeconds\":42.5"),
        replaced("\"flagged\":[74]", "\"flagged\":[74.0]"),
        replaced("\"mines\":", "\"mine\":"),
        replaced("\"questioned\":[71]", "\"questioned\":{}"),
        replaced("\"elapsedSeconds\":42", "\"elapsedSeconds\":18446744073709551615"),
        "[1,2,3]",
        encoded.substr(0, encoded.size() - 1),
        "",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text);
        store.setData(keys::savedGame, bytesOf(text));
        game.reset();
        makeGame();
        EXPECT_EQ(game->phase(), GamePhase::ready);
        EXPECT_FALSE(store.object(keys::savedGame));
    }
    store.setString(keys::savedGame, encoded);  // right text, wrong kind: no data
    game.reset();
    makeGame();
    EXPECT_EQ(game->phase(), GamePhase::ready);
}

TEST_F(SavedGames, SavesAreDeferredCoalescedAndDeletedWhenNoGameIsInPlay) {
    deal(kLayoutC, at(0, 0));
    scheduler.runPending();
    clearRecords();
    game->toggleFlag(at(8, 2));
    game->toggleFlag(at(7, 8));
    game->toggleFlag(at(0, 8));
    EXPECT_EQ(written(keys::savedGame), 0);
    scheduler.runPending();
    EXPECT_EQ(written(keys::savedGame), 1);
    EXPECT_EQ(decodeSavedGame(*store.data(keys::savedGame))->flagged.size(), 3u);

    game->toggleFlag(at(0, 8));
    game->runPendingSave();
    EXPECT_EQ(written(keys::savedGame), 2) << "a pending save can be forced at once";
    EXPECT_EQ(decodeSavedGame(*store.data(keys::savedGame))->flagged.size(), 2u);
    scheduler.runPending();

    game->reveal(at(8, 0));  // lost
    scheduler.runPending();
    EXPECT_FALSE(store.object(keys::savedGame));

    game->newGame();
    deal(kLayoutC, at(0, 0));
    scheduler.runPending();
    ASSERT_TRUE(store.object(keys::savedGame));
    game->newGame();
    scheduler.runPending();
    EXPECT_FALSE(store.object(keys::savedGame));

    deal(kLayoutC, at(0, 0));
    scheduler.runPending();
    game->reveal(at(8, 1));
    game->reveal(at(7, 8));  // won
    scheduler.runPending();
    EXPECT_FALSE(store.object(keys::savedGame));
}

TEST_F(SavedGames, APendingSaveAfterTheGameIsGoneDoesNothing) {
    deal(kLayoutC, at(0, 0));
    game.reset();
    scheduler.runPending();
    EXPECT_FALSE(store.object(keys::savedGame));
}

}  // namespace
