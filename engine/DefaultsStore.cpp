#include "DefaultsStore.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <cstdio>
#include <pwd.h>
#include <sys/file.h>
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
    // In place: a plain `return *it` also matches the JSON value's own conversion to any
    // type, which newer standard libraries' optional makes ambiguous.
    return std::optional<nlohmann::json>{std::in_place, *it};
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

namespace {

constexpr std::size_t kReadChunk = 16384;

std::string describe(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

// A rename is durable only once the folder holding the name is on disk as well.
bool syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync folders
    ::close(fd);
    return ok;
}

// Moves `from` to `to` unless `to` exists. The atomic rename-without-replace first; where the
// file system lacks it, a hard link (which also refuses an existing name) and then a check
// before the rename, which the writer lock keeps free of races with other instances.
bool renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EXDEV) return false;
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    // Without HOME (a service, a cron job) the password database still knows the user's home.
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

}  // namespace

bool makeFolders(const std::filesystem::path& folder, unsigned mode, std::string* error) {
    if (folder.empty()) return true;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        if (error) *error = describe("cannot create the folder", folder, ENOTDIR);
        return false;
    }
    if (folder.has_parent_path() && folder.parent_path() != folder &&
        !makeFolders(folder.parent_path(), mode, error))
        return false;
    if (::mkdir(folder.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST) {
        if (error) *error = describe("cannot create the folder", folder, errno);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------

FileDefaultsStore::FileDefaultsStore(std::filesystem::path path, Deferrer deferrer)
    : path_(path.empty() ? path : realPath(path)), deferrer_(std::move(deferrer)) {
    if (path_.empty()) {
        readOnly_ = true;
        return;
    }
    load();
}

FileDefaultsStore::~FileDefaultsStore() { flush(); }

std::filesystem::path FileDefaultsStore::realPath(const std::filesystem::path& path) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    if (ec) return path.lexically_normal();
    auto resolved = std::filesystem::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal() : resolved;
}

std::filesystem::path FileDefaultsStore::defaultPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const auto home = homeFolder();
        if (home.empty()) return {};
        base = home / ".config";
    }
    return base / "velmora" / "defaults.json";
}

void FileDefaultsStore::removeLeftoverTemporaries() const {
    // A write cut short by a crash leaves its temporary file behind; nobody else writes here.
    const std::string prefix = path_.filename().string() + ".tmp";
    std::error_code ec;
    std::filesystem::directory_iterator it(path_.parent_path(), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        if (rest.empty() || (rest.size() == 7 && rest[0] == '-')) ::unlink(it->path().c_str());
    }
}

void FileDefaultsStore::setAside() {
    loadedDamaged_ = true;
    const std::string base = path_.string() + ".damaged";
    for (int n = 1; n <= 1000; ++n) {
        const std::filesystem::path target = n == 1 ? base : base + "-" + std::to_string(n);
        if (renameWithoutReplacing(path_, target)) {
            damagedCopy_ = target;
            syncFolder(path_.parent_path());
            return;
        }
        if (errno == ENOENT) {
            struct stat st {};
            if (::lstat(path_.c_str(), &st) != 0) return;  // gone already: nothing to keep or protect
        }
        if (errno != EEXIST && errno != ENOTEMPTY) break;
    }
    // Writing now would replace what could not be kept: leave it, and keep this session in memory.
    readOnly_ = true;
}

