#include "Types.h"

// The theme names are shown through the interface's translations; the marker lets the
// extractor find them here, where they are defined, without the engine depending on Qt.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace velmora {

namespace {
constexpr std::array<std::string_view, 3> kDifficultyRaw{"Beginner", "Intermediate", "Expert"};
constexpr std::array<std::int64_t, 3> kSide{9, 16, 22};
constexpr std::array<std::int64_t, 3> kMines{10, 40, 99};
constexpr std::array<std::string_view, 4> kPhaseRaw{"ready", "playing", "won", "lost"};
constexpr std::array<std::string_view, 2> kBoardSizeRaw{"Standard", "Large"};
constexpr std::array<std::string_view, 3> kIconRaw{"Flag", "Burst", "Grid"};
constexpr std::array<std::string_view, 11> kThemeRaw{
    QT_TRANSLATE_NOOP("Velmora", "Onyx Slate"),
    QT_TRANSLATE_NOOP("Velmora", "Classic Indigo"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Slate"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Cranberry"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Terracotta"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Amber"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Sand"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Leaf"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Cerulean"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Twilight"),
    QT_TRANSLATE_NOOP("Velmora", "Solid Mauve"),
};

template <typename Enum, std::size_t N>
std::optional<Enum> fromRaw(const std::array<std::string_view, N>& table, std::string_view raw) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == raw) return static_cast<Enum>(i);
    }
    return std::nullopt;
}
}  // namespace

std::string_view rawValue(Difficulty d) { return kDifficultyRaw[static_cast<std::size_t>(d)]; }
std::optional<Difficulty> difficultyFromRaw(std::string_view raw) { return fromRaw<Difficulty>(kDifficultyRaw, raw); }
std::int64_t sideLength(Difficulty d) { return kSide[static_cast<std::size_t>(d)]; }
std::int64_t mineCount(Difficulty d) { return kMines[static_cast<std::size_t>(d)]; }

std::string_view rawValue(GamePhase p) { return kPhaseRaw[static_cast<std::size_t>(p)]; }

std::string_view rawValue(BoardSize s) { return kBoardSizeRaw[static_cast<std::size_t>(s)]; }
std::optional<BoardSize> boardSizeFromRaw(std::string_view raw) { return fromRaw<BoardSize>(kBoardSizeRaw, raw); }
double scaleFactor(BoardSize s) { return s == BoardSize::large ? 1.18 : 1.0; }

std::string_view rawValue(MenuBarIconOption o) { return kIconRaw[static_cast<std::size_t>(o)]; }
std::optional<MenuBarIconOption> menuBarIconFromRaw(std::string_view raw) {
    return fromRaw<MenuBarIconOption>(kIconRaw, raw);
}
std::string_view symbolName(MenuBarIconOption o) {
    static constexpr std::array<std::string_view, 3> kIconSymbol{"flag.fill", "burst.fill", "square.grid.3x3.fill"};
    return kIconSymbol[static_cast<std::size_t>(o)];
}

std::string_view rawValue(TileTheme t) { return kThemeRaw[static_cast<std::size_t>(t)]; }
std::optional<TileTheme> tileThemeFromRaw(std::string_view raw) { return fromRaw<TileTheme>(kThemeRaw, raw); }

}  // namespace velmora
