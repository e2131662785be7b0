#include "Driver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "Generator.h"
#include "MinesweeperSolver.h"

namespace velmora::tool {

using nlohmann::json;

namespace {

constexpr std::int64_t kMaxSide = 64;
// Virtual time is cheap but not free: a day of ticks answers quickly, a century would hang.
constexpr double kMaxAdvanceSeconds = 1'000'000.0;

[[noreturn]] void fail(std::string message) { throw RequestError{std::move(message)}; }

const json& field(const json& request, const char* name) {
    auto it = request.find(name);
    if (it == request.end()) fail(std::string("missing field \"") + name + "\"");
    return *it;
}

bool present(const json& request, const char* name) {
    auto it = request.find(name);
    return it != request.end() && !it->is_null();
}

// An integer within [lo, hi]; reals (even 9.0), strings and Booleans are the wrong kind.
std::int64_t integerIn(const json& value, const char* name, std::int64_t lo, std::int64_t hi) {
    if (!value.is_number_integer()) fail(std::string("\"") + name + "\" must be an integer");
    if (value.is_number_unsigned()) {
        // Compare as unsigned only where hi is non-negative; zero must still meet lo.
        const auto u = value.get<std::uint64_t>();
        if (hi < 0 || u > static_cast<std::uint64_t>(hi) || static_cast<std::int64_t>(u) < lo)
            fail(std::string("\"") + name + "\" is out of range");
        return static_cast<std::int64_t>(u);
    }
    const auto v = value.get<std::int64_t>();
    if (v < lo || v > hi) fail(std::string("\"") + name + "\" is out of range");
    return v;
}

bool boolean(const json& value, const char* name) {
    if (!value.is_boolean()) fail(std::string("\"") + name + "\" must be true or false");
    return value.get<bool>();
}

std::string string(const json& value, const char* name) {
    if (!value.is_string()) fail(std::string("\"") + name + "\" must be a string");
    return value.get<std::string>();
}

std::optional<std::uint64_t> seedOf(const json& request) {
    if (!present(request, "seed")) return std::nullopt;
    const json& s = request["seed"];
    if (!s.is_number_integer() || (!s.is_number_unsigned() && s.get<std::int64_t>() < 0))
        fail("\"seed\" must be an unsigned 64-bit integer");
    return s.get<std::uint64_t>();
}

struct Board {
    std::int64_t rows;
    std::int64_t columns;
    std::int64_t tiles() const { return rows * columns; }
};

Board boardOf(const json& request) {
    Board b{};
    b.rows = integerIn(field(request, "rows"), "rows", 1, kMaxSide);
    b.columns = integerIn(field(request, "columns"), "columns", 1, kMaxSide);
    return b;
}

// A list of distinct tile indices of a board with `tiles` tiles.
std::vector<std::int64_t> indexList(const json& value, const char* name, std::int64_t tiles) {
    if (!value.is_array()) fail(std::string("\"") + name + "\" must be an array of tile indices");
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(tiles), 0);
    std::vector<std::int64_t> out;
    out.reserve(value.size());
    for (const auto& v : value) {
        if (!v.is_number_integer()) fail(std::string("\"") + name + "\" must hold integer tile indices");
        const bool negative = !v.is_number_unsigned() && v.get<std::int64_t>() < 0;
        if (negative || v.get<std::uint64_t>() >= static_cast<std::uint64_t>(tiles))
            fail(std::string("\"") + name + "\" holds an index off the board");
        const auto i = v.get<std::int64_t>();
        if (seen[static_cast<std::size_t>(i)]) fail(std::string("\"") + name + "\" holds a duplicate index");
        seen[static_cast<std::size_t>(i)] = 1;
        out.push_back(i);
    }
    return out;
}

MineLayout layoutOf(const std::vector<std::int64_t>& mines, std::int64_t tiles) {
    MineLayout layout(static_cast<std::size_t>(tiles), 0);
    for (auto i : mines) layout[static_cast<std::size_t>(i)] = 1;
    return layout;
}

json ascending(const MineLayout& layout) {
    json out = json::array();
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (layout[i]) out.push_back(i);
    return out;
}

const json& perTile(const json& request, const char* name, std::int64_t tiles) {
    const json& value = field(request, name);
    if (!value.is_array()) fail(std::string("\"") + name + "\" must be an array");
    if (static_cast<std::int64_t>(value.size()) != tiles)
        fail(std::string("\"") + name + "\" must have one entry per tile (rows * columns)");
    return value;
}

// --- stateless requests -------------------------------------------------------------

json neighborsRequest(const json& request) {
    const Board b = boardOf(request);
    const MinesweeperSolver solver(b.columns, b.rows);
    json table = json::array();
    for (std::int64_t i = 0; i < b.tiles(); ++i) {
        const auto list = solver.neighbors(i);
        table.push_back(json(std::vector<std::int64_t>(list.begin(), list.end())));
    }
    return {{"neighbors", std::move(table)}};
}

json isSolvableRequest(const json& request) {
    const Board b = boardOf(request);
    const auto mines = indexList(field(request, "mines"), "mines", b.tiles());
    const auto start = integerIn(field(request, "start"), "start", 0, b.tiles() - 1);
    const auto layout = layoutOf(mines, b.tiles());
    if (layout[static_cast<std::size_t>(start)]) fail("\"start\" must not be a mine");
    const MinesweeperSolver solver(b.columns, b.rows);
    return {{"solvable", solver.isSolvable(layout, start)}};
}

json safeTilesRequest(const json& request) {
    const Board b = boardOf(request);
    const json& knowledgeIn = perTile(request, "knowledge", b.tiles());
    const json& countsIn = perTile(request, "counts", b.tiles());
    std::vector<MinesweeperSolver::Knowledge> knowledge;
    std::vector<std::int64_t> counts;
    knowledge.reserve(knowledgeIn.size());
    counts.reserve(countsIn.size());
    for (const auto& k : knowledgeIn)
        knowledge.push_back(static_cast<MinesweeperSolver::Knowledge>(integerIn(k, "knowledge", 0, 2)));
    for (const auto& c : countsIn)
        counts.push_back(integerIn(c, "counts", std::numeric_limits<std::int64_t>::min(),
                                   std::numeric_limits<std::int64_t>::max()));
    // Only uncovered tiles' counts are read, and there they are numbers of neighbouring mines;
    // anything larger than eight would overflow the solver's arithmetic on mine differences.
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (knowledge[i] == MinesweeperSolver::Knowledge::revealed && (counts[i] < 0 || counts[i] > 8))
            fail("\"counts\" of an uncovered tile must be between 0 and 8");
    }
    const MinesweeperSolver solver(b.columns, b.rows);
    return {{"safe", solver.safeTiles(knowledge, counts)}};
}