void FileDefaultsStore::load() {
    removeLeftoverTemporaries();
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        if (errno == ENOENT) return;
        setAside();
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        // Something else sits at the path (a folder, say): never move it, never write over it.
        loadedDamaged_ = true;
        readOnly_ = true;
        return;
    }
    // Non-blocking, so a pipe swapped in after the check cannot stall the start.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        // Present but unreadable. Left in place it would be replaced by the first write (a
        // folder we may write to lets us rename over a file we cannot read), so set it aside.
        setAside();
        return;
    }
    std::string text;
    bool readable = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                    static_cast<std::uintmax_t>(st.st_size) <= kMaxFileSize;
    // Read at most one byte beyond the cap: a file that grew meanwhile is just as damaged.
    text.resize(readable ? kReadChunk : 0);
    std::size_t got = 0;
    while (readable) {
        if (got == text.size()) text.resize(std::min<std::size_t>(text.size() * 2, kMaxFileSize + 1));
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) readable = false;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
        if (got > kMaxFileSize) readable = false;
    }
    text.resize(got);
    ::close(fd);
    if (!readable) {
        setAside();
        return;
    }
    // Writing a value back and copying it recurse once per level; a file nested deeper than
    // anything this program stores would overflow the stack, so it counts as damaged.
    constexpr int kMaxDepth = 512;
    bool tooDeep = false;
    auto parsed = nlohmann::json::parse(
        text,
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
    auto fail = [&](const char* what, const std::filesystem::path& subject) {
        const int saved = errno;
        if (error) *error = describe(what, subject, saved);
        errno = saved;
        return false;
    };
    const auto folder = path.parent_path();
    std::string folderError;
    if (!makeFolders(folder, 0700, &folderError)) {
        if (error) *error = folderError;
        return false;
    }
    // A fresh name per write, created exclusively: a file or link planted under a known name,
    // or a second writer's half-written file, is never opened, truncated or followed.
    std::string temp = path.string() + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return fail("cannot create", temp);
    ::fchmod(fd, 0600);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            errno = saved;
            return fail("cannot write", path);
        }
        written += static_cast<std::size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        if (!synced) errno = syncError;
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return fail("cannot write", path);
    }
    if (!renameIntoPlace) return true;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return fail("cannot replace", path);
    }
    if (!syncFolder(folder)) return fail("cannot sync the folder of", path);
    return true;
}

void FileDefaultsStore::changed() {
    dirty_ = true;
    if (readOnly_ && reported_) return;
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

void FileDefaultsStore::scheduleRetry() {
    if (!retry_ || retryQueued_) return;
    retryQueued_ = true;
    std::weak_ptr<bool> alive = alive_;
    retry_([this, alive] {
        if (alive.expired()) return;
        retryQueued_ = false;
        flush();
    });
}

void FileDefaultsStore::flush() {
    if (!dirty_) return;
    std::string error;
    if (readOnly_) {
        writeFailed_ = true;
        if (!reported_ && onWriteError_)
            onWriteError_(path_.empty() ? std::string("no home folder to keep it in")
                                        : path_.string() + " is left as it was and not written");
        reported_ = true;
        return;
    }
    const std::string text = root_.dump();
    const bool ok = writer_ ? writer_(path_, text, &error) : writeAtomically(path_, text, true, &error);
    if (ok) {
        dirty_ = false;
        writeFailed_ = false;
        return;
    }
    // Still pending: the next change, the retry or the final flush writes everything again.
    writeFailed_ = true;
    if (!reported_ && onWriteError_) onWriteError_(error);
    reported_ = true;
    scheduleRetry();
}

// ---------------------------------------------------------------------------

StoreLock::~StoreLock() { release(); }

std::filesystem::path StoreLock::lockPathFor(const std::filesystem::path& storeFile) {
    auto lock = FileDefaultsStore::realPath(storeFile);
    lock += ".lock";
    return lock;
}

StoreLock::Result StoreLock::acquire(const std::filesystem::path& lockFile, std::string* error) {
    release();
    std::string folderError;
    if (!makeFolders(lockFile.parent_path(), 0700, &folderError)) {
        if (error) *error = folderError;
        return Result::failed;
    }
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd < 0) {
        if (error) *error = describe("cannot open the lock", lockFile, errno);
        return Result::failed;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const int saved = errno;
        ::close(fd);
        if (saved == EWOULDBLOCK) return Result::busy;
        if (error) *error = describe("cannot lock", lockFile, saved);
        return Result::failed;
    }
    fd_ = fd;
    return Result::acquired;
}

void StoreLock::release() {
    if (fd_ < 0) return;
    ::close(fd_);  // closing the last descriptor drops the lock
    fd_ = -1;
}

}  // namespace velmora
