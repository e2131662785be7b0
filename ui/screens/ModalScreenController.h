#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include "GameModel.h"
#include "LoginItemService.h"
#include "ScreenText.h"

namespace velmora::ui {

// The full-window screens over the board, in the order the game menu lists them.
enum class ModalScreen { preferences, statistics, howToPlay, about };
QString rawValue(ModalScreen screen);  // also the screen's title before lookup

// A change of rules held back until the player confirms abandoning the game in play.
struct PendingRulesChange {
    std::function<void()> apply;
};

// The rules and state of one opened screen: which dialogs are up, the pending difficulty
// change, the launch-at-login status, the statistics lines and the sizes. QML creates one
// each time a screen opens, so every opening starts from fresh state.
class ModalScreenController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(velmora::ui::GameModel* game READ game WRITE setGame NOTIFY gameChanged)
    Q_PROPERTY(Screen screen READ screen WRITE setScreen NOTIFY screenChanged)
    Q_PROPERTY(QString title READ title NOTIFY screenChanged)
    Q_PROPERTY(bool hasResetButton READ hasResetButton NOTIFY screenChanged)
    Q_PROPERTY(double textScale READ textScale WRITE setTextScale NOTIFY contentScaleChanged)
    Q_PROPERTY(double contentScale READ contentScale NOTIFY contentScaleChanged)
    Q_PROPERTY(bool isConfirmingReset READ isConfirmingReset NOTIFY dialogsChanged)
    Q_PROPERTY(bool isConfirmingRulesChange READ isConfirmingRulesChange NOTIFY dialogsChanged)
    Q_PROPERTY(bool isShowingDialog READ isShowingDialog NOTIFY dialogsChanged)
    Q_PROPERTY(int loginItemStatus READ loginItemStatus NOTIFY loginItemStatusChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin NOTIFY loginItemStatusChanged)
    Q_PROPERTY(bool showsApprovalHint READ showsApprovalHint NOTIFY loginItemStatusChanged)
    // StatLine values, in display order.
    Q_PROPERTY(QVariantList statisticsLines READ statisticsLines NOTIFY statisticsChanged)
    Q_PROPERTY(QVariantList difficultyOptions READ difficultyOptions CONSTANT)
    Q_PROPERTY(QVariantList boardSizeOptions READ boardSizeOptions CONSTANT)
    Q_PROPERTY(QVariantList menuBarIconOptions READ menuBarIconOptions CONSTANT)
    Q_PROPERTY(QVariantList themeOptions READ themeOptions CONSTANT)
    // [{ symbol, title, body, identifier }] and [{ action, keys }], looked up.
    Q_PROPERTY(QVariantList howToPlayParagraphs READ howToPlayParagraphs CONSTANT)
    Q_PROPERTY(QVariantList keyboardLines READ keyboardLines CONSTANT)
    Q_PROPERTY(QString versionText READ versionText CONSTANT)
    Q_PROPERTY(QString websiteLabel READ websiteLabel CONSTANT)
    Q_PROPERTY(QString websiteAccessibleLabel READ websiteAccessibleLabel CONSTANT)

public:
    enum Screen {
        Preferences = int(ModalScreen::preferences),
        Statistics = int(ModalScreen::statistics),
        HowToPlay = int(ModalScreen::howToPlay),
        About = int(ModalScreen::about)
    };
    Q_ENUM(Screen)

    explicit ModalScreenController(QObject* parent = nullptr);

    // The launch-at-login service every screen uses; the app sets the real one, tests a fake.
    // Without one the status reads as not found and the switch stays off.
    static void setLoginItemService(LoginItemService* service);
    static LoginItemService* loginItemService();
    // Opens a web address; the desktop's browser unless a test replaces it.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void setUrlOpener(UrlOpener opener);
    static void setPublisherDomain(const QString& domain);  // a malformed one opens nothing

    GameModel* game() const { return game_; }
    void setGame(GameModel* game);
    Screen screen() const { return screen_; }
    void setScreen(Screen screen);
    QString title() const;
    bool hasResetButton() const { return screen_ == Statistics; }
    double textScale() const { return textScale_; }
    void setTextScale(double value);
    double contentScale() const;
    bool isConfirmingReset() const { return isConfirmingReset_; }
    bool isConfirmingRulesChange() const { return pendingRulesChange_.has_value(); }
    bool isShowingDialog() const { return isConfirmingReset() || isConfirmingRulesChange(); }
    int loginItemStatus() const { return int(loginItemStatus_); }
    bool launchAtLogin() const;
    bool showsApprovalHint() const { return loginItemStatus_ == LoginItemStatus::requiresApproval; }
    QVariantList statisticsLines() const;
    QVariantList difficultyOptions() const;
    QVariantList boardSizeOptions() const;
    QVariantList menuBarIconOptions() const;
    QVariantList themeOptions() const;
    QVariantList howToPlayParagraphs() const;
    QVariantList keyboardLines() const;
    QString versionText() const;
    QString websiteLabel() const;
    QString websiteAccessibleLabel() const;

    // The player picked a difficulty (raw value) in the Difficulty menu.
    Q_INVOKABLE void chooseDifficulty(const QString& raw);
    Q_INVOKABLE void requestReset();
    Q_INVOKABLE void cancelReset();
    Q_INVOKABLE void confirmReset();
    Q_INVOKABLE void cancelRulesChange();
    Q_INVOKABLE void confirmRulesChange();
    // Escape: cancels the dialog on top; false when none is up.
    Q_INVOKABLE bool cancelTopDialog();

    Q_INVOKABLE void setLaunchAtLogin(bool on);
    Q_INVOKABLE void refreshLoginItemStatus();
    Q_INVOKABLE bool openWebsite();
    Q_INVOKABLE void dismiss();
    // Columns of an adaptive grid: as many cells of at least `minimum` as fit, `spacing` apart.
    Q_INVOKABLE int adaptiveColumns(double width, double minimum, double spacing) const;

signals:
    void gameChanged();
    void screenChanged();
    void contentScaleChanged();
    void dialogsChanged();
    void loginItemStatusChanged();
    void statisticsChanged();
    void dismissed();

private:
    void setLoginItemStatus(LoginItemStatus status);

    QPointer<GameModel> game_;
    Screen screen_ = Preferences;
    double textScale_ = 1.0;
    bool isConfirmingReset_ = false;
    std::optional<PendingRulesChange> pendingRulesChange_;
    LoginItemStatus loginItemStatus_ = LoginItemStatus::notFound;
};

}  // namespace velmora::ui
