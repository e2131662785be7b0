#include "SavedGame.h"

#include <nlohmann/json.hpp>

#include "MinesweeperSolver.h"

namespace velmora {

namespace {

using nlohmann::json;

bool readInteger(const json& v, std::int64_t& out) {
    if (!v.is_number_integer()) return false;
    if (v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) return false;
    out = v.get<std::int64_t>();
    return true;
}

bool readIndexList(const json& v, std::vector<std::int64_t>& out) {
    if (!v.is_array()) return false;
    out.clear();
    out.reserve(v.size());
    for (const auto& e : v) {
        std::int64_t x = 0;
        if (!readInteger(e, x)) return false;
        out.push_back(x);
    }
    return true;
}

// Marks every entry in `seen`; false on a duplicate or an index off the board.
bool markAll(const std::vector<std::int64_t>& list, std::int64_t n, std::vector<std::uint8_t>& seen) {
    seen.assign(static_cast<std::size_t>(n), 0);
    for (auto i : list) {
        if (i < 0 || i >= n) return false;
        auto& s = seen[static_cast<std::size_t>(i)];
        if (s) return false;
        s = 1;
    }
    return true;
}

}  // namespace

std::string encodeSavedGame(const SavedGame& g) {
    json j = {
        {"version", g.version},
        {"difficulty", g.difficulty},
        {"mines", g.mines},
        {"revealed", g.revealed},
        {"flagged", g.flagged},
        {"elapsedSeconds", g.elapsedSeconds},
        {"questioned", g.questioned.value_or(std::vector<std::int64_t>{})},
        {"usedHint", g.usedHint.value_or(false)},
    };
    return j.dump();
}

std::optional<SavedGame> decodeSavedGame(const Bytes& bytes) {
    const auto j = json::parse(bytes.begin(), bytes.end(), nullptr, /*allow_exceptions=*/false);
    if (!j.is_object()) return std::nullopt;
    SavedGame g;
    auto required = [&](const char* key) -> const json* {
        auto it = j.find(key);
        return it == j.end() ? nullptr : &*it;
    };
    const json* v = required("version");
    if (!v || !readInteger(*v, g.version)) return std::nullopt;
    v = required("difficulty");
    if (!v || !v->is_string()) return std::nullopt;
    g.difficulty = v->get<std::string>();
    v = required("mines");
    if (!v || !readIndexList(*v, g.mines)) return std::nullopt;
    v = required("revealed");
    if (!v || !readIndexList(*v, g.revealed)) return std::nullopt;
    v = required("flagged");
    if (!v || !readIndexList(*v, g.flagged)) return std::nullopt;
    v = required("elapsedSeconds");
    if (!v || !readInteger(*v, g.elapsedSeconds)) return std::nullopt;
    v = required("questioned");
    if (v && !v->is_null()) {
        std::vector<std::int64_t> q;
        if (!readIndexList(*v, q)) return std::nullopt;
        g.questioned = std::move(q);
    }
    v = required("usedHint");
    if (v && !v->is_null()) {
        if (!v->is_boolean()) return std::nullopt;
        g.usedHint = v->get<bool>();
    }
    return g;
}

std::optional<RestoredBoard> restoredBoard(const SavedGame& g) {
    if (g.version != 1) return std::nullopt;
    const auto difficulty = difficultyFromRaw(g.difficulty);
    if (!difficulty) return std::nullopt;
    const std::int64_t n = tileCount(*difficulty);
    const std::int64_t m = mineCount(*difficulty);
    if (g.elapsedSeconds < 0 || g.elapsedSeconds > 5999) return std::nullopt;

    std::vector<std::uint8_t> mine, revealed, flagged, questioned;
    if (!markAll(g.mines, n, mine) || static_cast<std::int64_t>(g.mines.size()) != m) return std::nullopt;
    if (g.revealed.empty() || !markAll(g.revealed, n, revealed)) return std::nullopt;
    if (!markAll(g.flagged, n, flagged)) return std::nullopt;
    static const std::vector<std::int64_t> none;
    if (!markAll(g.questioned ? *g.questioned : none, n, questioned)) return std::nullopt;

    for (std::int64_t i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (revealed[k] && (mine[k] || flagged[k] || questioned[k])) return std::nullopt;
        if (flagged[k] && questioned[k]) return std::nullopt;
    }
    if (static_cast<std::int64_t>(g.revealed.size()) >= n - m) return std::nullopt;

    const MinesweeperSolver geometry(sideLength(*difficulty), sideLength(*difficulty));
    std::vector<Tile> tiles(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        auto& t = tiles[k];
        t.hasMine = mine[k];
        t.isRevealed = revealed[k];
        t.isFlagged = flagged[k];
        t.isQuestioned = questioned[k];
        for (auto nb : geometry.neighbors(i)) t.adjacentMines += mine[static_cast<std::size_t>(nb)];
    }
    for (std::int64_t i = 0; i < n; ++i) {
        const auto& t = tiles[static_cast<std::size_t>(i)];
        if (!t.isRevealed || t.adjacentMines != 0) continue;
        for (auto nb : geometry.neighbors(i)) {
            const auto& u = tiles[static_cast<std::size_t>(nb)];
            if (!u.isRevealed && !u.isFlagged) return std::nullopt;
        }
    }
    return RestoredBoard{*difficulty, std::move(tiles)};
}

}  // namespace velmora
