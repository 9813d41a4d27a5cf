import QtQuick 2.15
import "../toolbuttons"

LynToolButtonBase {
    icon.source: "qrc:/img/buttons/exit.png"
    toolTipText: qsTr("Exit")
}
