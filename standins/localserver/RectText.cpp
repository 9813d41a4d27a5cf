#include "RectText.h"

#include <QJsonArray>

namespace Standin {

QJsonObject RectText::toMessage() const
{
    QJsonArray rects;
    for (const Box &box : boxes) {
        rects.append(QJsonObject{{"x", box.x}, {"y", box.y}, {"width", box.width}, {"height", box.height},
                                 {"label", box.label}, {"probability", box.probability}});
    }
    return {{"ctl", "cam"}, {"action", "srRectText"}, {"rstIDDevice", deviceId}, {"dtCreate", dtCreate}, {"rects", rects}};
}

const QStringList &RectText::classNames()
{
    static const QStringList names{
        "person", "bicycle", "car", "motorbike", "aeroplane", "bus", "train", "truck", "boat", "traffic light",
        "fire hydrant", "stop sign", "parking meter", "bench", "bird", "cat", "dog", "horse", "sheep", "cow",
        "elephant", "bear", "zebra", "giraffe", "backpack", "umbrella", "handbag", "tie", "suitcase", "frisbee",
        "skis", "snowboard", "sports ball", "kite", "baseball bat", "baseball glove", "skateboard", "surfboard",
        "tennis racket", "bottle", "wine glass", "cup", "fork", "knife", "spoon", "bowl", "banana", "apple",
        "sandwich", "orange", "broccoli", "carrot", "hot dog", "pizza", "donut", "cake", "chair", "sofa",
        "pottedplant", "bed", "diningtable", "toilet", "tvmonitor", "laptop", "mouse", "remote", "keyboard",
        "cell phone", "microwave", "oven", "toaster", "sink", "refrigerator", "book", "clock", "vase", "scissors",
        "teddy bear", "hair drier", "toothbrush"};
    return names;
}

} // namespace Standin
