#include "DefaultsStore.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {
const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool isDecimalInteger(const std::string& s, std::int64_t& out) {
    if (s.empty()) return false;
    std::size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (i == s.size()) return false;
    for (std::size_t j = i; j < s.size(); ++j) {
        if (!std::isdigit(static_cast<unsigned char>(s[j]))) return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno == ERANGE || end != s.c_str() + s.size()) return false;
    out = v;
    return true;
}

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

std::string base64Encode(const Bytes& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const std::uint32_t v = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    if (i + 1 == bytes.size()) {
        const std::uint32_t v = bytes[i] << 16;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += "==";
    } else if (i + 2 == bytes.size()) {
        const std::uint32_t v = (bytes[i] << 16) | (bytes[i + 1] << 8);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

std::optional<Bytes> base64Decode(const std::string& text) {
    if (text.size() % 4 != 0) return std::nullopt;
    auto value = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+') return 62;
        if (c == '/') return 63;
        return -1;
    };
    Bytes out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        int v[4];
        int padding = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=') {
                // Padding only at the very end, and only in the last two places.
                if (i + 4 != text.size() || k < 2) return std::nullopt;
                v[k] = 0;
                ++padding;
            } else {
                if (padding > 0) return std::nullopt;
                v[k] = value(c);
                if (v[k] < 0) return std::nullopt;
            }
        }
        const std::uint32_t n = (v[0] << 18) | (v[1] << 12) | (v[2] << 6) | v[3];
        out.push_back(static_cast<std::uint8_t>(n >> 16));
        if (padding < 2) out.push_back(static_cast<std::uint8_t>((n >> 8) & 0xFF));
        if (padding < 1) out.push_back(static_cast<std::uint8_t>(n & 0xFF));
    }
    return out;
}

bool DefaultsStore::isData(const nlohmann::json& value) {
    return value.is_object() && value.size() == 1 && value.contains("$data") && value["$data"].is_string();
}

nlohmann::json DefaultsStore::encodeData(const Bytes& bytes) {
    return nlohmann::json{{"$data", base64Encode(bytes)}};
}

std::optional<nlohmann::json> DefaultsStore::object(const std::string& key) const {
    auto it = root_.find(key);
    if (it == root_.end()) return std::nullopt;
    return *it;
}

std::int64_t DefaultsStore::integer(const std::string& key) const {
    auto it = root_.find(key);
    if (it == root_.end()) return 0;
    if (it->is_number_integer()) {
        // An unsigned beyond the signed range is not an integer this store can hand out.
        if (it->is_number_unsigned() && it->get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) return 0;
        return it->get<std::int64_t>();
    }
    if (it->is_boolean()) return it->get<bool>() ? 1 : 0;
    if (it->is_string()) {
        std::int64_t v = 0;
        if (isDecimalInteger(it->get<std::string>(), v)) return v;
    }
    return 0;
}

bool DefaultsStore::boolean(const std::string& key) const {
    auto it = root_.find(key);
    if (it == root_.end()) return false;
    if (it->is_boolean()) return it->get<bool>();
    if (it->is_number_integer()) return it->get<std::int64_t>() != 0;
    if (it->is_string()) {
        const auto s = lower(it->get<std::string>());
        return s == "true" || s == "yes" || s == "1";
    }
    return false;
}

std::optional<std::string> DefaultsStore::string(const std::string& key) const {
    auto it = root_.find(key);
    if (it == root_.end() || !it->is_string()) return std::nullopt;
    return it->get<std::string>();
}

std::optional<Bytes> DefaultsStore::data(const std::string& key) const {
    auto it = root_.find(key);
    if (it == root_.end() || !isData(*it)) return std::nullopt;
    return base64Decode((*it)["$data"].get<std::string>());
}

void DefaultsStore::setInteger(const std::string& key, std::int64_t value) { write(key, value); }
void DefaultsStore::setBoolean(const std::string& key, bool value) { write(key, value); }
void DefaultsStore::setString(const std::string& key, const std::string& value) { write(key, value); }
void DefaultsStore::setDictionary(const std::string& key, const nlohmann::json& object) {
    write(key, object.is_object() ? object : nlohmann::json::object());
}
void DefaultsStore::setData(const std::string& key, const Bytes& value) { write(key, encodeData(value)); }

void DefaultsStore::remove(const std::string& key) {
    root_.erase(key);
    if (observer_) observer_(key);
    changed();
}

void DefaultsStore::write(const std::string& key, nlohmann::json value) {
    root_[key] = std::move(value);
    if (observer_) observer_(key);
    changed();
}

InMemoryDefaultsStore::InMemoryDefaultsStore(nlohmann::json content) {
    if (content.is_object()) root_ = std::move(content);
}

// ---------------------------------------------------------------------------

FileDefaultsStore::FileDefaultsStore(std::filesystem::path path, Deferrer deferrer)
    : path_(std::move(path)), deferrer_(std::move(deferrer)) {
    load();
}

FileDefaultsStore::~FileDefaultsStore() { flush(); }

std::filesystem::path FileDefaultsStore::defaultPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : ".") / ".config";
    }
    return base / "velmora" / "defaults.json";
}

void FileDefaultsStore::load() {
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) return;
    if (!std::filesystem::is_regular_file(path_, ec)) {
        // Something else sits at the path (a folder, say): never move it; writes will report.
        loadedDamaged_ = true;
        return;
    }
    auto setAside = [&] {
        loadedDamaged_ = true;
        auto damaged = path_;
        damaged += ".damaged";
        std::filesystem::rename(path_, damaged, ec);
    };
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        // Present but unreadable. Left in place it would be replaced by the first write (a
        // folder we may write to lets us rename over a file we cannot read), so set it aside.
        setAside();
        return;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    // Writing a value back and copying it recurse once per level; a file nested deeper than
    // anything this program stores would overflow the stack, so it counts as damaged.
    constexpr int kMaxDepth = 512;
    bool tooDeep = false;
    auto parsed = nlohmann::json::parse(
        buffer.str(),
        [&tooDeep](int depth, nlohmann::json::parse_event_t, nlohmann::json&) {
            if (depth > kMaxDepth) tooDeep = true;
            return true;
        },
        /*allow_exceptions=*/false);
    if (parsed.is_object() && !tooDeep) {
        root_ = std::move(parsed);
        return;
    }
    setAside();
}

bool FileDefaultsStore::writeAtomically(const std::filesystem::path& path, const std::string& text,
                                        bool renameIntoPlace, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what + " " + path.string() + ": " + std::strerror(errno);
        return false;
    };
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    auto temp = path;
    temp += ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return fail("cannot create");
    ::fchmod(fd, 0600);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            ::unlink(temp.c_str());
            return fail("cannot write");
        }
        written += static_cast<std::size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        ::unlink(temp.c_str());
        return fail("cannot write");
    }
    if (!renameIntoPlace) return true;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return fail("cannot replace");
    }
    return true;
}

void FileDefaultsStore::changed() {
    dirty_ = true;
    if (!deferrer_) {
        flush();
        return;
    }
    if (flushQueued_) return;
    flushQueued_ = true;
    std::weak_ptr<bool> alive = alive_;
    deferrer_([this, alive] {
        if (alive.expired()) return;
        flushQueued_ = false;
        flush();
    });
}

void FileDefaultsStore::flush() {
    if (!dirty_) return;
    dirty_ = false;
    std::string error;
    if (!writeAtomically(path_, root_.dump(), true, &error)) {
        if (!writeFailed_ && onWriteError_) onWriteError_(error);
        writeFailed_ = true;
    }
}

}  // namespace velmora
