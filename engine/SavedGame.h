#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DefaultsStore.h"
#include "Types.h"

namespace velmora {

struct SavedGame {
    std::int64_t version = 1;
    std::string difficulty;
    std::vector<std::int64_t> mines;
    std::vector<std::int64_t> revealed;
    std::vector<std::int64_t> flagged;
    std::int64_t elapsedSeconds = 0;
    std::optional<std::vector<std::int64_t>> questioned;
    std::optional<bool> usedHint;

    friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

// All eight keys, compact JSON.
std::string encodeSavedGame(const SavedGame& game);
// Nothing when the bytes are not a JSON object of the record's shape (a wrong type, a
// missing required key, a number that does not fit).
std::optional<SavedGame> decodeSavedGame(const Bytes& bytes);

struct RestoredBoard {
    Difficulty difficulty;
    std::vector<Tile> tiles;
};

// Validates a decoded record against every rule a board from real play satisfies and
// rebuilds its tiles; nothing when any rule fails.
std::optional<RestoredBoard> restoredBoard(const SavedGame& game);

}  // namespace velmora
