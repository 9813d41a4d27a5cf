import QtQuick 2.15
import "../../misc"

// Icon button that keeps its original colours (images drawn in colour).
LynToolButtonBase {
    icon.color: LynAppStyle.transparent
    opacity: enabled ? 1 : 0.4
}
