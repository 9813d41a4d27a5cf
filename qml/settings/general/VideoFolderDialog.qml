import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import Qt.labs.folderlistmodel 2.15
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"

// Picks a folder: its sub-folders are listed, a double click enters one, "Up" leaves it.
Popup {
    id: dialog

    property string path: "/"

    signal chosen(string path)

    function openAt(startPath) {
        path = startPath !== "" ? startPath : "/"
        open()
    }

    function parentOf(folder) {
        var cut = folder.replace(/\/+$/, "").lastIndexOf("/")
        return cut <= 0 ? "/" : folder.substring(0, cut)
    }

    modal: true
    anchors.centerIn: Overlay.overlay
    width: 480
    height: 420
    padding: LynAppStyle.margin

    background: Rectangle {
        color: LynAppStyle.panelColor
        border.color: LynAppStyle.borderColor
        radius: LynAppStyle.radius
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: LynAppStyle.spacing

        RowLayout {
            Layout.fillWidth: true
            spacing: LynAppStyle.spacing
            LynButton {
                objectName: "videoFolderUpButton"
                text: qsTr("Up")
                enabled: dialog.path !== "/"
                onClicked: dialog.path = dialog.parentOf(dialog.path)
            }
            LynLabel {
                objectName: "videoFolderPath"
                Layout.fillWidth: true
                text: dialog.path
                elide: Text.ElideMiddle
            }
        }
        ListView {
            id: folders
            objectName: "videoFolderList"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            focus: true
            ScrollBar.vertical: ScrollBar {}
            model: FolderListModel {
                folder: "file://" + dialog.path
                showFiles: false
                showDotAndDotDot: false
            }
            delegate: ItemDelegate {
                objectName: "videoFolder_" + fileName
                width: folders.width
                height: LynAppStyle.tableRowHeight
                highlighted: ListView.isCurrentItem
                contentItem: Text {
                    text: fileName
                    font.family: LynAppStyle.fontFamily
                    font.pointSize: LynAppStyle.fontSize
                    color: LynAppStyle.textColor
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                }
                background: Rectangle {
                    color: parent.highlighted ? LynAppStyle.selectionColor : LynAppStyle.transparent
                }
                onClicked: folders.currentIndex = index
                onDoubleClicked: dialog.path = filePath
            }
            Keys.onReturnPressed: if (currentItem) dialog.path = model.get(currentIndex, "filePath")
        }
        LynDialogButtonBox {
            Layout.alignment: Qt.AlignRight
            buttonNamePrefix: "videoFolderDialog"
            acceptText: qsTr("Choose")
            onAccepted: {
                dialog.chosen(dialog.path)
                dialog.close()
            }
            onRejected: dialog.close()
        }
    }
}
