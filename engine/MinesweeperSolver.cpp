#include "MinesweeperSolver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>

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

constexpr std::array<std::uint8_t, 512> makePopcountTable() {
    std::array<std::uint8_t, 512> table{};
    for (int m = 0; m < 512; ++m) table[static_cast<std::size_t>(m)] = static_cast<std::uint8_t>(std::popcount(static_cast<unsigned>(m)));
    return table;
}
// Windows have nine bits; a table beats a library call where the CPU baseline lacks popcnt.
constexpr auto kPopcount = makePopcountTable();

constexpr std::uint8_t kOutside = 3;

// The working state of one isSolvable run. Knowledge only grows and every rule it applies
// is sound for the layout being tested, so the order in which rules fire does not change
// what is finally uncovered; that lets us work incrementally instead of rescanning.
class FastSolve {
public:
    FastSolve(const MinesweeperSolver& solver, SolverWorkspace& ws) : f_(solver.frame()), w_(ws) {}

    bool run(std::span<const std::uint8_t> mines, std::int64_t start) {
        prepare();
        const std::size_t n = mines.size();
        const std::int32_t* cellOf = f_.cellOf.data();
        int mineTotal = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!mines[i]) continue;
            ++mineTotal;
            std::uint8_t* c = count_ + cellOf[i];
            for (int bit : kRing) ++c[f_.window[static_cast<std::size_t>(bit)]];
        }
        std::copy(count_, count_ + f_.cells, remaining_);
        target_ = static_cast<int>(n) - mineTotal;
        revealed_ = 0;

        flood(cellOf[start]);
        if (revealed_ == target_) return true;
        propagate();
        while (revealed_ < target_) {
            if (dirtyTop_ == 0) return false;
            subsetRound();
            if (!progress_ && dirtyTop_ == 0) return false;
        }
        return true;
    }

