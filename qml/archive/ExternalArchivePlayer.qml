import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import LYN 1.0
import "../components/text"
import "../components/toolBar"
import "../misc"

// A window that plays one recorded event, opened from the events table.
Window {
    id: window

    property var rowID
    property int rstIDDevice: -1
    property real dtStart: 0
    property real dtEnd: 0
    property string deviceName: ""
    property string streamKey: ""
    property real positionMs: -1
    property bool paused: false

    function start() {
        if (streamKey !== "" || rstIDDevice < 0)
            return
        streamKey = playerController.trCreateVideo({"rstIDDevice": rstIDDevice, "dtStart": dtStart, "dtEnd": dtEnd,
                                                    "dtStartRange": dtStart, "_playAfterCreate": true}).streamKey
        if (rowID !== undefined)
            archiveController.trInfo({"rowID": rowID})
    }
    function togglePause() {
        if (paused)
            playerController.trPlayVideo({"streamKey": streamKey})
        else
            playerController.trPauseVideo({"streamKey": streamKey})
    }

    objectName: "externalArchivePlayer"
    title: qsTr("%1, %2").arg(deviceName).arg(Qt.formatDateTime(new Date(dtStart), "dd.MM.yyyy hh:mm:ss"))
    width: 640
    height: 440
    color: LynAppStyle.windowColor
    onVisibleChanged: {
        if (visible)
            start()
    }
    onClosing: {
        if (streamKey !== "")
            playerController.trRemoveVideo({"streamKey": streamKey})
        streamKey = ""
        video.stop()
        destroy()
    }

    ArchivePlayerController {
        id: playerController
        onSrNewSDP: {
            if (mapParams.streamKey !== window.streamKey)
                return
            var path = createSDPFile(mapParams)
            if (path !== "")
                video.mrl = "file:///" + path
        }
        onSrPosition: {
            if (mapParams.streamKey !== window.streamKey)
                return
            window.positionMs = mapParams.currentPosition
            window.paused = mapParams.state !== "play"
        }
        onSaPlayVideo: if (mapParams.streamKey === window.streamKey && mapParams.status === "OK") window.paused = false
        onSaPauseVideo: if (mapParams.streamKey === window.streamKey && mapParams.status === "OK") window.paused = true
    }
    ArchiveController {
        id: archiveController
        onSaInfo: {
            if (mapParams.record && mapParams.record.image)
                picture.source = "data:image/jpeg;base64," + mapParams.record.image
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        LynToolBar {
            Layout.fillWidth: true
            LynToolButton {
                objectName: "externalPlayPauseButton"
                icon.source: window.paused ? "qrc:/img/player/play.png" : "qrc:/img/player/pause.png"
                text: window.paused ? qsTr("Play") : qsTr("Pause")
                shortcut: "Space"
                onClicked: window.togglePause()
            }
            LynLabel {
                objectName: "externalPositionLabel"
                text: window.positionMs >= 0 ? Qt.formatDateTime(new Date(window.positionMs), "hh:mm:ss") : ""
            }
        }
        VideoItem {
            id: video
            objectName: "externalArchiveVideo"
            Layout.fillWidth: true
            Layout.fillHeight: true
            placeholder: qsTr("Loading...")

            // The event's snapshot until the video shows.
            Image {
                id: picture
                objectName: "externalEventPicture"
                anchors.fill: parent
                fillMode: Image.PreserveAspectFit
                visible: status === Image.Ready && !video.showing
            }
        }
    }
}
