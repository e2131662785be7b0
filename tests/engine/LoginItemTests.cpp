#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "LoginItemService.h"

using namespace velmora;
namespace fs = std::filesystem;

namespace {

constexpr const char* kIcon = "example.velmora.Velmora";

class LoginItem : public ::testing::Test {
protected:
    void SetUp() override {
        root = test::makeScratchFolder("velmora-login");
        dir = (root / "config" / "autostart").string();
        entry = fs::path(dir) / "velmora.desktop";
    }
    void TearDown() override { fs::remove_all(root); }

    XdgAutostartLoginItem item(std::optional<std::string> program = "/usr/bin/velmora") const {
        return XdgAutostartLoginItem(std::move(program), dir, kIcon);
    }
    static void writeFile(const fs::path& p, const std::string& text) { test::writeFile(p, text); }
    static std::string readFile(const fs::path& p) { return test::readFile(p); }
    // Everything in the folder besides the entry: a failed or finished write leaves nothing.
    std::vector<std::string> strayFiles() const {
        std::vector<std::string> out;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(dir, ec)) {
            if (e.path().filename() != "velmora.desktop") out.push_back(e.path().filename());
        }
        return out;
    }

    fs::path root;
    std::string dir;
    fs::path entry;
};

// Reads an Exec= value back the way a desktop-entry launcher does: string-value escapes
// first, then the quoting rule, then "%%" as a literal percent. Written from those published
// rules, not from the code under test.
std::vector<std::string> launcherArguments(const std::string& value) {
    std::string unescaped;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char n = value[++i];
            unescaped += n == 's' ? ' ' : n == 'n' ? '\n' : n == 't' ? '\t' : n == 'r' ? '\r' : n;
        } else {
            unescaped += value[i];
        }
    }
    std::vector<std::string> args;
    std::string cur;
    bool inArg = false;
    for (std::size_t i = 0; i < unescaped.size(); ++i) {
        const char c = unescaped[i];
        if (c == '"') {
            inArg = true;
            for (++i; i < unescaped.size() && unescaped[i] != '"'; ++i) {
                if (unescaped[i] == '\\' && i + 1 < unescaped.size()) ++i;
                cur += unescaped[i];
            }
        } else if (c == ' ') {
            if (inArg) args.push_back(cur);
            cur.clear();
            inArg = false;
        } else {
            cur += c;
            inArg = true;
        }
    }
    if (inArg) args.push_back(cur);
    // Field codes expand per argument, quoted or not (as launchers do it).
    for (auto& arg : args) {
        std::string plain;
        for (std::size_t i = 0; i < arg.size(); ++i) {
            plain += arg[i];
            if (arg[i] == '%' && i + 1 < arg.size() && arg[i + 1] == '%') ++i;
        }
        arg = plain;
    }
    return args;
}

std::string execLine(const std::string& text) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Exec=", 0) == 0) return line.substr(5);
    }
    return {};
}

