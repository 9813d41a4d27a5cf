import QtQuick 2.15
import QtQuick.Controls 2.15
import "../misc"

ComboBox {
    id: control

    implicitHeight: LynAppStyle.controlHeight
    font.family: LynAppStyle.fontFamily
    font.pointSize: LynAppStyle.fontSize
    hoverEnabled: true

    delegate: ItemDelegate {
        width: control.width
        height: LynAppStyle.controlHeight
        highlighted: control.highlightedIndex === index
        contentItem: Text {
            text: control.textRole ? (Array.isArray(control.model) ? modelData[control.textRole] : model[control.textRole])
                                   : modelData
            font: control.font
            color: LynAppStyle.textColor
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        background: Rectangle {
            color: highlighted ? LynAppStyle.hoverColor : LynAppStyle.transparent
        }
    }

    indicator: Image {
        x: control.width - width - LynAppStyle.smallSpacing
        y: (control.height - height) / 2
        width: LynAppStyle.smallIconSize
        height: width
        rotation: 90
        source: "qrc:/img/calendar/next.png"
        sourceSize: Qt.size(width * 2, height * 2)
    }

    contentItem: Text {
        leftPadding: LynAppStyle.spacing
        rightPadding: control.indicator.width + LynAppStyle.spacing
        text: control.displayText
        font: control.font
        color: control.enabled ? LynAppStyle.textColor : LynAppStyle.textDisabledColor
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        radius: LynAppStyle.radius
        color: control.hovered ? LynAppStyle.hoverColor : LynAppStyle.windowColor
        border.color: control.activeFocus ? LynAppStyle.accentColor : LynAppStyle.borderColor
    }

    popup: Popup {
        y: control.height
        width: control.width
        implicitHeight: Math.min(contentItem.implicitHeight, 300)
        padding: 1

        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }
        background: Rectangle {
            color: LynAppStyle.popupColor
            border.color: LynAppStyle.borderColor
            radius: LynAppStyle.radius
        }
    }
}
