import QtQuick
import Velmora

// Icon, name, version, publisher, what the game is, the publisher's website and copyright.
Column {
    id: screen
    required property ModalScreenController controller
    readonly property real c: controller.contentScale

    spacing: 4

    component Line: Text {
        width: screen.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        font.pixelSize: 13 * screen.c
        color: TileGraphics.secondaryColor
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Item { width: 1; height: 14 - screen.spacing }
    Image {
        objectName: "aboutIcon"
        anchors.horizontalCenter: parent.horizontalCenter
        width: 64 * screen.c
        height: 64 * screen.c
        sourceSize.width: Math.ceil(width * Screen.devicePixelRatio)
        sourceSize.height: Math.ceil(height * Screen.devicePixelRatio)
        source: "image://velmora/appicon/" + Math.ceil(width * Screen.devicePixelRatio)
        Accessible.ignored: true
    }
    Item { width: 1; height: 8 - screen.spacing }
    Line {
        objectName: "aboutName"
        text: qsTranslate("Velmora", "Velmora")
        font.pixelSize: 15 * screen.c
        font.weight: Font.DemiBold
        color: TileGraphics.primaryColor
        Accessible.role: Accessible.Heading
    }
    Line { objectName: "aboutVersion"; text: screen.controller.versionText }
    Line {
        text: qsTranslate("Velmora", "Published by Orvanta LLC")
        font.weight: Font.DemiBold
    }
    Item { width: 1; height: 8 - screen.spacing }
    Line {
        objectName: "aboutDescription"
        width: Math.min(screen.width, 300 * screen.c)
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTranslate("Velmora", "A simple Minesweeper game for your menu bar.")
        color: TileGraphics.primaryColor
    }
    Item { width: 1; height: 14 - screen.spacing }
    CapsuleButton {
        objectName: "visitWebsiteButton"
        anchors.horizontalCenter: parent.horizontalCenter
        s: screen.c
        font.pixelSize: 13 * screen.c
        text: screen.controller.websiteLabel
        Accessible.name: screen.controller.websiteAccessibleLabel
        onClicked: screen.controller.openWebsite()
    }
    Item { width: 1; height: 14 - screen.spacing }
    Line {
        objectName: "aboutCopyright"
        text: qsTranslate("Velmora", "© 2026 Orvanta LLC. All rights reserved.")
        font.pixelSize: 10 * screen.c
    }
}
