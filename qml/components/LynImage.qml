import QtQuick 2.15

// An image drawn at twice its size for sharp edges on scaled screens.
Image {
    fillMode: Image.PreserveAspectFit
    smooth: true
    mipmap: true
    sourceSize: Qt.size(width * 2, height * 2)
}
