#pragma once

#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QMetaType>

// One decoded three-plane picture in one buffer. libvlc writes straight into
// frameBuf; the planes point into it.
struct QmlVlcI420Frame
{
    QByteArray frameBuf;
    uint16_t width = 0;
    uint16_t height = 0;
    char* yPlane = nullptr;
    uint32_t yPlaneSize = 0;
    char* uPlane = nullptr;
    uint32_t uPlaneSize = 0;
    char* vPlane = nullptr;
    uint32_t vPlaneSize = 0;
};

Q_DECLARE_METATYPE(std::shared_ptr<const QmlVlcI420Frame>)
