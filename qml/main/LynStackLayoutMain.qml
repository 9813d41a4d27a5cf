import QtQuick 2.15
import "../components"
import "../components/text"
import "../misc"

// The pages behind the main tabs, created when first shown.
LynStackLayout {
    objectName: "mainStack"

    component PlaceholderPage: Rectangle {
        property alias title: caption.text

        color: LynAppStyle.windowColor
        LynLabel {
            id: caption
            anchors.centerIn: parent
            color: LynAppStyle.textDisabledColor
            font.pointSize: LynAppStyle.headerFontSize
        }
    }

    pages: [
        Component { PlaceholderPage { objectName: "desktopPage"; title: qsTr("Desktop") } },
        Component { PlaceholderPage { objectName: "devicesPage"; title: qsTr("Devices") } },
        Component { PlaceholderPage { objectName: "archivePage"; title: qsTr("Archive") } },
        Component { PlaceholderPage { objectName: "settingsPage"; title: qsTr("Settings") } }
    ]
}
