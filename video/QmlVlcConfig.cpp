#include "QmlVlcConfig.h"

#include <vector>

QmlVlcConfig& QmlVlcConfig::instance()
{
    static QmlVlcConfig config;
    return config;
}

QStringList QmlVlcConfig::libvlcArguments() const
{
    QStringList args;
    if (m_networkCacheTime >= 0)
        args << QStringLiteral("--network-caching") << QString::number(m_networkCacheTime);
    if (m_adjustFilter)
        args << QStringLiteral("--video-filter=adjust");
    QStringList subFilters;
    if (m_marqueeFilter)
        subFilters << QStringLiteral("marq");
    if (m_logoFilter)
        subFilters << QStringLiteral("logo");
    if (!subFilters.isEmpty())
        args << QStringLiteral("--sub-filter=") + subFilters.join(QLatin1Char(':'));
    if (m_debug)
        args << QStringLiteral("-vvv");
    if (m_noVideoTitleShow)
        args << QStringLiteral("--no-video-title-show");
    if (m_hardwareAcceleration)
        args << QStringLiteral("--avcodec-hw=any");
    args << m_decoderArguments;
    return args;
}

QStringList QmlVlcConfig::liveMediaOptions() const
{
    // A live stream is joined, and re-joined after a catch-up, between key
    // frames: pictures predicted from nothing are grey smears, so the last
    // good picture stays until the decoder has a whole one.
    // libvlc reads an SDP through avformat and paces that input like a file,
    // at the speed its pictures are shown: whatever waited in the socket while
    // the input opened (seconds with sixteen tiles starting) would stay behind
    // live for good. As a real-time source it is read as it comes and libvlc's
    // clock follows its arrival.
    return QStringList{QStringLiteral(":no-avcodec-corrupted"), QStringLiteral(":clock-synchro=1")}
        + m_liveDecoderOptions;
}

// None pays on small tiles. With sixteen 640x360 tiles, one decoder thread,
// two, skipping the loop filter or avcodec's fast mode each changed the CPU
// per stream by no more than two runs of the same options differ (5 %); one
// thread without the loop filter saved about a tenth, for blocky pictures.
QStringList QmlVlcConfig::defaultLiveDecoderOptions()
{
    return {};
}

bool QmlVlcConfig::isOptionTrusted(const QString& option) const
{
    if (m_trustedEnvironment)
        return true;
    const QStringList parts = option.split(QLatin1Char('='));
    if (parts.size() != 2)
        return false;
    const QString name = parts[0].trimmed();
    const QString value = parts[1].trimmed();
    struct Rule
    {
        const char* name;
        const char* value; // null: any value
    };
    static const Rule rules[] = {
        {":rtsp-http-port", nullptr},
        {":avformat-format", "mxg"},
        {":demux", "h264"},
        {":h264-fps", nullptr},
    };
    for (const Rule& rule : rules) {
        if (name == QLatin1String(rule.name) && (!rule.value || value == QLatin1String(rule.value)))
            return true;
    }
    return false;
}

libvlc_instance_t* QmlVlcConfig::getLibvlcInstance()
{
    if (m_libvlc) {
        ++m_instanceUsers;
        return m_libvlc;
    }
    const QStringList args = libvlcArguments();
    std::vector<QByteArray> encoded;
    encoded.reserve(static_cast<size_t>(args.size()));
    std::vector<const char*> argv;
    for (const QString& arg : args) {
        encoded.push_back(arg.toUtf8());
        argv.push_back(encoded.back().constData());
    }
    m_libvlc = libvlc_new(static_cast<int>(argv.size()), argv.data());
    m_instanceUsers = m_libvlc ? 1 : 0;
    return m_libvlc;
}

void QmlVlcConfig::releaseLibvlcInstance(libvlc_instance_t* instance)
{
    if (m_instanceUsers <= 0 || !instance || instance != m_libvlc)
        return;
    if (--m_instanceUsers == 0) {
        libvlc_release(m_libvlc);
        m_libvlc = nullptr;
    }
}
