import QtQuick
import Velmora

// A line of text on a screen that the keyboard can stop at, so a screen reader reads it
// without its review mode: Tab and the arrow keys go from line to line, and the screen
// scrolls to the line that has focus. The outline shows where a sighted keyboard player is.
Item {
    id: line
    property string text
    default property alias content: holder.data

    implicitHeight: holder.childrenRect.height
    activeFocusOnTab: true
    Accessible.role: Accessible.StaticText
    Accessible.name: text
    Accessible.focusable: true

    Keys.onDownPressed: step(true)
    Keys.onUpPressed: step(false)
    function step(forward) {
        const next = line.nextItemInFocusChain(forward)
        // Only between lines: the arrows never jump to a button or wrap round.
        if (next && next instanceof ReadingLine && next !== line) next.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
    }

    Item {
        id: holder
        width: line.width
        height: line.height
    }
    Rectangle {
        anchors.fill: parent
        anchors.margins: -3
        radius: 5
        color: "transparent"
        border.width: 2
        border.color: TileGraphics.accentColor
        visible: line.activeFocus
        Accessible.ignored: true
    }
}
