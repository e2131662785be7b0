#include "MinesweeperSolver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace velmora {

namespace {

// Bit of the 3x3 window around a tile for the neighbour at row offset dr and column offset dc.
constexpr int windowBit(int dr, int dc) { return (dr + 1) * 3 + (dc + 1); }

// The 3x3 window spread into a 7-wide frame, so two windows up to two tiles apart can be
// compared with plain mask operations.
constexpr std::array<std::uint64_t, 512> makeFrameTable() {
    std::array<std::uint64_t, 512> table{};
    for (int m = 0; m < 512; ++m) {
        std::uint64_t v = 0;
        for (int b = 0; b < 9; ++b) {
            if (m & (1 << b)) v |= std::uint64_t{1} << ((b / 3) * 7 + b % 3);
        }
        table[static_cast<std::size_t>(m)] = v;
    }
    return table;
}
constexpr auto kFrame = makeFrameTable();

void requireLength(std::size_t actual, std::int64_t expected) {
    if (actual != static_cast<std::size_t>(expected)) std::abort();  // caller broke the contract
}

// The working state of one isSolvable run. Knowledge only grows and every rule it applies
// is sound for the layout being tested, so the order in which rules fire does not change
// what is finally uncovered; that lets us work incrementally instead of rescanning.
class FastSolve {
public:
    FastSolve(const MinesweeperSolver& solver, SolverWorkspace& ws) : s_(solver), w_(ws) {}

    bool run(std::span<const std::uint8_t> mines, std::int64_t start) {
        const auto n = static_cast<std::size_t>(s_.tileCount());
        cols_ = static_cast<int>(s_.columns());
        rows_ = static_cast<int>(s_.rows());
        prepare(n);
        int mineTotal = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!mines[i]) continue;
            ++mineTotal;
            for (auto nb : s_.neighbors(static_cast<std::int64_t>(i))) ++w_.count[static_cast<std::size_t>(nb)];
        }
        target_ = static_cast<int>(n) - mineTotal;
        revealed_ = 0;

        flood(static_cast<int>(start));
        if (revealed_ == target_) return true;
        propagate();
        while (revealed_ < target_) {
            if (w_.dirtyList.empty()) return false;
            subsetRound();
            if (!progress_ && w_.dirtyList.empty()) return false;
        }
        return true;
    }

