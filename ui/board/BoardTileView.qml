import QtQuick
import Velmora

// One board tile: covered face (shared themed image plus flag, question mark or hint ring)
// or uncovered face (empty, number or mine). Takes no input; the board's catcher does.
//
// An Expert board holds 484 of these, so a tile is kept to one item and an image: every
// drawing is a shared image from the image provider, the parts only some tiles need (the
// uncovered face, the marks, the hint ring) are made from the board's shared components when
// a tile first needs them and go again when it no longer does, and the animations read the
// board's one clock instead of each tile running timers.
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

    // The board's side of every tile (size, shared images, clock, the parts' components), one
    // object for all of them rather than a copy of each value per tile.
    property TileParts parts: null

    objectName: identifier
    width: parts ? parts.tileSize : 0
    height: width
    Accessible.role: Accessible.Cell
    Accessible.name: accessibleLabel

    // 0 = covered face shown, 1 = uncovered face shown. The change waits for the tile's reveal
    // delay, so an opened region spreads out from the click, then eases out over 160 ms. The
    // uncovered face drives it from the board's clock while it exists (a tile that never was
    // uncovered has nothing to animate), so tiles that stay as they are cost no frame anything.
    property real uncovering: 0
    property real turnedAt: -1e9
    // The face that was last uncovered stays drawn while it fades out on a new game.
    property string uncoveredFace: face !== "covered" ? face : "empty"
    // Its count likewise: a new board zeroes the count before it covers the tile again.
    property int uncoveredCount: 0
    property Item faceItem: null

    // Marks: the one shown and, while its spring runs, the one just taken off (a flag turning
    // into a question mark shrinks away as the question mark grows in).
    readonly property string markName: isFlagged ? "flag" : isQuestioned ? "questionMark" : ""
    property string shownMark: ""
    property string leavingMark: ""
    property real markChangedAt: -1e9
    // The hint ring pulses when a tile becomes the hint, not when it is built already hinted.
    property bool ringShown: false
    property bool ringPulses: false
    property Item decorationsItem: null

    function makeFace() {
        if (!parts) return
        // Made as the face turns, before its animation starts, so no frame of it pays for it.
        const wanted = uncoveredFace === "number" ? parts.numberFace : parts.plainFace
        if (faceItem && faceItem.component === wanted) return
        if (faceItem) faceItem.destroy()
        faceItem = wanted.createObject(tileView, { tile: tileView, component: wanted })
    }
    function makeDecorations() {
        if (!decorationsItem && parts) decorationsItem = parts.decorations.createObject(tileView, { tile: tileView })
    }

    // The model hands over a tile's values in a fixed order: the delay and whether the face
    // turns come before the face itself, so the face is made once it is known.
    onShowsUncoveredFaceChanged: {
        if (parts && !parts.reduceMotion) turnedAt = parts.clock.runFor(revealDelay + 160)
        else uncovering = showsUncoveredFace ? 1 : 0
    }
    onFaceChanged: if (face !== "covered") {
        uncoveredFace = face
        uncoveredCount = adjacentMines
        makeFace()
    }
    onMarkNameChanged: {
        // A flag turning into a question mark passes through no mark at all (the flag goes
        // before the question mark comes): the leaving flag is kept, not replaced by nothing.
        const animated = parts && !parts.reduceMotion
        if (!animated) leavingMark = ""
        else if (shownMark !== "") leavingMark = shownMark
        shownMark = markName
        if (animated) markChangedAt = parts.clock.runFor(TileGraphics.markSpringMs())
        if (shownMark !== "" || leavingMark !== "") makeDecorations()
    }
    onIsHintedChanged: {
        ringPulses = isHinted && parts !== null && !parts.reduceMotion
        ringShown = isHinted
        if (isHinted) makeDecorations()
    }
    Component.onCompleted: {
        uncovering = showsUncoveredFace ? 1 : 0
        shownMark = markName
        ringShown = isHinted
        if (shownMark !== "" || ringShown) makeDecorations()
        if (face !== "covered") {
            uncoveredCount = adjacentMines
            makeFace()
        }
    }

    Image {
        id: coveredFace
        anchors.fill: parent
        anchors.margins: tileView.parts ? -tileView.parts.imageMargin : 0
        source: tileView.parts ? tileView.parts.coveredSource : ""
        opacity: 1 - tileView.uncovering
        visible: tileView.uncovering < 1
    }
}
