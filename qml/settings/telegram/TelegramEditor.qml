import QtQuick 2.15
import LYN 1.0
import "../../components"
import "../../components/text"
import "../../misc"

// Telegram settings: linking goes phone, then the code the server reports, then linked.
LynEditor {
    id: editor

    property var record: ({})
    property string problem: ""

    title: qsTr("Telegram")
    form: essentials

    function own(mapParams) {
        return String(mapParams._receiver) === String(telegram.objectNumber)
    }

    function update(values) {
        if (record.rowID === undefined)
            return
        values.rowID = record.rowID
        telegram.trUpdate(values)
    }

    TelegramSettingsController {
        id: telegram
        useTrQuery: true
        Component.onCompleted: trQuery()
        onSaQuery: function(mapParams) {
            var records = mapParams.records || []
            if (records.length === 0)
                return
            // Refreshes repeat the record; only a changed one reloads the form.
            originalModel.addRow(records[0])
            if (records[0].rowID === editor.record.rowID && records[0].dtUpdate === editor.record.dtUpdate)
                return
            editor.record = records[0]
            essentials.load(editor.record)
        }
        onSaUpdate: function(mapParams) {
            if (!editor.own(mapParams))
                return
            editor.problem = mapParams.status === "OK" ? "" : (mapParams.errorMessage || qsTr("The server refused the change"))
            if (mapParams.status === "OK" && mapParams._request === "save")
                essentials.saved()
        }
        onSrCode: function(mapParams) {
            essentials.sentCode = mapParams.demoCode || mapParams.code || ""
            essentials.linkState = "code"
        }
        onSrLinked: essentials.linkState = "linked"
    }

    onCancelled: essentials.load(record)

    TelegramEssentialsForm {
        id: essentials
        objectName: "telegramEssentials"
        width: parent ? parent.width : implicitWidth

        onSaveRequested: function(editorState, mapParams) {
            mapParams._request = "save"
            editor.update(mapParams)
        }
        onCodeRequested: function(phone) { editor.update({ phone: phone }) }
        onCodeEntered: function(phone, code) { editor.update({ phone: phone, code: code }) }
        onUnlinkRequested: {
            essentials.linkState = "phone"
            editor.update({ isLink: false, enabled: false, code: "" })
        }

        LynLabel {
            objectName: "telegramProblem"
            visible: editor.problem !== ""
            text: editor.problem
            color: LynAppStyle.errorColor
        }
    }
}
