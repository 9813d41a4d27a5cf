#include "controllers/archive/TimeLineSegments.h"

#include "nt_common/core/thread/ThreadHandover.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSGFlatColorMaterial>
#include <QSGGeometryNode>

#include <algorithm>
#include <cmath>

namespace LynClientController {

namespace {
// Events draw over plain recording.
constexpr int kEventType = 1;

QSGGeometryNode *colourNode(const QColor &color)
{
    auto *node = new QSGGeometryNode;
    auto *geometry = new QSGGeometry(QSGGeometry::defaultAttributes_Point2D(), 0);
    geometry->setDrawingMode(QSGGeometry::DrawTriangles);
    node->setGeometry(geometry);
    node->setFlag(QSGNode::OwnsGeometry);
    auto *material = new QSGFlatColorMaterial;
    material->setColor(color);
    node->setMaterial(material);
    node->setFlag(QSGNode::OwnsMaterial);
    return node;
}

void fill(QSGGeometryNode *node, const std::vector<QRectF> &rects, const QColor &color)
{
    QSGGeometry *geometry = node->geometry();
    geometry->allocate(int(rects.size()) * 6);
    QSGGeometry::Point2D *v = geometry->vertexDataAsPoint2D();
    for (const QRectF &r : rects) {
        const float l = float(r.left()), t = float(r.top()), rt = float(r.right()), b = float(r.bottom());
        v[0].set(l, t);
        v[1].set(rt, t);
        v[2].set(l, b);
        v[3].set(rt, t);
        v[4].set(rt, b);
        v[5].set(l, b);
        v += 6;
    }
    auto *material = static_cast<QSGFlatColorMaterial *>(node->material());
    if (material->color() != color) {
        material->setColor(color);
        node->markDirty(QSGNode::DirtyMaterial);
    }
    node->markDirty(QSGNode::DirtyGeometry);
}
} // namespace

TimeLineSegments::TimeLineSegments(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    connect(this, &QQuickItem::widthChanged, this, &QQuickItem::update);
    connect(this, &QQuickItem::heightChanged, this, &QQuickItem::update);
}

void TimeLineSegments::setSegments(const QString &text)
{
    NtCommon::ThreadHandover::Scope handover(this);
    if (text == m_text)
        return;
    m_text = text;
    m_segments.clear();
    const QJsonArray array = QJsonDocument::fromJson(text.toUtf8()).array();
    m_segments.reserve(size_t(array.size()));
    for (const QJsonValue &value : array) {
        const QJsonObject o = value.toObject();
        const double duration = o.value("duration").toDouble();
        if (duration > 0)
            m_segments.push_back({o.value("xOffset").toDouble(), duration, o.value("type").toInt(),
                                  qlonglong(o.value("rowID").toDouble())});
    }
    std::sort(m_segments.begin(), m_segments.end(), [](const Segment &a, const Segment &b) { return a.xOffset < b.xOffset; });
    emit segmentsChanged();
    update();
}

void TimeLineSegments::setViewStart(double value)
{
    NtCommon::ThreadHandover::Scope handover(this);
    if (qFuzzyCompare(value + 1, m_viewStart + 1))
        return;
    m_viewStart = value;
    emit viewStartChanged();
    update();
}

void TimeLineSegments::setPixelPerSecond(double value)
{
    NtCommon::ThreadHandover::Scope handover(this);
    if (qFuzzyCompare(value, m_pixelPerSecond))
        return;
    m_pixelPerSecond = value;
    emit pixelPerSecondChanged();
    update();
}

void TimeLineSegments::setRecordColor(const QColor &color)
{
    NtCommon::ThreadHandover::Scope handover(this);
    m_recordColor = color;
    emit colorsChanged();
    update();
}

void TimeLineSegments::setEventColor(const QColor &color)
{
    NtCommon::ThreadHandover::Scope handover(this);
    m_eventColor = color;
    emit colorsChanged();
    update();
}

QVariantMap TimeLineSegments::toMap(const Segment &segment)
{
    return {{"xOffset", segment.xOffset}, {"duration", segment.duration}, {"type", segment.type}, {"rowID", segment.rowID}};
}

QVariantMap TimeLineSegments::segmentAt(double x) const
{
    if (m_pixelPerSecond <= 0)
        return {};
    const double second = m_viewStart + x / m_pixelPerSecond;
    const double slack = 1.0 / m_pixelPerSecond;
    // The first piece that ends after the point, give or take a pixel.
    auto it = std::find_if(m_segments.begin(), m_segments.end(),
                           [&](const Segment &s) { return s.xOffset + s.duration + slack > second; });
    if (it == m_segments.end())
        return {};
    return toMap(*it);
}

QSGNode *TimeLineSegments::updatePaintNode(QSGNode *old, UpdatePaintNodeData *)
{
    NtCommon::ThreadHandover::Scope handover(this);
    QSGNode *root = old;
    if (!root) {
        root = new QSGNode;
        root->appendChildNode(colourNode(m_recordColor));
        root->appendChildNode(colourNode(m_eventColor));
    }
    std::vector<QRectF> records;
    std::vector<QRectF> events;
    if (m_pixelPerSecond > 0 && width() > 0) {
        const double viewEnd = m_viewStart + width() / m_pixelPerSecond;
        // Pieces are short against a day: start a little before the view.
        auto it = std::lower_bound(m_segments.begin(), m_segments.end(), m_viewStart,
                                   [](const Segment &s, double t) { return s.xOffset < t; });
        while (it != m_segments.begin() && std::prev(it)->xOffset + std::prev(it)->duration > m_viewStart - 3600)
            --it;
        for (; it != m_segments.end() && it->xOffset < viewEnd; ++it) {
            if (it->xOffset + it->duration < m_viewStart)
                continue;
            const double left = std::max(0.0, (it->xOffset - m_viewStart) * m_pixelPerSecond);
            const double right = std::min(width(), std::max(left + 1, (it->xOffset + it->duration - m_viewStart) * m_pixelPerSecond));
            std::vector<QRectF> &rects = it->type == kEventType ? events : records;
            // Neighbours within a pixel become one rectangle.
            if (!rects.empty() && left <= rects.back().right() + 1)
                rects.back().setRight(std::max(rects.back().right(), right));
            else
                rects.emplace_back(QPointF(std::floor(left), 0), QPointF(right, height()));
        }
    }
    fill(static_cast<QSGGeometryNode *>(root->childAtIndex(0)), records, m_recordColor);
    fill(static_cast<QSGGeometryNode *>(root->childAtIndex(1)), events, m_eventColor);
    return root;
}

} // namespace LynClientController
