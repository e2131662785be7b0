#include "ActivationGate.h"

namespace velmora::app {

PanelAction ActivationGate::activate(qint64 now, bool panelVisible, TrayClick click, const QPoint& pointer) {
    if (panelVisible) {
        // The second half of a double click, however the host reports it, leaves the panel
        // the first half opened.
        if (click == TrayClick::doubleClick) return PanelAction::ignore;
        if (shown_ && now - shownAt_ < doubleClickMs_) return PanelAction::ignore;
        return PanelAction::hide;
    }
    // A double click right after Escape opens the panel again: nothing of it was handled yet.
    if (click == TrayClick::single && turnedAway_ && now - turnedAwayAt_ < kSameClickMs &&
        (pointer - turnedAwayPointer_).manhattanLength() <= kSameClickPixels)
        return PanelAction::ignore;
    return PanelAction::show;
}

void ActivationGate::panelShown(qint64 now) {
    shown_ = true;
    shownAt_ = now;
    turnedAway_ = false;
}

void ActivationGate::panelTurnedAway(qint64 now, const QPoint& pointer) {
    turnedAway_ = true;
    turnedAwayAt_ = now;
    turnedAwayPointer_ = pointer;
}

}  // namespace velmora::app
