import QtQuick 2.15
import LYN 1.0

// The YouTube settings record as every settings screen sees it, and the account steps
// that change it: storing a token pair, reading the channel name, unlinking.
QtObject {
    id: account

    readonly property string undefinedChannel: "Undefined channel"
    property var record: ({})
    readonly property bool linked: !!record.refresh_token
    property string lastError: ""
    // The pair being stored; the channel is read with it once the server has it.
    property var pendingTokens: null

    readonly property YoutubeSettingsController settings: YoutubeSettingsController {
        useTrQuery: true
        onSaQuery: function(mapParams) {
            var records = mapParams.records || []
            if (records.length === 0)
                return
            // Refreshes repeat the record; only a changed one reloads the screens.
            originalModel.addRow(records[0])
            if (records[0].rowID !== account.record.rowID || records[0].dtUpdate !== account.record.dtUpdate)
                account.record = records[0]
        }
        onSaUpdate: function(mapParams) {
            // Every screen's controller hears every answer; only the asker reacts.
            if (String(mapParams._receiver) !== String(objectNumber))
                return
            if (mapParams.status !== "OK") {
                account.lastError = mapParams.errorMessage || qsTr("The server refused the change")
                return
            }
            account.lastError = ""
            if (mapParams._isSetToken && account.pendingTokens) {
                var tokens = account.pendingTokens
                account.pendingTokens = null
                account.readChannelName(tokens.access_token, tokens.refresh_token)
            }
        }
    }

    readonly property YoutubeApiController api: YoutubeApiController {}

    function reload() {
        settings.trQuery()
    }

    function save(values) {
        if (record.rowID === undefined)
            return
        values.rowID = record.rowID
        settings.trUpdate(values)
    }

    // tokens: an answer of the token endpoint or of the account service.
    function storeTokens(tokens) {
        var expires = tokens.utc_expired_date
        if (!expires && tokens.expires_in)
            expires = new Date(Date.now() + tokens.expires_in * 1000).toISOString()
        pendingTokens = { access_token: tokens.access_token || "", refresh_token: tokens.refresh_token || "" }
        save({
            access_token: pendingTokens.access_token,
            refresh_token: pendingTokens.refresh_token,
            utc_expired_date: expires || "",
            _isSetToken: true
        })
    }

    function readChannelName(accessToken, refreshToken) {
        var answer = api.channelListRequest({ access_token: accessToken, refresh_token: refreshToken, part: "snippet" })
        var items = answer.status && answer.result ? answer.result.items || [] : []
        if (items.length === 0 || !items[0].snippet) {
            lastError = answer.errorMessage || qsTr("The channel of this account was not found")
            return
        }
        save({ channelName: items[0].snippet.title })
    }

    function unlink() {
        save({ access_token: "", refresh_token: "", utc_expired_date: "", channelName: undefinedChannel })
    }

    Component.onCompleted: reload()
}
