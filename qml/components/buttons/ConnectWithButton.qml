import QtQuick 2.15

// A button that links the client to an outside account; `serviceIcon` names the service.
LynButton {
    property url serviceIcon: "qrc:/img/buttons/connect.png"

    icon.source: serviceIcon
}
