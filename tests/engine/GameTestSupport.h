#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MinesweeperGame.h"

namespace velmora::testing {

// Builds a layout from rows of text, '*' marking a mine.
inline MineLayout layoutFromRows(const std::vector<std::string>& rows) {
    MineLayout layout;
    for (const auto& row : rows)
        for (char c : row) layout.push_back(c == '*' ? 1 : 0);
    return layout;
}

inline std::int64_t at(std::int64_t row, std::int64_t column, std::int64_t columns = 9) {
    return row * columns + column;
}

class CountingHaptics final : public Haptics {
public:
    void alignment() override { ++alignments; }
    void levelChange() override { ++levelChanges; }
    int alignments = 0;
    int levelChanges = 0;
};

// A game over an in-memory store and virtual time, with every notification and store
// write recorded.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.setWriteObserver([this](const std::string& key) { writes.push_back(key); });
    }

    MinesweeperGame& makeGame(bool verify = false) {
        game = std::make_unique<MinesweeperGame>(store, verify, scheduler, random, haptics);
        game->addListener([this](Property p) { notes.push_back(p); });
        return *game;
    }

    // Deals `rows` on the next first uncover and performs it.
    void deal(const std::vector<std::string>& rows, std::int64_t firstClick) {
        game->setNextLayout(layoutFromRows(rows));
        game->reveal(firstClick);
    }

    const Tile& tile(std::int64_t index) const { return game->tiles()[static_cast<std::size_t>(index)]; }

    int count(Property p) const { return static_cast<int>(std::count(notes.begin(), notes.end(), p)); }
    int written(const std::string& key) const { return static_cast<int>(std::count(writes.begin(), writes.end(), key)); }
    void clearRecords() {
        notes.clear();
        writes.clear();
    }

    InMemoryDefaultsStore store;
    ManualScheduler scheduler;
    SeededRandomSource random{7};
    CountingHaptics haptics;
    std::unique_ptr<MinesweeperGame> game;
    std::vector<Property> notes;
    std::vector<std::string> writes;
};

// Beginner layout: column 8 mined in rows 0-6, and (8,0), (8,2), (8,8). A first uncover
// at (0,0) floods everything except the mines, (8,1) and (7,8); (7,1) shows 2.
inline const std::vector<std::string> kLayoutC{
    "........*", "........*", "........*", "........*", "........*",
    "........*", "........*", ".........", "*.*.....*",
};

}  // namespace velmora::testing
