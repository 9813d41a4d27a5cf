#pragma once

#include <QString>

// Names of libvlc's marquee and logo positions.
namespace QmlVlcPosition {

QString name(int position);
// -1 for an unknown name.
int value(const QString& name);

} // namespace QmlVlcPosition
