import QtQuick 2.15

// A window-wide shortcut that is live only while its owner is visible.
Shortcut {
    property Item owner: null

    context: Qt.WindowShortcut
    enabled: owner === null || owner.visible
}
