#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

struct Run {
    std::vector<json> answers;
    int status = -1;
};

std::filesystem::path scratch(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("velmora-tool-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

// Runs the real program with the requests as its standard input and parses every line it
// answers. Input comes from a file, so a large answer can never block our writing.
Run session(const std::vector<std::string>& requests) {
    const auto input = scratch("input.txt");
    {
        std::ofstream out(input);
        for (const auto& r : requests) out << r << '\n';
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int in = ::open(input.c_str(), O_RDONLY);
        ::dup2(in, 0);
        ::dup2(pipeFds[1], 1);
        ::close(pipeFds[0]);
        ::execl(VELMORA_ENGINE_BINARY, VELMORA_ENGINE_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    Run run;
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) run.answers.push_back(json::parse(line));
    return run;
}

std::string request(json j) { return j.dump(); }

std::vector<int> ints(const json& j) { return j.get<std::vector<int>>(); }

// Beginner layout: the whole bottom row and the tile above its right end. Uncovering tile 0
// opens every safe tile at once; tile 70 shows a number and opens alone.
const std::vector<int> kBottomRow{71, 72, 73, 74, 75, 76, 77, 78, 79, 80};

}  // namespace

TEST(Protocol, StatelessRequestsAnswerFromTheEngine) {
    const auto run = session({
        R"({"cmd":"neighbors","rows":9,"columns":9})",
        R"({"cmd":"isSolvable","rows":3,"columns":3,"mines":[],"start":4})",
        // One tile between two numbers that each need a mine: only a guess settles it.
        R"({"cmd":"isSolvable","rows":1,"columns":4,"mines":[1],"start":3})",
        // The first 1 proves tile 1 a mine, which the second 1 then accounts for.
        R"({"cmd":"safeTiles","rows":1,"columns":4,"knowledge":[1,0,1,0],"counts":[1,5,1,5]})",
        R"({"cmd":"generate","rows":22,"columns":22,"mineCount":99,"safeIndex":23,"verify":true,"seed":42})",
        R"({"cmd":"generate","rows":22,"columns":22,"mineCount":99,"safeIndex":23,"verify":true,"seed":42})",
        R"({"cmd":"generate","rows":16,"columns":16,"mineCount":40,"safeIndex":0,"verify":false})",
    });
    ASSERT_EQ(run.answers.size(), 7u);
    EXPECT_EQ(run.status, 0);
    const auto& table = run.answers[0]["neighbors"];
    ASSERT_EQ(table.size(), 81u);
    EXPECT_EQ(ints(table[0]), (std::vector<int>{1, 9, 10}));
    EXPECT_EQ(ints(table[10]), (std::vector<int>{0, 1, 2, 9, 11, 18, 19, 20}));
    EXPECT_EQ(ints(table[80]), (std::vector<int>{70, 71, 79}));
    EXPECT_EQ(run.answers[1], json({{"solvable", true}}));
    EXPECT_EQ(run.answers[2], json({{"solvable", false}}));
    EXPECT_EQ(run.answers[3], json({{"safe", {3}}}));

    // A seed repeats the board; the board keeps the first tile's neighbourhood clear.
    EXPECT_EQ(run.answers[4], run.answers[5]);
    const auto mines = ints(run.answers[4]["mines"]);
    EXPECT_EQ(mines.size(), 99u);
    EXPECT_TRUE(std::is_sorted(mines.begin(), mines.end()));
    for (int clear : {0, 1, 2, 22, 23, 24, 44, 45, 46}) EXPECT_EQ(std::count(mines.begin(), mines.end(), clear), 0);
    EXPECT_GE(run.answers[4]["attempts"].get<int>(), 1);
    EXPECT_TRUE(run.answers[4]["solvable"].is_boolean());

    EXPECT_EQ(run.answers[6]["attempts"], 1);
    EXPECT_EQ(run.answers[6]["mines"].size(), 40u);
}

TEST(Protocol, AWholeWonGameWithTheClock) {
    const auto run = session({
        R"({"cmd":"open","seed":5})",
        request({{"cmd", "nextLayout"}, {"mines", kBottomRow}}),
        R"({"cmd":"set","name":"isViewVisible","value":true})",
        R"({"cmd":"reveal","index":70})",
        R"({"cmd":"advance","seconds":7})",
        R"({"cmd":"toggleFlag","index":80})",
        R"({"cmd":"reveal","index":0})",
        R"({"cmd":"runPending"})",
        R"({"cmd":"advance","seconds":3})",
    });
    ASSERT_EQ(run.answers.size(), 9u);
    const auto& opened = run.answers[0];
    EXPECT_EQ(opened["phase"], "ready");
    EXPECT_EQ(opened["boardDifficulty"], "Beginner");
    EXPECT_EQ(opened["settings"]["difficulty"], "Beginner");
    EXPECT_EQ(opened["settings"]["tileTheme"], "Onyx Slate");
    EXPECT_EQ(opened["hintedTile"], nullptr);
    EXPECT_EQ(run.answers[1], json({{"ok", true}}));

    const auto& first = run.answers[3];
    EXPECT_EQ(first["phase"], "playing");
    EXPECT_EQ(ints(first["mines"]), kBottomRow);
    EXPECT_EQ(ints(first["revealed"]), (std::vector<int>{70}));
    EXPECT_EQ(first["adjacentMines"][70], 4);
    EXPECT_TRUE(first["clockRunning"].get<bool>());
    EXPECT_EQ(first["statistics"]["gamesPlayed"], 1);
    EXPECT_EQ(first["safeTilesRemaining"], 70);
    EXPECT_EQ(first["writes"], json({"Velmora_GamesPlayed"}));
    for (const char* name : {"phase", "tiles", "gamesPlayed"})
        EXPECT_EQ(std::count(first["notified"].begin(), first["notified"].end(), name), 1) << name;

    EXPECT_EQ(run.answers[4]["elapsedSeconds"], 7);
    // The deferred save of the first uncover ran on the next turn, before the first tick.
    EXPECT_EQ(run.answers[4]["writes"], json({"Velmora_SavedGame"}));
    EXPECT_EQ(run.answers[4]["notified"], json({"elapsedSeconds"}));

    const auto& won = run.answers[6];
    EXPECT_EQ(won["phase"], "won");
    EXPECT_EQ(won["flaggedCount"], 10);
    EXPECT_EQ(ints(won["flagged"]), kBottomRow);
    EXPECT_EQ(won["exploded"], json::array());
    EXPECT_EQ(won["safeTilesRemaining"], 0);
    EXPECT_FALSE(won["clockRunning"].get<bool>());
    EXPECT_TRUE(won["newBestTime"].get<bool>());
    EXPECT_EQ(won["statistics"]["gamesWon"], 1);
    EXPECT_EQ(won["statistics"]["currentStreak"], 1);
    EXPECT_EQ(won["statistics"]["bestStreak"], 1);
    EXPECT_EQ(won["statistics"]["bestTimes"], json({{"Beginner", 7}}));
    EXPECT_EQ(won["revealDistance"][0], 0);
    EXPECT_EQ(won["revealDistance"][60], 6);

    // Once the game is over the saved game is removed and the clock stays put.
    EXPECT_EQ(run.answers[7]["writes"], json({"Velmora_SavedGame"}));
    EXPECT_EQ(run.answers[8]["elapsedSeconds"], 7);
    EXPECT_EQ(run.status, 0);
}

TEST(Protocol, ALostGameUncoversTheMinesAndEndsTheStreak) {
    const auto run = session({
        R"({"cmd":"open","seed":6})",
        R"({"cmd":"set","name":"currentStreak","value":4})",
        request({{"cmd", "nextLayout"}, {"mines", {0, 1, 2, 3, 4, 5, 6, 7, 8, 40}}}),
        R"({"cmd":"toggleFlag","index":8})",
        R"({"cmd":"reveal","index":9})",
        R"({"cmd":"chord","index":9})",
        R"({"cmd":"reveal","index":40})",
        R"({"cmd":"reveal","index":79})",
        // A replay queues the next board before starting it.
        request({{"cmd", "nextLayout"}, {"mines", {0, 1, 2, 3, 4, 5, 6, 7, 8, 40}}}),
        R"({"cmd":"newGame"})",
        R"({"cmd":"reveal","index":80})",
    });
    ASSERT_EQ(run.answers.size(), 11u);
    EXPECT_EQ(run.answers[1]["statistics"]["currentStreak"], 4);
    EXPECT_EQ(run.answers[1]["writes"], json({"Velmora_CurrentStreak"}));
    EXPECT_EQ(run.answers[3]["flaggedCount"], 1);
    EXPECT_EQ(run.answers[4]["phase"], "playing");
    // Chording a 2 with one flag beside it does nothing.
    EXPECT_EQ(run.answers[5]["notified"], json::array());
    const auto& lost = run.answers[6];
    EXPECT_EQ(lost["phase"], "lost");
    EXPECT_EQ(ints(lost["exploded"]), (std::vector<int>{40}));
    EXPECT_EQ(lost["statistics"]["currentStreak"], 0);
    EXPECT_EQ(lost["statistics"]["gamesWon"], 0);
    // The flagged mine stays covered; every other mine is uncovered.
    const auto revealed = ints(lost["revealed"]);
    for (int mine : {0, 1, 2, 3, 4, 5, 6, 7, 40}) EXPECT_EQ(std::count(revealed.begin(), revealed.end(), mine), 1);
    EXPECT_EQ(std::count(revealed.begin(), revealed.end(), 8), 0);
    EXPECT_EQ(ints(lost["flagged"]), (std::vector<int>{8}));
    // After the loss the board takes no more moves.
    EXPECT_EQ(run.answers[7]["revealed"], lost["revealed"]);
    EXPECT_EQ(run.answers[8], json({{"ok", true}}));
    EXPECT_EQ(ints(run.answers[10]["mines"]), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 40}));
    EXPECT_EQ(run.status, 0);
}

