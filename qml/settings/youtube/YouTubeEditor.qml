import QtQuick 2.15
import LYN 1.0
import "../../components"
import "../../components/text"
import "../../misc"

// YouTube settings: the record is shared with every other screen and follows the server.
LynEditor {
    id: editor

    title: qsTr("YouTube")
    form: essentials

    // What the last save sent: its echo can come back after the user typed on.
    property var lastSaved: null

    // True when the record holds these form values.
    function recordHolds(record, values) {
        for (var key in values) {
            var same = typeof values[key] === "boolean" ? !!record[key] === values[key]
                                                        : String(record[key]) === String(values[key])
            if (!same)
                return false
        }
        return true
    }

    YoutubeAccount {
        id: account
        // A change from elsewhere reloads the form; the echo of its own save leaves typing alone.
        onRecordChanged: {
            if (!editor.recordHolds(record, essentials.getMapParams())
                    && !(editor.lastSaved && editor.recordHolds(record, editor.lastSaved)))
                essentials.load(record)
        }
    }
    PrivateYoutubeTypeController { id: privacyTypes }
    DeviceController {
        id: devices

        property bool loaded: false

        useTrQuery: true
        Component.onCompleted: trQuery()
        onSaQuery: function(mapParams) {
            var records = mapParams.records || []
            for (var i = 0; i < records.length; ++i)
                originalModel.addRow(records[i])
            // The rows merge once the answer is handled; the chosen device may arrive after the record.
            if (!loaded)
                Qt.callLater(essentials.populateForm, account.record)
            loaded = true
        }
    }

    onCancelled: essentials.load(account.record)

    YouTubeEssentials {
        id: essentials
        objectName: "youTubeEssentials"
        width: parent ? parent.width : implicitWidth
        linked: account.linked
        // The stored placeholder is a key, shown in the user's language.
        channelName: account.record.channelName && account.record.channelName !== account.undefinedChannel
                     ? account.record.channelName : qsTr("Undefined channel")
        privacyModel: privacyTypes.proxyModel
        deviceModel: devices.proxyModel

        onSaveRequested: function(editorState, mapParams) {
            editor.lastSaved = mapParams
            account.save(mapParams)
        }
        onLinkRequested: signInFrame.start()
        onUnlinkRequested: account.unlink()

        LynLabel {
            objectName: "youtubeProblem"
            visible: account.lastError !== ""
            text: account.lastError
            color: LynAppStyle.errorColor
        }
    }

    OAth2SignInFrame {
        id: signInFrame
        objectName: "oauthSignInFrame"
        authorizationUrl: account.api.authorizationUrl
        tokenUrl: account.api.tokenUrl
        clientId: account.api.clientId
        clientSecret: account.api.clientSecret
        onTokensReceived: function(tokens) { account.storeTokens(tokens) }
    }
}
