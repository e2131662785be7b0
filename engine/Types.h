#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct Tile {
    bool hasMine = false;
    bool isRevealed = false;
    bool isFlagged = false;
    bool isQuestioned = false;
    std::int64_t revealDistance = 0;
    std::int64_t adjacentMines = 0;
    bool isExploded = false;

    friend bool operator==(const Tile&, const Tile&) = default;
};

enum class Difficulty { beginner, intermediate, expert };

inline constexpr std::array<Difficulty, 3> allDifficulties{Difficulty::beginner, Difficulty::intermediate,
                                                           Difficulty::expert};

std::string_view rawValue(Difficulty d);
std::optional<Difficulty> difficultyFromRaw(std::string_view raw);
std::int64_t sideLength(Difficulty d);  // rows == columns
std::int64_t mineCount(Difficulty d);
inline std::int64_t rows(Difficulty d) { return sideLength(d); }
inline std::int64_t columns(Difficulty d) { return sideLength(d); }
inline std::int64_t tileCount(Difficulty d) { return sideLength(d) * sideLength(d); }

enum class GamePhase { ready, playing, won, lost };
std::string_view rawValue(GamePhase p);

enum class BoardSize { standard, large };
std::string_view rawValue(BoardSize s);
std::optional<BoardSize> boardSizeFromRaw(std::string_view raw);
double scaleFactor(BoardSize s);

enum class MenuBarIconOption { flag, burst, grid };
inline constexpr std::array<MenuBarIconOption, 3> allMenuBarIcons{MenuBarIconOption::flag, MenuBarIconOption::burst,
                                                                  MenuBarIconOption::grid};
std::string_view rawValue(MenuBarIconOption o);
std::optional<MenuBarIconOption> menuBarIconFromRaw(std::string_view raw);
// The symbol the tray shows for the option ("flag.fill", "burst.fill", "square.grid.3x3.fill").
std::string_view symbolName(MenuBarIconOption o);

enum class TileTheme {
    onyx,
    classic,
    solidSlate,
    solidCranberry,
    solidTerracotta,
    solidAmber,
    solidSand,
    solidLeaf,
    solidCerulean,
    solidTwilight,
    solidMauve,
};
inline constexpr std::array<TileTheme, 11> allTileThemes{
    TileTheme::onyx,        TileTheme::classic,       TileTheme::solidSlate, TileTheme::solidCranberry,
    TileTheme::solidTerracotta, TileTheme::solidAmber, TileTheme::solidSand, TileTheme::solidLeaf,
    TileTheme::solidCerulean, TileTheme::solidTwilight, TileTheme::solidMauve,
};
std::string_view rawValue(TileTheme t);
std::optional<TileTheme> tileThemeFromRaw(std::string_view raw);

}  // namespace velmora
