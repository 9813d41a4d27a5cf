import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../misc"
import "general"
import "youtube"
import "telegram"

// The settings tab: the list of sections beside the editor of the chosen one.
Rectangle {
    id: root

    property QtObject globalObjects

    color: LynAppStyle.windowColor

    RowLayout {
        anchors.fill: parent
        anchors.margins: LynAppStyle.margin
        spacing: LynAppStyle.margin

        ListView {
            id: sections
            objectName: "settingsSections"
            Layout.preferredWidth: 200
            Layout.fillHeight: true
            focus: true
            keyNavigationEnabled: true
            boundsBehavior: Flickable.StopAtBounds
            model: [
                { key: "general", title: qsTr("General") },
                { key: "youtube", title: qsTr("YouTube") },
                { key: "telegram", title: qsTr("Telegram") }
            ]
            delegate: ItemDelegate {
                objectName: "settingsSection_" + modelData.key
                width: sections.width
                height: LynAppStyle.controlHeight + LynAppStyle.spacing
                highlighted: ListView.isCurrentItem
                text: modelData.title
                font.family: LynAppStyle.fontFamily
                font.pointSize: LynAppStyle.fontSize
                contentItem: Text {
                    text: parent.text
                    font: parent.font
                    color: LynAppStyle.textColor
                    verticalAlignment: Text.AlignVCenter
                    elide: Text.ElideRight
                }
                background: Rectangle {
                    radius: LynAppStyle.radius
                    color: parent.highlighted ? LynAppStyle.selectionColor
                                              : parent.hovered ? LynAppStyle.hoverColor : LynAppStyle.panelColor
                }
                onClicked: {
                    sections.currentIndex = index
                    sections.forceActiveFocus()
                }
            }
        }

        StackLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            currentIndex: sections.currentIndex

            GeneralEditor { objectName: "generalEditor" }
            YouTubeEditor { objectName: "youTubeEditor" }
            TelegramEditor { objectName: "telegramEditor" }
        }
    }
}