TEST_F(LoginItem, RegisterWritesTheEntryAtomicallyAndUnregisterRemovesIt) {
    auto login = item("/opt/velmora/bin/velmora");
    EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);  // no folder yet

    const mode_t old = ::umask(077);  // the entry is readable to the desktop whatever the umask
    const bool registered = login.registerApp();
    ::umask(old);
    ASSERT_TRUE(registered);
    EXPECT_EQ(login.status(), LoginItemStatus::enabled);
    EXPECT_EQ(readFile(entry),
              "[Desktop Entry]\nType=Application\nName=Velmora\nExec=/opt/velmora/bin/velmora --at-login\n"
              "Icon=example.velmora.Velmora\nX-GNOME-Autostart-enabled=true\nStartupNotify=false\n");
    struct stat st {};
    ASSERT_EQ(::stat(entry.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    ASSERT_EQ(::stat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);  // newly created level
    EXPECT_TRUE(strayFiles().empty());

    // Registering again replaces the entry in place.
    ASSERT_TRUE(login.registerApp());
    EXPECT_EQ(login.status(), LoginItemStatus::enabled);
    EXPECT_TRUE(strayFiles().empty());

    ASSERT_TRUE(login.unregisterApp());
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
    EXPECT_TRUE(login.unregisterApp());  // nothing to remove is success
    fs::remove_all(root / "config");
    EXPECT_TRUE(login.unregisterApp());  // nor is a missing folder a failure
}

TEST_F(LoginItem, ExecIsQuotedAndEscapedSoALauncherGetsThePathBack) {
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/usr/bin/velmora"), "/usr/bin/velmora");
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/opt/My Games/velmora"), "\"/opt/My Games/velmora\"");
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/a\"b"), "\"/a\\\\\"b\"");
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/a$b"), "\"/a\\\\$b\"");
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/a`b"), "\"/a\\\\`b\"");
    // One backslash becomes four characters: quoting escape, then string-value escape.
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/a\\b"), "\"/a\\\\\\\\b\"");
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/100%/velmora"), "/100%%/velmora");
    EXPECT_EQ(XdgAutostartLoginItem::execValue("/it's/v"), "\"/it's/v\"");

    for (const std::string path :
         {"/opt/My Games/velmora", "/a\"b c", "/$HOME/`x`/v", "/back\\slash/v", "/50% off/v",
          "/x;y&z|w/(v)*?#~<>", "/Gry/wąż 🎉/velmora", "/a\\\"$`%%b"}) {
        auto login = item(path);
        ASSERT_TRUE(login.registerApp()) << path;
        EXPECT_EQ(launcherArguments(execLine(readFile(entry))), (std::vector<std::string>{path, "--at-login"})) << path;
        EXPECT_EQ(login.status(), LoginItemStatus::enabled) << path;
    }
}

TEST_F(LoginItem, AProgramPathThatCannotBeWrittenFaithfullyIsNotFound) {
    for (const std::optional<std::string>& path :
         {std::optional<std::string>{}, std::optional<std::string>{""},
          std::optional<std::string>{"velmora"}, std::optional<std::string>{"bin/velmora"},
          std::optional<std::string>{"/usr/bin/\xff" "velmora"},          // not UTF-8
          std::optional<std::string>{"/usr/bin/\xc0\xaf"},                 // overlong
          std::optional<std::string>{"/usr/bin/\xed\xa0\x80"},             // surrogate
          std::optional<std::string>{"/usr/bin/ab\xe2\x82"},               // cut short
          std::optional<std::string>{"/usr/bin/a\nExec=/bin/evil"},         // line break
          std::optional<std::string>{"/usr/bin/a\tb"}, std::optional<std::string>{"/usr/\x7f"},
          std::optional<std::string>{"/usr/bin/\xc2\x85"}}) {               // C1 control
        auto login = item(path);
        EXPECT_FALSE(login.programPath().has_value());
        EXPECT_EQ(login.status(), LoginItemStatus::notFound);
        EXPECT_FALSE(login.registerApp());
        EXPECT_FALSE(fs::exists(entry));
    }
    // Unregistering still removes an entry, so the user can always turn it off.
    writeFile(entry, "[Desktop Entry]\nExec=/old/velmora\n");
    EXPECT_TRUE(item(std::nullopt).unregisterApp());
    EXPECT_FALSE(fs::exists(entry));
}

