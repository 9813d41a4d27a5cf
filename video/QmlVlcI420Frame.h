#pragma once

#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QMetaType>

// One decoded three-plane picture in one buffer. libvlc writes straight into
// frameBuf; the planes point into it, each on a 32-byte boundary.
struct QmlVlcI420Frame
{
    QByteArray frameBuf;
    // Buffer size (even, as the chroma planes need) and the picture's own
    // size, one less where the stream's side is odd.
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t visibleWidth = 0;
    uint16_t visibleHeight = 0;
    char* yPlane = nullptr;
    uint32_t yPlaneSize = 0;
    char* uPlane = nullptr;
    uint32_t uPlaneSize = 0;
    char* vPlane = nullptr;
    uint32_t vPlaneSize = 0;
    // Colour coding of the stream: BT.709 or BT.601 coefficients, full
    // (0-255) or limited (16-235) range.
    bool bt709 = false;
    bool fullRange = false;
    // Stamped at display, unique per output; tells a new picture from a
    // reused buffer holding an old one.
    uint64_t serial = 0;
};

Q_DECLARE_METATYPE(std::shared_ptr<const QmlVlcI420Frame>)
