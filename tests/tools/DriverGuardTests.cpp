// The driver as a second program over a store, and as a reader of endless lines.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "DefaultsStore.h"

using nlohmann::json;
namespace fs = std::filesystem;

namespace {

fs::path scratchFolder() {
    auto d = fs::temp_directory_path() / ("velmora-driver-guard-" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
}

// The real program over the given standard input; every answer line parsed.
std::vector<json> run(const std::string& input, int* status) {
    const auto inputFile = scratchFolder() / "input.txt";
    std::ofstream(inputFile, std::ios::binary) << input;
    int out[2];
    if (::pipe(out) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int in = ::open(inputFile.c_str(), O_RDONLY);
        ::dup2(in, 0);
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::execl(VELMORA_ENGINE_BINARY, VELMORA_ENGINE_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::vector<json> answers;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) answers.push_back(json::parse(line));
    return answers;
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(DriverGuard, AStoreInUseIsNeitherReadNorWritten) {
    const auto file = scratchFolder() / "in-use.json";
    std::ofstream(file) << "{\"Velmora_GamesPlayed\": 7";  // damaged: reading would move it aside
    const std::string open = json{{"cmd", "open"}, {"defaults", file.string()}}.dump() + "\n";
    int status = -1;
    {
        velmora::StoreLock game;  // the game holds the store
        ASSERT_EQ(game.acquire(velmora::StoreLock::lockPathFor(file)), velmora::StoreLock::Result::acquired);
        const auto answers = run(open + "{\"cmd\":\"reveal\",\"index\":0}\n", &status);
        ASSERT_EQ(answers.size(), 2u);
        EXPECT_EQ(answers[0], (json{{"error", "the defaults file is in use by another program"}}));
        EXPECT_EQ(answers[1]["error"], "no game is open; send \"open\" first");
        EXPECT_EQ(readFile(file), "{\"Velmora_GamesPlayed\": 7");
        EXPECT_FALSE(fs::exists(file.string() + ".damaged"));
    }
    // Once the game has gone, the driver takes the store over (and keeps the damaged file).
    const auto answers = run(open + "{\"cmd\":\"close\"}\n", &status);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0]["phase"], "ready");
    EXPECT_EQ(readFile(file.string() + ".damaged"), "{\"Velmora_GamesPlayed\": 7");
    fs::remove_all(scratchFolder());
}

TEST(DriverGuard, AnOverlongLineIsRefusedAndTheProgramGoesOn) {
    int status = -1;
    const std::string neighbors = R"({"cmd":"neighbors","rows":1,"columns":2})";
    const auto answers =
        run(std::string(3u << 20, 'x') + "\n" + neighbors + "\n" + std::string(2u << 20, ' ') + neighbors, &status);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0], (json{{"error", "the line is longer than 1048576 bytes"}}));
    EXPECT_EQ(answers[1], (json{{"neighbors", {{1}, {0}}}}));
    EXPECT_EQ(answers[2], answers[0]) << "also a last line without its newline";
    EXPECT_EQ(status, 0);
    fs::remove_all(scratchFolder());
}

}  // namespace