TEST_F(LoginItem, EntriesWrittenBySomeoneElseAreReadAsDesktopsReadThem) {
    auto login = item();
    const auto statusOf = [&](const std::string& text) {
        writeFile(entry, text);
        return login.status();
    };
    EXPECT_EQ(statusOf("[Desktop Entry]\nType=Application\nHidden=true\n"), LoginItemStatus::notRegistered);
    EXPECT_EQ(statusOf("[Desktop Entry]\r\nHidden = true\r\n"), LoginItemStatus::notRegistered);
    EXPECT_EQ(statusOf("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n"), LoginItemStatus::notRegistered);
    EXPECT_EQ(statusOf("[Desktop Entry]\nHidden=false\nX-GNOME-Autostart-enabled=true\n"),
              LoginItemStatus::enabled);
    // Only the main group counts.
    EXPECT_EQ(statusOf("[Desktop Entry]\nExec=v\n[Desktop Action x]\nHidden=true\n"), LoginItemStatus::enabled);
    EXPECT_EQ(statusOf("# Hidden=true\n[Desktop Entry]\nExec=v\n"), LoginItemStatus::enabled);
    // Another program's Exec is still the user's entry for Velmora; registering makes it ours.
    EXPECT_EQ(statusOf("[Desktop Entry]\nExec=/somewhere/else --flag\n"), LoginItemStatus::enabled);
    ASSERT_TRUE(login.registerApp());
    EXPECT_EQ(execLine(readFile(entry)), "/usr/bin/velmora --at-login");
    // Registering over a disabled entry turns it on.
    statusOf("[Desktop Entry]\nHidden=true\n");
    ASSERT_TRUE(login.registerApp());
    EXPECT_EQ(login.status(), LoginItemStatus::enabled);

    // Not a desktop entry at all: nothing would start it.
    EXPECT_EQ(statusOf(""), LoginItemStatus::notRegistered);
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 131 + 7) % 256);
    EXPECT_EQ(statusOf(junk), LoginItemStatus::notRegistered);
    EXPECT_EQ(statusOf(std::string("[Desktop Entry]\n\0\xff\xfe=\n", 21)), LoginItemStatus::enabled);

    // A huge file is read only as far as its first 64 KiB.
    std::string huge = "[Desktop Entry]\nExec=v\n";
    huge += std::string(200 * 1024, '#');
    huge += "\nHidden=true\n";
    EXPECT_EQ(statusOf(huge), LoginItemStatus::enabled);
}

TEST_F(LoginItem, WhatIsNotARegularFileAtTheEntryPathNeverStartsAnything) {
    auto login = item();
    // A directory: not registered, and neither call can replace or remove it.
    fs::create_directories(entry);
    EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
    EXPECT_FALSE(login.registerApp());
    EXPECT_FALSE(login.unregisterApp());
    EXPECT_TRUE(fs::is_directory(entry));
    EXPECT_TRUE(strayFiles().empty());
    fs::remove(entry);

    // A dangling symlink is replaced by the real entry, not followed.
    fs::create_symlink(root / "nowhere", entry);
    EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
    ASSERT_TRUE(login.registerApp());
    EXPECT_FALSE(fs::is_symlink(entry));
    EXPECT_FALSE(fs::exists(root / "nowhere"));
    EXPECT_EQ(login.status(), LoginItemStatus::enabled);
    fs::remove(entry);

    // A symlink to the user's own entry elsewhere counts as theirs.
    writeFile(root / "dotfiles" / "velmora.desktop", "[Desktop Entry]\nExec=v\n");
    fs::create_symlink(root / "dotfiles" / "velmora.desktop", entry);
    EXPECT_EQ(login.status(), LoginItemStatus::enabled);
    fs::remove(entry);

    // A FIFO must not block the read.
    ASSERT_EQ(::mkfifo(entry.c_str(), 0600), 0);
    EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
}

