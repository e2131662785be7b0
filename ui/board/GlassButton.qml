import QtQuick
import QtQuick.Controls.Basic
import Velmora

// A circular header control with a symbol label and a tooltip.
Button {
    id: control
    property string symbol
    property real s: 1
    property bool prominent: false
    property string tip
    property bool tipSuppressed: false

    implicitWidth: 28 * s
    implicitHeight: 28 * s
    padding: 6 * s
    // Tab reaches it, a click does not: the board keeps the keys after a press here.
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    display: AbstractButton.IconOnly

    contentItem: Item {
        implicitWidth: 16 * control.s
        implicitHeight: 16 * control.s
        SymbolImage {
            anchors.centerIn: parent
            name: control.symbol
            pointSize: 12 * control.s
            color: control.prominent ? "white" : TileGraphics.primaryColor
        }
    }
    background: Rectangle {
        radius: width / 2
        color: control.prominent ? TileGraphics.accentColor
                                 : Qt.rgba(TileGraphics.windowColor.r, TileGraphics.windowColor.g,
                                           TileGraphics.windowColor.b, control.down ? 0.6 : 0.85)
        border.width: control.visualFocus ? 2 : 1
        border.color: control.visualFocus ? TileGraphics.accentColor
                                          : Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                                    TileGraphics.primaryColor.b, 0.15)
    }
    opacity: enabled ? 1 : 0.4

    ToolTip.visible: hovered && tip.length > 0 && !tipSuppressed
    ToolTip.text: tip
    ToolTip.delay: 700
}
