import QtQuick
import QtQuick.Window
import QtQuick.Controls.Basic
import Velmora

// The won overlay, the lost banner and the abandon-game confirmation, laid over the game view.
Item {
    id: layer
    required property real s
    required property GameModel game
    required property BoardController controller
    required property bool reduceMotion
    readonly property color primary: TileGraphics.primaryColor
    readonly property color secondary: TileGraphics.secondaryColor

    component PanelBackground: Rectangle {
        id: panel
        color: Qt.rgba(TileGraphics.windowColor.r, TileGraphics.windowColor.g, TileGraphics.windowColor.b, 0.94)
        border.width: 1
        border.color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.12)
        // Black at 30 % below the panel, blurred by shadowRadius and shifted down by shadowOffset.
        property real shadowOffset: 4
        property real shadowRadius: 12
        Image {
            z: -1
            readonly property real padding: TileGraphics.panelShadowPadding(panel.shadowRadius)
            x: -padding
            y: -padding + panel.shadowOffset
            width: panel.width + 2 * padding
            height: panel.height + 2 * padding
            // Drawn only while the panel shows; one image per size, made once.
            source: panel.visible ? TileGraphics.panelShadowUrl(panel.width, panel.height, panel.radius,
                                                                 panel.shadowRadius, 0.3, Screen.devicePixelRatio) : ""
        }
    }

    component ProminentButton: Button {
        id: button
        property real s: 1
        property bool prominent: true
        // Reached by Tab; a click leaves keyboard focus where it was (on the board).
        focusPolicy: Qt.TabFocus
        font.pixelSize: 12 * s
        font.weight: Font.DemiBold
        padding: 6 * s
        leftPadding: 14 * s
        rightPadding: 14 * s
        contentItem: Text {
            text: button.text
            font: button.font
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            color: button.prominent ? "white" : TileGraphics.primaryColor
        }
        background: Rectangle {
            radius: height / 2
            color: button.prominent ? Qt.darker(TileGraphics.accentColor, button.down ? 1.2 : 1.0)
                                    : Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                              TileGraphics.primaryColor.b, button.down ? 0.16 : 0.08)
            border.width: button.visualFocus ? 2 : 0
            border.color: TileGraphics.primaryColor
        }
        Accessible.name: text
        // AT-SPI's Press does nothing on a Qt 6.4 Button unless forwarded.
        Accessible.onPressAction: button.clicked()
    }

    // --- lost banner: part of the main content, bottom-aligned --------------------------
    PanelBackground {
        id: lostBanner
        objectName: "lostBanner"
        visible: layer.game !== null && layer.game.isLost && !layer.game.isShowingScreen
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 22 * layer.s
        width: lostRow.implicitWidth + 28 * layer.s
        height: lostRow.implicitHeight + 20 * layer.s
        radius: 14 * layer.s
        shadowOffset: 4 * layer.s
        shadowRadius: 12 * layer.s
        Accessible.role: Accessible.Grouping
        Accessible.name: qsTranslate("Velmora", "You hit a mine")
        Row {
            id: lostRow
            anchors.centerIn: parent
            spacing: 12 * layer.s
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTranslate("Velmora", "You hit a mine")
                font.pixelSize: 12 * layer.s
                font.weight: Font.DemiBold
                color: layer.primary
            }
            ProminentButton {
                id: tryAgainButton
                objectName: "tryAgainButton"
                s: layer.s
                text: qsTranslate("Velmora", "Try Again")
                onClicked: layer.controller.playAgain()
            }
        }
    }

    // --- abandon-game confirmation: over the main content, hidden with it -------------
    ConfirmationDialog {
        anchors.fill: parent
        visible: layer.controller.isConfirmingNewGame && layer.game !== null && !layer.game.isShowingScreen
        s: layer.s
        title: qsTranslate("Velmora", "Abandon this game?")
        message: qsTranslate("Velmora", "Starting a new game now will reset your win streak.")
        dialogID: "abandonGameDialog"
        cancelTitle: qsTranslate("Velmora", "Cancel")
        cancelID: "cancelNewGameButton"
        confirmTitle: qsTranslate("Velmora", "New Game")
        confirmID: "confirmNewGameButton"
        onCancelled: layer.controller.cancelNewGame()
        onConfirmed: layer.controller.confirmNewGame()
    }

    // --- won overlay: centred at (187.5 s, 190 s) ----------------------------------------
    PanelBackground {
        id: wonOverlay
        objectName: "winOverlay"
        readonly property bool won: layer.game !== null && layer.game.isWon
        x: 187.5 * layer.s - width / 2
        y: 190 * layer.s - height / 2
        width: wonColumn.implicitWidth + 48 * layer.s
        height: wonColumn.implicitHeight + 48 * layer.s
        radius: 16 * layer.s
        shadowOffset: 6 * layer.s
        shadowRadius: 16 * layer.s
        z: 10
        // Shown from the first moment of a win, so its button can take focus at once. A screen
        // covers it completely: hidden, it is neither drawn over the screen nor reached by Tab.
        visible: (won || opacity > 0) && !(layer.game !== null && layer.game.isShowingScreen)
        opacity: won ? 1 : 0
        scale: won ? 1 : 0.92
        Behavior on opacity { enabled: !layer.reduceMotion; NumberAnimation { duration: 300; easing.type: Easing.OutQuad } }
        Behavior on scale { enabled: !layer.reduceMotion; NumberAnimation { duration: 300; easing.type: Easing.OutQuad } }
        // What the card says is taken while the game is won and then kept: the card fading out
        // under a new game still shows the finished game, and the clock of the next one does
        // not rename a hidden card every second.
        property string shownLabel
        property string shownTime
        property bool shownNewBest: false
        property bool shownHintUsed: false
        Binding { target: wonOverlay; property: "shownLabel"; when: wonOverlay.won; restoreMode: Binding.RestoreNone
                  value: layer.game ? layer.game.wonAccessibleLabel : "" }
        Binding { target: wonOverlay; property: "shownTime"; when: wonOverlay.won; restoreMode: Binding.RestoreNone
                  value: layer.game ? layer.game.clockAccessibleLabel : "" }
        Binding { target: wonOverlay; property: "shownNewBest"; when: wonOverlay.won; restoreMode: Binding.RestoreNone
                  value: layer.game !== null && layer.game.newBestTime }
        Binding { target: wonOverlay; property: "shownHintUsed"; when: wonOverlay.won; restoreMode: Binding.RestoreNone
                  value: layer.game !== null && layer.game.usedHint }
        Accessible.role: Accessible.Grouping
        Accessible.name: shownLabel
        // A screen drawn over it hides it from assistive technology too.
        Accessible.ignored: !won || (layer.game !== null && layer.game.isShowingScreen)
        MouseArea { anchors.fill: parent; enabled: wonOverlay.won }  // presses on the panel stay off the board

        Column {
            id: wonColumn
            anchors.centerIn: parent
            spacing: 14
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "\u{1F389}"
                // The colour emoji font holds bitmaps; the native glyph path draws them as they
                // are, on the software and the OpenGL renderer alike.
                renderType: Text.NativeRendering
                font.pixelSize: 32 * layer.s
            }
            Column {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 4
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTranslate("Velmora", "Board Cleared")
                    font.pixelSize: 15 * layer.s
                    font.weight: Font.Bold
                    color: layer.primary
                }
                Text {
                    objectName: "wonTimeLabel"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: wonOverlay.shownTime
                    font.pixelSize: 12 * layer.s
                    font.weight: Font.Medium
                    color: layer.secondary
                }
                Text {
                    objectName: "newBestTimeLabel"
                    anchors.horizontalCenter: parent.horizontalCenter
                    visible: wonOverlay.shownNewBest
                    text: qsTranslate("Velmora", "New best time!")
                    font.pixelSize: 11 * layer.s
                    font.weight: Font.DemiBold
                    color: layer.secondary
                }
                Text {
                    objectName: "hintUsedLabel"
                    anchors.horizontalCenter: parent.horizontalCenter
                    visible: wonOverlay.shownHintUsed
                    text: qsTranslate("Velmora", "Hint used: time not recorded")
                    font.pixelSize: 11 * layer.s
                    font.weight: Font.DemiBold
                    color: layer.secondary
                }
            }
            ProminentButton {
                id: playAgainButton
                objectName: "playAgainButton"
                anchors.horizontalCenter: parent.horizontalCenter
                s: layer.s
                width: Math.max(implicitWidth, 110 * layer.s)
                text: qsTranslate("Velmora", "Play Again")
                onClicked: layer.controller.playAgain()
            }
        }
    }
}
