import QtQuick
import Velmora

// A titled group on a screen: the small dimmed heading and a lightly filled box whose rows
// stack with `spacing`.
Column {
    id: section
    property string title
    property real s: 1
    property real boxSpacing: 8
    default property alias rows: box.data

    spacing: 6
    Text {
        x: 8
        visible: section.title.length > 0
        text: section.title
        font.pixelSize: 10 * section.s
        font.weight: Font.DemiBold
        color: TileGraphics.secondaryColor
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }
    Rectangle {
        width: section.width
        height: box.implicitHeight + 2 * (2 + 6)
        radius: 8
        color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.05)
        border.width: 1
        border.color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.06)
        Column {
            id: box
            x: 10
            y: 2 + 6
            width: parent.width - 20
            spacing: section.boxSpacing
        }
    }
}
