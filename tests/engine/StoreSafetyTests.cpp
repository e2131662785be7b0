// The store under two writers, failing disks, damaged and hostile files.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
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

class StoreSafety : public ::testing::Test {
protected:
    void SetUp() override {
        dir = test::makeScratchFolder("velmora-safety");
        path = dir / "velmora" / "defaults.json";
    }
    void TearDown() override { fs::remove_all(dir); }

    static void writeFile(const fs::path& p, const std::string& text) { test::writeFile(p, text); }
    static std::string readFile(const fs::path& p) { return test::readFile(p); }
    std::vector<std::string> namesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path.parent_path())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
    fs::path path;
};

// --- two writers ---------------------------------------------------------------------

TEST_F(StoreSafety, OneWriterPerFileWhateverItsNameAndNoStaleLockAfterAKill) {
    fs::create_directories(path.parent_path());
    StoreLock first;
    ASSERT_EQ(first.acquire(StoreLock::lockPathFor(path)), StoreLock::Result::acquired);
    EXPECT_EQ(StoreLock::lockPathFor(path), fs::path(path.string() + ".lock")) << "held next to the file";

    // Other spellings and a link to the file reach the same lock.
    fs::create_directory_symlink(path.parent_path(), dir / "linked");
    writeFile(path, "{}");
    fs::create_symlink(path, dir / "alias.json");
    for (const fs::path& other : {dir / "velmora" / "." / "defaults.json", dir / "linked" / "defaults.json",
                                  dir / "alias.json"}) {
        StoreLock second;
        EXPECT_EQ(second.acquire(StoreLock::lockPathFor(other)), StoreLock::Result::busy) << other;
    }
    first.release();
    StoreLock again;
    EXPECT_EQ(again.acquire(StoreLock::lockPathFor(dir / "alias.json")), StoreLock::Result::acquired);
    again.release();

    // Another process holds it until it is killed; then the lock is free at once.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        StoreLock held;
        const char ok = held.acquire(StoreLock::lockPathFor(path)) == StoreLock::Result::acquired ? 'y' : 'n';
        [[maybe_unused]] auto w = ::write(ready[1], &ok, 1);
        for (;;) ::pause();
    }
    char got = 0;
    ASSERT_EQ(::read(ready[0], &got, 1), 1);
    EXPECT_EQ(got, 'y');
    StoreLock third;
    EXPECT_EQ(third.acquire(StoreLock::lockPathFor(path)), StoreLock::Result::busy);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(third.acquire(StoreLock::lockPathFor(path)), StoreLock::Result::acquired);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(StoreSafety, WritesInFlightNeverShareATemporaryFile) {
    // Two writes cut short before their rename: each had a file of its own, so neither could
    // have truncated the other's half-written content.
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(FileDefaultsStore::writeAtomically(path, "{\"a\":1}", false, nullptr));
    ASSERT_TRUE(FileDefaultsStore::writeAtomically(path, "{\"b\":2}", false, nullptr));
    const auto names = namesInFolder();
    ASSERT_EQ(names.size(), 2u);
    std::set<std::string> contents;
    for (const auto& name : names) contents.insert(readFile(path.parent_path() / name));
    EXPECT_EQ(contents, (std::set<std::string>{"{\"a\":1}", "{\"b\":2}"}));
    // The next store over the file clears what crashed writes left behind.
    FileDefaultsStore store(path);
    store.setInteger("Velmora_GamesWon", 1);
    EXPECT_EQ(namesInFolder(), (std::vector<std::string>{"defaults.json"}));
}

// --- damaged files -------------------------------------------------------------------

TEST_F(StoreSafety, EverySetAsideKeepsEarlierDamagedFilesAndFolders) {
    fs::create_directories(path.string() + ".damaged");  // a folder in the way
    writeFile(path, "first damage");
    { FileDefaultsStore store(path); EXPECT_EQ(store.damagedCopy(), fs::path(path.string() + ".damaged-2")); }
    writeFile(path, "second damage");
    FileDefaultsStore store(path);
    EXPECT_EQ(store.damagedCopy(), fs::path(path.string() + ".damaged-3"));
    EXPECT_TRUE(fs::is_directory(path.string() + ".damaged"));
    EXPECT_EQ(readFile(path.string() + ".damaged-2"), "first damage");
    EXPECT_EQ(readFile(path.string() + ".damaged-3"), "second damage");
    EXPECT_FALSE(store.isReadOnly());
}

TEST_F(StoreSafety, AFileThatCannotBeSetAsideIsNeverWrittenOver) {
    // The kept name would be longer than a file name may be, so the rename fails.
    path = dir / (std::string(NAME_MAX - 2, 'd') + ".j");
    const std::string text = "{\"Velmora_GamesWon\": 41";  // damaged: cut short
    writeFile(path, text);
    int reports = 0;
    {
        FileDefaultsStore store(path);
        store.setWriteErrorHandler([&](const std::string&) { ++reports; });
        EXPECT_TRUE(store.loadedDamagedFile());
        EXPECT_FALSE(store.damagedCopy());
        EXPECT_TRUE(store.isReadOnly());
        store.setInteger("Velmora_GamesWon", 1);
        store.setInteger("Velmora_GamesWon", 2);
        store.flush();
        EXPECT_EQ(store.integer("Velmora_GamesWon"), 2) << "the session goes on in memory";
        EXPECT_FALSE(store.hasPendingWrite());
    }
    EXPECT_EQ(readFile(path), text) << "the file it could not keep is still there, untouched";
    EXPECT_EQ(reports, 1);
}

