#pragma once

#include <optional>
#include <string>

namespace velmora {

// Raw values match the operating-system service the screen was designed against, so a
// status can be logged or compared by number.
enum class LoginItemStatus { notRegistered = 0, enabled = 1, requiresApproval = 2, notFound = 3 };

// Starting the program when the user logs in. Register and unregister report failure only
// as a Boolean: callers always read status() again afterwards and show what it says.
class LoginItemService {
public:
    virtual ~LoginItemService() = default;
    virtual LoginItemStatus status() const = 0;
    virtual bool registerApp() = 0;
    virtual bool unregisterApp() = 0;
};

// An XDG autostart entry, "<autostartDir>/velmora.desktop", that starts programPath.
// Never throws; a hostile file at the entry's path only changes the status it reports.
class XdgAutostartLoginItem final : public LoginItemService {
public:
    // Passed by the entry, so the program knows the session started it and waits a while
    // for a tray that comes up after it.
    static constexpr const char* kAtLoginOption = "--at-login";

    // A program path that is missing, relative, not UTF-8 or holding a control character
    // cannot be written into an entry faithfully: the status is then notFound and
    // registering fails. A relative autostartDir is never used (it would depend on the
    // working directory): registering and unregistering fail there.
    XdgAutostartLoginItem(std::optional<std::string> programPath, std::string autostartDir,
                          std::string iconName);

    // $XDG_CONFIG_HOME/autostart (when set and absolute), else $HOME/.config/autostart,
    // else the password database's home; the program is the running executable.
    static XdgAutostartLoginItem forCurrentUser(std::string iconName);

    LoginItemStatus status() const override;
    bool registerApp() override;
    bool unregisterApp() override;

    const std::string& autostartDir() const { return dir_; }
    std::string entryPath() const;
    // The program the entry starts; nullopt when it cannot be written into one.
    const std::optional<std::string>& programPath() const { return program_; }

    // The whole entry as it is written.
    std::string entryText() const;

    // The Exec= value for one program path: quoted when it holds a reserved character,
    // then escaped as a string value, '%' doubled. Exposed for tests.
    static std::string execValue(const std::string& programPath);
    // The autostart folder for the given environment values (nullptr = unset) and the
    // password database's home; empty when none of them is usable.
    static std::string resolveAutostartDir(const char* xdgConfigHome, const char* home,
                                           const std::string& passwdHome);
    // The path /proc/self/exe names, nullopt when it cannot be read.
    static std::optional<std::string> runningProgramPath();
    // What that link names once the kernel's " (deleted)" mark is dealt with.
    static std::optional<std::string> programPathFromLink(const std::string& link);

private:
    std::optional<std::string> program_;
    std::string dir_;
    std::string icon_;
};

// For tests: a status that can be set, register/unregister that can be made to fail, a
// mode in which registering needs the user's approval, and counts of every call.
class FakeLoginItemService final : public LoginItemService {
public:
    explicit FakeLoginItemService(LoginItemStatus initial = LoginItemStatus::notRegistered)
        : status_(initial) {}

    LoginItemStatus status() const override {
        ++statusReads_;
        return status_;
    }
    // Succeeds unless failing or notFound (like the real service, which cannot register a
    // program it cannot find); then enabled, or requiresApproval in that mode.
    bool registerApp() override;
    // Succeeds unless failing; then notRegistered (notFound stays notFound).
    bool unregisterApp() override;

    void setStatus(LoginItemStatus status) { status_ = status; }
    void setFailing(bool failing) { failing_ = failing; }
    void setRequiresApproval(bool requiresApproval) { requiresApproval_ = requiresApproval; }

    int statusReads() const { return statusReads_; }
    int registerCalls() const { return registerCalls_; }
    int unregisterCalls() const { return unregisterCalls_; }

private:
    LoginItemStatus status_;
    bool failing_ = false;
    bool requiresApproval_ = false;
    mutable int statusReads_ = 0;
    int registerCalls_ = 0;
    int unregisterCalls_ = 0;
};

}  // namespace velmora