private:
    enum : std::uint8_t { kUnknown = 0, kRevealed = 1, kMine = 2 };

    void prepare(std::size_t n) {
        w_.state.assign(n, kUnknown);
        w_.count.assign(n, 0);
        w_.knownMines.assign(n, 0);
        w_.queued.assign(n, 0);
        w_.subsetDirty.assign(n, 0);
        w_.unknownMask.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const int r = static_cast<int>(i) / cols_;
            const int c = static_cast<int>(i) % cols_;
            std::uint16_t m = 0;
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    if ((dr || dc) && r + dr >= 0 && r + dr < rows_ && c + dc >= 0 && c + dc < cols_)
                        m |= static_cast<std::uint16_t>(1u << windowBit(dr, dc));
                }
            }
            w_.unknownMask[i] = m;
        }
        w_.work.clear();
        w_.dirtyList.clear();
        w_.stack.clear();
    }

    int neighborAt(int t, int bit) const { return t + (bit / 3 - 1) * cols_ + (bit % 3 - 1); }

    bool isNumber(int t) const { return w_.state[t] == kRevealed && w_.count[t] > 0; }

    void touch(int t) {
        if (!isNumber(t)) return;
        if (!w_.queued[t]) {
            w_.queued[t] = 1;
            w_.work.push_back(t);
        }
        if (!w_.subsetDirty[t]) {
            w_.subsetDirty[t] = 1;
            w_.dirtyList.push_back(t);
        }
    }

    // Tile u is no longer unknown: drop it from its neighbours' windows.
    void leaveUnknown(int u, bool isMine) {
        const int r = u / cols_;
        const int c = u % cols_;
        for (int dr = -1; dr <= 1; ++dr) {
            if (r + dr < 0 || r + dr >= rows_) continue;
            for (int dc = -1; dc <= 1; ++dc) {
                if ((!dr && !dc) || c + dc < 0 || c + dc >= cols_) continue;
                const int t = u + dr * cols_ + dc;
                w_.unknownMask[t] &= static_cast<std::uint16_t>(~(1u << windowBit(-dr, -dc)));
                if (isMine) ++w_.knownMines[t];
                touch(t);
            }
        }
    }

    void flood(int from) {
        w_.stack.push_back(from);
        while (!w_.stack.empty()) {
            const int t = w_.stack.back();
            w_.stack.pop_back();
            if (w_.state[t] != kUnknown) continue;
            w_.state[t] = kRevealed;
            ++revealed_;
            progress_ = true;
            leaveUnknown(t, false);
            if (w_.count[t] == 0) {
                unsigned m = w_.unknownMask[t];
                while (m) {
                    const int bit = std::countr_zero(m);
                    m &= m - 1;
                    w_.stack.push_back(neighborAt(t, bit));
                }
            } else {
                touch(t);
            }
        }
    }

    void markMine(int t) {
        if (w_.state[t] != kUnknown) return;
        w_.state[t] = kMine;
        progress_ = true;
        leaveUnknown(t, true);
    }

    void propagate() {
        while (!w_.work.empty() && revealed_ < target_) {
            const int t = w_.work.back();
            w_.work.pop_back();
            w_.queued[t] = 0;
            const unsigned mask = w_.unknownMask[t];
            if (!mask) continue;
            const int unknown = std::popcount(mask);
            const int remaining = w_.count[t] - w_.knownMines[t];
            if (remaining != 0 && remaining != unknown) continue;
            unsigned m = mask;
            while (m) {
                const int bit = std::countr_zero(m);
                m &= m - 1;
                const int v = neighborAt(t, bit);
                if (remaining == 0)
                    flood(v);
                else
                    markMine(v);
            }
        }
    }

    // Compares a (the smaller) with b: a's unknowns inside b's settle the rest of b.
    void compare(int a, int b) {
        const unsigned ma = w_.unknownMask[a];
        const unsigned mb = w_.unknownMask[b];
        const int sizeA = std::popcount(ma);
        const int sizeB = std::popcount(mb);
        if (sizeA == 0 || sizeB <= sizeA) return;
        const int ra = a / cols_, ca = a % cols_;
        const int dr = b / cols_ - ra, dc = b % cols_ - ca;
        const std::uint64_t frameA = kFrame[ma] << (2 * 7 + 2);
        const std::uint64_t frameB = kFrame[mb] << ((2 + dr) * 7 + 2 + dc);
        if (frameA & ~frameB) return;
        const std::uint64_t rest = frameB & ~frameA;
        const int difference = (w_.count[b] - w_.knownMines[b]) - (w_.count[a] - w_.knownMines[a]);
        const int restSize = sizeB - sizeA;
        if (difference != 0 && difference != restSize) return;
        std::uint64_t m = rest;
        while (m) {
            const int f = std::countr_zero(m);
            m &= m - 1;
            const int v = (ra - 3 + f / 7) * cols_ + (ca - 3 + f % 7);
            if (difference == 0)
                flood(v);
            else
                markMine(v);
        }
        propagate();
    }

    void subsetRound() {
        progress_ = false;
        // Take the dirty list so that changes made during this round queue the next one.
        auto& round = w_.round;
        round.clear();
        round.swap(w_.dirtyList);
        for (int x : round) w_.subsetDirty[x] = 0;
        for (int x : round) {
            if (revealed_ >= target_) return;
            if (!isNumber(x) || !w_.unknownMask[x]) continue;
            const int r = x / cols_, c = x % cols_;
            for (int dr = -2; dr <= 2; ++dr) {
                if (r + dr < 0 || r + dr >= rows_) continue;
                for (int dc = -2; dc <= 2; ++dc) {
                    if ((!dr && !dc) || c + dc < 0 || c + dc >= cols_) continue;
                    const int y = x + dr * cols_ + dc;
                    if (!isNumber(y) || !w_.unknownMask[y] || !w_.unknownMask[x]) continue;
                    compare(x, y);
                    compare(y, x);
                }
            }
        }
    }

    const MinesweeperSolver& s_;
    SolverWorkspace& w_;
    int cols_ = 0;
    int rows_ = 0;
    int target_ = 0;
    int revealed_ = 0;
    bool progress_ = false;
};

}  // namespace

std::int64_t tileDistance(std::int64_t a, std::int64_t b, std::int64_t columns) {
    const std::int64_t dr = std::abs(a / columns - b / columns);
    const std::int64_t dc = std::abs(a % columns - b % columns);
    return std::max(dr, dc);
}

MinesweeperSolver::MinesweeperSolver(std::int64_t columns, std::int64_t rows)
    : columns_(std::max<std::int64_t>(0, columns)), rows_(std::max<std::int64_t>(0, rows)) {
    offsets_.reserve(static_cast<std::size_t>(columns_ * rows_) + 1);
    offsets_.push_back(0);
    for (std::int64_t r = 0; r < rows_; ++r) {
        for (std::int64_t c = 0; c < columns_; ++c) {
            for (std::int64_t dr = -1; dr <= 1; ++dr) {
                for (std::int64_t dc = -1; dc <= 1; ++dc) {
                    if (dr == 0 && dc == 0) continue;
                    const std::int64_t nr = r + dr, nc = c + dc;
                    if (nr < 0 || nr >= rows_ || nc < 0 || nc >= columns_) continue;
                    list_.push_back(nr * columns_ + nc);
                }
            }
            offsets_.push_back(list_.size());
        }
    }
}

bool MinesweeperSolver::isSolvable(std::span<const std::uint8_t> mines, std::int64_t start) const {
    SolverWorkspace workspace;
    return isSolvable(mines, start, workspace);
}

