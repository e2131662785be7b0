pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Velmora

// The player's record as nine lines; the controller formats every value.
ScreenSection {
    id: screen
    required property ModalScreenController controller
    readonly property real c: controller.contentScale

    s: c
    boxSpacing: 0

    Repeater {
        model: screen.controller.statisticsLines
        delegate: Column {
            id: entry
            required property statLine modelData
            required property int index
            width: parent.width
            Divider { visible: entry.index > 0 }
            ReadingLine {
                objectName: entry.modelData.identifier
                width: parent.width
                text: entry.modelData.accessibleName
                RowLayout {
                    width: parent.width
                    height: implicitHeight + 16
                    Text {
                        Layout.fillWidth: true
                        leftPadding: 2
                        text: entry.modelData.label
                        font.pixelSize: 13 * screen.c
                        color: TileGraphics.primaryColor
                        wrapMode: Text.Wrap
                        Accessible.ignored: true
                    }
                    Text {
                        rightPadding: 2
                        text: entry.modelData.value
                        // Equal-width digits where the Qt at hand offers them, so a value that
                        // changes while the screen is open keeps its digits in place.
                        font: DigitFont.tabular(Qt.font({ pixelSize: 13 * screen.c, weight: Font.Medium }))
                        color: TileGraphics.primaryColor
                        Accessible.ignored: true
                    }
                }
            }
        }
    }
}
