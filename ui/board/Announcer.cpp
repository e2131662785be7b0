#include "Announcer.h"

#include <QAccessible>

namespace velmora::ui {

namespace {
// Whether accessibility was last switched on or off. The platform's own answer covers a
// screen reader on the session; this one also covers accessibility switched on inside the
// process (tests do that on the offscreen platform, which has no platform answer).
struct ActivationWatch : QAccessible::ActivationObserver {
    bool active = false;
    void accessibilityActiveChanged(bool value) override { active = value; }
};
ActivationWatch& activationWatch() {
    // Installed once and kept for the life of the process: Qt's list of observers may be
    // gone before a static here would remove itself from it.
    static ActivationWatch* watch = [] {
        auto* w = new ActivationWatch;
        QAccessible::installActivationObserver(w);
        return w;
    }();
    return *watch;
}
}  // namespace

Announcer::Announcer(QQuickItem* parent) : QQuickItem(parent) { activationWatch(); }

bool Announcer::listening() { return QAccessible::isActive() || activationWatch().active; }

void Announcer::announce(const QString& text) {
    if (text.isEmpty() || !listening()) return;
    // The name changes before the item shows again, so the reader never reads an older text.
    if (text_ != text) {
        text_ = text;
        emit textChanged();
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(this, text);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&event);
#else
    QAccessibleEvent event(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
#endif
}

}  // namespace velmora::ui
