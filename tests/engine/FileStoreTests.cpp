#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DefaultsStore.h"
#include "FileTestSupport.h"

using namespace velmora;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {

class FileStore : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::makeScratchFolder("velmora-store");
        path = dir / "velmora" / "defaults.json";
    }
    void TearDown() override { fs::remove_all(dir); }

    static void writeFile(const fs::path& p, const std::string& text) { test::writeFile(p, text); }
    static std::string readFile(const fs::path& p) { return test::readFile(p); }

    fs::path dir;
    fs::path path;
};

TEST_F(FileStore, EveryKindRoundTripsThroughTheFile) {
    const Bytes binary{0, 1, 2, 0xFE, 0xFF, '"', '\\', 0};
    {
        FileDefaultsStore store(path);
        EXPECT_FALSE(store.loadedDamagedFile());
        store.setInteger("int", -9007199254740993LL);
        store.setBoolean("bool", true);
        store.setString("string", "Solid Cerulean \xC3\xA9");
        store.setDictionary("dict", json{{"Expert", 120}, {"Beginner", 7}});
        store.setData("data", binary);
        store.setData("empty", {});
        store.setString("gone", "x");
        store.remove("gone");
        store.remove("never-there");
    }
    FileDefaultsStore again(path);
    EXPECT_EQ(again.integer("int"), -9007199254740993LL);
    EXPECT_TRUE(again.boolean("bool"));
    EXPECT_EQ(again.string("string"), "Solid Cerulean \xC3\xA9");
    EXPECT_EQ(again.object("dict"), (json{{"Expert", 120}, {"Beginner", 7}}));
    EXPECT_EQ(again.data("data"), binary);
    EXPECT_EQ(again.data("empty"), Bytes{});
    EXPECT_FALSE(again.object("gone"));
    EXPECT_EQ(again.content().size(), 6u);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(FileStore, ReadingsOfEveryKind) {
    writeFile(path, R"({"int": 42, "neg": -3, "true": true, "false": false, "dec": "17", "plus": "+5",
        "notdec": "17x", "blank": "", "real": 2.5, "array": [1], "null": null, "yes": "YES", "one": "1",
        "no": "no", "huge": 18446744073709551615, "data": {"$data": "AAE="}, "baddata": {"$data": "A=A="},
        "notdata": {"$data": 5}, "dict": {"a": 1}, "longdigits": "99999999999999999999"})");
    FileDefaultsStore s(path);
    EXPECT_EQ(s.integer("int"), 42);
    EXPECT_EQ(s.integer("true"), 1);
    EXPECT_EQ(s.integer("false"), 0);
    EXPECT_EQ(s.integer("dec"), 17);
    EXPECT_EQ(s.integer("plus"), 5);
    for (const char* k : {"notdec", "blank", "real", "array", "null", "huge", "missing", "dict", "longdigits"})
        EXPECT_EQ(s.integer(k), 0) << k;

    EXPECT_TRUE(s.boolean("true"));
    EXPECT_TRUE(s.boolean("int"));
    EXPECT_TRUE(s.boolean("neg"));
    EXPECT_TRUE(s.boolean("yes"));
    EXPECT_TRUE(s.boolean("one"));
    for (const char* k : {"false", "no", "dec", "real", "array", "null", "missing", "dict"})
        EXPECT_FALSE(s.boolean(k)) << k;

    EXPECT_EQ(s.string("dec"), "17");
    for (const char* k : {"int", "true", "real", "null", "missing", "data"}) EXPECT_FALSE(s.string(k)) << k;

    EXPECT_EQ(s.data("data"), (Bytes{0, 1}));
    for (const char* k : {"baddata", "notdata", "dict", "dec", "missing"}) EXPECT_FALSE(s.data(k)) << k;
    EXPECT_EQ(s.object("real"), json(2.5));
    EXPECT_FALSE(s.object("missing"));
}

TEST_F(FileStore, ADamagedFileIsKeptAsideAndTheStoreStartsEmpty) {
    const fs::path damaged = path.string() + ".damaged";
    writeFile(damaged, "an older damaged file");
    int n = 1;
    for (const std::string& text : {std::string("{\"Velmora_GamesPlayed\": 3"), std::string("[1, 2]"),
                                   std::string(""), std::string("\xFF\xFE{}")}) {
        writeFile(path, text);
        FileDefaultsStore store(path);
        const fs::path kept = damaged.string() + "-" + std::to_string(++n);
        EXPECT_TRUE(store.loadedDamagedFile()) << text;
        EXPECT_TRUE(store.content().empty());
        EXPECT_EQ(store.damagedCopy(), kept);
        EXPECT_EQ(readFile(kept), text) << "each damaged file gets a name of its own";
        EXPECT_EQ(readFile(damaged), "an older damaged file") << "an older one is never replaced";
        EXPECT_FALSE(fs::exists(path));
        store.setInteger("Velmora_GamesPlayed", 1);
        EXPECT_EQ(json::parse(readFile(path)), (json{{"Velmora_GamesPlayed", 1}}));
        EXPECT_EQ(readFile(kept), text) << "later writes leave it alone";
    }
}

