import QtQuick 2.15
import QtQuick.Layouts 1.15

// Pages created on first show, in the background, and kept afterwards.
StackLayout {
    id: stack

    property list<Component> pages

    Repeater {
        model: stack.pages.length
        Loader {
            readonly property bool shown: index === stack.currentIndex
            asynchronous: true
            active: shown || status !== Loader.Null
            sourceComponent: stack.pages[index]
        }
    }
}
