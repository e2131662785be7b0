#include "RandomSource.h"

#include <cerrno>
#include <cstdlib>
#include <sys/random.h>

namespace velmora {

std::uint64_t RandomSource::uniform(std::uint64_t n) {
    if (n == 0) std::abort();
    // Rejecting low products below (2^64 - n) mod n removes the bias of a plain multiply-shift.
    const std::uint64_t threshold = (0 - n) % n;
    for (;;) {
        const unsigned __int128 product = static_cast<unsigned __int128>(nextWord()) * n;
        if (static_cast<std::uint64_t>(product) >= threshold) return static_cast<std::uint64_t>(product >> 64);
    }
}

std::uint64_t SystemRandomSource::nextWord() {
    if (position_ == buffer_.size()) refill();
    return buffer_[position_++];
}

void SystemRandomSource::refill() {
    auto* bytes = reinterpret_cast<unsigned char*>(buffer_.data());
    std::size_t wanted = sizeof(buffer_);
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n = getrandom(bytes + got, wanted - got, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::abort();  // no secure randomness at all: nothing sound to fall back to
        }
        got += static_cast<std::size_t>(n);
    }
    position_ = 0;
}

namespace {
std::uint64_t splitmix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}
std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
}  // namespace

SeededRandomSource::SeededRandomSource(std::uint64_t seed) {
    for (auto& s : state_) s = splitmix64(seed);
}

std::uint64_t SeededRandomSource::nextWord() {
    const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

}  // namespace velmora
