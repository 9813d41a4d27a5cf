import QtQuick 2.15
import QtQuick.Controls 2.15

// A scroll area for forms: vertical scrolling only, bars shown when needed.
ScrollView {
    id: view

    clip: true
    contentWidth: availableWidth
    ScrollBar.horizontal.policy: ScrollBar.AlwaysOff
    ScrollBar.vertical.policy: ScrollBar.AsNeeded
}
