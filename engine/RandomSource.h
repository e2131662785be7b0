#pragma once

#include <array>
#include <cstdint>

namespace velmora {

// Uniform 64-bit words; uniform(n) is the unbiased multiply-shift draw built on top.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual std::uint64_t nextWord() = 0;

    // A uniform integer in [0, n). n must be at least 1.
    std::uint64_t uniform(std::uint64_t n);
};

// The operating system's secure generator, read in blocks so a board draw is not
// hundreds of system calls.
class SystemRandomSource final : public RandomSource {
public:
    std::uint64_t nextWord() override;

private:
    void refill();
    std::array<std::uint64_t, 64> buffer_{};
    std::size_t position_ = buffer_.size();
};

// Repeatable sequence for tests, tools and benchmarks (xoshiro256** seeded by splitmix64).
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint64_t seed);
    std::uint64_t nextWord() override;

private:
    std::array<std::uint64_t, 4> state_{};
};

}  // namespace velmora
