import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtWebEngine 1.10
import "../../components"
import "../../components/text"
import "../../misc"

// The sign-in page of the video platform in a web view. The page reports the authorization
// code in its title ("Success code=…"); the code is exchanged for a token pair here.
LynFrameWindow {
    id: frame

    // The token endpoint, the application's OAuth client and the authorization page.
    property string authorizationUrl
    property string tokenUrl
    property string clientId
    property string clientSecret
    readonly property string redirectUri: "urn:ietf:wg:oauth:2.0:oob"
    readonly property string scopes: "https://www.googleapis.com/auth/youtube.upload "
                                     + "https://www.googleapis.com/auth/youtube.readonly"
    property string problem: ""

    // The token endpoint's answer with access_token and refresh_token.
    signal tokensReceived(var tokens)

    title: qsTr("YouTube sign in")
    width: 640
    height: 720
    modality: Qt.ApplicationModal

    function signInUrl() {
        return authorizationUrl + "?client_id=" + encodeURIComponent(clientId)
                + "&redirect_uri=" + encodeURIComponent(redirectUri)
                + "&scope=" + encodeURIComponent(scopes)
                + "&response_type=code"
                + "&access_type=offline"
    }

    function start() {
        problem = ""
        exchanging = false
        view.url = signInUrl()
        show()
        raise()
        requestActivate()
    }

    property bool exchanging: false

    function exchange(code) {
        exchanging = true
        var request = new XMLHttpRequest()
        request.onreadystatechange = function() {
            if (request.readyState !== XMLHttpRequest.DONE)
                return
            exchanging = false
            var answer = null
            try {
                answer = JSON.parse(request.responseText)
            } catch (e) {
                answer = null
            }
            if (request.status !== 200 || !answer || !answer.access_token) {
                problem = qsTr("The sign-in service refused the code (%1)").arg(request.status)
                return
            }
            tokensReceived(answer)
            close()
        }
        request.open("POST", tokenUrl)
        request.setRequestHeader("Content-type", "application/x-www-form-urlencoded")
        request.send("code=%1&client_id=%2&client_secret=%3&redirect_uri=%4&grant_type=authorization_code"
                     .arg(encodeURIComponent(code)).arg(encodeURIComponent(clientId))
                     .arg(encodeURIComponent(clientSecret)).arg(encodeURIComponent(redirectUri)))
    }

    onClosing: view.url = "about:blank"

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        WebEngineView {
            id: view
            objectName: "oauthWebView"
            Layout.fillWidth: true
            Layout.fillHeight: true
            onTitleChanged: {
                if (title.indexOf("Success") !== 0 || frame.exchanging)
                    return
                var found = /code=([^&\s]+)/.exec(title)
                if (found)
                    frame.exchange(found[1])
                else
                    frame.problem = qsTr("The sign-in page gave no code")
            }
            onLoadingChanged: function(request) {
                if (request.status === WebEngineView.LoadFailedStatus)
                    frame.problem = qsTr("The sign-in page did not load: %1").arg(request.errorString)
            }
        }
        LynLabel {
            objectName: "oauthProblem"
            Layout.fillWidth: true
            Layout.margins: LynAppStyle.spacing
            visible: frame.problem !== ""
            text: frame.problem
            color: LynAppStyle.errorColor
            wrapMode: Text.WordWrap
        }
    }
}
