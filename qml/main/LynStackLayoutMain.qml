import QtQuick 2.15
import "../components"
import "../desktop"
import "../devices/table"
import "../archive"
import "../settings"

// The pages behind the main tabs, created when first shown.
LynStackLayout {
    id: root
    objectName: "mainStack"

    // What the screens share for the life of the window (GlobalObjects).
    property QtObject globalObjects

    pages: [
        Component { Desktop { objectName: "desktopPage"; globalObjects: root.globalObjects } },
        Component { DeviceTable { objectName: "devicesPage"; globalObjects: root.globalObjects } },
        Component { Archive { objectName: "archivePage"; globalObjects: root.globalObjects } },
        Component { Settings { objectName: "settingsPage"; globalObjects: root.globalObjects } }
    ]
}
