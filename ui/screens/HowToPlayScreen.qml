pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Velmora

// Seven illustrated paragraphs and the keyboard commands.
Column {
    id: screen
    required property ModalScreenController controller
    readonly property real c: controller.contentScale

    spacing: 14

    ScreenSection {
        width: screen.width
        s: screen.c
        boxSpacing: 12
        Repeater {
            model: screen.controller.howToPlayParagraphs
            delegate: Column {
                id: paragraph
                required property var modelData
                required property int index
                width: parent.width
                spacing: 12
                Divider { visible: paragraph.index > 0 }
                ReadingLine {
                    objectName: paragraph.modelData.identifier
                    width: parent.width
                    text: paragraph.modelData.title + ". " + paragraph.modelData.body
                    Row {
                        width: parent.width
                        spacing: 3 * screen.c
                        Item {
                            width: 29 * screen.c
                            height: symbol.height
                            SymbolImage {
                                id: symbol
                                anchors.horizontalCenter: parent.horizontalCenter
                                y: 1 * screen.c
                                name: paragraph.modelData.symbol
                                pointSize: 14 * screen.c
                                color: TileGraphics.accentColor
                                Accessible.ignored: true
                            }
                        }
                        Column {
                            width: parent.width - 29 * screen.c - parent.spacing
                            spacing: 2
                            Text {
                                width: parent.width
                                text: paragraph.modelData.title
                                font.pixelSize: 13 * screen.c
                                font.weight: Font.DemiBold
                                color: TileGraphics.primaryColor
                                wrapMode: Text.Wrap
                                Accessible.ignored: true
                            }
                            Text {
                                width: parent.width
                                text: paragraph.modelData.body
                                font.pixelSize: 13 * screen.c
                                color: TileGraphics.secondaryColor
                                wrapMode: Text.Wrap
                                Accessible.ignored: true
                            }
                        }
                    }
                }
            }
        }
    }

    ScreenSection {
        width: screen.width
        s: screen.c
        title: qsTranslate("Velmora", "KEYBOARD")
        Repeater {
            model: screen.controller.keyboardLines
            delegate: Column {
                id: keyLine
                required property var modelData
                required property int index
                width: parent.width
                spacing: 8
                Divider { visible: keyLine.index > 0 }
                ReadingLine {
                    width: parent.width
                    text: keyLine.modelData.action + ": " + keyLine.modelData.keys
                    RowLayout {
                        width: parent.width
                        Text {
                            Layout.fillWidth: true
                            text: keyLine.modelData.action
                            font.pixelSize: 13 * screen.c
                            color: TileGraphics.primaryColor
                            wrapMode: Text.Wrap
                            Accessible.ignored: true
                        }
                        Text {
                            text: keyLine.modelData.keys
                            font.pixelSize: 13 * screen.c
                            font.weight: Font.Medium
                            color: TileGraphics.secondaryColor
                            Accessible.ignored: true
                        }
                    }
                }
            }
        }
    }
}
