import QtQuick
import QtQuick.Controls.Basic
import Velmora

// A two-button question laid over the area it fills. The safe answer is the prominent,
// default one: Return, Escape and a click beside the card all cancel; only the destructive
// button confirms. While it shows, keys stay inside the card and clicks beside it cancel, so
// nothing behind it can be reached.
FocusScope {
    id: dialog
    property real s: 1
    property string title
    property string message
    property string dialogID
    property string cancelTitle
    property string cancelID
    property string confirmTitle
    property string confirmID
    signal cancelled()
    signal confirmed()

    visible: false
    // Where keyboard focus was when the question came up; an answer puts it back there.
    property Item returnFocus: null
    onVisibleChanged: {
        if (visible) {
            const window = dialog.Window.window
            returnFocus = window ? window.activeFocusItem : null
            card.forceActiveFocus(Qt.OtherFocusReason)
        } else {
            // Gone, it holds no focus its owner's scope would hand back to it.
            dialog.focus = false
        }
    }
    function answer(confirm) {
        const back = returnFocus
        returnFocus = null
        if (confirm) confirmed(); else cancelled()
        // The owner may have moved focus on its own (to the board); the place the player
        // left wins, as long as it can still take the keys.
        if (back && back.visible && back.enabled && !dialog.visible) back.forceActiveFocus(Qt.OtherFocusReason)
    }

    Rectangle {
        id: backdrop
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.25)
        Accessible.ignored: true
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.AllButtons
            hoverEnabled: true  // nothing behind reacts to the pointer either
            onClicked: dialog.answer(false)
            onWheel: function(wheel) { wheel.accepted = true }
        }
    }

    // Shadow: black at 0.3, blurred 16 and dropped 6, approximated by rings that fade out.
    Repeater {
        model: 4
        delegate: Rectangle {
            required property int index
            readonly property real spread: (index + 1) * 4 * dialog.s
            x: card.x - spread / 2
            y: card.y + 6 * dialog.s - spread / 2
            width: card.width + spread
            height: card.height + spread
            radius: 16 * dialog.s + spread / 2
            color: Qt.rgba(0, 0, 0, 0.3 / 4)
            Accessible.ignored: true
        }
    }

    FocusScope {
        id: card
        objectName: dialog.dialogID
        anchors.centerIn: parent
        width: 260 * dialog.s
        height: column.implicitHeight + 36 * dialog.s
        focus: true
        Accessible.role: Accessible.Dialog
        Accessible.name: dialog.title

        Keys.onEscapePressed: dialog.answer(false)
        Keys.onReturnPressed: dialog.answer(false)
        Keys.onEnterPressed: dialog.answer(false)
        // Tab goes round the two buttons and never leaves the card. A button takes Tab for
        // focus navigation before the card would see it, so each button passes it on itself.
        Keys.onTabPressed: cancelButton.forceActiveFocus(Qt.TabFocusReason)
        Keys.onBacktabPressed: confirmButton.forceActiveFocus(Qt.BacktabFocusReason)

        Rectangle {
            anchors.fill: parent
            radius: 16 * dialog.s
            color: Qt.rgba(TileGraphics.windowColor.r, TileGraphics.windowColor.g, TileGraphics.windowColor.b, 0.96)
            border.width: 1
            border.color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.14)
            MouseArea { anchors.fill: parent; acceptedButtons: Qt.AllButtons }  // a click on the card is no click beside it
        }

        Column {
            id: column
            anchors.centerIn: parent
            width: parent.width - 36 * dialog.s
            spacing: 10 * dialog.s
            Text {
                width: parent.width
                text: dialog.title
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                font.pixelSize: 14 * dialog.s
                font.weight: Font.Bold
                color: TileGraphics.primaryColor
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Text {
                width: parent.width
                text: dialog.message
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                font.pixelSize: 11 * dialog.s
                color: TileGraphics.secondaryColor
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 10 * dialog.s
                CapsuleButton {
                    id: cancelButton
                    objectName: dialog.cancelID
                    s: dialog.s
                    prominent: true
                    text: dialog.cancelTitle
                    Accessible.defaultButton: true
                    onClicked: dialog.answer(false)
                    Keys.onTabPressed: confirmButton.forceActiveFocus(Qt.TabFocusReason)
                    Keys.onBacktabPressed: confirmButton.forceActiveFocus(Qt.BacktabFocusReason)
                }
                CapsuleButton {
                    id: confirmButton
                    objectName: dialog.confirmID
                    s: dialog.s
                    destructive: true
                    text: dialog.confirmTitle
                    onClicked: dialog.answer(true)
                    Keys.onTabPressed: cancelButton.forceActiveFocus(Qt.TabFocusReason)
                    Keys.onBacktabPressed: cancelButton.forceActiveFocus(Qt.BacktabFocusReason)
                }
            }
        }
    }
}
