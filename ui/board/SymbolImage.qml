import QtQuick
import Velmora

// One of our symbols, recoloured; "at N points" means pointSize N.
Image {
    id: symbol
    property string name
    property color color: TileGraphics.primaryColor
    property real pointSize: 16
    width: pointSize
    height: pointSize
    fillMode: Image.Stretch
    smooth: true
    source: name.length > 0 && pointSize > 0
            ? TileGraphics.symbolSource(name, color, pointSize, Screen.devicePixelRatio) : ""
}
