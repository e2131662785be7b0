import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Window
import Velmora

// The whole content of the game panel: header (title, mine counter, clock, controls) and
// the board. Input rules live in BoardController; this file binds and forwards.
FocusScope {
    id: root
    objectName: "minesweeperView"

    property GameModel game
    property SystemSettings systemSettings
    signal quitRequested()

    readonly property BoardController controller: controller
    readonly property bool reduceMotion: systemSettings ? systemSettings.reduceMotion : false
    readonly property bool increasedContrast: systemSettings ? systemSettings.increasedContrast : false
    readonly property real s: controller.boardScale

    implicitWidth: 375 * s
    // Padding, header, spacing, board area, padding: known lengths, so the panel can be
    // sized before the layout has run.
    implicitHeight: (14 + 40 + 12 + 330 + 14) * s
    width: implicitWidth
    height: implicitHeight

    // Whether the board's tiles exist. A program waiting in the tray keeps none: they are made
    // the first time the view comes on screen, at once, or with deferredBoard (the program
    // sets it) by buildBoard() once the panel has shown its first frame, one image of the
    // covered board standing in for them meanwhile. A board in play has no such image and is
    // always made at once.
    property bool boardBuilt: false
    property bool deferredBoard: false
    property bool standingIn: false
    function viewDidAppear() {
        if (!boardBuilt) {
            if (deferredBoard && game !== null && game.looksUntouched()) standingIn = true
            else boardBuilt = true
        }
        controller.viewDidAppear()
    }
    function buildBoard() { boardBuilt = true }
    // A tile that changes before the tiles are made (keys can arrive before the first frame)
    // means the stand-in no longer looks like the board.
    Connections {
        target: root.game ? root.game.tiles : null
        enabled: root.standingIn && !root.boardBuilt
        function onDataChanged() { root.buildBoard() }
    }
    function viewDidDisappear() { controller.viewDidDisappear() }

    BoardController {
        id: controller
        game: root.game
        announcer: announcer
        textScale: root.systemSettings ? root.systemSettings.textScale : 1.0
        onBoardFocusRequested: function(focused) {
            if (focused)
                boardArea.forceActiveFocus(Qt.OtherFocusReason)
            else
                boardArea.focus = false
        }
        // The focused tile holds the scene's focus inside the board, so assistive technology
        // hears every move; the board itself stays the focus scope that keys go through.
        onFocusedTileChanged: root.focusTileItem()
    }

    // What a move did and how a game ended, said for the screen reader where the player is.
    // The status bar around it keeps the reader from naming the notification's role first.
    Item {
        objectName: "announcements"
        Accessible.role: Accessible.StatusBar
        Announcer {
            id: announcer
            objectName: "announcer"
            Accessible.role: Accessible.Notification
            Accessible.name: text
        }
    }

    function focusTileItem() {
        const tiles = tileLoader.item as Repeater
        if (tiles === null) return
        const tile = tiles.itemAt(root.controller.focusedTile) as Item
        if (tile !== null) tile.focus = true
    }

    Keys.onPressed: function(event) {
        event.accepted = controller.handleKey(event.key, event.modifiers, event.text)
    }

    // Tab is taken by focus navigation before it reaches the key handler above, so the
    // controller watches the window for it.
    readonly property Window hostWindow: Window.window
    onHostWindowChanged: controller.watchWindow(hostWindow)

    // Control on Linux and Windows, Command on macOS.
    Shortcut {
        id: newGameShortcut
        sequence: "Ctrl+N"
        enabled: root.game !== null
        onActivated: controller.pressNewGame()
    }
    Shortcut {
        id: preferencesShortcut
        sequence: "Ctrl+,"
        enabled: root.game !== null
        onActivated: controller.openScreen(ModalScreenController.Preferences)
    }
    Shortcut {
        id: quitShortcut
        sequence: "Ctrl+Q"
        onActivated: root.quitRequested()
    }

    Rectangle {
        anchors.fill: parent
        color: TileGraphics.windowColor
    }

    Item {
        id: mainContent
        anchors.fill: parent
        // Under a screen the board is not drawn, takes no input and is out of the
        // accessibility tree (an item merely transparent would still be read out).
        visible: !(root.game && root.game.isShowingScreen)
        enabled: visible

        ColumnLayout {
            id: content
            x: 14 * root.s
            y: 14 * root.s
            width: root.width - 28 * root.s
            spacing: 12 * root.s

            // --- header -------------------------------------------------------------------
            Rectangle {
                id: header
                Layout.fillWidth: true
                Layout.preferredHeight: 40 * root.s
                radius: height / 2
                color: Qt.rgba(TileGraphics.windowColor.r, TileGraphics.windowColor.g, TileGraphics.windowColor.b, 0.8)
                border.width: 1
                border.color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                      TileGraphics.primaryColor.b, 0.12)

                RowLayout {
                    id: headerRow
                    anchors.fill: parent
                    anchors.leftMargin: 12 * root.s
                    anchors.rightMargin: 6 * root.s
                    anchors.topMargin: 6 * root.s
                    anchors.bottomMargin: 6 * root.s
                    spacing: 6 * root.s

                    // The title is the one item that gives up room when the row is short: it
                    // shrinks to 85 % and then truncates; the spare width goes to the spacer.
                    Text {
                        id: title
                        objectName: "boardTitle"
                        Layout.minimumWidth: 0
                        Layout.preferredWidth: implicitWidth
                        Layout.maximumWidth: implicitWidth
                        text: qsTranslate("Velmora", "Velmora")
                        font.pixelSize: 13 * root.s
                        font.weight: Font.DemiBold
                        color: TileGraphics.primaryColor
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        fontSizeMode: Text.HorizontalFit
                        minimumPixelSize: Math.floor(13 * root.s * 0.85)
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                    }

                    Row {
                        id: minesLeft
                        objectName: "minesLeftLabel"
                        Layout.minimumWidth: implicitWidth
                        spacing: 2 * root.s
                        Accessible.role: Accessible.StaticText
                        Accessible.name: root.game ? root.game.minesLeftAccessibleLabel : ""
                        SymbolImage {
                            anchors.verticalCenter: parent.verticalCenter
                            name: "flag.fill"
                            pointSize: 9 * root.s
                            color: TileGraphics.secondaryColor
                            Accessible.ignored: true
                        }
                        DigitText {
                            id: minesLeftDigits
                            objectName: "minesLeftText"
                            anchors.verticalCenter: parent.verticalCenter
                            text: root.game ? root.game.minesLeftText : ""
                            rolls: !root.reduceMotion
                        }
                    }

                    DigitText {
                        id: clock
                        objectName: "timerLabel"
                        Layout.minimumWidth: implicitWidth
                        text: root.game ? root.game.clockText : ""
                        Accessible.role: Accessible.StaticText
                        Accessible.name: root.game ? root.game.clockAccessibleLabel : ""
                    }

                    Item {
                        objectName: "headerSpacer"
                        Layout.fillWidth: true
                        Layout.minimumWidth: 0
                        Layout.preferredWidth: 0
                    }

                    RowLayout {
                        objectName: "headerControls"
                        Layout.minimumWidth: implicitWidth
                        spacing: 8 * root.s

                        GlassButton {
                            id: newGameButton
                            objectName: "newGameButton"
                            s: root.s
                            symbol: "arrow.clockwise"
                            tip: qsTranslate("Velmora", "New Game (%1)").arg(newGameShortcut.nativeText)
                            Accessible.name: qsTranslate("Velmora", "Start a new game")
                            Accessible.onPressAction: controller.pressNewGame()
                            onClicked: controller.pressNewGame()
                        }
                        GlassButton {
                            id: flagModeButton
                            objectName: "flagModeButton"
                            s: root.s
                            readonly property bool on: root.game ? root.game.isFlagMode : false
                            symbol: on ? "flag.fill" : "flag"
                            prominent: on
                            enabled: controller.flagModeButtonEnabled
                            tip: qsTranslate("Velmora", "Flag Mode: a click flags a tile")
                            // A toggle: its checked state is what assistive technology reads
                            // as on or off. The model decides; a click's own toggle is
                            // overruled by the binding as soon as the model answers.
                            checkable: true
                            checked: on
                            Accessible.name: qsTranslate("Velmora", "Flag mode")
                            Accessible.selected: on
                            Accessible.onPressAction: controller.pressFlagMode()
                            Accessible.onToggleAction: controller.pressFlagMode()
                            onClicked: controller.pressFlagMode()
                        }
                        GlassButton {
                            id: hintButton
                            objectName: "hintButton"
                            s: root.s
                            symbol: "lightbulb"
                            enabled: controller.hintButtonEnabled
                            tip: qsTranslate("Velmora", "Hint (H)")
                            Accessible.name: qsTranslate("Velmora", "Hint")
                            Accessible.onPressAction: controller.pressHint()
                            onClicked: controller.pressHint()
                        }
                        GlassButton {
                            id: menuButton
                            objectName: "moreMenuButton"
                            s: root.s
                            symbol: "chevron.down"
                            tip: qsTranslate("Velmora", "Preferences, Statistics, How to Play, About & Quit")
                            // The tooltip would lie over the menu it opens.
                            tipSuppressed: moreMenu.visible
                            Accessible.name: qsTranslate("Velmora",
                                                         "Menu: preferences, statistics, how to play, about, and quit")
                            Accessible.onPressAction: menuButton.clicked()
                            // Tab gives the button focus, a click does not: with focus it
                            // was pressed from the keyboard.
                            onClicked: moreMenu.openBelow(menuButton, menuButton.width - moreMenu.width,
                                                          menuButton.height + 4 * root.s, menuButton.activeFocus)
                        }
                    }
                }
            }

            // --- board --------------------------------------------------------------------
            FocusScope {
                id: boardArea
                objectName: "board"
                Layout.preferredWidth: 347 * root.s
                Layout.preferredHeight: 330 * root.s
                Layout.alignment: Qt.AlignHCenter | Qt.AlignTop
                activeFocusOnTab: !(root.game && root.game.isShowingScreen)
                // A group of tiles, not a table: a screen reader meeting a real table reads the
                // whole row on every Up and Down (Orca's default for tables in applications),
                // 9 to 22 tiles at a time; each tile's label already says its row and column.
                Accessible.role: Accessible.Grouping
                Accessible.name: qsTranslate("Velmora", "Board")
                onActiveFocusChanged: controller.isBoardFocused = activeFocus
                transform: Translate { x: 6 * Math.sin(root.shake * Math.PI * 2 * 3) }

                Item {
                    id: grid
                    objectName: "grid"
                    x: Math.round((boardArea.width - width) / 2)
                    width: controller.gridWidth
                    height: controller.gridHeight

                    // Shared by every tile: worked out here once rather than in each of them.
                    TileParts {
                        id: tileParts
                        tileSize: controller.tileSize
                        reduceMotion: root.reduceMotion
                        increasedContrast: root.increasedContrast
                        imageMargin: TileGraphics.coveredTileMargin(controller.tileSize)
                        clock: TileClock {}
                        coveredSource: {
                            // The URL carries the palette's colours; reading them here draws the
                            // tiles anew when the desktop switches between light and dark. The
                            // read is part of the result: Qt 6.11's compiler drops a bare `void` read.
                            return TileGraphics.controlBackgroundColor.a < 0 ? ""
                                : TileGraphics.coveredTileUrl(root.game ? root.game.tileTheme : "Onyx Slate",
                                                              controller.tileSize, Screen.devicePixelRatio)
                        }
                    }

                    Loader {
                        id: tileLoader
                        active: root.game !== null && root.boardBuilt
                        // A Loader is a focus scope: it passes focus on to the focused tile.
                        focus: true
                        sourceComponent: Repeater {
                            model: root.game.tiles
                            delegate: BoardTileView {
                                id: tileDelegate
                                x: column * controller.tilePitch
                                y: row * controller.tilePitch
                                parts: tileParts
                                Accessible.focusable: true
                            }
                            onItemAdded: function(index, item) {
                                if (index === controller.focusedTile) item.focus = true
                            }
                        }
                    }
                    Image {
                        id: boardStandIn
                        objectName: "boardStandIn"
                        readonly property bool wanted: root.standingIn && !root.boardBuilt
                        visible: wanted
                        x: -tileParts.imageMargin
                        y: -tileParts.imageMargin
                        width: controller.gridWidth + 2 * tileParts.imageMargin
                        height: controller.gridHeight + 2 * tileParts.imageMargin
                        source: wanted ? TileGraphics.coveredBoardUrl(root.game.tileTheme, root.game.rows, root.game.columns,
                                                                      controller.tileSize, controller.tilePitch,
                                                                      Screen.devicePixelRatio) : ""
                    }

                    Item {
                        id: focusRing
                        objectName: "focusRing"
                        x: controller.focusRingX
                        y: controller.focusRingY
                        width: controller.tileSize
                        height: controller.tileSize
                        opacity: controller.focusRingVisible ? 1 : 0
                        Accessible.ignored: true
                        // The stroke straddles the tile's outline, half of it outside.
                        Rectangle {
                            anchors.fill: parent
                            anchors.margins: -1.25
                            radius: controller.tileSize * 5 / 44 + 1.25
                            color: "transparent"
                            border.width: 2.5
                            border.color: TileGraphics.accentColor
                        }
                    }

                    TileClickCatcher {
                        id: catcher
                        objectName: "tileClickCatcher"
                        anchors.fill: parent
                        controller: controller
                        Accessible.ignored: true
                    }
                }
            }
        }
    }

    GameEndViews {
        id: gameEnd
        anchors.fill: parent
        s: root.s
        game: root.game
        controller: root.controller
        reduceMotion: root.reduceMotion
    }

    // The chosen screen covers everything, the won overlay included; each opening builds it anew.
    Loader {
        id: screenLoader
        anchors.fill: parent
        z: 20
        active: root.game !== null && root.game.isShowingScreen
        sourceComponent: ModalScreenView {
            game: root.game
            screen: root.controller.presentedScreen
            boardScale: root.s
            textScale: root.systemSettings ? root.systemSettings.textScale : 1.0
        }
    }

    // Loss shake: grows by one per animated loss; the board swings three times to ±6 points.
    property real shake: 0
    NumberAnimation {
        id: shakeAnimation
        target: root
        property: "shake"
        duration: 400
        easing.type: Easing.Linear
    }
    Connections {
        target: root.game
        function onPhaseChanged() {
            if (!root.game.isLost || root.reduceMotion) return
            const next = Math.floor(root.shake) + 1
            shakeAnimation.stop()
            shakeAnimation.from = root.shake
            shakeAnimation.to = next
            shakeAnimation.start()
        }
    }

    // Digits in cells of one width, so the counter and the clock keep their size as they
    // count; with `rolls` a changed digit slides up out of its cell while the new one rises in,
    // on the counter's spring. The font asks for tabular figures where the Qt at hand can, so
    // the digits inside the cells are the font's own equal-width ones.
    component DigitText: Row {
        id: digits
        property string text
        property bool rolls: false
        readonly property font digitFont: DigitFont.tabular(Qt.font({ pixelSize: 11 * root.s, weight: Font.Medium }))
        readonly property real digitWidth: DigitFont.cellWidth(digitFont)
        layoutDirection: Qt.RightToLeft  // cells count from the last digit, which keeps its place
        FontMetrics { id: digitMetrics; font: digits.digitFont }
        Repeater {
            model: digits.text.length
            Item {
                id: cell
                objectName: "digitCell"
                required property int index
                readonly property string character: digits.text.charAt(digits.text.length - 1 - index)
                readonly property bool isDigit: character >= "0" && character <= "9"
                property string shown: character
                property string leaving: ""
                property real roll: 1
                width: isDigit ? digits.digitWidth : Math.ceil(digitMetrics.advanceWidth(character))
                height: Math.ceil(digitMetrics.height)
                clip: roll < 1
                onCharacterChanged: {
                    rollAnimation.stop()
                    if (!digits.rolls || shown === character) {
                        shown = character
                        leaving = ""
                        roll = 1
                        return
                    }
                    leaving = shown
                    shown = character
                    roll = 0
                    rollAnimation.start()
                }
                SpringAnimation {
                    id: rollAnimation
                    target: cell
                    property: "roll"
                    to: 1
                    spring: root.controller.counterSpring
                    damping: root.controller.counterDamping
                    epsilon: 0.002
                }
                Text {
                    visible: cell.roll < 1 && cell.leaving.length > 0
                    y: -cell.roll * cell.height
                    opacity: 1 - cell.roll
                    width: cell.width
                    horizontalAlignment: Text.AlignHCenter
                    text: cell.leaving
                    font: digits.digitFont
                    color: TileGraphics.secondaryColor
                    Accessible.ignored: true
                }
                Text {
                    y: (1 - cell.roll) * cell.height
                    opacity: Math.min(1, Math.max(0, cell.roll))
                    width: cell.width
                    horizontalAlignment: Text.AlignHCenter
                    text: cell.shown
                    font: digits.digitFont
                    color: TileGraphics.secondaryColor
                    Accessible.ignored: true
                }
            }
        }
    }

    component MenuEntry: MenuItem {
        id: entry
        property string shortcutText
        font.pixelSize: 13 * root.s
        contentItem: Item {
            implicitWidth: label.implicitWidth + keys.implicitWidth + 24 * root.s
            implicitHeight: label.implicitHeight
            Text {
                id: label
                anchors.verticalCenter: parent.verticalCenter
                text: entry.text
                font: entry.font
                color: TileGraphics.primaryColor
            }
            Text {
                id: keys
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: entry.shortcutText
                font: entry.font
                color: TileGraphics.secondaryColor
            }
        }
        background: Rectangle {
            implicitHeight: 26 * root.s
            radius: 5 * root.s
            color: entry.highlighted || entry.down ? Qt.rgba(TileGraphics.accentColor.r, TileGraphics.accentColor.g,
                                                              TileGraphics.accentColor.b, 0.22) : "transparent"
        }
        Accessible.name: text
        Accessible.onPressAction: entry.triggered()
    }

    PopupMenu {
        id: moreMenu
        objectName: "moreMenu"
        // Keys return to the board once the menu closes, where they were before it opened.
        MenuEntry {
            objectName: "preferencesMenuItem"
            text: qsTranslate("Velmora", "Preferences")
            shortcutText: preferencesShortcut.nativeText
            onTriggered: controller.openScreen(ModalScreenController.Preferences)
        }
        MenuEntry {
            objectName: "statisticsMenuItem"
            text: qsTranslate("Velmora", "Statistics")
            onTriggered: controller.openScreen(ModalScreenController.Statistics)
        }
        MenuEntry {
            objectName: "howToPlayMenuItem"
            text: qsTranslate("Velmora", "How to Play")
            onTriggered: controller.openScreen(ModalScreenController.HowToPlay)
        }
        MenuEntry {
            objectName: "aboutMenuItem"
            text: qsTranslate("Velmora", "About")
            onTriggered: controller.openScreen(ModalScreenController.About)
        }
        MenuSeparator {}
        MenuEntry {
            objectName: "quitMenuItem"
            text: qsTranslate("Velmora", "Quit Velmora")
            shortcutText: quitShortcut.nativeText
            onTriggered: root.quitRequested()
        }
    }
}
