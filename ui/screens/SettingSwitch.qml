import QtQuick
import QtQuick.Controls.Basic
import Velmora

// An on/off switch that shows `isOn` and asks for the other state; the owner decides. A
// refused request (launch at login that the system would not take) leaves it where `isOn` is.
Switch {
    id: control
    property bool isOn
    property real s: 1
    signal requested(bool on)

    // Shows what the owner reports: a click flips `checked` for a moment, then the answer
    // puts it back where `isOn` says.
    checked: isOn
    onClicked: ask()
    Accessible.onToggleAction: ask()
    Accessible.onPressAction: ask()

    function ask() {
        control.requested(!control.isOn)
        // The toolkit may have flipped `checked` behind the binding (assistive actions do);
        // once the owner has answered, show its state again.
        Qt.callLater(control.resync)
    }
    function resync() { control.checked = Qt.binding(function() { return control.isOn }) }

    padding: 0
    implicitWidth: indicator.implicitWidth
    implicitHeight: indicator.implicitHeight
    indicator: Rectangle {
        implicitWidth: 32 * control.s
        implicitHeight: 18 * control.s
        x: control.leftPadding
        y: (control.height - height) / 2
        radius: height / 2
        color: control.checked ? TileGraphics.accentColor
                               : Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                         TileGraphics.primaryColor.b, 0.18)
        border.width: control.visualFocus ? 2 : 0
        border.color: TileGraphics.primaryColor
        Rectangle {
            width: parent.height - 4 * control.s
            height: width
            radius: width / 2
            y: 2 * control.s
            x: control.checked ? parent.width - width - 2 * control.s : 2 * control.s
            color: "white"
            border.width: 0.5
            border.color: Qt.rgba(0, 0, 0, 0.15)
        }
    }
    contentItem: Item {}
}