json generateRequest(const json& request) {
    const Board b = boardOf(request);
    const auto mineCount = integerIn(field(request, "mineCount"), "mineCount", 0, b.tiles());
    const auto safeIndex = integerIn(field(request, "safeIndex"), "safeIndex", 0, b.tiles() - 1);
    const bool verify = boolean(field(request, "verify"), "verify");
    const auto seed = seedOf(request);
    const MinesweeperSolver solver(b.columns, b.rows);
    const auto free = b.tiles() - 1 - static_cast<std::int64_t>(solver.neighbors(safeIndex).size());
    if (mineCount > free) fail("\"mineCount\" is more than the tiles outside the first tile's neighbourhood");

    std::unique_ptr<RandomSource> random;
    if (seed)
        random = std::make_unique<SeededRandomSource>(*seed);
    else
        random = std::make_unique<SystemRandomSource>();
    GenerationReport report;
    const auto layout = generateMines(b.rows, b.columns, mineCount, safeIndex, verify, *random, &report);
    // Without verification the generator never asked; the answer still gives the verdict.
    const bool solvable = report.solverCalls > 0 ? report.lastVerdict : solver.isSolvable(layout, safeIndex);
    return {{"mines", ascending(layout)}, {"attempts", report.attempts}, {"solvable", solvable}};
}

// --- game requests -------------------------------------------------------------------