TEST(Protocol, AGameClosedIntoAFileIsRestoredByTheNextProcess) {
    const auto file = scratch("restore.json");
    std::filesystem::remove(file);
    const auto first = session({
        request({{"cmd", "open"}, {"defaults", file.string()}, {"seed", 1}}),
        R"({"cmd":"set","name":"difficulty","value":"Intermediate"})",
        R"({"cmd":"set","name":"tileTheme","value":"Solid Leaf"})",
        request({{"cmd", "nextLayout"}, {"mines", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                                   20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36,
                                                   37, 38, 39}}}),
        R"({"cmd":"reveal","index":40})",
        R"({"cmd":"set","name":"questionMarksEnabled","value":true})",
        R"({"cmd":"toggleFlag","index":42})",
        R"({"cmd":"toggleFlag","index":43})",
        R"({"cmd":"toggleFlag","index":43})",
        R"({"cmd":"store"})",
        R"({"cmd":"close"})",
    });
    ASSERT_EQ(first.answers.size(), 11u);
    EXPECT_EQ(first.answers[1]["boardDifficulty"], "Intermediate");
    const auto& playing = first.answers[8];
    EXPECT_EQ(playing["phase"], "playing");
    // The save is still pending, so the store holds no game yet; close must run it.
    EXPECT_EQ(first.answers[9]["store"].count("Velmora_SavedGame"), 0u);
    EXPECT_EQ(first.answers[10], json({{"ok", true}}));

    const auto second = session({
        request({{"cmd", "open"}, {"defaults", file.string()}}),
        R"({"cmd":"store"})",
    });
    ASSERT_EQ(second.answers.size(), 2u);
    const auto& restored = second.answers[0];
    EXPECT_EQ(restored["phase"], "playing");
    EXPECT_EQ(restored["boardDifficulty"], "Intermediate");
    EXPECT_EQ(restored["settings"]["tileTheme"], "Solid Leaf");
    EXPECT_EQ(restored["mines"], playing["mines"]);
    EXPECT_EQ(restored["revealed"], playing["revealed"]);
    EXPECT_EQ(ints(restored["revealed"]), (std::vector<int>{40}));
    EXPECT_EQ(ints(restored["flagged"]), (std::vector<int>{42}));
    EXPECT_EQ(ints(restored["questioned"]), (std::vector<int>{43}));
    EXPECT_EQ(restored["statistics"]["gamesPlayed"], 1);
    const auto& stored = second.answers[1]["store"];
    EXPECT_EQ(stored["Velmora_Difficulty"], "Intermediate");
    ASSERT_TRUE(stored.contains("Velmora_SavedGame"));
    EXPECT_TRUE(stored["Velmora_SavedGame"].contains("$data"));
    std::filesystem::remove(file);
}

