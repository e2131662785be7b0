// velmora-engine: the engine's scripting interface (JSON lines on standard input and output)
// and the board generation benchmark.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Bench.h"
#include "Driver.h"

namespace {

constexpr const char* kUsage =
    "usage: velmora-engine                 read JSON requests, one per line, from standard input\n"
    "       velmora-engine bench [--difficulty Beginner|Intermediate|Expert|all] [--boards N] [--seed S]\n";

// The longest request line read: far above the largest real request (a 64 x 64 board's
// per-tile arrays are some tens of kilobytes), so one endless line cannot exhaust memory.
constexpr std::size_t kMaxLineBytes = 1u << 20;

enum class Line { complete, tooLong, end };

// One line without its newline; the rest of an over-long line is read and dropped.
Line readLine(std::streambuf& in, std::string& line) {
    line.clear();
    bool tooLong = false;
    for (;;) {
        const auto c = in.sbumpc();
        if (c == std::char_traits<char>::eof()) {
            if (tooLong) return Line::tooLong;
            return line.empty() ? Line::end : Line::complete;
        }
        if (c == '\n') return tooLong ? Line::tooLong : Line::complete;
        if (tooLong) continue;
        if (line.size() < kMaxLineBytes) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
            line = std::string();  // give the memory back while the rest streams past
        }
    }
}

int serve() {
    velmora::tool::Driver driver;
    std::string line;
    for (;;) {
        const Line got = readLine(*std::cin.rdbuf(), line);
        if (got == Line::end) break;
        if (got == Line::tooLong)
            std::cout << R"({"error":"the line is longer than )" << kMaxLineBytes << R"( bytes"})" << '\n'
                      << std::flush;
        else
            std::cout << driver.answer(line) << '\n' << std::flush;
        // A reader that went away makes every further answer pointless.
        if (!std::cout) return 1;
    }
    driver.finish();
    return 0;
}

int bench(const std::vector<std::string>& args) {
    std::string error;
    auto options = velmora::tool::parseBenchArguments(args, error);
    if (!options) {
        std::cerr << "velmora-engine bench: " << error << '\n' << kUsage;
        return 2;
    }
    std::ostream* progress = ::isatty(STDERR_FILENO) ? &std::cerr : nullptr;
    std::vector<velmora::tool::BenchResult> results;
    for (auto d : options->difficulties) results.push_back(velmora::tool::runBench(d, *options, progress));
    velmora::tool::printBench(results, std::cout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A closed output pipe must end the program quietly through the stream state, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return serve();
    if (args[0] == "bench") return bench({args.begin() + 1, args.end()});
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