TEST_F(StoreSafety, AStoreFileBeyondTheSizeCapIsSetAsideUnread) {
    const std::string huge = "{\"Velmora_GamesPlayed\": 5, \"pad\": \"" + std::string(2u << 20, 'x') + "\"}";
    writeFile(path, huge);
    FileDefaultsStore store(path);
    EXPECT_TRUE(store.loadedDamagedFile());
    EXPECT_TRUE(store.content().empty());
    ASSERT_TRUE(store.damagedCopy());
    EXPECT_EQ(fs::file_size(*store.damagedCopy()), huge.size());

    // Just under the cap is an ordinary store.
    const std::string big = "{\"Velmora_GamesPlayed\": 5, \"pad\": \"" +
                            std::string(FileDefaultsStore::kMaxFileSize - 40, 'x') + "\"}";
    ASSERT_LE(big.size(), FileDefaultsStore::kMaxFileSize);
    writeFile(path, big);
    FileDefaultsStore fits(path);
    EXPECT_FALSE(fits.loadedDamagedFile());
    EXPECT_EQ(fits.integer("Velmora_GamesPlayed"), 5);
}

// --- failed writes -------------------------------------------------------------------

TEST_F(StoreSafety, AFailedWriteStaysPendingAndReachesTheDiskLater) {
    int failuresLeft = 2;
    std::vector<std::function<void()>> retries;
    std::vector<std::string> reports;
    {
        FileDefaultsStore store(path);
        store.setWriterForTesting([&](const fs::path& p, const std::string& text, std::string* error) {
            if (failuresLeft > 0) {
                --failuresLeft;
                *error = "No space left on device";
                return false;
            }
            return FileDefaultsStore::writeAtomically(p, text, true, error);
        });
        store.setWriteErrorHandler([&](const std::string& e) { reports.push_back(e); });
        store.setRetryScheduler([&](std::function<void()> retry) { retries.push_back(std::move(retry)); });

        store.setInteger("Velmora_GamesWon", 12);  // a win's statistics, and the disk is full
        EXPECT_TRUE(store.hasWriteFailed());
        EXPECT_TRUE(store.hasPendingWrite());
        EXPECT_FALSE(fs::exists(path));
        ASSERT_EQ(retries.size(), 1u);
        retries[0]();  // still full
        ASSERT_EQ(retries.size(), 2u) << "another retry is asked for";
        retries[1]();  // space again
        EXPECT_FALSE(store.hasWriteFailed());
        EXPECT_FALSE(store.hasPendingWrite());
        EXPECT_EQ(FileDefaultsStore(path).integer("Velmora_GamesWon"), 12);
        EXPECT_EQ(reports, std::vector<std::string>{"No space left on device"}) << "reported once";

        // Failing again, with nothing else changing: the final flush at exit writes it.
        failuresLeft = 1;
        store.setInteger("Velmora_BestStreak", 3);
        EXPECT_TRUE(store.hasPendingWrite());
    }
    EXPECT_EQ(FileDefaultsStore(path).integer("Velmora_BestStreak"), 3);
    EXPECT_EQ(reports.size(), 1u);
}

// --- links, folders and names -------------------------------------------------------

TEST_F(StoreSafety, APlantedTemporaryLinkLeavesItsTargetUntouched) {
    const fs::path target = dir / "precious.txt";
    writeFile(target, "someone else's file");
    fs::create_directories(path.parent_path());
    fs::create_symlink(target, path.string() + ".tmp");
    {
        FileDefaultsStore store(path);
        store.setInteger("Velmora_GamesPlayed", 1);
        EXPECT_FALSE(store.hasWriteFailed());
    }
    EXPECT_EQ(readFile(target), "someone else's file");
    EXPECT_EQ(FileDefaultsStore(path).integer("Velmora_GamesPlayed"), 1);
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(StoreSafety, NewFoldersArePrivateAndALinkedStoreIsWrittenWhereItPoints) {
    const mode_t old = ::umask(022);
    const fs::path nested = dir / "config" / "velmora" / "defaults.json";
    FileDefaultsStore(nested).setInteger("a", 1);
    ::umask(old);
    for (const fs::path& folder : {dir / "config", dir / "config" / "velmora"}) {
        struct stat st {};
        ASSERT_EQ(::stat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
    }

    // A store kept elsewhere through a link (a dotfiles folder, say) stays a link.
    fs::create_directories(path.parent_path());
    fs::create_symlink(nested, path);
    FileDefaultsStore(path).setInteger("b", 2);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(json::parse(readFile(nested)), (json{{"a", 1}, {"b", 2}}));
}

TEST_F(StoreSafety, FileNamesAreKeptAsBytes) {
    const fs::path odd = dir / "d\xff\xfe-\xe9.json";  // not UTF-8
    FileDefaultsStore(odd).setInteger("a", 1);
    struct stat st {};
    EXPECT_EQ(::stat(odd.c_str(), &st), 0);
    EXPECT_EQ(FileDefaultsStore(odd).integer("a"), 1);
}

TEST_F(StoreSafety, WithoutHomeTheStoreIsUnderTheUsersHomeNotTheWorkingFolder) {
    const char* home = std::getenv("HOME");
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedHome = home ? home : "", savedXdg = xdg ? xdg : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    const fs::path found = FileDefaultsStore::defaultPath();
    if (home) ::setenv("HOME", savedHome.c_str(), 1);
    if (xdg) ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    ASSERT_FALSE(found.empty());
    EXPECT_TRUE(found.is_absolute()) << found;
    EXPECT_EQ(found.filename(), "defaults.json");
    EXPECT_EQ(found.parent_path().parent_path().filename(), ".config");

    // A store with no place at all keeps the session in memory and touches no file.
    FileDefaultsStore nowhere{fs::path()};
    nowhere.setInteger("a", 1);
    EXPECT_TRUE(nowhere.isReadOnly());
    EXPECT_EQ(nowhere.integer("a"), 1);
}

}  // namespace