bool MinesweeperSolver::isSolvable(std::span<const std::uint8_t> mines, std::int64_t start,
                                   SolverWorkspace& workspace) const {
    requireLength(mines.size(), tileCount());
    if (start < 0 || start >= tileCount() || mines[static_cast<std::size_t>(start)]) std::abort();
    // The frame arithmetic stores indices in 32 bits.
    if (tileCount() > (std::int64_t{1} << 30)) std::abort();
    return FastSolve(*this, workspace).run(mines, start);
}

void MinesweeperSolver::floodReveal(std::int64_t from, std::span<Knowledge> knowledge, std::int64_t& revealedCount,
                                    std::span<const std::int64_t> counts) const {
    std::vector<std::int64_t> stack{from};
    while (!stack.empty()) {
        const auto t = stack.back();
        stack.pop_back();
        auto& k = knowledge[static_cast<std::size_t>(t)];
        if (k != Knowledge::unknown) continue;
        k = Knowledge::revealed;
        ++revealedCount;
        if (counts[static_cast<std::size_t>(t)] != 0) continue;
        for (auto nb : neighbors(t)) {
            if (knowledge[static_cast<std::size_t>(nb)] == Knowledge::unknown) stack.push_back(nb);
        }
    }
}

std::vector<std::int64_t> MinesweeperSolver::safeTiles(std::span<const Knowledge> knowledge,
                                                       std::span<const std::int64_t> counts) const {
    const auto n = static_cast<std::size_t>(tileCount());
    requireLength(knowledge.size(), tileCount());
    requireLength(counts.size(), tileCount());

    std::vector<Deduction> d(n);
    for (std::size_t i = 0; i < n; ++i) d[i] = static_cast<Deduction>(static_cast<std::uint8_t>(knowledge[i]));

    struct Constraint {
        std::vector<std::int64_t> tiles;
        std::int64_t remaining;
    };
    std::vector<Constraint> constraints;
    std::vector<std::vector<std::size_t>> index(n);
    std::vector<std::uint8_t> inA(n, 0);
    std::vector<std::size_t> seenStamp(0);

    for (;;) {
        // Single-number scans until one changes nothing; its constraints are then exact.
        for (;;) {
            bool progress = false;
            constraints.clear();
            for (std::size_t t = 0; t < n; ++t) {
                if (d[t] != Deduction::revealed || counts[t] < 1) continue;
                std::vector<std::int64_t> unknown;
                std::int64_t mines = 0;
                for (auto nb : neighbors(static_cast<std::int64_t>(t))) {
                    const auto s = d[static_cast<std::size_t>(nb)];
                    if (s == Deduction::unknown) unknown.push_back(nb);
                    else if (s == Deduction::mine) ++mines;
                }
                if (unknown.empty()) continue;
                const std::int64_t remaining = counts[t] - mines;
                if (remaining == 0) {
                    for (auto u : unknown) d[static_cast<std::size_t>(u)] = Deduction::safe;
                    progress = true;
                } else if (remaining == static_cast<std::int64_t>(unknown.size())) {
                    for (auto u : unknown) d[static_cast<std::size_t>(u)] = Deduction::mine;
                    progress = true;
                } else {
                    constraints.push_back({std::move(unknown), remaining});
                }
            }
            if (!progress) break;
        }
        if (constraints.empty()) break;

        for (auto& list : index) list.clear();
        for (std::size_t p = 0; p < constraints.size(); ++p) {
            for (auto t : constraints[p].tiles) index[static_cast<std::size_t>(t)].push_back(p);
        }

        bool progress = false;
        std::vector<std::size_t> related;
        for (std::size_t a = 0; a < constraints.size() && !progress; ++a) {
            const auto& A = constraints[a];
            related.clear();
            for (auto t : A.tiles) {
                for (auto p : index[static_cast<std::size_t>(t)]) {
                    if (p != a) related.push_back(p);
                }
            }
            std::sort(related.begin(), related.end());
            related.erase(std::unique(related.begin(), related.end()), related.end());
            for (auto t : A.tiles) inA[static_cast<std::size_t>(t)] = 1;
            for (auto b : related) {
                const auto& B = constraints[b];
                if (B.tiles.size() <= A.tiles.size()) continue;
                std::size_t matched = 0;
                for (auto t : B.tiles) matched += inA[static_cast<std::size_t>(t)];
                if (matched != A.tiles.size()) continue;
                const std::int64_t difference = B.remaining - A.remaining;
                const auto restSize = static_cast<std::int64_t>(B.tiles.size() - A.tiles.size());
                Deduction to;
                if (difference == 0) to = Deduction::safe;
                else if (difference == restSize) to = Deduction::mine;
                else continue;
                for (auto t : B.tiles) {
                    auto& s = d[static_cast<std::size_t>(t)];
                    if (inA[static_cast<std::size_t>(t)] || s != Deduction::unknown) continue;
                    s = to;
                    progress = true;
                }
            }
            for (auto t : A.tiles) inA[static_cast<std::size_t>(t)] = 0;
        }
        if (!progress) break;
    }

    std::vector<std::int64_t> result;
    for (std::size_t i = 0; i < n; ++i) {
        if (d[i] == Deduction::safe) result.push_back(static_cast<std::int64_t>(i));
    }
    return result;
}

}  // namespace velmora
