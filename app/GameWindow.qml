// The window is a QML Window (what the view expects to find itself in) holding the game view.
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Window
import Velmora
Window {
    id: window
    property var game
    property var systemSettings
    // A panel has no frame of its own: a hairline keeps its edge on any background.
    property bool framed: false
    // Said above the game when it had to open as a window for want of a tray.
    property string notice: ""
    // The window takes exactly the size of its content, and follows it when the notice comes
    // or goes. The limits follow the content, not the window's own size: bound to height, a
    // limit set first clamps the height and newer Qt leaves the window cut off at the board.
    readonly property int fittedWidth: Math.ceil(view.implicitWidth)
    readonly property int fittedHeight: Math.ceil(view.implicitHeight + noticeBar.height)
    width: fittedWidth
    height: fittedHeight
    minimumWidth: fittedWidth; maximumWidth: fittedWidth
    minimumHeight: fittedHeight; maximumHeight: fittedHeight
    Rectangle {
        id: noticeBar
        objectName: "trayNotice"
        visible: window.notice !== ""
        width: parent.width
        height: visible ? noticeColumn.implicitHeight + 20 : 0
        color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.08)
        Column {
            id: noticeColumn
            x: 12; y: 10
            width: parent.width - 24
            spacing: 8
            Text {
                objectName: "trayNoticeText"
                width: parent.width
                text: window.notice
                wrapMode: Text.Wrap
                color: TileGraphics.primaryColor
                font.pixelSize: 13
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Button {
                objectName: "trayNoticeButton"
                text: qsTranslate("Velmora", "Got it")
                onClicked: window.notice = ""
                Accessible.name: text
                Accessible.onPressAction: clicked()
            }
        }
    }
    MinesweeperView {
        id: view
        objectName: "minesweeperView"
        y: noticeBar.height
        width: implicitWidth
        height: implicitHeight
        game: window.game
        systemSettings: window.systemSettings
        deferredBoard: true
    }
    Rectangle {
        anchors.fill: parent
        visible: window.framed
        color: "transparent"
        border.width: 1
        border.color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.25)
    }
}
