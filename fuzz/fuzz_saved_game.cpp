// Saved-game bytes from the store: decoding, validation and the restore by the game must
// never crash, and whatever is accepted must come back unchanged from a save.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "MinesweeperGame.h"
#include "SavedGame.h"

using namespace velmora;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::int64_t> sorted(std::vector<std::int64_t> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// The record as the game writes it back: ascending lists, every optional key present.
SavedGame normalised(const SavedGame& g) {
    SavedGame n = g;
    n.mines = sorted(g.mines);
    n.revealed = sorted(g.revealed);
    n.flagged = sorted(g.flagged);
    n.questioned = sorted(g.questioned.value_or(std::vector<std::int64_t>{}));
    n.usedHint = g.usedHint.value_or(false);
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const auto record = decodeSavedGame(bytes);
    if (!record) return 0;
    const auto board = restoredBoard(*record);
    if (!board) return 0;

    // An accepted record survives encoding and decoding exactly.
    const SavedGame expected = normalised(*record);
    const auto text = encodeSavedGame(expected);
    const auto again = decodeSavedGame(Bytes(text.begin(), text.end()));
    check(again && *again == expected);
    const auto board2 = restoredBoard(*again);
    check(board2 && board2->difficulty == board->difficulty && board2->tiles == board->tiles);

    // The game resumes it, and its own snapshot is the same record.
    InMemoryDefaultsStore store;
    store.setData(keys::savedGame, bytes);
    ManualScheduler scheduler;
    SeededRandomSource random(size);
    NoHaptics haptics;
    MinesweeperGame game(store, false, scheduler, random, haptics);
    check(game.phase() == GamePhase::playing);
    check(game.savedGameSnapshot() == expected);
    check(game.difficulty() == board->difficulty);

    // A few moves on the resumed board keep the model's invariants.
    const auto n = static_cast<std::int64_t>(game.tiles().size());
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 64); ++i) {
        const std::int64_t index = data[i] % n;
        switch (data[i] % 4) {
            case 0: game.reveal(index); break;
            case 1: game.toggleFlag(index); break;
            case 2: game.chord(index); break;
            default: game.showHint(); break;
        }
    }
    std::int64_t flags = 0;
    for (const auto& t : game.tiles()) {
        flags += t.isFlagged;
        check(!(t.isFlagged && t.isQuestioned));
        check(!t.isExploded || t.hasMine);
        if (game.phase() != GamePhase::lost) check(!(t.isRevealed && t.hasMine));
    }
    check(flags == game.flaggedCount());
    if (auto hinted = game.hintedTile()) check(!game.tiles()[static_cast<std::size_t>(*hinted)].isRevealed);
    scheduler.runPending();
    return 0;
}
