#include "Shell.h"

#include <algorithm>
#include <cmath>

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#include "AppIdentity.h"
#include "Symbols.h"

namespace velmora::app {

namespace {

// One coordinate of the panel: `wanted`, moved inside [low, high - length] where it fits,
// pinned to `low` where it does not (the panel's top-left stays reachable).
int clampSpan(int wanted, int length, int low, int high) {
    const int last = high - length;
    if (last < low) return low;
    return std::clamp(wanted, low, last);
}

}  // namespace

QString gsettingsValue(const QString& schema, const QString& key) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty()) return {};
    QProcess process;
    process.start(program, {QStringLiteral("get"), schema, key});
    // A desktop without the schema answers at once; a hung D-Bus must not hold up start-up.
    if (!process.waitForFinished(1500)) {
        process.kill();
        process.waitForFinished(200);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QPoint panelPosition(const QRect& icon, const QPoint& cursor, const QSize& panel, const QRect& available) {
    // The anchor as edges: [left, right) across, [top, bottom) down; a click is a point.
    const int left = icon.isValid() ? icon.x() : cursor.x();
    const int right = icon.isValid() ? icon.x() + icon.width() : cursor.x();
    const int top = icon.isValid() ? icon.y() : cursor.y();
    const int bottom = icon.isValid() ? icon.y() + icon.height() : cursor.y();
    const int x = left + (right - left - panel.width()) / 2;
    const bool below = (top + bottom) / 2 < available.y() + available.height() / 2;
    const int y = below ? bottom : top - panel.height();
    return {clampSpan(x, panel.width(), available.x(), available.x() + available.width()),
            clampSpan(y, panel.height(), available.y(), available.y() + available.height())};
}

double DynamicTypeCapModifier::apply(double scale) {
    if (!std::isfinite(scale)) return minimum;
    return std::clamp(scale, minimum, maximum);
}

double systemTextScale() {
    const QString value = gsettingsValue(QStringLiteral("org.gnome.desktop.interface"),
                                         QStringLiteral("text-scaling-factor"));
    bool ok = false;
    const double scale = value.toDouble(&ok);
    return ok && scale > 0 ? scale : 1.0;
}

bool kdeAnimationsOff(const QString& kdeglobalsPath) {
    if (!QFile::exists(kdeglobalsPath)) return false;
    QSettings settings(kdeglobalsPath, QSettings::IniFormat);
    bool ok = false;
    const double factor = settings.value(QStringLiteral("KDE/AnimationDurationFactor")).toString().toDouble(&ok);
    return ok && factor == 0.0;
}

bool systemReduceMotion() {
    if (gsettingsValue(QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("enable-animations")) ==
        QStringLiteral("false"))
        return true;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return kdeAnimationsOff(config + QStringLiteral("/kdeglobals"));
}

QString chooseInterfaceLanguage(const QStringList& uiLanguages, const QStringList& shipped) {
    for (const QString& entry : uiLanguages) {
        const QString language = entry.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (language == QStringLiteral("en") || shipped.contains(language)) return language;
    }
    return QStringLiteral("en");
}

QString systemImageName(MenuBarIconOption option) {
    // One table of symbols, next to the option itself.
    const std::string_view name = symbolName(option);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

PanelAppearance panelAppearanceFrom(const QString& colorScheme, const QString& gtkTheme, const QString& kdeColorScheme) {
    const QString scheme = QString(colorScheme).remove(QLatin1Char('\'')).trimmed();
    if (scheme == QStringLiteral("prefer-dark")) return PanelAppearance::dark;
    if (scheme == QStringLiteral("prefer-light")) return PanelAppearance::light;
    // "default" says nothing: desktops that never set it report it too.
    const QString theme = QString(gtkTheme).remove(QLatin1Char('\'')).trimmed();
    if (theme.endsWith(QStringLiteral("-dark"), Qt::CaseInsensitive) ||
        theme.endsWith(QStringLiteral("_dark"), Qt::CaseInsensitive))
        return PanelAppearance::dark;
    const QString kde = kdeColorScheme.trimmed();
    if (!kde.isEmpty()) return kde.contains(QStringLiteral("dark"), Qt::CaseInsensitive) ? PanelAppearance::dark
                                                                                         : PanelAppearance::light;
    return PanelAppearance::unknown;
}

PanelAppearance systemPanelAppearance() {
    const QString interface = QStringLiteral("org.gnome.desktop.interface");
    QString kde;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString kdeglobals = config + QStringLiteral("/kdeglobals");
    if (QFile::exists(kdeglobals))
        // QSettings reads an INI file's [General] section as its top level: no "General/" here.
        kde = QSettings(kdeglobals, QSettings::IniFormat).value(QStringLiteral("ColorScheme")).toString();
    return panelAppearanceFrom(gsettingsValue(interface, QStringLiteral("color-scheme")),
                               gsettingsValue(interface, QStringLiteral("gtk-theme")), kde);
}

QImage traySymbolImage(const QString& symbolName, PanelAppearance appearance, int pixelSize) {
    if (pixelSize < 8) return {};
    const QColor dark(0x1c, 0x1c, 0x1e), light(0xf5, 0xf5, 0xf7);
    // Without a ring the symbol's edge blends into the strip; full white keeps its body clear of it.
    const QColor fill = appearance == PanelAppearance::light     ? dark
                        : appearance == PanelAppearance::midTone ? QColor(Qt::white)
                                                                 : light;
    const QColor ring = appearance == PanelAppearance::light ? light : dark;
    // The ring takes a twelfth of the size on each side, so the symbol shrinks a little.
    const int width = appearance == PanelAppearance::midTone ? 0 : std::max(1, pixelSize / 12);
    const QImage body = ui::renderSymbol(symbolName, fill, pixelSize - 2 * width);
    const QImage edge = ui::renderSymbol(symbolName, ring, pixelSize - 2 * width);
    if (body.isNull() || edge.isNull()) return {};
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // The ring: the symbol's shape pushed out in every direction by the ring's width.
    if (width > 0)
        for (int dy = -width; dy <= width; ++dy)
            for (int dx = -width; dx <= width; ++dx)
                if (dx * dx + dy * dy <= width * width) painter.drawImage(width + dx, width + dy, edge);
    painter.drawImage(width, width, body);
    painter.end();
    return image;
}

QIcon traySymbolIcon(const QString& symbolName, PanelAppearance appearance) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        const QImage image = traySymbolImage(symbolName, appearance, size);
        if (image.isNull()) return {};
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QString traySymbolicIconName(MenuBarIconOption option) {
    const char* tail = option == MenuBarIconOption::burst  ? "-burst-symbolic"
                       : option == MenuBarIconOption::grid ? "-grid-symbolic"
                                                           : "-flag-symbolic";
    return QString::fromLatin1(kIconName) + QLatin1String(tail);
}

int trayWaitMilliseconds(const QByteArray& setting) {
    constexpr int kDefault = 10000;
    if (setting.isEmpty()) return kDefault;
    bool ok = false;
    const double seconds = setting.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 600) return kDefault;
    return int(seconds * 1000);
}

std::optional<Options> parseOptions(const QStringList& arguments, QString* error) {
    Options options;
    auto fail = [&](const QString& message) -> std::optional<Options> {
        if (error) *error = message;
        return std::nullopt;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        auto value = [&](const QString& name) -> std::optional<QString> {
            if (argument.startsWith(name + QLatin1Char('='))) return argument.mid(name.size() + 1);
            if (argument == name && i + 1 < arguments.size()) return arguments[++i];
            return std::nullopt;
        };
        if (argument == QStringLiteral("--window")) {
            options.window = true;
        } else if (argument == QStringLiteral("--at-login")) {
            options.atLogin = true;
        } else if (argument == QStringLiteral("--reduce-motion")) {
            options.reduceMotion = true;
        } else if (argument.startsWith(QStringLiteral("--defaults"))) {
            const auto path = value(QStringLiteral("--defaults"));
            if (!path || path->isEmpty()) return fail(QStringLiteral("--defaults needs a file name"));
            options.defaultsPath = *path;
        } else if (argument.startsWith(QStringLiteral("--text-scale"))) {
            const auto text = value(QStringLiteral("--text-scale"));
            bool ok = false;
            const double scale = text ? text->toDouble(&ok) : 0.0;
            if (!ok || !std::isfinite(scale) || scale <= 0)
                return fail(QStringLiteral("--text-scale needs a positive number"));
            options.textScale = scale;
        } else {
            return fail(QStringLiteral("unknown argument: %1").arg(argument));
        }
    }
    return options;
}

}  // namespace velmora::app
