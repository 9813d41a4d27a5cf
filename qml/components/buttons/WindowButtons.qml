import QtQuick 2.15
import QtQuick.Window 2.15
import "../../misc"

// Minimise, maximise/restore and close for a frameless window.
Row {
    id: buttons

    property Window window
    property bool maximizable: true
    // Maximising is done here, not by the window manager: a frameless window that the
    // system maximises covers the task bar, and some systems ignore the request.
    property bool maximized: false
    property rect normalGeometry

    // Closing is the owner's decision (it may have to tell the server first).
    signal closeRequested()

    function toggleMaximized() {
        if (!window || !maximizable)
            return
        if (maximized) {
            window.x = normalGeometry.x
            window.y = normalGeometry.y
            window.width = normalGeometry.width
            window.height = normalGeometry.height
            maximized = false
            return
        }
        normalGeometry = Qt.rect(window.x, window.y, window.width, window.height)
        var screen = window.screen
        window.x = screen.virtualX
        window.y = screen.virtualY
        window.width = Math.min(screen.width, screen.desktopAvailableWidth)
        window.height = Math.min(screen.height, screen.desktopAvailableHeight)
        maximized = true
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
