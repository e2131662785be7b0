// Whatever sits in the defaults file, loading it and reading every key in every kind must
// not crash, and the game built over it must start.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "DefaultsStore.h"
#include "MinesweeperGame.h"

using namespace velmora;
namespace fs = std::filesystem;

namespace {

// The runner hands us a folder (on tmpfs, since every store write ends in an fsync) and
// removes it afterwards; libFuzzer may end the process without running exit handlers.
const fs::path& scratch() {
    static const fs::path dir = [] {
        const char* given = std::getenv("VELMORA_FUZZ_SCRATCH");
        fs::path d = given && *given ? fs::path(given)
                                     : fs::temp_directory_path() / ("velmora-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

void readEverything(const DefaultsStore& store, const std::string& key) {
    (void)store.integer(key);
    (void)store.boolean(key);
    (void)store.string(key);
    (void)store.data(key);
    (void)store.object(key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path path = scratch() / "defaults.json";
    std::error_code ec;
    fs::remove(path, ec);
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    {
        // Writes are coalesced into the one flush at the end, as in the app.
        FileDefaultsStore store(path, [](std::function<void()>) {});
        if (!store.loadedDamagedFile() && !store.content().is_object()) std::abort();
        // What could not be read is kept byte for byte, and never under an earlier copy's name.
        if (store.loadedDamagedFile()) {
            if (!store.damagedCopy() || store.isReadOnly()) std::abort();
            std::ifstream kept(*store.damagedCopy(), std::ios::binary);
            const std::string copy((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
            if (copy != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
            fs::remove(*store.damagedCopy(), ec);
        }
        for (const auto& [key, value] : store.content().items()) readEverything(store, key);
        for (const char* key : {keys::difficulty, keys::boardSize, keys::questionMarks, keys::tileTheme,
                                keys::menuBarIcon, keys::hasSeenWelcome, keys::gamesPlayed, keys::gamesWon,
                                keys::currentStreak, keys::bestStreak, keys::bestTimes, keys::savedGame})
            readEverything(store, key);

        ManualScheduler scheduler;
        SeededRandomSource random(size);
        NoHaptics haptics;
        MinesweeperGame game(store, true, scheduler, random, haptics);
        if (game.tiles().size() != static_cast<std::size_t>(tileCount(game.boardDifficulty()))) std::abort();
        game.setIsViewVisible(true);
        game.setIsViewVisible(false);
        scheduler.runPending();
        game.setGamesPlayed(game.gamesPlayed());  // a write: the file is rewritten from what was loaded
    }
    // What was written back loads again as a store.
    FileDefaultsStore reloaded(path);
    if (reloaded.loadedDamagedFile()) std::abort();
    return 0;
}
