import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import "buttons"
import "text"
import "../misc"

// Title bar of a frameless window: icon, optional content (a menu bar), title, window buttons.
Rectangle {
    id: bar

    property Window window
    property alias title: titleLabel.text
    property url iconSource: "qrc:/img/common/app_icon.png"
    property alias maximizable: windowButtons.maximizable
    readonly property alias maximized: windowButtons.maximized
    default property alias content: contentRow.data

    signal closeRequested()

    implicitHeight: LynAppStyle.titleBarHeight
    color: LynAppStyle.headerColor

    DragArea {
        objectName: bar.objectName + "DragArea"
        anchors.fill: parent
        window: bar.window
        locked: bar.maximized
        onDoubleClickedOnArea: windowButtons.toggleMaximized()
    }

    RowLayout {
        anchors.fill: parent
        spacing: LynAppStyle.spacing

        Image {
            Layout.leftMargin: LynAppStyle.spacing
            Layout.preferredWidth: LynAppStyle.iconSize
            Layout.preferredHeight: LynAppStyle.iconSize
            source: bar.iconSource
            sourceSize: Qt.size(width * 2, height * 2)
        }
        Row {
            id: contentRow
            Layout.fillHeight: true
        }
        LynLabel {
            id: titleLabel
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            color: LynAppStyle.textSecondaryColor
            font.pointSize: LynAppStyle.titleFontSize
        }
        WindowButtons {
            id: windowButtons
            Layout.alignment: Qt.AlignRight | Qt.AlignTop
            window: bar.window
            onCloseRequested: bar.closeRequested()
        }
    }
}
