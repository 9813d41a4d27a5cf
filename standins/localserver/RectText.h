#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

namespace Standin {

// The object-detection notification "srRectText" of controller "cam":
// {"ctl": "cam", "action": "srRectText", "rstIDDevice": <device rowID>,
//  "dtCreate": <ms since the epoch, UTC>,
//  "rects": [{"x", "y", "width", "height": 0..1 of the picture's width/height,
//             from its top left corner, "label": COCO class name,
//             "probability": 0..1}, ...]}
struct RectText
{
    struct Box
    {
        double x = 0;
        double y = 0;
        double width = 0;
        double height = 0;
        QString label;
        double probability = 0;
    };

    qint64 deviceId = 0;
    qint64 dtCreate = 0;
    QList<Box> boxes;

    QJsonObject toMessage() const;
    // The 80 class names as the detector writes them.
    static const QStringList &classNames();
};

} // namespace Standin
