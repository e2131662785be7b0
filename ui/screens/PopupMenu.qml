import QtQuick
import QtQuick.Controls.Basic

// A menu that opens under its button. Opened from the keyboard it selects an entry at once, so
// a screen reader reads it and Return has a known target; the pointer, wherever it happens to
// rest, selects nothing until it moves.
Menu {
    id: menu
    property bool pointerMoved: false
    property point pointerRest: Qt.point(-1, -1)

    // `keyboard`: the button was pressed with a key (or by assistive technology), not clicked.
    function openBelow(button, x, y, keyboard, index) {
        pointerMoved = false
        pointerRest = Qt.point(-1, -1)
        followPointer(false)
        menu.popup(button, x, y)
        if (keyboard) menu.currentIndex = Math.max(0, index === undefined ? 0 : index)
    }
    function followPointer(on) {
        for (let i = 0; i < menu.count; ++i) {
            const entry = menu.itemAt(i)
            if (entry instanceof MenuItem) entry.hoverEnabled = on
        }
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
