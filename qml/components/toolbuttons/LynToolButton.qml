import QtQuick 2.15

// Icon button that keeps its original colours (images drawn in colour).
LynToolButtonBase {
    icon.color: "transparent"
    opacity: enabled ? 1 : 0.4
}
