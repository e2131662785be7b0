#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include "AppIdentity.h"
#include "PlatformChoice.h"
#include "Shell.h"
#include "Translations.h"
#include "VelmoraApp.h"

#include "LocalizedText.h"

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// Without a display the toolkit aborts with a page of advice; one line and status 1 say it better.
bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland")) return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The --defaults value exactly as the bytes given: the text form of the arguments replaces
// bytes that are not valid in the locale's encoding, which would name another file.
std::filesystem::path rawDefaultsArgument(int argc, char* argv[]) {
    std::filesystem::path file;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if ((argument == "--defaults" || argument == "--text-scale") && i + 1 < argc) {
            if (argument == "--defaults") file = argv[i + 1];
            ++i;
        } else if (argument.rfind("--defaults=", 0) == 0) {
            file = std::string(argument.substr(std::string_view("--defaults=").size()));
        }
    }
    return file;
}

bool constructingApplication = false;
QtMessageHandler previousHandler = nullptr;

void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (constructingApplication && type == QtFatalMsg) {
        std::fprintf(stderr, "velmora: cannot open the display %s\n", qgetenv("DISPLAY").constData());
        std::_Exit(1);
    }
    // The platform plugin's own complaint is replaced by the line above.
    if (constructingApplication && QByteArray(context.category ? context.category : "").startsWith("qt.qpa"))
        return;
    if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QString error;
    const auto options = velmora::app::parseOptions(arguments, &error);
    if (!options) {
        std::fprintf(stderr,
                     "velmora: %s\nusage: velmora [--defaults FILE] [--window] [--text-scale X] [--reduce-motion] [--at-login]\n",
                     qPrintable(error));
        return 2;
    }
    // Settled before the toolkit reads it; QT_QPA_PLATFORM, when set, is left as it is.
    const QByteArray platform = velmora::app::preferredPlatform(velmora::app::currentPlatformEnvironment(options->window));
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
    if (!displayAvailable()) {
        std::fprintf(stderr, "velmora: no display found (DISPLAY and WAYLAND_DISPLAY are unset)\n");
        return 1;
    }

    previousHandler = qInstallMessageHandler(startupMessageHandler);
    constructingApplication = true;
    QApplication application(argc, argv);
    constructingApplication = false;
    qInstallMessageHandler(previousHandler);
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // Names the desktop entry; on Wayland it is the app id compositor rules match.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(velmora::app::kApplicationId));
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window, the About screen and the desktop's window lists show the program's icon:
    // the installed one where there is one, else the copy built in.
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(velmora::app::kIconName),
                                                 QIcon(QStringLiteral(":/velmora/app/icons/velmora.svg"))));

    const QString language = velmora::app::chooseInterfaceLanguage(
        QLocale::system().uiLanguages(), {QStringLiteral("pl"), QStringLiteral("fr"), QStringLiteral("de")});
    const velmora::app::InterfaceTranslations translations(language);
    velmora::ui::setInterfaceLanguage(language);

    // SIGTERM, SIGINT, SIGHUP (logout, a closed terminal) and SIGQUIT end the game the way
    // Quit does: the pending save lands first.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        std::perror("velmora: socketpair");
        return 1;
    }
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &application, [] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) sigaction(signal, &action, nullptr);
    // A closed pipe on standard error must not end the game before it has saved.
    std::signal(SIGPIPE, SIG_IGN);

    velmora::app::VelmoraApp velmora(*options);
    velmora.setStoreFile(rawDefaultsArgument(argc, argv));
    if (!velmora.start()) return velmora.startFailureStatus();
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &velmora, &velmora::app::VelmoraApp::finish);
    const int status = application.exec();
    velmora.finish();
    return status;
}
