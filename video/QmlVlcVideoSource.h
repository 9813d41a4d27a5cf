#pragma once

#include <memory>

#include <QObject>
#include <QQmlParserStatus>

#include "QmlVlcVideoOutput.h"

class QmlVlcVideoSurface;

// QML-facing owner of the video output; base of the player objects.
class QmlVlcVideoSource : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)

public:
    explicit QmlVlcVideoSource(std::shared_ptr<vlc::playlist_player_core> player, QObject* parent = nullptr,
                               std::shared_ptr<QmlVlcFrameSink> sink = {});

    void classBegin() override;
    void componentComplete() override {}

    virtual void registerVideoSurface(QmlVlcVideoSurface* surface);
    virtual void unregisterVideoSurface(QmlVlcVideoSurface* surface);
    // A surface of this source, or its window, was shown or hidden.
    virtual void surfaceShownOrHidden() {}

    const QmlVlcVideoOutput& videoOutput() const { return m_videoOutput; }
    QmlVlcVideoOutput& videoOutput() { return m_videoOutput; }

private:
    QmlVlcVideoOutput m_videoOutput;
};
