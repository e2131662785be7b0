#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

// true = the tile holds a mine, one entry per tile index.
using MineLayout = std::vector<std::uint8_t>;

// Scratch space for isSolvable, sized for one board; reusing it keeps repeated
// solves (the generator's up-to-1000 attempts) free of allocation. Every array is laid
// out on the board with a two-tile frame of outside cells, so neighbour walks need no
// bounds checks.
struct SolverWorkspace {
    std::vector<std::uint8_t> state;         // Knowledge raw values; outside cells hold kOutside
    std::vector<std::uint8_t> count;         // adjacent mines of every tile
    std::vector<std::uint8_t> remaining;     // adjacent mines not yet known to be mines
    std::vector<std::uint16_t> unknownMask;  // 3x3 window of still-unknown neighbours
    std::vector<std::uint8_t> queued;        // in the single-number work list
    std::vector<std::uint8_t> subsetDirty;   // changed since last compared with its neighbours
    std::vector<std::int32_t> work;          // single-number work list
    std::vector<std::int32_t> dirtyList;     // numbers to compare in the next subset round
    std::vector<std::int32_t> round;         // the subset round being worked through
    std::vector<std::int32_t> stack;         // flood stack
};

class MinesweeperSolver {
public:
    enum class Knowledge : std::uint8_t { unknown = 0, revealed = 1, mine = 2 };
    enum class Deduction : std::uint8_t { unknown = 0, revealed = 1, mine = 2, safe = 3 };

    MinesweeperSolver(std::int64_t columns, std::int64_t rows);

    std::int64_t columns() const { return columns_; }
    std::int64_t rows() const { return rows_; }
    std::int64_t tileCount() const { return columns_ * rows_; }

    // The tile's neighbours in the fixed order: row above, same row, row below, each left to right.
    std::span<const std::int64_t> neighbors(std::int64_t index) const {
        return {list_.data() + offsets_[static_cast<std::size_t>(index)],
                list_.data() + offsets_[static_cast<std::size_t>(index) + 1]};
    }

    // Can a player who first uncovers `start` clear every mine-free tile by the
    // single-number and subset rules alone? `start` must not be a mine.
    bool isSolvable(std::span<const std::uint8_t> mines, std::int64_t start) const;
    bool isSolvable(std::span<const std::uint8_t> mines, std::int64_t start, SolverWorkspace& workspace) const;

    // Every `unknown` tile proven safe from the numbers of the `revealed` tiles, ascending.
    std::vector<std::int64_t> safeTiles(std::span<const Knowledge> knowledge,
                                        std::span<const std::int64_t> counts) const;

    // Uncovers one tile and floods through zero tiles, counting what it uncovers.
    void floodReveal(std::int64_t from, std::span<Knowledge> knowledge, std::int64_t& revealedCount,
                     std::span<const std::int64_t> counts) const;

    // The framed layout isSolvable works on, built once with the solver.
    struct Frame {
        int width = 0;                           // columns + 4
        int cells = 0;                           // (rows + 4) * (columns + 4)
        std::vector<std::int32_t> cellOf;        // tile index -> framed cell
        std::vector<std::uint8_t> state;         // initial states: unknown inside, outside around
        std::vector<std::uint16_t> unknownMask;  // initial windows: every in-board neighbour
        std::array<std::int32_t, 9> window{};    // window bit -> cell offset
        std::array<std::int32_t, 49> wide{};     // 7x7 frame bit -> cell offset from its centre
    };
    const Frame& frame() const { return frame_; }

private:
    std::int64_t columns_;
    std::int64_t rows_;
    std::vector<std::int64_t> list_;
    std::vector<std::size_t> offsets_;
    Frame frame_;
};

// Chebyshev distance between two tile indices of a board `columns` wide.
std::int64_t tileDistance(std::int64_t a, std::int64_t b, std::int64_t columns);

}  // namespace velmora
