#pragma once

#include <memory>
#include <utility>

#include <QPointer>
#include <QQuickItem>
#include <QRectF>

#include "QmlVlcI420Frame.h"
#include "QmlVlcVideoSource.h"

// The VlcVideoSurface item: draws the frames of one video source.
class QmlVlcVideoSurface : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(FillMode fillMode READ fillMode WRITE setFillMode NOTIFY fillModeChanged)
    Q_PROPERTY(QmlVlcVideoSource* source READ source WRITE setSource NOTIFY sourceChanged)

public:
    enum FillMode
    {
        Stretch = 0,
        PreserveAspectFit = 1,
        PreserveAspectCrop = 2,
    };
    Q_ENUM(FillMode)

    explicit QmlVlcVideoSurface(QQuickItem* parent = nullptr);
    ~QmlVlcVideoSurface() override;

    FillMode fillMode() const { return m_fillMode; }
    void setFillMode(FillMode mode);
    QmlVlcVideoSource* source() const { return m_source; }
    void setSource(QmlVlcVideoSource* source);
    std::shared_ptr<const QmlVlcI420Frame> currentFrame() const { return m_frame; }

    // Item rectangle and normalised texture rectangle for a frame of the
    // given size drawn in an item of the given size.
    static std::pair<QRectF, QRectF> fillRects(FillMode mode, const QSizeF& itemSize, const QSizeF& frameSize);

signals:
    void sourceChanged();
    void fillModeChanged(FillMode mode);

public slots:
    void presentFrame(std::shared_ptr<const QmlVlcI420Frame> frame);

protected:
    QSGNode* updatePaintNode(QSGNode* oldNode, UpdatePaintNodeData* data) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;

private:
    FillMode m_fillMode = PreserveAspectFit;
    QPointer<QmlVlcVideoSource> m_source;
    quint64 m_outputId = 0;
    QMetaObject::Connection m_windowVisibility;
    bool m_frameChanged = false;
    std::shared_ptr<const QmlVlcI420Frame> m_frame;
};
