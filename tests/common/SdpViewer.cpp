#include "SdpViewer.h"

#include "QmlVlcConfig.h"

#include <QFile>
#include <QtTest>

void SdpViewer::configure()
{
    // A short cache, as the client's tiles use, so pauses show quickly.
    QmlVlcConfig::instance().setNetworkCacheTime(200);
}

SdpViewer::SdpViewer()
{
    m_player.classBegin();
    m_surface.setSource(&m_player);
    QObject::connect(&m_sampler, &QTimer::timeout, [this] {
        const auto frame = m_surface.currentFrame();
        if (!frame || frame->yPlaneSize == 0)
            return;
        const uint hash = qHash(QByteArray::fromRawData(frame->yPlane, int(frame->yPlaneSize)));
        if (hash != m_lastHash) {
            m_lastHash = hash;
            ++m_pictures;
        }
    });
    m_sampler.start(10);
}

SdpViewer::~SdpViewer()
{
    m_player.stop();
}

bool SdpViewer::playFile(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || !file.readAll().contains("m=video "))
        return false;
    m_player.play(QStringLiteral("file:///") + path);
    return true;
}
