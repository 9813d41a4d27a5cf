#pragma once

#include <QImage>
#include <QRect>

namespace ImageCompare {

// Largest difference of the per-channel means of two equally sized regions.
double meanDifference(const QImage& a, const QRect& regionA, const QImage& b, const QRect& regionB);

} // namespace ImageCompare
