import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "buttons"
import "text"
import "../misc"

// Modal message box over the window: image by `type`, text, accept/reject buttons.
Popup {
    id: dialog

    property int type: Enums.DialogType.INFO
    property string title: ""
    property string text: ""
    property alias acceptText: buttonBox.acceptText
    property alias rejectText: buttonBox.rejectText
    property alias rejectVisible: buttonBox.rejectVisible

    signal accepted()
    signal rejected()

    readonly property var images: ["qrc:/img/dialog/question.png", "qrc:/img/dialog/info.png",
        "qrc:/img/dialog/alarm.png", "qrc:/img/dialog/alert.png"]

    function show(dialogType, dialogTitle, dialogText) {
        type = dialogType
        title = dialogTitle
        text = dialogText
        open()
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: LynAppStyle.margin
    width: Math.min(Math.max(360, implicitWidth), parent ? parent.width - 40 : 480)

    // Closing by Escape counts as a rejection.
    property bool handled: false
    onAboutToShow: handled = false
    onClosed: if (!handled) rejected()

    function finish(accept) {
        handled = true
        close()
        if (accept)
            accepted()
        else
            rejected()
    }

    Overlay.modal: Rectangle { color: LynAppStyle.dimColor }

    background: Rectangle {
        color: LynAppStyle.popupColor
        border.color: LynAppStyle.borderColor
        radius: LynAppStyle.radius
    }

    contentItem: ColumnLayout {
        spacing: LynAppStyle.margin
        focus: true
        Keys.onReturnPressed: dialog.finish(true)
        Keys.onEnterPressed: dialog.finish(true)

        LynLabel {
            objectName: dialog.objectName + "Title"
            Layout.fillWidth: true
            visible: dialog.title !== ""
            text: dialog.title
            font.pointSize: LynAppStyle.headerFontSize
            font.weight: Font.Medium
        }
        RowLayout {
            spacing: LynAppStyle.margin
            Image {
                objectName: dialog.objectName + "Image"
                Layout.alignment: Qt.AlignTop
                Layout.preferredWidth: LynAppStyle.dialogIconSize
                Layout.preferredHeight: LynAppStyle.dialogIconSize
                source: dialog.images[dialog.type]
                sourceSize: Qt.size(width, height)
            }
            LynText {
                objectName: dialog.objectName + "Text"
                Layout.fillWidth: true
                Layout.maximumWidth: 480
                text: dialog.text
            }
        }
        LynDialogButtonBox {
            id: buttonBox
            objectName: dialog.objectName + "ButtonBox"
            buttonNamePrefix: dialog.objectName
            Layout.alignment: Qt.AlignRight
            rejectVisible: dialog.type === Enums.DialogType.QUESTION
            onAccepted: dialog.finish(true)
            onRejected: dialog.finish(false)
        }
    }
}