template <typename Enum, std::size_t N>
Enum rawOf(const json& value, const std::array<Enum, N>& all, const char* name) {
    const auto raw = string(value, name);
    for (Enum e : all)
        if (rawValue(e) == raw) return e;
    fail(std::string("\"") + name + "\" is not a known value");
}

constexpr std::array<BoardSize, 2> kBoardSizes{BoardSize::standard, BoardSize::large};

json indices(const std::vector<Tile>& tiles, bool Tile::*flag) {
    json out = json::array();
    for (std::size_t i = 0; i < tiles.size(); ++i)
        if (tiles[i].*flag) out.push_back(i);
    return out;
}

json bestTimesJson(const BestTimes& times) {
    json out = json::object();
    for (const auto& [d, seconds] : times) out[std::string(rawValue(d))] = seconds;
    return out;
}

}  // namespace

struct Driver::Session {
    ManualScheduler scheduler;
    std::unique_ptr<RandomSource> random;
    NoHaptics haptics;
    // Held for as long as the file is open here, so no other program writes it meanwhile.
    StoreLock lock;
    std::unique_ptr<DefaultsStore> store;
    FileDefaultsStore* file = nullptr;
    std::string writeError;
    std::unique_ptr<MinesweeperGame> game;
    std::set<std::string> notified;
    std::vector<std::string> writes;
};

Driver::Driver() = default;

Driver::~Driver() { finish(); }

void Driver::finish() {
    if (session_) close();
}

std::string Driver::answer(std::string_view line) {
    // Strings from the client may hold invalid UTF-8; answer with replacement characters
    // rather than failing to answer at all.
    return handle(line).dump(-1, ' ', false, json::error_handler_t::replace);
}

json Driver::handle(std::string_view line) {
    const json request = json::parse(line.begin(), line.end(), nullptr, /*allow_exceptions=*/false);
    if (request.is_discarded()) return {{"error", "the line is not JSON"}};
    if (!request.is_object()) return {{"error", "a request must be a JSON object"}};
    try {
        return dispatch(request);
    } catch (const RequestError& e) {
        return {{"error", e.message}};
    } catch (const std::exception& e) {
        return {{"error", std::string("the request failed: ") + e.what()}};
    }
}

json Driver::dispatch(const json& request) {
    const auto cmd = string(field(request, "cmd"), "cmd");
    if (cmd == "neighbors") return neighborsRequest(request);
    if (cmd == "isSolvable") return isSolvableRequest(request);
    if (cmd == "safeTiles") return safeTilesRequest(request);
    if (cmd == "generate") return generateRequest(request);
    if (cmd == "open") return open(request);
    static const std::set<std::string> gameCommands{
        "newGame", "reveal", "chord",      "toggleFlag", "primaryAction", "showHint", "resetStatistics", "set",
        "nextLayout", "runPending", "advance", "state", "store", "close"};
    if (!gameCommands.count(cmd)) fail("unknown cmd \"" + cmd + "\"");
    if (!session_) fail("no game is open; send \"open\" first");
    return gameRequest(cmd, request);
}

json Driver::gameRequest(const std::string& cmd, const json& request) {
    MinesweeperGame& game = *session_->game;
    auto index = [&] {
        // Any integer goes through: an index off the board is the engine's own no-op. One too
        // large for 64 signed bits is just as far off the board as the largest that fits.
        const json& v = field(request, "index");
        if (v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX))
            return std::numeric_limits<std::int64_t>::max();
        return integerIn(v, "index", std::numeric_limits<std::int64_t>::min(),
                         std::numeric_limits<std::int64_t>::max());
    };
    if (cmd == "newGame") {
        game.newGame();
    } else if (cmd == "reveal") {
        game.reveal(index());
    } else if (cmd == "chord") {
        game.chord(index());
    } else if (cmd == "toggleFlag") {
        game.toggleFlag(index());
    } else if (cmd == "primaryAction") {
        game.primaryAction(index());
    } else if (cmd == "showHint") {
        game.showHint();
    } else if (cmd == "resetStatistics") {
        game.resetStatistics();
    } else if (cmd == "set") {
        return set(request);
    } else if (cmd == "nextLayout") {
        return nextLayout(request);
    } else if (cmd == "runPending") {
        session_->scheduler.runPending();
    } else if (cmd == "advance") {
        const json& s = field(request, "seconds");
        if (!s.is_number()) fail("\"seconds\" must be a number");
        const double seconds = s.get<double>();
        if (!std::isfinite(seconds) || seconds < 0 || seconds > kMaxAdvanceSeconds)
            fail("\"seconds\" must be between 0 and 1000000");
        session_->scheduler.advance(static_cast<std::int64_t>(std::llround(seconds * 1000.0)));
    } else if (cmd == "store") {
        json out = {{"store", session_->store->content()}};
        return out;
    } else if (cmd == "close") {
        return close();
    }
    return state();
}

