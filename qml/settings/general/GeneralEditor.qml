import QtQuick 2.15
import "../../components"
import "../../components/text"
import "../../misc"

// General settings, kept in main.conf. Changes of the server take effect at the next start;
// the language applies at once.
LynEditor {
    id: editor

    title: qsTr("General")
    form: essentials

    function settingsRecord() {
        return {
            p2p: SETTINGS.value("P2pServer", "enabled", "no"),
            remoteSign: SETTINGS.value("P2pClient", "remoteSign", ""),
            ip: SETTINGS.value("Server", "ip", "127.0.0.1"),
            port: SETTINGS.value("Server", "port", "27014"),
            password: SETTINGS.value("Server", "password", ""),
            language: SETTINGS.value("other", "language", "en"),
            videoPath: SETTINGS.value("other", "videoFilePath", WORK_DIR + "/video")
        }
    }

    Component.onCompleted: essentials.load(settingsRecord())
    onCancelled: essentials.load(settingsRecord())

    GeneralEssentials {
        id: essentials
        objectName: "generalEssentials"
        width: parent ? parent.width : implicitWidth

        onSaveRequested: function(editorState, mapParams) {
            SETTINGS.setValue("P2pServer", "enabled", mapParams.p2p)
            SETTINGS.setValue("P2pClient", "remoteSign", mapParams.remoteSign)
            SETTINGS.setValue("Server", "ip", mapParams.ip)
            SETTINGS.setValue("Server", "port", mapParams.port)
            SETTINGS.setValue("Server", "password", mapParams.password)
            SETTINGS.setValue("other", "videoFilePath", mapParams.videoPath)
            savedNote.visible = true
            saved()
        }
        onLanguageChosen: function(locale) {
            SETTINGS.setValue("other", "language", locale)
            TR.setLocale(locale)
        }

        LynLabel {
            id: savedNote
            objectName: "generalSavedNote"
            visible: false
            text: qsTr("Saved. Restart the application to use the new server settings.")
            color: LynAppStyle.okColor
        }
    }
}
