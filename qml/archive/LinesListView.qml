import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

// The lines of the chosen day, one per device.
ListView {
    id: list

    property real labelWidth: 140
    property real viewStart: 0
    property real pixelPerSecond: 1
    property int currentDevice: -1

    signal picked(int deviceId, real second, var piece)

    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    delegate: DelegateListView {
        width: list.width
        deviceId: model.rstIDDevice
        name: model.deviceName
        segmentsText: model.modelOfArchiveLine
        labelWidth: list.labelWidth
        viewStart: list.viewStart
        pixelPerSecond: list.pixelPerSecond
        current: model.rstIDDevice === list.currentDevice
        onPicked: list.picked(deviceId, second, piece)
    }
}