json Driver::open(const json& request) {
    // Validate everything before the open game is touched.
    std::optional<std::string> path;
    if (present(request, "defaults")) {
        path = string(request["defaults"], "defaults");
        if (path->empty()) fail("\"defaults\" must be a file path");
        // The system would cut the name at a NUL and write to another file than the one named.
        if (path->find('\0') != std::string::npos) fail("\"defaults\" must not contain a NUL character");
    }
    const bool verify = present(request, "verifyBoards") ? boolean(request["verifyBoards"], "verifyBoards") : true;
    const auto seed = seedOf(request);

    // The game being replaced keeps what it had not yet saved.
    if (session_) close();

    auto s = std::make_unique<Session>();
    if (seed)
        s->random = std::make_unique<SeededRandomSource>(*seed);
    else
        s->random = std::make_unique<SystemRandomSource>();
    if (path) {
        // The same guard as the game's: a store in use by another program is not touched,
        // not even read (reading may move a damaged file aside under the other's feet).
        std::string lockError;
        const auto locked = s->lock.acquire(StoreLock::lockPathFor(*path), &lockError);
        if (locked == StoreLock::Result::busy) fail("the defaults file is in use by another program");
        // No lock can be made where the file lives (a read-only folder): then nothing can be
        // written there either, so reading it alone is safe.
        auto file = std::make_unique<FileDefaultsStore>(*path);
        s->file = file.get();
        Session* raw = s.get();
        file->setWriteErrorHandler([raw](const std::string& error) { raw->writeError = error; });
        s->store = std::move(file);
    } else {
        s->store = std::make_unique<InMemoryDefaultsStore>();
    }
    Session* raw = s.get();
    s->store->setWriteObserver([raw](const std::string& key) { raw->writes.push_back(key); });
    s->game = std::make_unique<MinesweeperGame>(*s->store, verify, s->scheduler, *s->random, s->haptics);
    s->game->addListener([raw](Property p) { raw->notified.insert(std::string(propertyName(p))); });
    session_ = std::move(s);
    return state();
}

json Driver::set(const json& request) {
    MinesweeperGame& game = *session_->game;
    const auto name = string(field(request, "name"), "name");
    const json& value = field(request, "value");
    constexpr auto maxInt = std::numeric_limits<std::int64_t>::max();
    if (name == "difficulty") {
        game.setDifficulty(rawOf(value, allDifficulties, "value"));
    } else if (name == "boardSize") {
        game.setBoardSize(rawOf(value, kBoardSizes, "value"));
    } else if (name == "tileTheme") {
        game.setTileTheme(rawOf(value, allTileThemes, "value"));
    } else if (name == "menuBarIcon") {
        game.setMenuBarIcon(rawOf(value, allMenuBarIcons, "value"));
    } else if (name == "questionMarksEnabled") {
        game.setQuestionMarksEnabled(boolean(value, "value"));
    } else if (name == "hasSeenWelcome") {
        game.setHasSeenWelcome(boolean(value, "value"));
    } else if (name == "gamesPlayed") {
        game.setGamesPlayed(integerIn(value, "value", 0, maxInt));
    } else if (name == "gamesWon") {
        game.setGamesWon(integerIn(value, "value", 0, maxInt));
    } else if (name == "currentStreak") {
        game.setCurrentStreak(integerIn(value, "value", 0, maxInt));
    } else if (name == "bestStreak") {
        game.setBestStreak(integerIn(value, "value", 0, maxInt));
    } else if (name == "bestTimes") {
        if (!value.is_object()) fail("\"value\" must be an object from difficulty to seconds");
        BestTimes times;
        for (auto it = value.begin(); it != value.end(); ++it) {
            const auto d = difficultyFromRaw(it.key());
            if (!d) fail("\"value\" has a key that is not a difficulty");
            times[*d] = integerIn(it.value(), "value", 0, maxInt);
        }
        game.setBestTimes(times);
    } else if (name == "isViewVisible") {
        game.setIsViewVisible(boolean(value, "value"));
    } else if (name == "isShowingScreen") {
        game.setIsShowingScreen(boolean(value, "value"));
    } else if (name == "isFlagMode") {
        game.setIsFlagMode(boolean(value, "value"));
    } else {
        fail("unknown name \"" + name + "\"");
    }
    return state();
}

