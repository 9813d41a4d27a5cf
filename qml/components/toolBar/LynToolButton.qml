import QtQuick 2.15
import QtQuick.Controls 2.15
import "../toolbuttons"

// A tool-bar action: icon, tool tip and the keyboard shortcut users expect for it.
LynToolButtonBase {
    id: control

    property var shortcut: undefined

    toolTipText: text

    Shortcut {
        sequence: control.shortcut === undefined ? "" : control.shortcut
        enabled: control.shortcut !== undefined && control.enabled && control.visible
        onActivated: control.clicked()
    }
}
