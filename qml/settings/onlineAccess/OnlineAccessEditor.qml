import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import LYN 1.0
import "../../components"
import "../../components/buttons"
import "../../components/text"
import "../../misc"
import "../youtube"

// Online access through the account service. Signing in stores the service's key in the
// online-access record and fetches the YouTube tokens kept with the account.
LynFrameWindow {
    id: window

    property var record: ({})
    property bool signUpShown: false
    // "signin", "signup" or "signout".
    readonly property string accessState: signUpShown ? "signup" : record.authKey ? "signout" : "signin"
    property string pendingEmail: ""
    property bool pendingEnabled: true

    title: qsTr("Online access")
    width: 480
    height: 400

    function save(values) {
        if (record.rowID === undefined)
            return
        values.rowID = record.rowID
        onlineAccess.trUpdate(values)
    }

    // The window exists from the start; the records are read when it is opened.
    onVisibleChanged: if (visible) {
        onlineAccess.trQuery()
        youtube.reload()
    }

    OnlineAccessSettingsController {
        id: onlineAccess
        useTrQuery: true
        onSaQuery: function(mapParams) {
            var records = mapParams.records || []
            if (records.length === 0)
                return
            originalModel.addRow(records[0])
            if (records[0].rowID !== window.record.rowID || records[0].dtUpdate !== window.record.dtUpdate)
                window.record = records[0]
        }
    }

    YoutubeAccount { id: youtube }

    MainSiteApiController {
        id: site
        onSaKeyAuth: function(mapParams) {
            signIn.busy = false
            if (!mapParams.status) {
                signIn.problem = mapParams.errorMessage || qsTr("The service refused the sign-in")
                return
            }
            var key = mapParams.result.auth_key
            signIn.clearPassword()
            window.save({ login: window.pendingEmail, authKey: key, enabled: window.pendingEnabled })
            site.youtubeTokensRequest({ auth_key: key })
        }
        onSaYoutubeTokensRequest: function(mapParams) {
            if (mapParams.status && mapParams.result.refresh_token)
                youtube.storeTokens(mapParams.result)
        }
    }

    Rectangle {
        anchors.fill: parent
        color: LynAppStyle.panelColor

        StackLayout {
            anchors.fill: parent
            anchors.margins: LynAppStyle.margin
            currentIndex: ["signin", "signup", "signout"].indexOf(window.accessState)

            OnlineAccessSignIn {
                id: signIn
                objectName: "onlineAccessSignIn"
                onLoginRequested: function(email, password, onlineEnabled) {
                    busy = true
                    window.pendingEmail = email
                    window.pendingEnabled = onlineEnabled
                    site.keyAuthRequest({ email: email, password: password })
                }
                onSignUpRequested: window.signUpShown = true
            }
            ColumnLayout {
                objectName: "onlineAccessSignUp"
                spacing: LynAppStyle.spacing
                LynLabel {
                    Layout.fillWidth: true
                    text: qsTr("Accounts are created on the service's web site. Create one there, then sign in here with its e-mail and password.")
                    wrapMode: Text.WordWrap
                }
                Item { Layout.fillHeight: true }
                LynButton {
                    objectName: "onlineAccessBackButton"
                    Layout.alignment: Qt.AlignRight
                    text: qsTr("Back to sign in")
                    onClicked: window.signUpShown = false
                }
            }
            OnlineAccessSignOut {
                objectName: "onlineAccessSignOut"
                email: window.record.login || ""
                onlineEnabled: !!window.record.enabled
                onEnabledToggled: function(on) { window.save({ enabled: on }) }
                onSignOutRequested: window.save({ login: "", authKey: "" })
            }
        }
    }
}
