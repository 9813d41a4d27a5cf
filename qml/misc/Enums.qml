import QtQuick 2.15

// States shared by several screens.
QtObject {
    enum EditorState { ADD, EDIT }

    enum SearchState { DEFAULT, SEARCHING, SEARCHED, STOPPING, STOPED }

    enum TileState { EMPTY, PLAYING, BROKEN, DETACHED }

    enum DialogType { QUESTION, INFO, ALARM, ALERT }

    enum MainTab { DESKTOP, DEVICES, ARCHIVE, SETTINGS }
}
