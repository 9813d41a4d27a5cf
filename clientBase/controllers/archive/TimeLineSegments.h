#pragma once

#include <QColor>
#include <QQuickItem>
#include <QVariantMap>

#include <vector>

namespace LynClientController {

// The segments of one archive line, drawn straight into the scene graph: a
// line may hold hundreds of pieces, and zooming must not rebuild items.
// Only the pieces inside the view are drawn; pieces closer than a pixel
// merge into one rectangle.
class TimeLineSegments : public QQuickItem
{
    Q_OBJECT
    // modelOfArchiveLine of a line: a JSON array of {type, xOffset, duration, rowID}.
    Q_PROPERTY(QString segments READ segments WRITE setSegments NOTIFY segmentsChanged)
    // Seconds of the day at the item's left edge, and the scale.
    Q_PROPERTY(double viewStart READ viewStart WRITE setViewStart NOTIFY viewStartChanged)
    Q_PROPERTY(double pixelPerSecond READ pixelPerSecond WRITE setPixelPerSecond NOTIFY pixelPerSecondChanged)
    Q_PROPERTY(QColor recordColor READ recordColor WRITE setRecordColor NOTIFY colorsChanged)
    Q_PROPERTY(QColor eventColor READ eventColor WRITE setEventColor NOTIFY colorsChanged)
    Q_PROPERTY(int count READ count NOTIFY segmentsChanged)
public:
    explicit TimeLineSegments(QQuickItem *parent = nullptr);

    QString segments() const { return m_text; }
    void setSegments(const QString &text);
    double viewStart() const { return m_viewStart; }
    void setViewStart(double value);
    double pixelPerSecond() const { return m_pixelPerSecond; }
    void setPixelPerSecond(double value);
    QColor recordColor() const { return m_recordColor; }
    void setRecordColor(const QColor &color);
    QColor eventColor() const { return m_eventColor; }
    void setEventColor(const QColor &color);
    int count() const { return int(m_segments.size()); }

    // The piece under an x of the item (within a pixel), or the nearest one
    // starting after it; empty when there is none.
    Q_INVOKABLE QVariantMap segmentAt(double x) const;

signals:
    void segmentsChanged();
    void viewStartChanged();
    void pixelPerSecondChanged();
    void colorsChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override;

private:
    struct Segment
    {
        double xOffset;
        double duration;
        int type;
        qlonglong rowID;
    };
    static QVariantMap toMap(const Segment &segment);

    QString m_text;
    std::vector<Segment> m_segments;
    double m_viewStart = 0;
    double m_pixelPerSecond = 0;
    QColor m_recordColor{QStringLiteral("#90008000")};
    QColor m_eventColor{QStringLiteral("#80FF0000")};
};

} // namespace LynClientController
