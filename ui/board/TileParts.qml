import QtQuick
import QtQuick.Window
import Velmora

// The parts of a tile that only some tiles need, as components the whole board shares: a
// tile makes them when it first needs them (BoardTileView) and they go again by themselves
// once the tile no longer does.
QtObject {
    // What every tile of the board shares.
    property real tileSize: 44
    property bool reduceMotion: false
    property bool increasedContrast: false
    // The covered face's image (TileGraphics.coveredTileUrl) and the room every tile image
    // leaves around the tile for shadows (TileGraphics.coveredTileMargin).
    property string coveredSource
    property real imageMargin: 0
    property TileClock clock: null

    // The uncovered face: an empty or mine face, or a number face with its count over it.
    readonly property Component plainFace: Component { FaceImage {} }
    readonly property Component numberFace: Component {
        FaceImage {
            id: numberFaceImage
            Text {
                anchors.centerIn: parent
                text: qsTranslate("Velmora", "%lld").replace("%lld", numberFaceImage.tile.uncoveredCount)
                font.pixelSize: Math.max(1, 0.62 * numberFaceImage.tile.parts.tileSize)
                font.weight: Font.Black
                color: {
                    // Read so the colour follows a switch between light and dark.
                    void TileGraphics.isDark
                    return TileGraphics.numberColor(numberFaceImage.tile.uncoveredCount)
                }
            }
        }
    }
    // The marks and the hint ring, over the covered face and fading with it.
    readonly property Component decorations: Component { Decorations {} }

    component FaceImage: Image {
        id: faceImage
        required property Item tile
        required property Component component
        // In the face's frame, which leaves room for its shadow around the tile.
        anchors.fill: parent
        anchors.margins: -tile.parts.imageMargin
        z: 1  // over the marks as they fade out with the covered face
        opacity: tile.uncovering
        scale: 0.55 + 0.45 * tile.uncovering
        source: {
            // The URL carries the palette's colours, so a light/dark switch draws it anew. The
            // read is part of the result: Qt 6.11's compiler drops a bare `void` read.
            return TileGraphics.primaryColor.a < 0 ? ""
                : TileGraphics.uncoveredFaceUrl(tile.uncoveredFace, tile.isExploded, tile.isWrongFlag,
                                                tile.parts.tileSize, Screen.devicePixelRatio,
                                                tile.parts.increasedContrast)
        }
        // Where the tile is between its faces, from the time its face last turned; written to
        // the tile, whose covered face and marks fade against it. Not named `progress`, which
        // is the image's own loading progress.
        readonly property real turnProgress: {
            const target = tile.showsUncoveredFace ? 1 : 0
            const clock = tile.parts.clock
            if (tile.parts.reduceMotion || !clock || !clock.running) return target
            const t = (clock.time - tile.turnedAt - tile.revealDelay) / 160
            if (t >= 1) return target
            const eased = t <= 0 ? 0 : 1 - (1 - t) * (1 - t)
            return target === 1 ? eased : 1 - eased
        }
        onTurnProgressChanged: tile.uncovering = turnProgress
        Component.onCompleted: tile.uncovering = turnProgress
        // Gone once the tile is covered again and has faded back.
        readonly property bool done: !tile.showsUncoveredFace && tile.uncovering === 0
        // A tile the board is taking away (a new board) takes its face with it.
        onDoneChanged: if (done && tile.parent) {
            if (tile.faceItem === faceImage) tile.faceItem = null
            faceImage.destroy()
        }
    }

    component MarkImage: Image {
        required property Item tile
        property string mark
        // Where the mark is between taken off (0) and on (1); springs past 1 and back.
        property real presence: 1
        anchors.fill: parent
        anchors.margins: -tile.parts.imageMargin
        visible: mark !== "" && presence > 0.001
        source: visible ? TileGraphics.markUrl(mark, tile.parts.tileSize, Screen.devicePixelRatio) : ""
        opacity: Math.min(1, presence)
        scale: 0.3 + 0.7 * presence
    }

    component Decorations: Item {
        id: decorationsItem
        required property Item tile
        anchors.fill: parent
        opacity: 1 - tile.uncovering
        visible: tile.uncovering < 1
        // The mark spring's position since the marks last changed.
        readonly property real spring: {
            const clock = tile.parts.clock
            if (tile.parts.reduceMotion || !clock || !clock.running) return 1
            return TileGraphics.markSpring(clock.time - tile.markChangedAt)
        }
        onSpringChanged: if (spring >= 1 && tile.leavingMark !== "") tile.leavingMark = ""
        readonly property bool done: tile.shownMark === "" && tile.leavingMark === "" && !tile.ringShown
        onDoneChanged: if (done && tile.parent) {
            if (tile.decorationsItem === decorationsItem) tile.decorationsItem = null
            decorationsItem.destroy()
        }

        MarkImage {
            tile: decorationsItem.tile
            mark: decorationsItem.tile.leavingMark
            presence: 1 - decorationsItem.spring
        }
        MarkImage {
            tile: decorationsItem.tile
            mark: decorationsItem.tile.shownMark
            presence: decorationsItem.spring
        }

        Item {
            id: hintRing
            anchors.fill: parent
            visible: decorationsItem.tile.ringShown
            property real pulse: decorationsItem.tile.ringPulses ? 0 : 1
            scale: 1.3 - 0.3 * pulse
            opacity: 0.4 + 0.6 * pulse
            Rectangle {
                id: hintFill
                anchors.fill: parent
                radius: 5 * decorationsItem.tile.parts.tileSize / 44
                color: Qt.rgba(TileGraphics.accentColor.r, TileGraphics.accentColor.g,
                               TileGraphics.accentColor.b, 0.25 * hintRing.pulse)
            }
            // The stroke straddles the tile's outline, half of it outside (a border alone
            // would lie wholly inside).
            Rectangle {
                anchors.fill: parent
                anchors.margins: -1.25
                radius: hintFill.radius + 1.25
                color: "transparent"
                border.width: 2.5
                border.color: TileGraphics.accentColor
            }
            // In, out, in: three times 0.35 s, ending on the settled ring.
            SequentialAnimation {
                running: decorationsItem.tile.ringPulses && decorationsItem.tile.ringShown
                NumberAnimation { target: hintRing; property: "pulse"; from: 0; to: 1; duration: 350; easing.type: Easing.InOutQuad }
                NumberAnimation { target: hintRing; property: "pulse"; to: 0; duration: 350; easing.type: Easing.InOutQuad }
                NumberAnimation { target: hintRing; property: "pulse"; to: 1; duration: 350; easing.type: Easing.InOutQuad }
                onFinished: decorationsItem.tile.ringPulses = false
                onRunningChanged: if (!running) hintRing.pulse = 1
            }
        }
    }
}
