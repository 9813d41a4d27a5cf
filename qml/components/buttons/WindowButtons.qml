import QtQuick 2.15
import QtQuick.Window 2.15
import "../../misc"

// Minimise, maximise/restore and close for a frameless window.
Row {
    id: buttons

    property Window window
    property bool maximizable: true
    readonly property bool maximized: window !== null && window.visibility === Window.Maximized

    // Closing is the owner's decision (it may have to tell the server first).
    signal closeRequested()

    function toggleMaximized() {
        if (!window || !maximizable)
            return
        if (maximized)
            window.showNormal()
        else
            window.showMaximized()
    }

    WindowButton {
        objectName: "minimizeButton"
        icon.source: "qrc:/img/buttons/minimize.png"
        onClicked: buttons.window.showMinimized()
    }
    WindowButton {
        objectName: "maximizeButton"
        visible: buttons.maximizable
        icon.source: buttons.maximized ? "qrc:/img/buttons/restore.png" : "qrc:/img/buttons/maximize.png"
        onClicked: buttons.toggleMaximized()
    }
    WindowButton {
        objectName: "closeButton"
        hoverColor: LynAppStyle.closeHoverColor
        icon.source: "qrc:/img/buttons/close.png"
        onClicked: buttons.closeRequested()
    }
}
