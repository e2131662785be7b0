import QtQuick
import QtQuick.Controls.Basic

// A menu that opens under its button. Opened from the keyboard it selects an entry at once, so
// a screen reader reads it and Return has a known target; the pointer, wherever it happens to
// rest, selects nothing until it moves.
Menu {
    id: menu
    property bool pointerMoved: false
    property point pointerRest: Qt.point(-1, -1)

    // Where the keys were as the menu opened. Closed from the keyboard without a choice, the
    // menu gives them back there; closed any other way, only when they were left nowhere (a
    // screen or dialog that an entry opened keeps them).
    property Item returnFocus: null
    property bool fromKeyboard: false
    property bool chose: false
    property var watchedEntries: []
    function entryChosen() { chose = true }

    // `keyboard`: the button was pressed with a key (or by assistive technology), not clicked.
    function openBelow(button, x, y, keyboard, index) {
        const window = button.Window.window
        returnFocus = window ? window.activeFocusItem : null
        fromKeyboard = keyboard
        chose = false
        pointerMoved = false
        pointerRest = Qt.point(-1, -1)
        followPointer(false)
        menu.popup(button, x, y)
        if (keyboard) menu.currentIndex = Math.max(0, index === undefined ? 0 : index)
    }
    function followPointer(on) {
        for (let i = 0; i < menu.count; ++i) {
            const entry = menu.itemAt(i)
            if (!(entry instanceof MenuItem)) continue
            entry.hoverEnabled = on
            if (watchedEntries.indexOf(entry) < 0) {
                watchedEntries.push(entry)
                entry.triggered.connect(menu.entryChosen)
            }
        }
    }
    onClosed: {
        const back = returnFocus
        returnFocus = null
        const window = back ? back.Window.window : null
        if (!window || !back.visible || !back.enabled) return
        const now = window.activeFocusItem
        let lost = now === null || now === window.contentItem || !now.visible
        for (let p = now; p && !lost; p = p.parent) if (p === menu.contentItem) lost = true
        if (lost || (fromKeyboard && !chose)) back.forceActiveFocus(Qt.PopupFocusReason)
    }

    contentItem: ListView {
        implicitHeight: contentHeight
        model: menu.contentModel
        interactive: Window.window ? contentHeight + menu.topPadding + menu.bottomPadding > Window.window.height : false
        clip: true
        currentIndex: menu.currentIndex
        ScrollIndicator.vertical: ScrollIndicator {}
        // The first position heard is where the pointer rested as the menu opened; the
        // entries follow the pointer once it has left that place.
        HoverHandler {
            onPointChanged: {
                if (menu.pointerMoved || !hovered) return
                const p = point.scenePosition
                if (menu.pointerRest.x < 0) { menu.pointerRest = p; return }
                if (Math.abs(p.x - menu.pointerRest.x) + Math.abs(p.y - menu.pointerRest.y) < 1) return
                menu.pointerMoved = true
                menu.followPointer(true)
            }
        }
    }
}
