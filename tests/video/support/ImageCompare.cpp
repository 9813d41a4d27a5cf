#include "ImageCompare.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ImageCompare {

namespace {
std::array<double, 3> means(const QImage& image, const QRect& region)
{
    std::array<double, 3> sum{0, 0, 0};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb pixel = rgb.pixel(x, y);
            sum[0] += qRed(pixel);
            sum[1] += qGreen(pixel);
            sum[2] += qBlue(pixel);
        }
    }
    const double count = std::max(1, region.width() * region.height());
    return {sum[0] / count, sum[1] / count, sum[2] / count};
}
} // namespace

double meanDifference(const QImage& a, const QRect& regionA, const QImage& b, const QRect& regionB)
{
    const auto ma = means(a, regionA);
    const auto mb = means(b, regionB);
    double worst = 0;
    for (int c = 0; c < 3; ++c)
        worst = std::max(worst, std::abs(ma[c] - mb[c]));
    return worst;
}

} // namespace ImageCompare
