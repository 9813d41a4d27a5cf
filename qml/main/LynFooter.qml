import QtQuick 2.15
import QtQuick.Layouts 1.15
import "../components/text"
import "../misc"

Rectangle {
    id: footer

    property bool connected: false

    implicitHeight: LynAppStyle.footerHeight
    color: LynAppStyle.headerColor

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: LynAppStyle.margin
        anchors.rightMargin: LynAppStyle.margin
        spacing: LynAppStyle.smallSpacing

        Rectangle {
            Layout.preferredWidth: 8
            Layout.preferredHeight: 8
            radius: 4
            color: footer.connected ? LynAppStyle.okColor : LynAppStyle.errorColor
        }
        LynLabel {
            text: qsTr("Connection state is")
            color: LynAppStyle.textSecondaryColor
            font.pointSize: LynAppStyle.smallFontSize
        }
        LynLabel {
            objectName: "connectionStateLabel"
            text: footer.connected ? qsTr("Connected") : qsTr("Disconnected")
            color: footer.connected ? LynAppStyle.okColor : LynAppStyle.errorColor
            font.pointSize: LynAppStyle.smallFontSize
            font.weight: Font.Medium
        }
        Item { Layout.fillWidth: true }
    }
}
