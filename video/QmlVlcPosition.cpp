#include "QmlVlcPosition.h"

namespace QmlVlcPosition {

namespace {
struct Entry
{
    int value;
    const char* name;
};

constexpr Entry entries[] = {
    {0, "center"}, {1, "left"}, {2, "right"},
    {4, "top"}, {5, "top-left"}, {6, "top-right"},
    {8, "bottom"}, {9, "bottom-left"}, {10, "bottom-right"},
};
} // namespace

QString name(int position)
{
    for (const Entry& entry : entries) {
        if (entry.value == position)
            return QString::fromLatin1(entry.name);
    }
    return {};
}

int value(const QString& name)
{
    for (const Entry& entry : entries) {
        if (name == QLatin1String(entry.name))
            return entry.value;
    }
    return -1;
}

} // namespace QmlVlcPosition
