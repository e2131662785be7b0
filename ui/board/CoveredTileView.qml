import QtQuick
import Velmora

// A covered tile in a theme. The drawing is one shared image per theme, size and palette,
// so a board of covered tiles costs one texture.
Item {
    id: covered
    property string theme: "Onyx Slate"
    property real size: 44
    readonly property real margin: TileGraphics.coveredTileMargin(size)
    width: size
    height: size
    Accessible.role: Accessible.Graphic
    Accessible.name: qsTranslate("Velmora", "Covered tile, theme: %@")
                        .replace("%@", TileGraphics.themeDisplayName(theme))

    Image {
        x: -covered.margin
        y: -covered.margin
        width: covered.size + 2 * covered.margin
        height: width
        smooth: true
        source: {
            if (covered.size <= 0) return ""
            // The URL carries the palette's colours; reading them here draws the tiles anew
            // when the desktop switches between light and dark. The read is part of the
            // result: Qt 6.11's compiler drops a bare `void` read.
            return TileGraphics.controlBackgroundColor.a < 0 ? ""
                : TileGraphics.coveredTileUrl(covered.theme, covered.size, Screen.devicePixelRatio)
        }
    }
}
