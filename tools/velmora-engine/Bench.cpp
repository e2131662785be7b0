#include "Bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iomanip>
#include <memory>
#include <ostream>

#include <nlohmann/json.hpp>

#include "Generator.h"
#include "RandomSource.h"

namespace velmora::tool {

namespace {

bool parseUnsigned(const std::string& text, std::uint64_t& out) {
    if (text.empty() || text.size() > 20) return false;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (v > (UINT64_MAX - digit) / 10) return false;
        v = v * 10 + digit;
    }
    out = v;
    return true;
}

// Nearest-rank percentile of sorted samples.
double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size())));
    rank = std::clamp<std::size_t>(rank, 1, sorted.size());
    return sorted[rank - 1];
}

}  // namespace

std::optional<BenchOptions> parseBenchArguments(const std::vector<std::string>& args, std::string& error) {
    BenchOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) {
            error = "missing value after " + a;
            return std::nullopt;
        }
        const std::string& v = args[++i];
        std::uint64_t number = 0;
        if (a == "--difficulty") {
            if (v == "all") {
                o.difficulties.assign(allDifficulties.begin(), allDifficulties.end());
            } else if (auto d = difficultyFromRaw(v)) {
                o.difficulties = {*d};
            } else {
                error = "unknown difficulty " + v + " (Beginner, Intermediate, Expert or all)";
                return std::nullopt;
            }
        } else if (a == "--boards") {
            if (!parseUnsigned(v, number) || number < 1 || number > 10'000'000) {
                error = "--boards needs a whole number from 1 to 10000000";
                return std::nullopt;
            }
            o.boards = static_cast<int>(number);
        } else if (a == "--seed") {
            if (!parseUnsigned(v, number)) {
                error = "--seed needs an unsigned 64-bit number";
                return std::nullopt;
            }
            o.seed = number;
        } else {
            error = "unknown option " + a;
            return std::nullopt;
        }
    }
    return o;
}

BenchResult runBench(Difficulty difficulty, const BenchOptions& options, std::ostream* progress) {
    using Clock = std::chrono::steady_clock;
    std::unique_ptr<RandomSource> random;
    if (options.seed)
        random = std::make_unique<SeededRandomSource>(*options.seed + static_cast<std::uint64_t>(difficulty));
    else
        random = std::make_unique<SystemRandomSource>();

    const auto side = sideLength(difficulty);
    const auto tiles = static_cast<std::uint64_t>(side * side);
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(options.boards));
    long long attempts = 0, solverCalls = 0, accepted = 0;
    double totalSeconds = 0;
    const auto began = Clock::now();
    auto lastShown = began;
    bool shown = false;

    for (int b = 0; b < options.boards; ++b) {
        const auto start = static_cast<std::int64_t>(random->uniform(tiles));
        GenerationReport report;
        const auto t0 = Clock::now();
        const auto layout = generateMines(side, side, mineCount(difficulty), start, true, *random, &report);
        const auto t1 = Clock::now();
        // Keeps the optimiser from dropping the call whose time we measure.
        if (layout.size() != tiles) std::abort();
        const double us = std::chrono::duration<double, std::micro>(t1 - t0).count();
        micros.push_back(us);
        totalSeconds += us / 1e6;
        attempts += report.attempts;
        solverCalls += report.solverCalls;
        accepted += report.lastVerdict ? 1 : 0;

        if (progress && t1 - began > std::chrono::seconds(1) && t1 - lastShown > std::chrono::milliseconds(100)) {
            *progress << '\r' << rawValue(difficulty) << ": " << (b + 1) << '/' << options.boards << " boards"
                      << std::flush;
            lastShown = t1;
            shown = true;
        }
    }
    if (shown) *progress << '\r' << std::string(48, ' ') << '\r' << std::flush;

    std::sort(micros.begin(), micros.end());
    BenchResult r;
    r.difficulty = difficulty;
    r.boards = options.boards;
    r.meanAttempts = static_cast<double>(attempts) / options.boards;
    r.acceptRate = solverCalls ? static_cast<double>(accepted) / static_cast<double>(solverCalls) : 0;
    r.p50us = percentile(micros, 0.50);
    r.p99us = percentile(micros, 0.99);
    r.maxUs = micros.empty() ? 0 : micros.back();
    r.solvesPerSecond = totalSeconds > 0 ? static_cast<double>(solverCalls) / totalSeconds : 0;
    return r;
}

void printBench(const std::vector<BenchResult>& results, std::ostream& out) {
    char line[200];
    std::snprintf(line, sizeof line, "%-13s %7s %9s %8s %10s %10s %10s %12s\n", "difficulty", "boards", "attempts",
                  "accept", "p50 us", "p99 us", "max us", "solves/s");
    out << line;
    for (const auto& r : results) {
        std::snprintf(line, sizeof line, "%-13s %7d %9.2f %8.4f %10.1f %10.1f %10.1f %12.0f\n",
                      std::string(rawValue(r.difficulty)).c_str(), r.boards, r.meanAttempts, r.acceptRate, r.p50us,
                      r.p99us, r.maxUs, r.solvesPerSecond);
        out << line;
    }
    for (const auto& r : results) {
        nlohmann::ordered_json j = {
            {"difficulty", rawValue(r.difficulty)},
            {"boards", r.boards},
            {"meanAttempts", r.meanAttempts},
            {"acceptRate", r.acceptRate},
            {"p50_us", r.p50us},
            {"p99_us", r.p99us},
            {"max_us", r.maxUs},
            {"solvesPerSecond", r.solvesPerSecond},
        };
        out << j.dump() << '\n';
    }
    out << std::flush;
}

}  // namespace velmora::tool
