#include "LoginItemService.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora {

namespace {

constexpr const char* kEntryName = "velmora.desktop";
// A status read never needs more: the two keys that matter sit in the first group, and
// reading a multi-gigabyte file someone left there would stall the screen.
constexpr std::size_t kMaxEntryBytes = 64 * 1024;

// Closes on every path out, so a failed write never leaks a descriptor.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Reports close()'s own error: on some file systems a failed write shows only there.
    bool reset() {
        if (fd_ < 0) return true;
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

bool isAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) without C0, DEL
// or C1 controls: anything else could not be written into an entry and read back as the
// same path.
bool isWritableText(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F) return false;
            ++i;
            continue;
        }
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return false;
        if (cp >= 0xD800 && cp <= 0xDFFF) return false;
        if (cp >= 0x80 && cp <= 0x9F) return false;
        i += len;
    }
    return true;
}

// The string-value escapes of a desktop entry; other controls have no escape and are dropped.
std::string escapeStringValue(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case ' ': out += i == 0 ? "\\s" : " "; break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
        }
    }
    return out;
}

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// Whether an entry's text makes desktops start it: it must be a desktop entry at all, and
// neither Hidden=true nor GNOME's own off switch may be set in its main group.
bool entryStartsAtLogin(const std::string& text) {
    bool sawMainGroup = false;
    bool inMainGroup = false;
    std::optional<std::string> hidden;
    std::optional<std::string> gnomeEnabled;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        if (!inMainGroup) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = trim(line.substr(0, eq));
        const std::string value = trim(line.substr(eq + 1));
        if (key == "Hidden") hidden = value;
        if (key == "X-GNOME-Autostart-enabled") gnomeEnabled = value;
    }
    if (!sawMainGroup) return false;
    return hidden != "true" && gnomeEnabled != "false";
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates every missing level with 0700: the autostart folder may be the first thing ever
// written under the user's config folder, which should not become readable to others.
bool makeDirectories(const std::string& dir) {
    for (std::size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos != dir.size() && dir[pos] != '/') continue;
        const std::string prefix = dir.substr(0, pos);
        if (prefix.back() == '/') continue;  // doubled slashes
        if (::mkdir(prefix.c_str(), 0700) != 0 && !isDirectory(prefix)) return false;
    }
    return isDirectory(dir);
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes a rename or unlink in the folder survive a crash. File systems that cannot sync a
// folder (EINVAL) give no stronger promise to wait for.
bool syncDirectory(const std::string& dir) {
    Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) return false;
    return ::fsync(fd.get()) == 0 || errno == EINVAL;
}

std::string uniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    const auto now = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    const unsigned long long mix = now ^ (static_cast<unsigned long long>(::getpid()) << 32) ^
                                   (static_cast<unsigned long long>(counter++) * 0x9E3779B97F4A7C15ull);
    static const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string out;
    unsigned long long v = mix;
    for (int i = 0; i < 10; ++i) {
        out += digits[v % 36];
        v /= 36;
    }
    return out;
}

std::string passwordDatabaseHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) size = 16384;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    for (int attempt = 0; attempt < 8; ++attempt) {
        struct passwd pw {};
        struct passwd* result = nullptr;
        const int rc = ::getpwuid_r(::getuid(), &pw, buffer.data(), buffer.size(), &result);
        if (rc == ERANGE) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (rc != 0 || result == nullptr || result->pw_dir == nullptr) return {};
        return result->pw_dir;
    }
    return {};
}

}  // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(std::optional<std::string> programPath,
                                             std::string autostartDir, std::string iconName)
    : dir_(std::move(autostartDir)), icon_(std::move(iconName)) {
    if (programPath && isAbsolute(*programPath) && isWritableText(*programPath)) {
        program_ = std::move(programPath);
    }
}

XdgAutostartLoginItem XdgAutostartLoginItem::forCurrentUser(std::string iconName) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const bool homeUsable = home != nullptr && isAbsolute(home);
    const std::string passwdHome = homeUsable ? std::string() : passwordDatabaseHome();
    return XdgAutostartLoginItem(runningProgramPath(), resolveAutostartDir(xdg, home, passwdHome),
                                 std::move(iconName));
}

