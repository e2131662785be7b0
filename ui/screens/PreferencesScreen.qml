pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Velmora

// Every setting of the game. Changes go straight to the model; only a change of difficulty
// during play waits for the player's answer (the controller decides).
Column {
    id: screen
    required property ModalScreenController controller
    required property GameModel game
    readonly property real c: controller.contentScale

    spacing: 14

    component RowLabel: Text {
        font.pixelSize: 13 * screen.c
        color: TileGraphics.primaryColor
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
    component Hint: Text {
        font.pixelSize: 10 * screen.c
        color: TileGraphics.secondaryColor
        wrapMode: Text.Wrap
        width: parent ? parent.width : implicitWidth
    }

    ScreenSection {
        width: screen.width
        s: screen.c
        title: qsTranslate("Velmora", "APP")

        RowLayout {
            width: parent.width
            RowLabel { text: qsTranslate("Velmora", "Menu Bar Icon") }
            Row {
                objectName: "menuBarIconPicker"
                spacing: 6
                Accessible.role: Accessible.Grouping
                Accessible.name: qsTranslate("Velmora", "Menu Bar Icon")
                Repeater {
                    model: screen.controller.menuBarIconOptions
                    // Drawn as the header's round glass buttons, but one of three choices: a
                    // radio button, so a screen reader says which one is selected.
                    delegate: RadioButton {
                        id: iconButton
                        required property var modelData
                        readonly property bool isCurrent: screen.game.menuBarIcon === modelData.value
                        objectName: modelData.identifier
                        implicitWidth: 28 * screen.c
                        implicitHeight: 28 * screen.c
                        padding: 6 * screen.c
                        focusPolicy: Qt.TabFocus
                        hoverEnabled: true
                        autoExclusive: false
                        // Shows the model's icon; a press asks for it.
                        checked: isCurrent
                        onClicked: choose()
                        Accessible.name: modelData.accessibleName
                        Accessible.selected: isCurrent
                        Accessible.onPressAction: choose()
                        Accessible.onToggleAction: choose()
                        function choose() {
                            screen.game.menuBarIcon = modelData.value
                            Qt.callLater(iconButton.resync)
                        }
                        function resync() { iconButton.checked = Qt.binding(function() { return iconButton.isCurrent }) }

                        indicator: null
                        contentItem: Item {
                            implicitWidth: 16 * screen.c
                            implicitHeight: 16 * screen.c
                            SymbolImage {
                                anchors.centerIn: parent
                                name: iconButton.modelData.symbol
                                pointSize: 12 * screen.c
                                color: iconButton.isCurrent ? "white" : TileGraphics.primaryColor
                            }
                        }
                        background: Rectangle {
                            radius: width / 2
                            color: iconButton.isCurrent ? TileGraphics.accentColor
                                                        : Qt.rgba(TileGraphics.windowColor.r, TileGraphics.windowColor.g,
                                                                  TileGraphics.windowColor.b, iconButton.down ? 0.6 : 0.85)
                            border.width: iconButton.visualFocus ? 2 : 1
                            border.color: iconButton.visualFocus ? TileGraphics.accentColor
                                                                 : Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                                                           TileGraphics.primaryColor.b, 0.15)
                        }
                        ToolTip.visible: hovered
                        ToolTip.text: modelData.name
                        ToolTip.delay: 700
                    }
                }
            }
        }
        Divider {}
        RowLayout {
            width: parent.width
            RowLabel { text: qsTranslate("Velmora", "Game Size") }
            ChoiceMenu {
                objectName: "boardSizePicker"
                s: screen.c
                options: screen.controller.boardSizeOptions
                selection: screen.game.boardSize
                label: qsTranslate("Velmora", "Game Size")
                onChosen: function(value) { screen.game.boardSize = value }
            }
        }
        Divider {}
        RowLayout {
            width: parent.width
            spacing: 8
            Column {
                Layout.fillWidth: true
                spacing: 2
                Text {
                    width: parent.width
                    text: qsTranslate("Velmora", "Launch at Login")
                    font.pixelSize: 13 * screen.c
                    color: TileGraphics.primaryColor
                    wrapMode: Text.Wrap
                }
                Hint {
                    objectName: "loginItemApprovalHint"
                    visible: screen.controller.showsApprovalHint
                    text: qsTranslate("Velmora", "Allow Velmora in System Settings → General → Login Items.")
                }
            }
            SettingSwitch {
                objectName: "launchAtLoginToggle"
                s: screen.c
                isOn: screen.controller.launchAtLogin
                Accessible.name: qsTranslate("Velmora", "Launch at login")
                onRequested: function(on) { screen.controller.setLaunchAtLogin(on) }
            }
        }
    }

    ScreenSection {
        width: screen.width
        s: screen.c
        title: qsTranslate("Velmora", "GAMEPLAY")

        RowLayout {
            width: parent.width
            RowLabel {
                text: qsTranslate("Velmora", "Difficulty")
                HoverHandler { id: difficultyHover }
            }
            ChoiceMenu {
                id: difficultyMenu
                objectName: "difficultyPicker"
                s: screen.c
                options: screen.controller.difficultyOptions
                selection: screen.game.difficulty
                tip: difficultyTip.text
                label: qsTranslate("Velmora", "Difficulty")
                onChosen: function(value) { screen.controller.chooseDifficulty(value) }
            }
            ToolTip {
                id: difficultyTip
                parent: difficultyMenu
                visible: difficultyHover.hovered
                delay: 700
                text: qsTranslate("Velmora", "Beginner 9×9 with 10 mines, Intermediate 16×16 with 40, Expert 22×22 with 99. Changing this starts a new game.")
            }
        }
        Divider {}
        RowLayout {
            width: parent.width
            spacing: 8
            Column {
                Layout.fillWidth: true
                spacing: 2
                Text {
                    width: parent.width
                    text: qsTranslate("Velmora", "Question Marks")
                    font.pixelSize: 13 * screen.c
                    color: TileGraphics.primaryColor
                    wrapMode: Text.Wrap
                }
                Hint { text: qsTranslate("Velmora", "A second flag press marks the tile with ?, a third clears it.") }
            }
            SettingSwitch {
                objectName: "questionMarksToggle"
                s: screen.c
                isOn: screen.game.questionMarksEnabled
                Accessible.name: qsTranslate("Velmora", "Question Marks")
                onRequested: function(on) { screen.game.questionMarksEnabled = on }
            }
        }
    }

    ScreenSection {
        width: screen.width
        s: screen.c
        title: qsTranslate("Velmora", "TILES")

        Grid {
            id: themes
            objectName: "tileThemePicker"
            readonly property real cell: 40 * screen.c
            columns: screen.controller.adaptiveColumns(width, cell, 10)
            // Equal columns share the width; each swatch sits centred in its column.
            readonly property real columnWidth: (width - (columns - 1) * columnSpacing) / Math.max(1, columns)
            width: parent.width
            topPadding: 4
            bottomPadding: 4
            rowSpacing: 10
            columnSpacing: 10
            Repeater {
                model: screen.controller.themeOptions
                delegate: Item {
                    id: themeCell
                    required property var modelData
                    width: themes.columnWidth
                    height: themes.cell
                    RadioButton {
                        id: swatch
                        readonly property var modelData: themeCell.modelData
                        readonly property bool isCurrent: screen.game.tileTheme === modelData.value
                        objectName: modelData.identifier
                        x: (themeCell.width - width) / 2
                        width: themes.cell
                        height: themes.cell
                        padding: 0
                        autoExclusive: false
                        // Shows the model's theme; a press asks for it.
                        checked: isCurrent
                        onClicked: choose()
                        Accessible.name: modelData.accessibleName
                        Accessible.selected: isCurrent
                        Accessible.onPressAction: choose()
                        Accessible.onToggleAction: choose()
                        function choose() {
                            screen.game.tileTheme = modelData.value
                            Qt.callLater(swatch.resync)
                        }
                        function resync() { swatch.checked = Qt.binding(function() { return swatch.isCurrent }) }

                        indicator: null
                        background: null
                        contentItem: Item {
                            Rectangle {  // drop shadow: stronger under the chosen theme
                                x: 0; y: 1
                                width: parent.width; height: parent.height
                                radius: 5
                                color: Qt.rgba(0, 0, 0, swatch.isCurrent ? 0.3 : 0.1)
                            }
                            CoveredTileView {
                                theme: swatch.modelData.value
                                size: themes.cell
                                Accessible.ignored: true
                            }
                            // Both outlines straddle their shapes, half of the stroke outside.
                            Rectangle {
                                anchors.fill: parent
                                anchors.margins: -1.25
                                radius: 5 + 1.25
                                color: "transparent"
                                border.width: 2.5
                                border.color: swatch.isCurrent ? TileGraphics.accentColor : "transparent"
                            }
                            Rectangle {  // keyboard focus: its own outline, apart from the choice
                                objectName: "focusOutline"
                                anchors.fill: parent
                                anchors.margins: -3 - 1
                                radius: 7 + 1
                                color: "transparent"
                                border.width: 2
                                border.color: TileGraphics.primaryColor
                                opacity: swatch.visualFocus ? 1 : 0
                            }
                        }
                    }
                }
            }
        }
    }
}
