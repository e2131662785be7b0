// The single-instance guard against second writers and other users, and the app's saves at
// the end of a session.
#include <atomic>
#include <cstring>
#include <thread>

#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "AppTestSupport.h"
#include "DefaultsStore.h"
#include "MinesweeperGame.h"
#include "SavedGame.h"
#include "SingleInstance.h"
#include "VelmoraApp.h"

using namespace velmora;
using namespace velmora::app;

class StoreGuardTests : public QObject {
    Q_OBJECT
private slots:
    void twoRuntimeFoldersStillMeetAtTheStore();
    void onlyAPrivateFolderCarriesTheChannel();
    void silentAndEndlessPeersAreDroppedAndALaunchGetsThrough();
    void anotherUserCannotReachTheChannel();
    void theSessionsCommitRequestSavesAtOnce();
    void theClockIsSavedWhileThePanelIsOpen();
    void aStoreNamedByBytesIsThatFile();
};

namespace {
std::filesystem::path bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Read as a bystander would: the file only, no store of its own over it.
std::optional<SavedGame> storedGame(const std::filesystem::path& file) {
    QFile in(QFile::decodeName(file.c_str()));
    if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
    const auto text = in.readAll().toStdString();
    const InMemoryDefaultsStore store(nlohmann::json::parse(text, nullptr, false));
    const auto data = store.data(keys::savedGame);
    if (!data) return std::nullopt;
    return decodeSavedGame(*data);
}
}  // namespace

void StoreGuardTests::twoRuntimeFoldersStillMeetAtTheStore() {
    QTemporaryDir home, runA, runB;
    const auto store = bytes(home.filePath("defaults.json"));
    const QString key = SingleInstance::keyForStore(store);
    SingleInstance first(key, runA.path(), store);
    QVERIFY(first.claim([] {}));
    // Another session (or machine): its own runtime folder, the same file.
    SingleInstance second(key, runB.path(), store);
    QVERIFY(!second.claim([] {}));
    QVERIFY(!second.notifyRunning(300));
    // A link to the file is the same store.
    QVERIFY(QFile::link(home.filePath("defaults.json"), home.filePath("alias.json")));
    QVERIFY(QFile(home.filePath("defaults.json")).open(QIODevice::WriteOnly));
    const auto alias = bytes(home.filePath("alias.json"));
    SingleInstance third(SingleInstance::keyForStore(alias), runB.path(), alias);
    QVERIFY(!third.claim([] {}));
    QCOMPARE(SingleInstance::keyForStore(alias), key);
}