json Driver::nextLayout(const json& request) {
    MinesweeperGame& game = *session_->game;
    const auto tiles = static_cast<std::int64_t>(game.tiles().size());
    const auto mines = indexList(field(request, "mines"), "mines", tiles);
    if (static_cast<std::int64_t>(mines.size()) != mineCount(game.boardDifficulty()))
        fail("\"mines\" must hold exactly the board's mine count");
    game.setNextLayout(layoutOf(mines, tiles));
    return {{"ok", true}};
}

json Driver::close() {
    auto s = std::move(session_);
    s->game->runPendingSave();
    s->game.reset();
    s->store->flush();
    if (s->file && s->file->hasWriteFailed() && !s->writeError.empty())
        return {{"error", "the defaults file could not be written: " + s->writeError}};
    return {{"ok", true}};
}

json Driver::state() {
    Session& s = *session_;
    const MinesweeperGame& g = *s.game;
    const auto& tiles = g.tiles();
    json adjacent = json::array();
    json distance = json::array();
    for (const auto& t : tiles) {
        adjacent.push_back(t.adjacentMines);
        distance.push_back(t.revealDistance);
    }
    json out = {
        {"phase", rawValue(g.phase())},
        {"boardDifficulty", rawValue(g.boardDifficulty())},
        {"rows", g.rows()},
        {"columns", g.columns()},
        {"elapsedSeconds", g.elapsedSeconds()},
        {"flaggedCount", g.flaggedCount()},
        {"newBestTime", g.newBestTime()},
        {"hintedTile", g.hintedTile() ? json(*g.hintedTile()) : json(nullptr)},
        {"usedHint", g.usedHint()},
        {"isShowingScreen", g.isShowingScreen()},
        {"isViewVisible", g.isViewVisible()},
        {"isFlagMode", g.isFlagMode()},
        {"clockRunning", g.clockRunning()},
        {"safeTilesRemaining", g.safeTilesRemaining()},
        {"settings",
         {
             {"difficulty", rawValue(g.difficulty())},
             {"boardSize", rawValue(g.boardSize())},
             {"questionMarksEnabled", g.questionMarksEnabled()},
             {"tileTheme", rawValue(g.tileTheme())},
             {"menuBarIcon", rawValue(g.menuBarIcon())},
             {"hasSeenWelcome", g.hasSeenWelcome()},
         }},
        {"statistics",
         {
             {"gamesPlayed", g.gamesPlayed()},
             {"gamesWon", g.gamesWon()},
             {"currentStreak", g.currentStreak()},
             {"bestStreak", g.bestStreak()},
             {"bestTimes", bestTimesJson(g.bestTimes())},
         }},
        {"mines", indices(tiles, &Tile::hasMine)},
        {"revealed", indices(tiles, &Tile::isRevealed)},
        {"flagged", indices(tiles, &Tile::isFlagged)},
        {"questioned", indices(tiles, &Tile::isQuestioned)},
        {"exploded", indices(tiles, &Tile::isExploded)},
        {"adjacentMines", std::move(adjacent)},
        {"revealDistance", std::move(distance)},
        {"notified", json(std::vector<std::string>(s.notified.begin(), s.notified.end()))},
        {"writes", json(s.writes)},
    };
    s.notified.clear();
    s.writes.clear();
    return out;
}

}  // namespace velmora::tool
