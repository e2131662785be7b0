#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "Types.h"

namespace velmora::tool {

struct BenchOptions {
    std::vector<Difficulty> difficulties{allDifficulties.begin(), allDifficulties.end()};
    int boards = 1000;
    std::optional<std::uint64_t> seed;
    bool progress = false;  // show a progress line on standard error
};

struct BenchResult {
    Difficulty difficulty = Difficulty::beginner;
    int boards = 0;
    double meanAttempts = 0;
    double acceptRate = 0;  // share of drawn layouts the solver passed
    double p50us = 0;
    double p99us = 0;
    double maxUs = 0;
    double solvesPerSecond = 0;
};

// Parses the arguments after "bench"; nothing (and a message in `error`) when they are wrong.
std::optional<BenchOptions> parseBenchArguments(const std::vector<std::string>& args, std::string& error);

// Deals the boards of one difficulty through the production generator at uniformly random
// first tiles and measures each generation.
BenchResult runBench(Difficulty difficulty, const BenchOptions& options, std::ostream* progress);

// The readable table, then one JSON line per difficulty.
void printBench(const std::vector<BenchResult>& results, std::ostream& out);

}  // namespace velmora::tool