TEST_F(LoginItem, AFolderThatCannotBeWrittenFailsAndLeavesNothingBehind) {
    // Tests run as root, which a read-only mode does not stop; a file in the folder's path does.
    writeFile(root / "config", "not a folder");
    auto login = item();
    EXPECT_FALSE(login.registerApp());
    EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);
    EXPECT_TRUE(login.unregisterApp());  // no entry can exist below a file
    EXPECT_EQ(readFile(root / "config"), "not a folder");

    // The folder itself a file.
    fs::remove(root / "config");
    writeFile(dir, "x");
    EXPECT_FALSE(login.registerApp());
    EXPECT_EQ(login.status(), LoginItemStatus::notRegistered);

    // A relative folder would depend on the working directory: never used.
    XdgAutostartLoginItem relative("/usr/bin/velmora", "config/autostart", kIcon);
    EXPECT_FALSE(relative.registerApp());
    EXPECT_FALSE(relative.unregisterApp());
    EXPECT_EQ(relative.status(), LoginItemStatus::notRegistered);
    XdgAutostartLoginItem none("/usr/bin/velmora", "", kIcon);
    EXPECT_FALSE(none.registerApp());
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LoginItemFolder, ConfigHomeWhenAbsoluteElseHomeElseThePasswordDatabase) {
    using L = XdgAutostartLoginItem;
    EXPECT_EQ(L::resolveAutostartDir("/x/cfg", "/home/u", "/pw"), "/x/cfg/autostart");
    EXPECT_EQ(L::resolveAutostartDir("/x/cfg/", "/home/u", "/pw"), "/x/cfg/autostart");
    EXPECT_EQ(L::resolveAutostartDir("/", "/home/u", "/pw"), "/autostart");
    EXPECT_EQ(L::resolveAutostartDir(nullptr, "/home/u", "/pw"), "/home/u/.config/autostart");
    EXPECT_EQ(L::resolveAutostartDir("", "/home/u", "/pw"), "/home/u/.config/autostart");
    EXPECT_EQ(L::resolveAutostartDir("rel/cfg", "/home/u", "/pw"), "/home/u/.config/autostart");
    EXPECT_EQ(L::resolveAutostartDir(nullptr, nullptr, "/pw"), "/pw/.config/autostart");
    EXPECT_EQ(L::resolveAutostartDir(nullptr, "", "/pw"), "/pw/.config/autostart");
    EXPECT_EQ(L::resolveAutostartDir(nullptr, nullptr, ""), "");

    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/velmora-cfg");
        EXPECT_EQ(L::forCurrentUser(kIcon).autostartDir(), "/tmp/velmora-cfg/autostart");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative");
        ScopedEnv home("HOME", "/tmp/velmora-home");
        EXPECT_EQ(L::forCurrentUser(kIcon).autostartDir(), "/tmp/velmora-home/.config/autostart");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", "");
        const std::string dir = L::forCurrentUser(kIcon).autostartDir();
        EXPECT_TRUE(dir.size() > 20 && dir.front() == '/' &&
                    dir.compare(dir.size() - 18, 18, "/.config/autostart") == 0)
            << dir;
    }
}

TEST(LoginItemProgram, TheRunningProgramIsFoundAndADeletedOneOnlyWhenReplaced) {
    const auto self = XdgAutostartLoginItem::runningProgramPath();
    ASSERT_TRUE(self.has_value());
    EXPECT_EQ(fs::canonical("/proc/self/exe").string(), *self);
    EXPECT_EQ(XdgAutostartLoginItem::forCurrentUser(kIcon).programPath(), self);

    std::string pattern = (fs::temp_directory_path() / "velmora-exe-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path program = fs::path(pattern) / "velmora";
    EXPECT_EQ(XdgAutostartLoginItem::programPathFromLink(program.string() + " (deleted)"), std::nullopt);
    std::ofstream(program) << "#!/bin/sh\n";
    EXPECT_EQ(XdgAutostartLoginItem::programPathFromLink(program.string() + " (deleted)"), program.string());
    EXPECT_EQ(XdgAutostartLoginItem::programPathFromLink(program.string()), program.string());
    fs::remove_all(pattern);
}

TEST(FakeLoginItem, ModelsTheStatusesTheScreenHasToShow) {
    FakeLoginItemService fake;
    EXPECT_TRUE(fake.registerApp());
    EXPECT_EQ(fake.status(), LoginItemStatus::enabled);
    EXPECT_TRUE(fake.unregisterApp());
    EXPECT_EQ(fake.status(), LoginItemStatus::notRegistered);

    fake.setRequiresApproval(true);
    EXPECT_TRUE(fake.registerApp());
    EXPECT_EQ(fake.status(), LoginItemStatus::requiresApproval);

    fake.setFailing(true);
    EXPECT_FALSE(fake.unregisterApp());
    EXPECT_EQ(fake.status(), LoginItemStatus::requiresApproval);
    fake.setFailing(false);

    fake.setStatus(LoginItemStatus::notFound);
    EXPECT_FALSE(fake.registerApp());
    EXPECT_EQ(fake.status(), LoginItemStatus::notFound);
    EXPECT_EQ(fake.registerCalls(), 3);
    EXPECT_EQ(fake.unregisterCalls(), 2);
    EXPECT_EQ(fake.statusReads(), 5);
}

}  // namespace
