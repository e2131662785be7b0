#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
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

// One JSON object in a file, replaced atomically (temporary file in the same folder,
// flushed, renamed over). A file that is not a JSON object is renamed to
// "<file>.damaged" so nothing the user had is silently overwritten.
class FileDefaultsStore final : public DefaultsStore {
public:
    // With a deferrer, the writes of one turn are coalesced into one file write: the
    // deferrer is asked to run the write later (a next-turn task). Without one, every
    // change is written at once.
    using Deferrer = std::function<void(std::function<void()>)>;

    explicit FileDefaultsStore(std::filesystem::path path, Deferrer deferrer = {});
    ~FileDefaultsStore() override;

    void flush() override;

    const std::filesystem::path& path() const { return path_; }
    // Set when the file could not be read back or had to be put aside on load.
    bool loadedDamagedFile() const { return loadedDamaged_; }
    // The first write failure, reported once through the handler, if any.
    void setWriteErrorHandler(std::function<void(const std::string&)> handler) { onWriteError_ = std::move(handler); }
    bool hasWriteFailed() const { return writeFailed_; }

    // Default location: $XDG_CONFIG_HOME/velmora/defaults.json, else ~/.config/velmora/defaults.json.
    static std::filesystem::path defaultPath();

    // Exposed for tests that simulate a crash between writing and renaming.
    static bool writeAtomically(const std::filesystem::path& path, const std::string& text, bool renameIntoPlace,
                                std::string* error);

protected:
    void changed() override;

private:
    void load();
    std::filesystem::path path_;
    Deferrer deferrer_;
    bool dirty_ = false;
    bool flushQueued_ = false;
    bool loadedDamaged_ = false;
    bool writeFailed_ = false;
    std::function<void(const std::string&)> onWriteError_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

std::string base64Encode(const Bytes& bytes);
std::optional<Bytes> base64Decode(const std::string& text);

}  // namespace velmora