std::string XdgAutostartLoginItem::resolveAutostartDir(const char* xdgConfigHome, const char* home,
                                                       const std::string& passwdHome) {
    // XDG base directories: a relative value is invalid and must be ignored.
    std::string base;
    if (xdgConfigHome != nullptr && isAbsolute(xdgConfigHome)) {
        base = xdgConfigHome;
    } else if (home != nullptr && isAbsolute(home)) {
        base = std::string(home) + "/.config";
    } else if (isAbsolute(passwdHome)) {
        base = passwdHome + "/.config";
    } else {
        return {};
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") base.clear();
    return base + "/autostart";
}

std::optional<std::string> XdgAutostartLoginItem::runningProgramPath() {
    std::vector<char> buffer(256);
    std::string link;
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return std::nullopt;
        if (static_cast<std::size_t>(n) < buffer.size()) {
            link.assign(buffer.data(), static_cast<std::size_t>(n));
            break;
        }
        if (buffer.size() >= 1 << 20) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
    return programPathFromLink(link);
}

std::optional<std::string> XdgAutostartLoginItem::programPathFromLink(const std::string& link) {
    // A program replaced while it runs (a package upgrade) shows as "PATH (deleted)". The
    // entry must name PATH when a program is there again, and nothing at all otherwise.
    struct stat st {};
    if (::stat(link.c_str(), &st) == 0) return link;
    const std::string deleted = " (deleted)";
    if (link.size() > deleted.size() &&
        link.compare(link.size() - deleted.size(), deleted.size(), deleted) == 0) {
        const std::string original = link.substr(0, link.size() - deleted.size());
        if (::stat(original.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return original;
    }
    return std::nullopt;
}

std::string XdgAutostartLoginItem::execValue(const std::string& programPath) {
    static const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string arg;
    if (programPath.find_first_of(reserved) == std::string::npos) {
        arg = programPath;
    } else {
        arg = "\"";
        for (const char c : programPath) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') arg += '\\';
            arg += c;
        }
        arg += '"';
    }
    std::string out;
    for (const char c : arg) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '%') {
            out += "%%";
        } else {
            out += c;
        }
    }
    return out;
}

std::string XdgAutostartLoginItem::entryPath() const { return dir_ + "/" + kEntryName; }

std::string XdgAutostartLoginItem::entryText() const {
    std::string text = "[Desktop Entry]\nType=Application\nName=Velmora\n";
    // The option tells the program it starts with the session, when the tray may come later.
    if (program_) text += "Exec=" + execValue(*program_) + " " + kAtLoginOption + "\n";
    text += "Icon=" + escapeStringValue(icon_) + "\n";
    text += "X-GNOME-Autostart-enabled=true\nStartupNotify=false\n";
    return text;
}

LoginItemStatus XdgAutostartLoginItem::status() const {
    if (!program_) return LoginItemStatus::notFound;
    if (!isAbsolute(dir_)) return LoginItemStatus::notRegistered;
    // Non-blocking so that a FIFO someone put there cannot hang the screen on open.
    Fd fd(::open(entryPath().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid()) return LoginItemStatus::notRegistered;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return LoginItemStatus::notRegistered;
    std::string text(kMaxEntryBytes, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LoginItemStatus::notRegistered;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    return entryStartsAtLogin(text) ? LoginItemStatus::enabled : LoginItemStatus::notRegistered;
}

bool XdgAutostartLoginItem::registerApp() {
    if (!program_ || !isAbsolute(dir_)) return false;
    if (!makeDirectories(dir_)) return false;

    // The temporary name does not end in ".desktop", so a desktop scanning the folder
    // meanwhile never sees a half-written entry.
    std::string temp;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temp = dir_ + "/." + kEntryName + ".tmp-" + uniqueSuffix();
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (raw < 0 && errno != EEXIST) return false;
    }
    if (raw < 0) return false;
    Fd fd(raw);

    // fchmod, not the open mode, so the user's umask cannot change what other programs see.
    const bool written = writeAll(fd.get(), entryText()) && ::fchmod(fd.get(), 0644) == 0 &&
                         ::fsync(fd.get()) == 0;
    const bool closed = fd.reset();
    if (!written || !closed || ::rename(temp.c_str(), entryPath().c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return syncDirectory(dir_);
}

bool XdgAutostartLoginItem::unregisterApp() {
    if (!isAbsolute(dir_)) return false;
    if (::unlink(entryPath().c_str()) != 0) {
        // Nothing there, or the folder's path runs through a file: no entry can exist.
        return errno == ENOENT || errno == ENOTDIR;
    }
    syncDirectory(dir_);
    return true;
}

bool FakeLoginItemService::registerApp() {
    ++registerCalls_;
    if (failing_ || status_ == LoginItemStatus::notFound) return false;
    status_ = requiresApproval_ ? LoginItemStatus::requiresApproval : LoginItemStatus::enabled;
    return true;
}

bool FakeLoginItemService::unregisterApp() {
    ++unregisterCalls_;
    if (failing_) return false;
    if (status_ != LoginItemStatus::notFound) status_ = LoginItemStatus::notRegistered;
    return true;
}

}  // namespace velmora