private:
    enum : std::uint8_t { kUnknown = 0, kRevealed = 1, kMine = 2 };
    // Window bits of the eight neighbours (bit 4 is the tile itself).
    static constexpr std::array<int, 8> kRing{0, 1, 2, 3, 5, 6, 7, 8};

    void prepare() {
        const auto cells = static_cast<std::size_t>(f_.cells);
        if (w_.state.size() != cells) {
            w_.state.resize(cells);
            w_.count.resize(cells);
            w_.remaining.resize(cells);
            w_.unknownMask.resize(cells);
            w_.queued.resize(cells);
            w_.subsetDirty.resize(cells);
            w_.work.resize(cells);
            w_.dirtyList.resize(cells);
            w_.round.resize(cells);
            // A flood pushes at most eight neighbours per uncovered tile, plus its origin.
            w_.stack.resize(9 * cells + 1);
        }
        state_ = w_.state.data();
        count_ = w_.count.data();
        remaining_ = w_.remaining.data();
        mask_ = w_.unknownMask.data();
        queued_ = w_.queued.data();
        dirty_ = w_.subsetDirty.data();
        work_ = w_.work.data();
        dirtyList_ = w_.dirtyList.data();
        round_ = w_.round.data();
        stack_ = w_.stack.data();
        std::copy(f_.state.begin(), f_.state.end(), state_);
        std::copy(f_.unknownMask.begin(), f_.unknownMask.end(), mask_);
        std::fill_n(count_, cells, 0);
        std::fill_n(queued_, cells, 0);
        std::fill_n(dirty_, cells, 0);
        workTop_ = dirtyTop_ = 0;
    }

    bool isNumber(int t) const { return state_[t] == kRevealed && count_[t] > 0; }

    void touch(int t) {
        if (!isNumber(t)) return;
        if (!queued_[t]) {
            queued_[t] = 1;
            work_[workTop_++] = t;
        }
        if (!dirty_[t]) {
            dirty_[t] = 1;
            dirtyList_[dirtyTop_++] = t;
        }
    }

    // Tile u is no longer unknown: drop it from its neighbours' windows. Outside cells
    // have empty windows and are never numbers, so the frame needs no bounds checks.
    void leaveUnknown(int u, bool isMine) {
        for (int bit : kRing) {
            const int t = u + f_.window[static_cast<std::size_t>(bit)];
            mask_[t] &= static_cast<std::uint16_t>(~(1u << (8 - bit)));
            if (isMine) --remaining_[t];
            touch(t);
        }
    }

    void flood(int from) {
        int top = 0;
        stack_[top++] = from;
        while (top) {
            const int t = stack_[--top];
            if (state_[t] != kUnknown) continue;
            state_[t] = kRevealed;
            ++revealed_;
            progress_ = true;
            leaveUnknown(t, false);
            if (count_[t] == 0) {
                unsigned m = mask_[t];
                while (m) {
                    const int bit = std::countr_zero(m);
                    m &= m - 1;
                    stack_[top++] = t + f_.window[static_cast<std::size_t>(bit)];
                }
            } else {
                touch(t);
            }
        }
    }

    void markMine(int t) {
        if (state_[t] != kUnknown) return;
        state_[t] = kMine;
        progress_ = true;
        leaveUnknown(t, true);
    }

    void propagate() {
        while (workTop_ && revealed_ < target_) {
            const int t = work_[--workTop_];
            queued_[t] = 0;
            const unsigned mask = mask_[t];
            if (!mask) continue;
            const int unknown = kPopcount[mask];
            const int remaining = remaining_[t];
            if (remaining != 0 && remaining != unknown) continue;
            unsigned m = mask;
            while (m) {
                const int bit = std::countr_zero(m);
                m &= m - 1;
                const int v = t + f_.window[static_cast<std::size_t>(bit)];
                if (remaining == 0)
                    flood(v);
                else
                    markMine(v);
            }
        }
    }

    // Compares a (the smaller) with b, which lies dr rows and dc columns away: a's
    // unknowns inside b's settle the rest of b.
    void compare(int a, int b, int dr, int dc) {
        const unsigned ma = mask_[a];
        const unsigned mb = mask_[b];
        const int sizeA = kPopcount[ma];
        const int sizeB = kPopcount[mb];
        if (sizeA == 0 || sizeB <= sizeA) return;
        const std::uint64_t frameA = kFrame[ma] << (2 * 7 + 2);
        const std::uint64_t frameB = kFrame[mb] << ((2 + dr) * 7 + 2 + dc);
        if (frameA & ~frameB) return;
        const int difference = remaining_[b] - remaining_[a];
        const int restSize = sizeB - sizeA;
        if (difference != 0 && difference != restSize) return;
        std::uint64_t m = frameB & ~frameA;
        while (m) {
            const int bit = std::countr_zero(m);
            m &= m - 1;
            const int v = a + f_.wide[static_cast<std::size_t>(bit)];
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
        std::swap(round_, dirtyList_);
        std::swap(w_.round, w_.dirtyList);
        const int roundSize = dirtyTop_;
        dirtyTop_ = 0;
        for (int i = 0; i < roundSize; ++i) dirty_[round_[i]] = 0;
        const int width = f_.width;
        for (int i = 0; i < roundSize; ++i) {
            if (revealed_ >= target_) return;
            const int x = round_[i];
            if (!isNumber(x) || !mask_[x]) continue;
            // Two windows overlap only when their centres are at most two tiles apart.
            for (int dr = -2; dr <= 2; ++dr) {
                for (int dc = -2; dc <= 2; ++dc) {
                    if (!dr && !dc) continue;
                    const int y = x + dr * width + dc;
                    if (!isNumber(y) || !mask_[y] || !mask_[x]) continue;
                    compare(x, y, dr, dc);
                    compare(y, x, -dr, -dc);
                }
            }
        }
    }

    const MinesweeperSolver::Frame& f_;
    SolverWorkspace& w_;
    std::uint8_t* state_ = nullptr;
    std::uint8_t* count_ = nullptr;
    std::uint8_t* remaining_ = nullptr;
    std::uint16_t* mask_ = nullptr;
    std::uint8_t* queued_ = nullptr;
    std::uint8_t* dirty_ = nullptr;
    std::int32_t* work_ = nullptr;
    std::int32_t* dirtyList_ = nullptr;
    std::int32_t* round_ = nullptr;
    std::int32_t* stack_ = nullptr;
    int workTop_ = 0;
    int dirtyTop_ = 0;
    int target_ = 0;
    int revealed_ = 0;
    bool progress_ = false;
};

