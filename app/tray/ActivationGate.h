#pragma once

#include <QPoint>
#include <QtGlobal>

namespace velmora::app {

// What a click on the tray icon does to the panel.
enum class PanelAction { show, hide, ignore };
// How the host reported the click: most hosts report every click alone; an XEmbed icon also
// hears the second click of a double click as such.
enum class TrayClick { single, doubleClick };

// Decides what a click on the icon does, from when the panel last came and went. Hosts report
// a double click as two activations (KDE, MATE) or as one and a double click (XEmbed): either
// way the second must not close the panel the first opened. Times are milliseconds on one
// monotonic clock.
class ActivationGate {
public:
    explicit ActivationGate(int doubleClickMs) : doubleClickMs_(doubleClickMs) {}

    // A click on the icon at `now`, the pointer then at `pointer`.
    PanelAction activate(qint64 now, bool panelVisible, TrayClick click, const QPoint& pointer);
    void panelShown(qint64 now);
    // The panel went because it lost activation (a click elsewhere), the pointer then at `pointer`.
    void panelTurnedAway(qint64 now, const QPoint& pointer);

private:
    // The click on the icon that took activation from the panel reaches us afterwards: within
    // this time and distance of the panel's going, a click is that one and was already handled.
    static constexpr qint64 kSameClickMs = 300;
    static constexpr int kSameClickPixels = 16;
    int doubleClickMs_;
    bool shown_ = false;
    qint64 shownAt_ = 0;
    bool turnedAway_ = false;
    qint64 turnedAwayAt_ = 0;
    QPoint turnedAwayPointer_;
};

}  // namespace velmora::app
