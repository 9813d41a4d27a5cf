import QtQuick 2.15
import QtQuick.Layouts 1.15
import "buttons"
import "text"
import "../misc"

// Frame of an editor: caption, the form (scrolling when long) and Save/Cancel.
// Enter saves, Escape cancels.
FocusScope {
    id: editor

    property string title: ""
    property LynForm form
    default property alias content: scroll.contentData

    signal cancelled()

    implicitWidth: 480
    implicitHeight: 360

    Keys.onReturnPressed: if (form) form.save()
    Keys.onEnterPressed: if (form) form.save()
    Keys.onEscapePressed: cancelled()

    Rectangle {
        anchors.fill: parent
        color: LynAppStyle.panelColor
        border.color: LynAppStyle.borderColor
        radius: LynAppStyle.radius
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: LynAppStyle.margin
        spacing: LynAppStyle.margin

        LynLabel {
            Layout.fillWidth: true
            visible: editor.title !== ""
            text: editor.title
            font.pointSize: LynAppStyle.headerFontSize
            font.weight: Font.Medium
        }
        LynScrollViewBase {
            id: scroll
            Layout.fillWidth: true
            Layout.fillHeight: true
        }
        LynDialogButtonBox {
            Layout.alignment: Qt.AlignRight
            buttonNamePrefix: editor.objectName
            acceptText: qsTr("Save")
            onAccepted: if (editor.form) editor.form.save()
            onRejected: editor.cancelled()
        }
    }
}