TEST(Protocol, EveryKindOfBadRequestIsAnsweredAndTheProgramGoesOn) {
    const std::vector<std::string> bad{
        "this is not json",
        "",
        R"([1,2,3])",
        R"({"rows":9})",
        R"({"cmd":"dance"})",
        R"({"cmd":7})",
        R"({"cmd":"neighbors","columns":9})",
        R"({"cmd":"neighbors","rows":"9","columns":9})",
        R"({"cmd":"neighbors","rows":9.0,"columns":9})",
        R"({"cmd":"neighbors","rows":0,"columns":9})",
        R"({"cmd":"isSolvable","rows":0,"columns":9,"mines":[],"start":0})",
        R"({"cmd":"neighbors","rows":9,"columns":65})",
        R"({"cmd":"neighbors","rows":18446744073709551615,"columns":9})",
        R"({"cmd":"isSolvable","rows":9,"columns":9,"mines":[81],"start":0})",
        R"({"cmd":"isSolvable","rows":9,"columns":9,"mines":[-1],"start":0})",
        R"({"cmd":"isSolvable","rows":9,"columns":9,"mines":[5,5],"start":0})",
        R"({"cmd":"isSolvable","rows":9,"columns":9,"mines":[5],"start":5})",
        R"({"cmd":"isSolvable","rows":9,"columns":9,"mines":[5],"start":81})",
        R"({"cmd":"isSolvable","rows":9,"columns":9,"mines":"5","start":0})",
        R"({"cmd":"isSolvable","rows":9,"columns":9,"mines":[true],"start":0})",
        R"({"cmd":"safeTiles","rows":1,"columns":3,"knowledge":[1,0],"counts":[0,0,0]})",
        R"({"cmd":"safeTiles","rows":1,"columns":3,"knowledge":[1,0,0],"counts":[0,0,0,0]})",
        R"({"cmd":"safeTiles","rows":1,"columns":3,"knowledge":[1,0,3],"counts":[0,0,0]})",
        R"({"cmd":"safeTiles","rows":1,"columns":3,"knowledge":[1,0,0],"counts":[0,"x",0]})",
        // A number beyond any tile's neighbours would overflow the solver's mine differences.
        R"({"cmd":"safeTiles","rows":3,"columns":3,"knowledge":[2,2,2,1,1,1,0,0,1],"counts":[0,0,0,0,1,0,0,0,9223372036854775807]})",
        R"({"cmd":"safeTiles","rows":1,"columns":2,"knowledge":[1,0],"counts":[-1,0]})",
        R"({"cmd":"generate","rows":9,"columns":9,"mineCount":73,"safeIndex":40,"verify":true})",
        R"({"cmd":"generate","rows":9,"columns":9,"mineCount":-1,"safeIndex":40,"verify":true})",
        R"({"cmd":"generate","rows":9,"columns":9,"mineCount":10,"safeIndex":81,"verify":true})",
        R"({"cmd":"generate","rows":9,"columns":9,"mineCount":10,"safeIndex":40,"verify":1})",
        R"({"cmd":"generate","rows":9,"columns":9,"mineCount":10,"safeIndex":40,"verify":true,"seed":-3})",
        R"({"cmd":"generate","rows":9,"columns":9,"mineCount":10,"safeIndex":40,"verify":true,"seed":"1"})",
        R"({"cmd":"state"})",
        R"({"cmd":"reveal","index":3})",
        R"({"cmd":"close"})",
        R"({"cmd":"open","defaults":17})",
        R"({"cmd":"open","defaults":""})",
        R"({"cmd":"open","defaults":"velmora-nul\u0000.json"})",
        R"({"cmd":"open","verifyBoards":"yes"})",
    };
    // With a game open: requests the engine must never see.
    const std::vector<std::string> badInGame{
        R"({"cmd":"reveal"})",
        R"({"cmd":"reveal","index":"4"})",
        R"({"cmd":"set","name":"colour","value":"red"})",
        R"({"cmd":"set","name":"difficulty","value":"expert"})",
        R"({"cmd":"set","name":"difficulty","value":3})",
        R"({"cmd":"set","name":"questionMarksEnabled","value":"false"})",
        R"({"cmd":"set","name":"gamesPlayed","value":-1})",
        R"({"cmd":"set","name":"gamesWon","value":1.5})",
        R"({"cmd":"set","name":"bestTimes","value":{"Novice":3}})",
        R"({"cmd":"set","name":"bestTimes","value":{"Expert":"3"}})",
        R"({"cmd":"set","name":"isFlagMode"})",
        R"({"cmd":"nextLayout","mines":[1,2,3]})",
        R"({"cmd":"nextLayout","mines":[0,1,2,3,4,5,6,7,8,81]})",
        R"({"cmd":"nextLayout","mines":[0,1,2,3,4,5,6,7,8,8]})",
        R"({"cmd":"advance","seconds":-1})",
        R"({"cmd":"advance","seconds":"1"})",
        R"({"cmd":"advance","seconds":1e300})",
    };
    std::vector<std::string> requests = bad;
    requests.push_back(R"({"cmd":"open"})");
    requests.insert(requests.end(), badInGame.begin(), badInGame.end());
    // Off-board indices are the engine's own silent no-op, not an error.
    requests.push_back(R"({"cmd":"reveal","index":-5})");
    requests.push_back(R"({"cmd":"toggleFlag","index":18446744073709551615})");
    requests.push_back(R"({"cmd":"neighbors","rows":1,"columns":2})");

    const auto run = session(requests);
    ASSERT_EQ(run.answers.size(), requests.size());
    std::size_t i = 0;
    for (; i < bad.size(); ++i) {
        EXPECT_TRUE(run.answers[i].contains("error")) << requests[i] << " -> " << run.answers[i];
        EXPECT_EQ(run.answers[i].size(), 1u) << requests[i];
        EXPECT_TRUE(run.answers[i].value("error", json()).is_string()) << requests[i];
    }
    EXPECT_EQ(run.answers[i].value("phase", json()), "ready") << run.answers[i];
    ++i;
    for (const auto& r : badInGame) {
        EXPECT_TRUE(run.answers[i].contains("error")) << r << " -> " << run.answers[i];
        ++i;
    }
    EXPECT_EQ(run.answers[i].value("revealed", json()), json::array()) << run.answers[i];
    ++i;
    EXPECT_EQ(run.answers[i].value("flaggedCount", json()), 0) << run.answers[i];
    ++i;
    EXPECT_EQ(run.answers[i++], json({{"neighbors", {{1}, {0}}}}));
    EXPECT_EQ(run.status, 0);
}

TEST(Protocol, EachAnswerIsFlushedBeforeTheNextRequestArrives) {
    int toChild[2], fromChild[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(fromChild), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        ::execl(VELMORA_ENGINE_BINARY, VELMORA_ENGINE_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    const std::string line = "{\"cmd\":\"neighbors\",\"rows\":1,\"columns\":1}\n";
    ASSERT_EQ(::write(toChild[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    // The input stays open: the answer must arrive without it (the limit only stops a hang).
    pollfd p{fromChild[0], POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 120000), 1);
    char buffer[256] = {};
    const ssize_t n = ::read(fromChild[0], buffer, sizeof buffer - 1);
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0))), "{\"neighbors\":[[]]}\n");
    ::close(toChild[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ::close(fromChild[0]);
}