void StoreGuardTests::onlyAPrivateFolderCarriesTheChannel() {
    QTemporaryDir base;
    const QByteArray root = QFile::encodeName(base.path());
    const QByteArray fallback = root + "/velmora-" + QByteArray::number(::geteuid());
    QString problem;

    const QByteArray good = root + "/good";
    QVERIFY(::mkdir(good.constData(), 0700) == 0);
    QCOMPARE(SingleInstance::privateRuntimeFolder(good, root, &problem), QFile::decodeName(good));
    QVERIFY(problem.isEmpty());

    // Open to others, relative or missing: the private fallback, created 0700.
    const QByteArray open = root + "/open";
    QVERIFY(::mkdir(open.constData(), 0700) == 0 && ::chmod(open.constData(), 0755) == 0);
    for (const QByteArray& bad : {open, QByteArray("run"), QByteArray(), root + "/missing"}) {
        QCOMPARE(SingleInstance::privateRuntimeFolder(bad, root, &problem), QFile::decodeName(fallback));
        struct stat st {};
        QVERIFY(::stat(fallback.constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
    }
    // A fallback name taken first by someone else, or planted as a link, is not used.
    QVERIFY(::rmdir(fallback.constData()) == 0);
    QVERIFY(::symlink(good.constData(), fallback.constData()) == 0);
    QVERIFY(SingleInstance::privateRuntimeFolder(open, root, &problem).isEmpty());
    QVERIFY(!problem.isEmpty());
    QVERIFY(::unlink(fallback.constData()) == 0);
    QVERIFY(::mkdir(fallback.constData(), 0777) == 0 && ::chmod(fallback.constData(), 0777) == 0);
    QVERIFY(SingleInstance::privateRuntimeFolder(open, root, &problem).isEmpty());
    if (::geteuid() == 0) {
        QVERIFY(::chmod(fallback.constData(), 0700) == 0 && ::chown(fallback.constData(), 65534, 65534) == 0);
        QVERIFY(SingleInstance::privateRuntimeFolder(open, root, &problem).isEmpty());
    }
}

void StoreGuardTests::silentAndEndlessPeersAreDroppedAndALaunchGetsThrough() {
    QTemporaryDir home, run;
    const auto store = bytes(home.filePath("defaults.json"));
    const QString key = SingleInstance::keyForStore(store);
    SingleInstance first(key, run.path(), store);
    first.setIdleTimeout(400);
    int shows = 0;
    QVERIFY(first.claim([&] { ++shows; }));

    // One peer never sends a newline, another sends nothing; more of them than the cap.
    const QString socketPath = run.filePath(key);
    QLocalSocket endless;
    endless.connectToServer(socketPath);
    QVERIFY(endless.waitForConnected(2000));
    std::vector<std::unique_ptr<QLocalSocket>> silent;
    for (int i = 0; i < SingleInstance::kMaxConnections + 4; ++i) {
        silent.push_back(std::make_unique<QLocalSocket>());
        silent.back()->connectToServer(socketPath);
    }
    const QByteArray chunk(64 * 1024, 'x');
    for (int i = 0; i < 32 && endless.state() == QLocalSocket::ConnectedState; ++i) {
        endless.write(chunk);
        endless.waitForBytesWritten(100);
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE_WITH_TIMEOUT(endless.state(), QLocalSocket::UnconnectedState, 5000);
    for (auto& socket : silent) QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QLocalSocket::UnconnectedState, 5000);

    // Meanwhile and afterwards a real second launch is answered.
    SingleInstance second(key, run.path(), store);
    QVERIFY(!second.claim([] {}));
    std::atomic<int> answered{-1};
    std::thread knocker([&] { answered = second.notifyRunning(5000) ? 1 : 0; });
    QTRY_COMPARE(shows, 1);
    QTRY_VERIFY(answered != -1);
    knocker.join();
    QCOMPARE(answered.load(), 1);
}

void StoreGuardTests::anotherUserCannotReachTheChannel() {
    if (::geteuid() != 0) QSKIP("needs root to act as another user");
    QTemporaryDir home, run;  // QTemporaryDir folders are 0700, like a runtime folder
    const auto store = bytes(home.filePath("defaults.json"));
    const QString key = SingleInstance::keyForStore(store);
    SingleInstance first(key, run.path(), store);
    int shows = 0;
    QVERIFY(first.claim([&] { ++shows; }));
    const QByteArray socketPath = QFile::encodeName(run.filePath(key));
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path - 1);
        const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (connected) [[maybe_unused]] auto w = ::write(fd, "show\n", 5);
        ::_exit(connected ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) QTest::qWait(20);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QTest::qWait(100);
    QCOMPARE(shows, 0);
}

void StoreGuardTests::theSessionsCommitRequestSavesAtOnce() {
    QTemporaryDir dir;
    const Options options = windowOptions(dir.filePath("defaults.json"));
    VelmoraApp velmora(options);
    QVERIFY(velmora.start());
    velmora.game().primaryAction(40);
    QVERIFY(!storedGame(bytes(options.defaultsPath)));  // only scheduled so far
    velmora.saveNow();
    const auto saved = storedGame(bytes(options.defaultsPath));
    QVERIFY(saved);
    QCOMPARE(saved->revealed.empty(), false);
    QVERIFY2(velmora.game().isViewVisible(), "the session goes on");
    velmora.finish();
}

void StoreGuardTests::theClockIsSavedWhileThePanelIsOpen() {
    QTemporaryDir dir;
    const Options options = windowOptions(dir.filePath("defaults.json"));
    VelmoraApp velmora(options);
    QVERIFY(velmora.start());
    velmora.game().primaryAction(40);
    QVERIFY(velmora.game().clockRunning());
    // No move, no hiding: only the clock runs. Its time still reaches the file.
    QTRY_VERIFY_WITH_TIMEOUT(storedGame(bytes(options.defaultsPath)) &&
                                 storedGame(bytes(options.defaultsPath))->elapsedSeconds > 0,
                             20000);
    velmora.finish();
}

void StoreGuardTests::aStoreNamedByBytesIsThatFile() {
    QTemporaryDir dir;
    const std::filesystem::path odd = bytes(dir.path()) / "d\xff\xfe.json";  // not valid UTF-8
    const Options options = windowOptions(QFile::decodeName(odd.c_str()));  // what the text form makes of it
    {
        VelmoraApp velmora(options);
        velmora.setStoreFile(odd);
        QVERIFY(velmora.start());
        velmora.game().primaryAction(40);
        velmora.finish();
    }
    struct stat st {};
    QVERIFY(::stat(odd.c_str(), &st) == 0);
    QCOMPARE(FileDefaultsStore(odd).integer(keys::gamesPlayed), std::int64_t(1));
    // The temporary folder cannot remove names that are not text.
    std::filesystem::remove(odd);
    std::filesystem::remove(StoreLock::lockPathFor(odd));
}

QTEST_MAIN(StoreGuardTests)
#include "StoreGuardTests.moc"
