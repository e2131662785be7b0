#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "DefaultsStore.h"
#include "Haptics.h"
#include "MinesweeperGame.h"
#include "RandomSource.h"
#include "Scheduler.h"

namespace velmora::tool {

// Answers one JSON request line with one JSON object. Every malformed request gets
// {"error": "..."} and leaves the driver usable; nothing a client sends reaches the engine
// unless it satisfies the engine's contracts.
class Driver {
public:
    Driver();
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    nlohmann::json handle(std::string_view line);
    // The answer as the single line written to standard output (without the newline).
    std::string answer(std::string_view line);
    // End of input: a game still open is closed as by "close", so no pending save is lost.
    void finish();

private:
    struct Session;

    nlohmann::json dispatch(const nlohmann::json& request);
    nlohmann::json gameRequest(const std::string& cmd, const nlohmann::json& request);
    nlohmann::json open(const nlohmann::json& request);
    nlohmann::json set(const nlohmann::json& request);
    nlohmann::json nextLayout(const nlohmann::json& request);
    nlohmann::json close();
    nlohmann::json state();

    std::unique_ptr<Session> session_;
};

// Raised for a request that cannot be served; the text becomes the error answer.
struct RequestError {
    std::string message;
};

}  // namespace velmora::tool
