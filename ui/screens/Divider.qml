import QtQuick
import Velmora

Rectangle {
    width: parent ? parent.width : 0
    height: 1
    color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.1)
    Accessible.ignored: true
}
