import QtQuick
import QtQuick.Controls.Basic
import Velmora

// A pop-up choice drawn as a capsule button showing the current value. It always shows
// `selection` as given, so a choice that is refused or held back leaves the old value shown.
CapsuleButton {
    id: choice
    // [{ value, title }] in display order.
    property var options: []
    property string selection
    // What is chosen, read out before the value: "Difficulty: Expert".
    property string label
    signal chosen(string value)

    readonly property string selectionTitle: {
        for (const option of options)
            if (option.value === selection) return option.title
        return ""
    }

    font.pixelSize: 12 * s
    font.weight: Font.Medium
    contentItem: Row {
        spacing: 4 * choice.s
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: choice.selectionTitle
            font: choice.font
            color: TileGraphics.primaryColor
        }
        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: "chevron.up.chevron.down"
            pointSize: 9 * choice.s
            color: TileGraphics.secondaryColor
        }
    }
    // The tooltip would cover the menu it opens.
    tipSuppressed: menu.visible
    Accessible.role: Accessible.ComboBox
    Accessible.name: label + ": " + selectionTitle
    // From the keyboard (a click gives no focus) the menu opens on the current value.
    onClicked: menu.openBelow(choice, 0, choice.height + 2 * choice.s, choice.activeFocus,
                              options.findIndex(option => option.value === selection))

    PopupMenu {
        id: menu
        objectName: choice.objectName + "Menu"
        Instantiator {
            model: choice.options
            delegate: MenuItem {
                id: entry
                required property var modelData
                readonly property bool isSelection: modelData.value === choice.selection
                objectName: choice.objectName + "-" + modelData.value
                text: modelData.title
                font.pixelSize: 13 * choice.s
                contentItem: Row {
                    spacing: 6 * choice.s
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: entry.text
                        font: entry.font
                        color: TileGraphics.primaryColor
                    }
                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        visible: entry.isSelection
                        name: "checkmark"
                        pointSize: 11 * choice.s
                        color: TileGraphics.primaryColor
                    }
                }
                Accessible.name: text
                Accessible.selected: isSelection
                // Answer the assistive call first: a new Expert board takes a moment to build,
                // and a screen reader waits for the reply.
                Accessible.onPressAction: Qt.callLater(entry.triggered)
                // Once the menu has closed and given the keys back to this button, so that a
                // question the choice raises returns them here too.
                onTriggered: Qt.callLater(choice.chosen, modelData.value)
            }
            onObjectAdded: function(index, object) { menu.insertItem(index, object) }
            onObjectRemoved: function(index, object) { menu.removeItem(object) }
        }
    }
}