TEST_F(FileStore, ANestingTooDeepToWriteBackCountsAsDamaged) {
    // Loaded as is, such a value would overflow the stack on the first write (and every launch).
    const std::string text = "{\"Velmora_GamesPlayed\": 3, \"x\": " + std::string(200000, '[') +
                             std::string(200000, ']') + "}";
    writeFile(path, text);
    FileDefaultsStore store(path);
    EXPECT_TRUE(store.loadedDamagedFile());
    EXPECT_TRUE(store.content().empty());
    EXPECT_EQ(readFile(path.string() + ".damaged"), text);
    store.setInteger("Velmora_GamesPlayed", 4);
    EXPECT_EQ(FileDefaultsStore(path).integer("Velmora_GamesPlayed"), 4);

    writeFile(path, R"({"ok": [[[[{"a": [1]}]]]]})");
    EXPECT_FALSE(FileDefaultsStore(path).loadedDamagedFile()) << "ordinary nesting is kept";
}

TEST_F(FileStore, AFileThatCannotBeReadIsKeptAsideNotOverwritten) {
    const std::string text = R"({"Velmora_GamesPlayed": 99, "Velmora_BestStreak": 7})";
    writeFile(path, text);
    ::chmod(path.c_str(), 0);
    ::chmod(dir.c_str(), 0711);
    ::chmod(path.parent_path().c_str(), 0777);
    // As an ordinary user the file is unreadable now; root reads anything, so the store is
    // then opened from a child process that has given up root.
    auto scenario = [&] {
        FileDefaultsStore store(path);
        store.setInteger("Velmora_GamesPlayed", 1);
        return store.loadedDamagedFile() && !store.hasWriteFailed() && store.integer("Velmora_BestStreak") == 0;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(scenario());
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(dropped && scenario() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ::chmod((path.string() + ".damaged").c_str(), 0600);
    EXPECT_EQ(readFile(path.string() + ".damaged"), text) << "what the user had is still there";
    EXPECT_EQ(json::parse(readFile(path)), (json{{"Velmora_GamesPlayed", 1}}));
}

TEST_F(FileStore, AWriteInterruptedBeforeTheRenameLeavesTheOldFile) {
    {
        FileDefaultsStore store(path);
        store.setInteger("Velmora_GamesWon", 4);
    }
    const std::string before = readFile(path);
    std::string error;
    ASSERT_TRUE(FileDefaultsStore::writeAtomically(path, "{\"half\":", false, &error)) << error;
    EXPECT_EQ(readFile(path), before);
    FileDefaultsStore store(path);
    EXPECT_FALSE(store.loadedDamagedFile());
    EXPECT_EQ(store.integer("Velmora_GamesWon"), 4);
    store.setInteger("Velmora_GamesWon", 5);  // a leftover temporary file does not get in the way
    EXPECT_EQ(FileDefaultsStore(path).integer("Velmora_GamesWon"), 5);

    ::chmod(path.c_str(), 0644);
    store.setInteger("Velmora_GamesWon", 6);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "a replaced file is private again";
}

TEST_F(FileStore, DeferredWritesOfOneTurnBecomeOneFileWrite) {
    std::vector<std::function<void()>> queued;
    {
        FileDefaultsStore store(path, [&](std::function<void()> task) { queued.push_back(std::move(task)); });
        store.setInteger("a", 1);
        store.setInteger("b", 2);
        store.remove("a");
        EXPECT_EQ(queued.size(), 1u);
        EXPECT_FALSE(fs::exists(path));
        queued[0]();
        EXPECT_EQ(json::parse(readFile(path)), (json{{"b", 2}}));
        store.setBoolean("c", true);
        ASSERT_EQ(queued.size(), 2u);
    }
    EXPECT_EQ(json::parse(readFile(path)), (json{{"b", 2}, {"c", true}})) << "destruction flushes";
    queued[1]();  // a write queued by a store that is gone does nothing
}

TEST_F(FileStore, AFolderAtThePathIsLeftAloneAndTheFailureReportedOnce) {
    fs::create_directories(path);
    FileDefaultsStore store(path);
    EXPECT_TRUE(store.loadedDamagedFile());
    int reports = 0;
    store.setWriteErrorHandler([&](const std::string&) { ++reports; });
    store.setInteger("a", 1);
    store.setInteger("a", 2);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(store.hasWriteFailed());
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(store.integer("a"), 2) << "the session goes on from memory";
}

}  // namespace
