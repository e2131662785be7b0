import QtQuick
import Velmora

// One board tile: covered face (shared themed image plus flag, question mark or hint ring)
// or uncovered face (empty, number or mine). Takes no input; the board's catcher does.
Item {
    id: tileView

    // From the tile model.
    required property int revealDelay
    required property int row
    required property int column
    required property bool isFlagged
    required property bool isQuestioned
    required property bool isExploded
    required property bool isHinted
    required property bool isWrongFlag
    required property bool showsUncoveredFace
    required property string face
    required property int adjacentMines
    required property string accessibleLabel
    required property string identifier

    // From the board.
    property string theme: "Onyx Slate"
    property real size: 44
    property bool reduceMotion: false
    property bool increasedContrast: false

    readonly property real s: size / 44
    readonly property real radius: 5 * s
    readonly property real borderOpacity: increasedContrast ? 0.5 : 0.2
    readonly property color primary: TileGraphics.primaryColor

    objectName: identifier
    width: size
    height: size
    Accessible.role: Accessible.Cell
    Accessible.name: accessibleLabel

    // 0 = covered face shown, 1 = uncovered face shown; the change waits for the tile's
    // reveal delay so an opened region spreads out from the click.
    property real uncovering: showsUncoveredFace ? 1 : 0
    Behavior on uncovering {
        enabled: !tileView.reduceMotion
        SequentialAnimation {
            PauseAnimation { duration: tileView.revealDelay }
            NumberAnimation { duration: 160; easing.type: Easing.OutQuad }
        }
    }
    // The face that was last uncovered stays drawn while it fades out on a new game.
    property string uncoveredFace: face !== "covered" ? face : "empty"
    onFaceChanged: if (face !== "covered") uncoveredFace = face

    CoveredTileView {
        id: coveredFace
        theme: tileView.theme
        size: tileView.size
        opacity: 1 - tileView.uncovering
        visible: opacity > 0
        Accessible.ignored: true

        Item {
            id: mark
            anchors.fill: parent
            property string symbol: tileView.isFlagged ? "flag.fill" : tileView.isQuestioned ? "questionmark" : ""
            property string shownSymbol: symbol
            onSymbolChanged: if (symbol.length > 0) shownSymbol = symbol
            property real presence: symbol.length > 0 ? 1 : 0
            Behavior on presence {
                enabled: !tileView.reduceMotion
                NumberAnimation { duration: 280; easing.type: Easing.OutBack; easing.overshoot: 1.6 }
            }
            visible: presence > 0.001
            opacity: Math.max(0, Math.min(1, presence))
            scale: 0.3 + 0.7 * presence

            // A soft dark halo keeps the white mark readable on light themes.
            SymbolImage {
                anchors.centerIn: parent
                name: mark.shownSymbol
                pointSize: 0.5 * tileView.size + 2 * Math.max(0.04 * tileView.size, 0.5)
                color: Qt.rgba(0, 0, 0, 0.35)
            }
            SymbolImage {
                anchors.centerIn: parent
                name: mark.shownSymbol
                pointSize: 0.5 * tileView.size
                color: "white"
            }
        }

        Loader {
            id: hintRing
            anchors.fill: parent
            active: tileView.isHinted || pulse > 0
            property real pulse: 0
            sourceComponent: Item {
                scale: 1.3 - 0.3 * hintRing.pulse
                opacity: 0.4 + 0.6 * hintRing.pulse
                Rectangle {
                    anchors.fill: parent
                    radius: tileView.radius
                    color: Qt.rgba(TileGraphics.accentColor.r, TileGraphics.accentColor.g,
                                   TileGraphics.accentColor.b, 0.25 * hintRing.pulse)
                    border.width: 2.5
                    border.color: TileGraphics.accentColor
                }
            }
            SequentialAnimation {
                id: pulseAnimation
                NumberAnimation { target: hintRing; property: "pulse"; from: 0; to: 1; duration: 350; easing.type: Easing.InOutQuad }
                NumberAnimation { target: hintRing; property: "pulse"; to: 0; duration: 350; easing.type: Easing.InOutQuad }
                NumberAnimation { target: hintRing; property: "pulse"; to: 1; duration: 350; easing.type: Easing.InOutQuad }
            }
            Component.onCompleted: pulse = tileView.isHinted ? 1 : 0
        }
    }

    Connections {
        target: tileView
        function onIsHintedChanged() {
            pulseAnimation.stop()
            if (tileView.isHinted && !tileView.reduceMotion) {
                hintRing.pulse = 0
                pulseAnimation.start()
            } else {
                hintRing.pulse = tileView.isHinted ? 1 : 0
            }
        }
    }

    Loader {
        id: uncoveredLoader
        anchors.fill: parent
        active: tileView.uncovering > 0
        opacity: tileView.uncovering
        scale: 0.55 + 0.45 * tileView.uncovering
        sourceComponent: tileView.uncoveredFace === "mine" ? mineFace
                       : tileView.uncoveredFace === "number" ? numberFace : emptyFace
    }

    Component {
        id: emptyFace
        Rectangle {
            readonly property real line: tileView.size >= 16 ? 1.5 : 1
            radius: tileView.radius
            color: Qt.rgba(tileView.primary.r, tileView.primary.g, tileView.primary.b, 0.04)
            border.width: line
            border.color: Qt.rgba(tileView.primary.r, tileView.primary.g, tileView.primary.b, tileView.borderOpacity)
        }
    }

    Component {
        id: numberFace
        Item {
            Rectangle {  // shadow
                anchors.fill: parent
                anchors.topMargin: 1
                anchors.bottomMargin: -1
                radius: tileView.radius
                color: Qt.rgba(0, 0, 0, tileView.size >= 16 ? 0.12 : 0)
            }
            Rectangle {
                anchors.fill: parent
                radius: tileView.radius
                color: TileGraphics.controlBackgroundColor
                border.width: 1
                border.color: Qt.rgba(tileView.primary.r, tileView.primary.g, tileView.primary.b, tileView.borderOpacity)
            }
            Text {
                anchors.centerIn: parent
                text: qsTranslate("Velmora", "%lld").replace("%lld", tileView.adjacentMines)
                font.pixelSize: Math.max(1, 0.62 * tileView.size)
                font.weight: Font.Black
                color: {
                    // Read so the colour follows a switch between light and dark.
                    void TileGraphics.isDark
                    return TileGraphics.numberColor(tileView.adjacentMines)
                }
            }
        }
    }

    Component {
        id: mineFace
        Item {
            Rectangle {
                anchors.fill: parent
                radius: tileView.radius
                color: tileView.isExploded ? TileGraphics.alertColor : TileGraphics.controlBackgroundColor
                border.width: 1
                border.color: Qt.rgba(tileView.primary.r, tileView.primary.g, tileView.primary.b, tileView.borderOpacity)
            }
            SymbolImage {
                anchors.centerIn: parent
                name: "burst.fill"
                pointSize: 0.55 * tileView.size
                color: tileView.isExploded ? "white" : tileView.primary
            }
            SymbolImage {
                anchors.centerIn: parent
                visible: tileView.isWrongFlag
                name: visible ? "flag.slash.fill" : ""
                pointSize: 0.5 * tileView.size + 1
                color: Qt.rgba(1, 1, 1, 0.6)
            }
            SymbolImage {
                anchors.centerIn: parent
                visible: tileView.isWrongFlag
                name: visible ? "flag.slash.fill" : ""
                pointSize: 0.5 * tileView.size
                color: TileGraphics.alertColor
            }
        }
    }
}
