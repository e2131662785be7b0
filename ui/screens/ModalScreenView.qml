import QtQuick
import QtQuick.Controls.Basic
import Velmora

// One of the four full-window screens over the board: the title bar with its Close (and, on
// Statistics, Reset) button, the scrolling body, and the two confirmation dialogs. A new view,
// with fresh state, is made for every opening.
FocusScope {
    id: view
    objectName: "modalScreen"
    required property GameModel game
    required property int screen
    property real boardScale: 1
    property real textScale: 1

    readonly property ModalScreenController screenController: screenController
    readonly property real b: boardScale

    ModalScreenController {
        id: screenController
        game: view.game
        screen: view.screen
        textScale: view.textScale
    }

    // Focus lands on the screen itself, which a screen reader announces by its title.
    Component.onCompleted: view.forceActiveFocus(Qt.OtherFocusReason)
    Accessible.role: Accessible.Dialog
    Accessible.name: screenController.title

    // The body scrolls to whatever takes keyboard focus, so Tab never lands out of sight.
    Connections {
        target: view.Window.window
        // Once the item has been laid out, which a newly made one may not be yet.
        function onActiveFocusItemChanged() { Qt.callLater(view.scrollToFocus) }
    }
    function scrollToFocus() {
        const window = view.Window.window
        const item = window ? window.activeFocusItem : null
        let inside = false
        for (let p = item; p; p = p.parent) if (p === body) { inside = true; break }
        if (!inside) return
        const margin = 6 * view.b
        const top = item.mapToItem(body, 0, 0).y - margin
        const bottom = top + item.height + 2 * margin
        if (top < scroller.contentY)
            scroller.contentY = Math.max(0, top)
        else if (bottom > scroller.contentY + scroller.height)
            scroller.contentY = Math.max(0, Math.min(bottom, scroller.contentHeight) - scroller.height)
    }
    // Escape answers the dialog on top; with none up it closes the screen.
    Keys.onEscapePressed: if (!screenController.cancelTopDialog()) screenController.dismiss()

    // The status may have changed behind our back (another program, the desktop's settings)
    // while the panel was hidden.
    readonly property bool windowActive: Window.active
    onWindowActiveChanged: if (windowActive) screenController.refreshLoginItemStatus()

    Item {
        id: column
        x: 14 * view.b
        y: 14 * view.b
        width: 347 * view.b
        height: view.height - 28 * view.b
        Accessible.ignored: screenController.isShowingDialog

        Rectangle {
            id: titleBar
            width: parent.width
            height: 40 * view.b
            radius: height / 2
            color: Qt.rgba(TileGraphics.windowColor.r, TileGraphics.windowColor.g, TileGraphics.windowColor.b, 0.8)
            border.width: 1
            border.color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.12)

            Row {
                anchors.fill: parent
                anchors.leftMargin: 12 * view.b
                anchors.rightMargin: 6 * view.b
                spacing: 6 * view.b
                Text {
                    objectName: "screenTitle"
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - buttons.width - parent.spacing
                    text: screenController.title
                    font.pixelSize: 13 * view.b
                    font.weight: Font.DemiBold
                    color: TileGraphics.primaryColor
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }
                Row {
                    id: buttons
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 8 * view.b
                    CapsuleButton {
                        objectName: "resetStatsButton"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: screenController.hasResetButton
                        s: view.b
                        text: qsTranslate("Velmora", "Reset")
                        tip: qsTranslate("Velmora", "Reset all statistics")
                        Accessible.name: qsTranslate("Velmora", "Reset All Statistics")
                        onClicked: screenController.requestReset()
                    }
                    GlassButton {
                        objectName: "closeScreenButton"
                        anchors.verticalCenter: parent.verticalCenter
                        s: view.b
                        symbol: "xmark"
                        tip: qsTranslate("Velmora", "Close")
                        Accessible.name: qsTranslate("Velmora", "Close")
                        Accessible.onPressAction: screenController.dismiss()
                        onClicked: screenController.dismiss()
                    }
                }
            }
        }

        Flickable {
            id: scroller
            objectName: "screenScroller"
            y: titleBar.height + 12 * view.b
            width: parent.width
            height: parent.height - y
            contentWidth: width
            contentHeight: body.implicitHeight
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {
                policy: screenController.screen === ModalScreenController.About ? ScrollBar.AlwaysOff : ScrollBar.AsNeeded
            }
            // Keys scroll the body when no control inside wants them.
            Keys.onUpPressed: scroller.flick(0, 800)
            Keys.onDownPressed: scroller.flick(0, -800)

            Column {
                id: body
                width: scroller.width
                Loader {
                    width: parent.width
                    active: screenController.screen === ModalScreenController.Preferences
                    visible: active
                    sourceComponent: PreferencesScreen { controller: screenController; game: view.game }
                }
                Loader {
                    width: parent.width
                    active: screenController.screen === ModalScreenController.Statistics
                    visible: active
                    sourceComponent: StatisticsScreen { controller: screenController }
                }
                Loader {
                    width: parent.width
                    active: screenController.screen === ModalScreenController.HowToPlay
                    visible: active
                    sourceComponent: HowToPlayScreen { controller: screenController }
                }
                Loader {
                    width: parent.width
                    active: screenController.screen === ModalScreenController.About
                    visible: active
                    sourceComponent: AboutScreen { controller: screenController }
                }
            }
        }
    }

    ConfirmationDialog {
        objectName: "resetStatsDialogLayer"
        anchors.fill: column
        visible: screenController.isConfirmingReset
        s: view.b
        title: qsTranslate("Velmora", "Reset all statistics?")
        message: qsTranslate("Velmora", "This clears your games, wins, streaks and best times. It can't be undone.")
        dialogID: "resetStatsDialog"
        cancelTitle: qsTranslate("Velmora", "Cancel")
        cancelID: "cancelResetStatsButton"
        confirmTitle: qsTranslate("Velmora", "Reset")
        confirmID: "confirmResetStatsButton"
        onCancelled: { screenController.cancelReset(); view.forceActiveFocus() }
        onConfirmed: { screenController.confirmReset(); view.forceActiveFocus() }
    }
    ConfirmationDialog {
        objectName: "rulesChangeDialogLayer"
        anchors.fill: column
        visible: screenController.isConfirmingRulesChange
        s: view.b
        title: qsTranslate("Velmora", "Abandon this game?")
        message: qsTranslate("Velmora", "Changing the difficulty deals a new game and resets your win streak.")
        dialogID: "rulesChangeDialog"
        cancelTitle: qsTranslate("Velmora", "Cancel")
        cancelID: "cancelRulesChangeButton"
        confirmTitle: qsTranslate("Velmora", "New Game")
        confirmID: "confirmRulesChangeButton"
        onCancelled: { screenController.cancelRulesChange(); view.forceActiveFocus() }
        onConfirmed: { screenController.confirmRulesChange(); view.forceActiveFocus() }
    }
}
