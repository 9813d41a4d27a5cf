pragma Singleton
import QtQuick 2.15

// Every colour, size, font and duration of the interface, in one place.
QtObject {
    // Surfaces
    readonly property color windowColor: "#1c2026"
    readonly property color panelColor: "#242a31"
    readonly property color panelAltColor: "#2b323a"
    readonly property color headerColor: "#161a1f"
    readonly property color popupColor: "#2b323a"
    readonly property color borderColor: "#3a434d"
    readonly property color separatorColor: "#323a43"
    readonly property color shadowColor: "#80000000"
    readonly property color dimColor: "#99000000"

    // Text
    readonly property color textColor: "#e6e9ed"
    readonly property color textSecondaryColor: "#9aa5b1"
    readonly property color textDisabledColor: "#5d6873"
    readonly property color textOnAccentColor: "#ffffff"

    // Accents and states
    readonly property color accentColor: "#2f8cf0"
    readonly property color accentHoverColor: "#4a9ff5"
    readonly property color accentPressedColor: "#1f6fc4"
    readonly property color hoverColor: "#343d47"
    readonly property color pressedColor: "#3f4954"
    readonly property color selectionColor: "#2a4f78"
    readonly property color okColor: "#43a047"
    readonly property color errorColor: "#e53935"
    readonly property color warningColor: "#f9a825"
    readonly property color closeHoverColor: "#c62828"
    readonly property color transparent: "transparent"

    // Drag and drop
    readonly property color dropAcceptColor: "#4043a047"
    readonly property color dropRejectColor: "#40e53935"

    // Video tiles
    readonly property color videoBackgroundColor: "#000000"
    readonly property color detectionColor: "#e6ff9800"
    readonly property color tileBorderColor: "#3a434d"
    readonly property color tileActiveBorderColor: "#2f8cf0"

    // Sizes
    readonly property int titleBarHeight: 34
    readonly property int tabBarHeight: 40
    readonly property int footerHeight: 26
    readonly property int toolBarHeight: 40
    readonly property int controlHeight: 30
    readonly property int tableRowHeight: 28
    readonly property int tableHeaderHeight: 30
    readonly property int iconSize: 20
    readonly property int smallIconSize: 16
    readonly property int dialogIconSize: 48
    readonly property int windowButtonWidth: 44
    readonly property int radius: 3
    readonly property int borderWidth: 1
    readonly property int spacing: 8
    readonly property int smallSpacing: 4
    readonly property int margin: 12
    readonly property int resizeBorder: 5
    readonly property int calendarCellSize: 32
    readonly property int minimumWindowWidth: 800
    readonly property int minimumWindowHeight: 500

    // Fonts
    readonly property string fontFamily: "Roboto"
    readonly property int fontSize: 10
    readonly property int smallFontSize: 9
    readonly property int titleFontSize: 11
    readonly property int headerFontSize: 14

    // Durations (ms)
    readonly property int animationDuration: 120
    readonly property int toolTipDelay: 600
}
