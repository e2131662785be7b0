#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace velmora {

using Bytes = std::vector<std::uint8_t>;

// The per-user key-value store. Values are kept in the JSON form of the file:
// Booleans, integers, strings, dictionaries (objects) and raw data as {"$data": base64}.
// Anything else (reals, arrays, null) is a value of another kind, kept but never read as one.
class DefaultsStore {
public:
    virtual ~DefaultsStore() = default;

    std::int64_t integer(const std::string& key) const;
    bool boolean(const std::string& key) const;
    std::optional<std::string> string(const std::string& key) const;
    std::optional<Bytes> data(const std::string& key) const;
    // The stored value with its kind, for "is it a Boolean" questions.
    std::optional<nlohmann::json> object(const std::string& key) const;

    void setInteger(const std::string& key, std::int64_t value);
    void setBoolean(const std::string& key, bool value);
    void setString(const std::string& key, const std::string& value);
    void setDictionary(const std::string& key, const nlohmann::json& object);
    void setData(const std::string& key, const Bytes& value);
    void remove(const std::string& key);

    // The whole content in file form.
    const nlohmann::json& content() const { return root_; }

    // Called with every key written or removed, in order (a removal of an absent key included).
    void setWriteObserver(std::function<void(const std::string&)> observer) { observer_ = std::move(observer); }

    // Persists anything not yet persisted. No-op for stores that keep nothing.
    virtual void flush() {}

    static bool isData(const nlohmann::json& value);
    static nlohmann::json encodeData(const Bytes& bytes);

protected:
    void write(const std::string& key, nlohmann::json value);
    virtual void changed() {}
    nlohmann::json root_ = nlohmann::json::object();

private:
    std::function<void(const std::string&)> observer_;
};

class InMemoryDefaultsStore final : public DefaultsStore {
public:
    InMemoryDefaultsStore() = default;
    explicit InMemoryDefaultsStore(nlohmann::json content);
};

// One JSON object in a file, replaced atomically: every write goes to a new temporary file
// in the same folder (created exclusively, never through a link), is synced, renamed over the
// old one, and the folder is synced so the new name survives a power cut. A file that is not
// a JSON object (or is larger than any store this program writes) is moved aside to
// "<file>.damaged", or "<file>.damaged-N" when earlier ones exist, so nothing the user had is
// overwritten. If it cannot be moved, it stays where it is and this store writes nothing.
class FileDefaultsStore final : public DefaultsStore {
public:
    // With a deferrer, the writes of one turn are coalesced into one file write: the
    // deferrer is asked to run the write later (a next-turn task). Without one, every
    // change is written at once.
    using Deferrer = std::function<void(std::function<void()>)>;
    // Replaces the file write, so tests can make it fail the way a full disk does.
    using Writer = std::function<bool(const std::filesystem::path&, const std::string&, std::string* error)>;

    // Far above any real store (a saved Expert game is a few kilobytes); a larger file is
    // treated as damaged instead of being read into memory.
    static constexpr std::uintmax_t kMaxFileSize = 1u << 20;

    // `path` is resolved to the file's real path first (links followed), so every name for
    // one file reaches the same store. An empty path gives a store that never touches a file.
    explicit FileDefaultsStore(std::filesystem::path path, Deferrer deferrer = {});
    ~FileDefaultsStore() override;

    void flush() override;

    const std::filesystem::path& path() const { return path_; }
    // Set when the file could not be read back or had to be put aside on load.
    bool loadedDamagedFile() const { return loadedDamaged_; }
    // Where the unreadable file was moved, when it was.
    const std::optional<std::filesystem::path>& damagedCopy() const { return damagedCopy_; }
    // Something this store cannot use sits at the path and could not be moved away: it is
    // left exactly as it is, and this session keeps its changes in memory only.
    bool isReadOnly() const { return readOnly_; }
    // The first failure is reported once through the handler; later ones are retried quietly.
    void setWriteErrorHandler(std::function<void(const std::string&)> handler) { onWriteError_ = std::move(handler); }
    // After a failed write, asked to run a retry some time later (not on the next turn: a
    // full disk stays full for a while). Without one, the next change or flush retries.
    void setRetryScheduler(Deferrer retry) { retry_ = std::move(retry); }
    void setWriterForTesting(Writer writer) { writer_ = std::move(writer); }
    // The last write attempt failed and its content has not reached the disk yet.
    bool hasWriteFailed() const { return writeFailed_; }
    bool hasPendingWrite() const { return dirty_ && !readOnly_; }

    // Default location: $XDG_CONFIG_HOME/velmora/defaults.json, else
    // <home>/.config/velmora/defaults.json with the home folder from HOME or, when that is
    // unset, the password database. Empty when no home folder can be found.
    static std::filesystem::path defaultPath();
    // The absolute path with every link resolved as far as the path exists.
    static std::filesystem::path realPath(const std::filesystem::path& path);

    // Exposed for tests that simulate a crash between writing and renaming.
    static bool writeAtomically(const std::filesystem::path& path, const std::string& text, bool renameIntoPlace,
                                std::string* error);

protected:
    void changed() override;

private:
    void load();
    void setAside();
    void removeLeftoverTemporaries() const;
    void scheduleRetry();
    std::filesystem::path path_;
    Deferrer deferrer_;
    Deferrer retry_;
    Writer writer_;
    bool dirty_ = false;
    bool flushQueued_ = false;
    bool retryQueued_ = false;
    bool loadedDamaged_ = false;
    bool readOnly_ = false;
    bool writeFailed_ = false;
    bool reported_ = false;
    std::optional<std::filesystem::path> damagedCopy_;
    std::function<void(const std::string&)> onWriteError_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// One writer per store file, across processes, sessions and machines sharing a home folder:
// an advisory lock (flock, which NFS carries between machines) on "<real path>.lock" next to
// the file. The kernel drops it when the holder dies, so a killed process leaves no stale lock.
class StoreLock {
public:
    enum class Result { acquired, busy, failed };

    StoreLock() = default;
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    static std::filesystem::path lockPathFor(const std::filesystem::path& storeFile);
    // Takes the lock on `lockFile` without waiting. `failed` means no lock could be made there
    // at all (a read-only folder, say); `error` then says why.
    Result acquire(const std::filesystem::path& lockFile, std::string* error = nullptr);
    void release();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Creates the missing folders of `folder` with `mode` (existing ones are left as they are).
bool makeFolders(const std::filesystem::path& folder, unsigned mode, std::string* error = nullptr);

std::string base64Encode(const Bytes& bytes);
std::optional<Bytes> base64Decode(const std::string& text);

}  // namespace velmora