// ---------------------------------------------------------------------------------------
// The same deduction on bit boards, for boards up to kBitsMaxSide tiles a side: one 64-bit
// word per row, column c at bit c + 2, row r at word r + 2, so the two-tile margin all
// around is always zero and windows up to two tiles out need no bounds checks. Zero
// regions open with whole-row operations instead of tile by tile, and a number's window is
// three shifts of the unknown board, so nothing has to be kept up to date per neighbour.

constexpr int kBitsMaxSide = 60;
constexpr int kBitsWords = kBitsMaxSide + 4;

inline int popcount64(std::uint64_t x) {
    // Portable SWAR count: without a popcnt baseline std::popcount is a library call.
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

// A row and its left and right neighbours.
inline std::uint64_t spread(std::uint64_t x) { return x | (x << 1) | (x >> 1); }

// Grows the seeds in x along the runs of z that contain them (x must lie in z).
inline std::uint64_t fillRuns(std::uint64_t x, std::uint64_t z) {
    // Towards higher bits: the carry of an addition runs exactly to the end of a run.
    std::uint64_t g = x | ((((x & z) + z) ^ z) & z);
    // Towards lower bits: occluded fill in doubling steps.
    std::uint64_t p = z;
    g |= p & (g >> 1);
    p &= p >> 1;
    g |= p & (g >> 2);
    p &= p >> 2;
    g |= p & (g >> 4);
    p &= p >> 4;
    g |= p & (g >> 8);
    p &= p >> 8;
    g |= p & (g >> 16);
    p &= p >> 16;
    g |= p & (g >> 32);
    return g;
}

class BitSolve {
public:
    BitSolve(int rows, int columns) : rows_(rows), columns_(columns) {}

    bool run(std::span<const std::uint8_t> mines, std::int64_t start) {
        const int last = rows_ + 1;  // last word holding a board row
        const std::uint64_t inside = ((std::uint64_t{1} << columns_) - 1) << 2;
        int mineTotal = 0;
        const std::uint8_t* m = mines.data();
        for (int r = 0; r < rows_; ++r) {
            std::uint64_t row = 0;
            int c = 0;
            for (; c + 8 <= columns_; c += 8) {
                // Eight layout bytes at once: the top bit of each says "not zero", and one
                // multiplication gathers those eight bits into a byte.
                std::uint64_t x;
                std::memcpy(&x, m + c, sizeof x);
                x = (((x & 0x7F7F7F7F7F7F7F7FULL) + 0x7F7F7F7F7F7F7F7FULL) | x) & 0x8080808080808080ULL;
                row |= (((x >> 7) * 0x0102040810204080ULL) >> 56) << (c + 2);
            }
            for (; c < columns_; ++c) row |= std::uint64_t{m[c] != 0} << (c + 2);
            m += columns_;
            mine_[r + 2] = row;
            mineTotal += popcount64(row);
        }
        for (int r = 2; r <= last; ++r) {
            const std::uint64_t near = spread(mine_[r - 1]) | spread(mine_[r]) | spread(mine_[r + 1]);
            unknown_[r] = inside;
            zero_[r] = inside & ~near;
            number_[r] = inside & near & ~mine_[r];
        }
        target_ = rows_ * columns_ - mineTotal;

        const int sr = static_cast<int>(start / columns_) + 2;
        const int sc = static_cast<int>(start % columns_) + 2;
        patch_[sr] = std::uint64_t{1} << sc;
        reveal(sr, sr);
        if (revealed_ == target_) return true;
        propagate();
        while (revealed_ < target_) {
            if (!subsetRows_) return false;
            subsetRound();
            if (!progress_ && !subsetRows_) return false;
        }
        return true;
    }

private:
    std::uint32_t window(const std::uint64_t* b, int r, int c) const {
        const int s = c - 1;
        return static_cast<std::uint32_t>(((b[r - 1] >> s) & 7) | (((b[r] >> s) & 7) << 3) | (((b[r + 1] >> s) & 7) << 6));
    }
    int remaining(int r, int c) const { return kPopcount[window(mine_, r, c)] - kPopcount[window(known_, r, c)]; }

    void queue(std::uint64_t* board, std::uint64_t& rowsMask, int r, std::uint64_t bits) {
        if (!bits) return;
        board[r] |= bits;
        rowsMask |= std::uint64_t{1} << r;
    }

    // Tiles of rows lo..hi changed state: every uncovered number next to one of them must be
    // looked at again by both rules.
    void changed(const std::uint64_t* s, int lo, int hi) {
        const int from = std::max(lo - 1, 2), to = std::min(hi + 1, rows_ + 1);
        for (int r = from; r <= to; ++r) {
            const std::uint64_t add = (spread(s[r - 1]) | spread(s[r]) | spread(s[r + 1])) & revealedNumber_[r];
            queue(single_, singleRows_, r, add);
            queue(subset_, subsetRows_, r, add);
        }
    }

    // Uncovers the unknown tiles of patch_ (rows lo..hi), flooding from every zero among
    // them, and clears patch_.
    void reveal(int lo, int hi) {
        bool anyZero = false;
        for (int r = lo; r <= hi; ++r) {
            patch_[r] &= unknown_[r];
            grow_[r] = patch_[r] & zero_[r];
            anyZero |= grow_[r] != 0;
        }
        if (anyZero) {
            // Sweep down and up until the zero region stops growing.
            int top = lo, bottom = hi;
            for (bool more = true; more;) {
                more = false;
                for (int r = std::max(top - 1, 2); r <= rows_ + 1; ++r) {
                    const std::uint64_t z = zero_[r] & unknown_[r];
                    const std::uint64_t x = fillRuns(grow_[r] | (spread(grow_[r - 1]) & z), z);
                    if (x == grow_[r]) {
                        if (r > bottom) break;
                        continue;
                    }
                    grow_[r] = x;
                    more = true;
                    top = std::min(top, r);
                    bottom = std::max(bottom, r);
                }
                for (int r = std::min(bottom + 1, rows_ + 1); r >= 2; --r) {
                    const std::uint64_t z = zero_[r] & unknown_[r];
                    const std::uint64_t x = fillRuns(grow_[r] | (spread(grow_[r + 1]) & z), z);
                    if (x == grow_[r]) {
                        if (r < top) break;
                        continue;
                    }
                    grow_[r] = x;
                    more = true;
                    top = std::min(top, r);
                    bottom = std::max(bottom, r);
                }
            }
            // Every neighbour of a zero is free of mines and opens with it.
            lo = std::max(top - 1, 2);
            hi = std::min(bottom + 1, rows_ + 1);
            for (int r = lo; r <= hi; ++r)
                patch_[r] |= (spread(grow_[r - 1]) | spread(grow_[r]) | spread(grow_[r + 1])) & unknown_[r];
            for (int r = top; r <= bottom; ++r) grow_[r] = 0;
        }
        for (int r = lo; r <= hi; ++r) {
            const std::uint64_t s = patch_[r] & unknown_[r];
            patch_[r] = s;
            if (!s) continue;
            unknown_[r] &= ~s;
            revealedNumber_[r] |= s & number_[r];
            revealed_ += popcount64(s);
            progress_ = true;
        }
        changed(patch_, lo, hi);
        for (int r = lo; r <= hi; ++r) patch_[r] = 0;
    }

    // Marks the unknown tiles of patch_ (rows lo..hi) as mines and clears patch_.
    void mark(int lo, int hi) {
        for (int r = lo; r <= hi; ++r) {
            const std::uint64_t s = patch_[r] & unknown_[r];
            patch_[r] = s;
            if (!s) continue;
            unknown_[r] &= ~s;
            known_[r] |= s;
            marked_ += popcount64(s);
            progress_ = true;
        }
        changed(patch_, lo, hi);
        for (int r = lo; r <= hi; ++r) patch_[r] = 0;
    }

    void settle(bool safe, int lo, int hi) {
        if (safe)
            reveal(lo, hi);
        else
            mark(lo, hi);
    }

    // The single-number rule until no queued number gives anything.
    void propagate() {
        while (singleRows_ && revealed_ < target_) {
            const int r = std::countr_zero(singleRows_);
            const int c = std::countr_zero(single_[r]);
            single_[r] &= single_[r] - 1;
            if (!single_[r]) singleRows_ &= ~(std::uint64_t{1} << r);
            const std::uint32_t u = window(unknown_, r, c);
            if (!u) continue;
            const int rest = remaining(r, c);
            if (rest != 0 && rest != kPopcount[u]) continue;
            for (int i = 0; i < 3; ++i) patch_[r - 1 + i] = std::uint64_t{(u >> (3 * i)) & 7} << (c - 1);
            settle(rest == 0, r - 1, r + 1);
        }
    }

    // The numbers at (ra, ca) and dr rows, dc columns away from it: when the unknowns of
    // the one with fewer lie inside the other's, they settle the rest of the other's.
    // Windows of equal size are never compared, so at most one direction can apply.
    void compare(int ra, int ca, std::uint32_t ma, int dr, int dc) {
        int rb = ra + dr, cb = ca + dc;
        std::uint32_t mb = window(unknown_, rb, cb);
        int sizeA = kPopcount[ma];
        int sizeB = kPopcount[mb];
        if (sizeA > sizeB) {
            std::swap(ra, rb);
            std::swap(ca, cb);
            std::swap(ma, mb);
            std::swap(sizeA, sizeB);
            dr = -dr;
            dc = -dc;
        }
        if (sizeA == 0 || sizeB == sizeA) return;
        const std::uint64_t frameA = kFrame[ma] << (2 * 7 + 2);
        const std::uint64_t frameB = kFrame[mb] << ((2 + dr) * 7 + 2 + dc);
        if (frameA & ~frameB) return;
        const int difference = remaining(rb, cb) - remaining(ra, ca);
        if (difference != 0 && difference != sizeB - sizeA) return;
        const std::uint64_t rest = frameB & ~frameA;
        int lo = rows_ + 2, hi = 0;
        for (int i = 0; i < 7; ++i) {
            const std::uint64_t bits = (rest >> (7 * i)) & 127;
            if (!bits) continue;
            // The rest lies inside b's window, so on the board: ca - 3 + column >= 2.
            patch_[ra - 3 + i] = ca >= 3 ? bits << (ca - 3) : bits >> (3 - ca);
            lo = std::min(lo, ra - 3 + i);
            hi = std::max(hi, ra - 3 + i);
        }
        settle(difference == 0, lo, hi);
        propagate();
    }

    void subsetRound() {
        progress_ = false;
        // Take the queued numbers so that changes made during this round queue the next one.
        std::uint64_t rowsLeft = subsetRows_;
        subsetRows_ = 0;
        for (int r = 2; r <= rows_ + 1; ++r) {
            round_[r] = subset_[r];
            subset_[r] = 0;
            // Numbers only lose unknown neighbours, and numbers uncovered during the round
            // are queued for the next one, so a frontier taken now may only be too wide.
            frontier_[r] = revealedNumber_[r] & (spread(unknown_[r - 1]) | spread(unknown_[r]) | spread(unknown_[r + 1]));
        }
        while (rowsLeft) {
            const int r = std::countr_zero(rowsLeft);
            const int c = std::countr_zero(round_[r]);
            round_[r] &= round_[r] - 1;
            if (!round_[r]) rowsLeft &= ~(std::uint64_t{1} << r);
            if (revealed_ >= target_) return;
            // Two windows overlap only when their centres are at most two tiles apart.
            if (!((frontier_[r] >> c) & 1)) continue;
            std::uint32_t own = window(unknown_, r, c);
            for (int dr = -2; dr <= 2 && own; ++dr) {
                std::uint64_t near = (frontier_[r + dr] >> (c - 2)) & 31;
                if (!dr) near &= ~std::uint64_t{4};
                while (near && own) {
                    const int dc = std::countr_zero(near) - 2;
                    near &= near - 1;
                    const int before = revealed_ + marked_;
                    compare(r, c, own, dr, dc);
                    if (revealed_ + marked_ != before) own = window(unknown_, r, c);
                }
            }
        }
    }

    const int rows_;
    const int columns_;
    int target_ = 0;
    int revealed_ = 0;
    int marked_ = 0;  // tiles proven to be mines
    bool progress_ = false;
    std::uint64_t singleRows_ = 0;  // words of single_ that hold a queued number
    std::uint64_t subsetRows_ = 0;  // words of subset_ that hold a queued number
    std::uint64_t mine_[kBitsWords]{};
    std::uint64_t zero_[kBitsWords]{};            // mine-free tiles with no adjacent mine
    std::uint64_t number_[kBitsWords]{};          // mine-free tiles with adjacent mines
    std::uint64_t unknown_[kBitsWords]{};
    std::uint64_t known_[kBitsWords]{};           // proven mines
    std::uint64_t revealedNumber_[kBitsWords]{};  // uncovered tiles that show a number
    std::uint64_t frontier_[kBitsWords]{};        // ... with an unknown neighbour, as of the round
    std::uint64_t single_[kBitsWords]{};          // queued for the single-number rule
    std::uint64_t subset_[kBitsWords]{};          // queued for the next subset round
    std::uint64_t round_[kBitsWords]{};
    std::uint64_t patch_[kBitsWords]{};
    std::uint64_t grow_[kBitsWords]{};
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
    list_.reserve(static_cast<std::size_t>(columns_ * rows_) * 8);
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

    // Boards the bit boards can hold never use the frame; the generator builds a solver per
    // click, so it is not built for them.
    if (rows_ <= kBitsMaxSide && columns_ <= kBitsMaxSide) return;
    // The two-cell frame lets the subset scan look two tiles out from any tile.
    const std::int64_t width = columns_ + 4;
    const std::int64_t cells = (rows_ + 4) * width;
    if (cells > (std::int64_t{1} << 30)) return;  // too large for 32-bit cells; isSolvable refuses it
    frame_.width = static_cast<int>(width);
    frame_.cells = static_cast<int>(cells);
    frame_.state.assign(static_cast<std::size_t>(cells), kOutside);
    frame_.unknownMask.assign(static_cast<std::size_t>(cells), 0);
    frame_.cellOf.resize(static_cast<std::size_t>(columns_ * rows_));
    for (int bit = 0; bit < 9; ++bit)
        frame_.window[static_cast<std::size_t>(bit)] = static_cast<std::int32_t>((bit / 3 - 1) * width + bit % 3 - 1);
    for (int bit = 0; bit < 49; ++bit)
        frame_.wide[static_cast<std::size_t>(bit)] = static_cast<std::int32_t>((bit / 7 - 3) * width + bit % 7 - 3);
    for (std::int64_t r = 0; r < rows_; ++r) {
        for (std::int64_t c = 0; c < columns_; ++c) {
            const auto cell = static_cast<std::size_t>((r + 2) * width + c + 2);
            frame_.cellOf[static_cast<std::size_t>(r * columns_ + c)] = static_cast<std::int32_t>(cell);
            frame_.state[cell] = 0;
            std::uint16_t m = 0;
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    if ((dr || dc) && r + dr >= 0 && r + dr < rows_ && c + dc >= 0 && c + dc < columns_)
                        m |= static_cast<std::uint16_t>(1u << windowBit(dr, dc));
                }
            }
            frame_.unknownMask[cell] = m;
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
    if (rows_ <= kBitsMaxSide && columns_ <= kBitsMaxSide) return BitSolve(static_cast<int>(rows_), static_cast<int>(columns_)).run(mines, start);
    // The framed cells are 32-bit indices.
    if (frame_.cells == 0) std::abort();
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
