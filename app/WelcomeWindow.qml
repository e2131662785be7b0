import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Window
import Velmora

// The first-launch window: where the game lives and how to find it. The controller sizes,
// centres and closes it; this file only lays it out.
Window {
    id: window
    objectName: "welcomeWindow"

    required property string iconName
    required property real systemScale
    required property string timeText
    // The desktop's panel, and so the tray, is at the bottom of the screen (Plasma's default).
    property bool panelAtBottom: false
    signal dismissRequested()

    readonly property real k: systemScale
    readonly property color secondaryText: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                                   TileGraphics.primaryColor.b, 0.5)

    // The window list and the window manager name the program as well as the page.
    title: qsTranslate("Velmora", "Welcome") + " — " + qsTranslate("Velmora", "Velmora")
    color: TileGraphics.windowColor
    // The window takes exactly the size of its content. The limits follow the content, not
    // the window's own size: bound to width, a limit set first clamps the width and the
    // binding loop leaves the window 1 px wide (Qt 6.8).
    readonly property int fittedWidth: Math.ceil(content.width)
    readonly property int fittedHeight: Math.ceil(content.implicitHeight)
    width: fittedWidth
    height: fittedHeight
    minimumWidth: fittedWidth
    maximumWidth: fittedWidth
    minimumHeight: fittedHeight
    maximumHeight: fittedHeight

    // Return and Enter are the window's default action, wherever the focus is.
    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: window.dismissRequested()
    }

    Column {
        id: content
        width: 400 * window.k
        padding: 28 * window.k
        spacing: 14 * window.k
        readonly property real lineWidth: width - 2 * padding

        Image {
            objectName: "welcomeAppIcon"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 80 * window.k
            height: 80 * window.k
            sourceSize: Qt.size(width * Screen.devicePixelRatio, height * Screen.devicePixelRatio)
            source: "qrc:/velmora/app/icons/velmora.svg"
            fillMode: Image.Stretch
            Accessible.ignored: true
        }

        Text {
            id: welcomeTitle
            objectName: "welcomeTitle"
            width: content.lineWidth
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTranslate("Velmora", "Welcome to Velmora")
            font.pixelSize: 17 * window.k
            font.weight: Font.DemiBold
            color: TileGraphics.primaryColor
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }

        Text {
            id: welcomeMenuBarText
            objectName: "welcomeMenuBarText"
            width: content.lineWidth
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: window.panelAtBottom
                  ? qsTranslate("Velmora", "Velmora lives in your menu bar. Click its icon at the bottom of your screen to play. It looks like this:")
                  : qsTranslate("Velmora", "Velmora lives in your menu bar. Click its icon at the top of your screen to play. It looks like this:")
            font.pixelSize: 13 * window.k
            color: TileGraphics.primaryColor
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        // A picture of a panel: two everyday symbols, the game's icon highlighted, a clock.
        Rectangle {
            objectName: "welcomeIconHint"
            anchors.horizontalCenter: parent.horizontalCenter
            width: bar.implicitWidth + 40 * window.k
            height: bar.implicitHeight + 20 * window.k
            radius: 10 * window.k
            color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g, TileGraphics.primaryColor.b, 0.1)
            Accessible.role: Accessible.Graphic
            Accessible.name: qsTranslate("Velmora", "The game's icon, highlighted in the menu bar")

            Row {
                id: bar
                anchors.centerIn: parent
                spacing: 18 * window.k

                SymbolImage {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "wifi"
                    pointSize: 20 * window.k
                    Accessible.ignored: true
                }
                SymbolImage {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "battery.100percent"
                    pointSize: 20 * window.k
                    Accessible.ignored: true
                }
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: highlighted.width + 14 * window.k
                    height: highlighted.height + 6 * window.k
                    radius: 6 * window.k
                    color: Qt.rgba(TileGraphics.primaryColor.r, TileGraphics.primaryColor.g,
                                   TileGraphics.primaryColor.b, 0.2)
                    Accessible.ignored: true
                    SymbolImage {
                        id: highlighted
                        objectName: "welcomeHighlightedIcon"
                        anchors.centerIn: parent
                        name: window.iconName
                        pointSize: 20 * window.k
                        Accessible.ignored: true
                    }
                }
                Text {
                    objectName: "welcomeClock"
                    anchors.verticalCenter: parent.verticalCenter
                    text: window.timeText
                    font.pixelSize: 20 * window.k
                    font.weight: Font.Medium
                    color: TileGraphics.primaryColor
                    Accessible.ignored: true
                }
            }
        }

        Text {
            id: welcomeHiddenIconText
            objectName: "welcomeHiddenIconText"
            width: content.lineWidth
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTranslate("Velmora", "Can't see it? Check your panel's tray settings if it is hidden.")
            font.pixelSize: 13 * window.k
            color: window.secondaryText
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Text {
            id: welcomeRulesText
            objectName: "welcomeRulesText"
            width: content.lineWidth
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTranslate("Velmora", "Need the rules? Open the game's menu and choose How to Play.")
            font.pixelSize: 13 * window.k
            color: window.secondaryText
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: gotIt.implicitWidth
            height: gotIt.implicitHeight + 4 * window.k

            Button {
                id: gotIt
                objectName: "welcomeGotItButton"
                anchors.bottom: parent.bottom
                text: qsTranslate("Velmora", "Got it")
                font.pixelSize: 13 * window.k
                font.weight: Font.Medium
                leftPadding: 16 * window.k
                rightPadding: 16 * window.k
                topPadding: 2 * window.k
                bottomPadding: 2 * window.k
                focus: true
                contentItem: Text {
                    text: gotIt.text
                    font: gotIt.font
                    color: "white"
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle {
                    implicitHeight: 22 * window.k
                    radius: height / 2
                    color: gotIt.down ? Qt.darker(TileGraphics.accentColor, 1.15) : TileGraphics.accentColor
                    border.width: gotIt.visualFocus ? 2 : 0
                    border.color: Qt.lighter(TileGraphics.accentColor, 1.4)
                }
                Accessible.name: text
                // The button has focus when the window opens; a screen reader reads the focused
                // button and its description, so the window's text goes there.
                Accessible.description: [welcomeTitle.text, welcomeMenuBarText.text, welcomeHiddenIconText.text,
                                         welcomeRulesText.text].join(" ")
                Accessible.defaultButton: true
                Accessible.onPressAction: clicked()
                onClicked: window.dismissRequested()
            }
        }
    }
}
