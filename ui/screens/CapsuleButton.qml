import QtQuick
import QtQuick.Controls.Basic
import Velmora

// A text button in the capsule shape: accent-filled when prominent, a light glass otherwise.
// Tab reaches it; a click leaves keyboard focus where it was.
Button {
    id: button
    property real s: 1
    property bool prominent: false
    property bool destructive: false
    property string tip
    property bool tipSuppressed: false

    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    font.pixelSize: 12 * s
    font.weight: Font.Medium
    padding: 5 * s
    leftPadding: 12 * s
    rightPadding: 12 * s
    contentItem: Text {
        text: button.text
        font: button.font
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        color: button.prominent ? "white" : button.destructive ? TileGraphics.alertColor : TileGraphics.primaryColor
    }
    background: Rectangle {
        implicitHeight: 24 * button.s
        radius: height / 2
        color: button.prominent ? Qt.darker(TileGraphics.accentColor, button.down ? 1.2 : 1.0)
                                : Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                          TileGraphics.primaryColor.b, button.down ? 0.18 : button.hovered ? 0.12 : 0.08)
        border.width: button.visualFocus ? 2 : 1
        border.color: button.visualFocus ? TileGraphics.accentColor
                                         : Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                                   TileGraphics.primaryColor.b, 0.12)
    }
    Accessible.name: text
    Accessible.onPressAction: button.clicked()

    ToolTip.visible: hovered && tip.length > 0 && !tipSuppressed
    ToolTip.text: tip
    ToolTip.delay: 700
}
