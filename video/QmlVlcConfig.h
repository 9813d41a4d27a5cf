#pragma once

#include <QObject>
#include <QStringList>

#include <vlc/vlc.h>

// Process-wide libvlc configuration and the shared libvlc instance.
// Used on the GUI thread only; configure before the first player exists.
class QmlVlcConfig : public QObject
{
    Q_OBJECT

public:
    static QmlVlcConfig& instance();

    void setNetworkCacheTime(int ms) { m_networkCacheTime = ms; }
    void enableAdjustFilter(bool enable) { m_adjustFilter = enable; }
    void enableMarqueeFilter(bool enable) { m_marqueeFilter = enable; }
    void enableLogoFilter(bool enable) { m_logoFilter = enable; }
    void enableDebug(bool enable) { m_debug = enable; }
    void enableNoVideoTitleShow(bool enable) { m_noVideoTitleShow = enable; }
    void enableHardwareAcceleration(bool enable) { m_hardwareAcceleration = enable; }
    void setTrustedEnvironment(bool trusted) { m_trustedEnvironment = trusted; }
    // Decoder options (--avcodec-...) added to the defaults; for measuring them.
    void setDecoderArguments(const QStringList& args) { m_decoderArguments = args; }
    // Live players drop the pictures waiting for the decoder when they fall behind.
    void enableLiveCatchUp(bool enable) { m_liveCatchUp = enable; }
    bool liveCatchUp() const { return m_liveCatchUp; }
    // Options of every live stream's media: what a live view needs of the
    // decoder, and the decoder options chosen for live tiles.
    QStringList liveMediaOptions() const;
    // Replaces the chosen decoder options of live media (":avcodec-..."); for measuring them.
    void setLiveDecoderOptions(const QStringList& options) { m_liveDecoderOptions = options; }
    static QStringList defaultLiveDecoderOptions();

    // The argument list libvlc is started with.
    QStringList libvlcArguments() const;
    bool isOptionTrusted(const QString& option) const;

    libvlc_instance_t* getLibvlcInstance();
    void releaseLibvlcInstance(libvlc_instance_t* instance);
    int instanceUsers() const { return m_instanceUsers; }

private:
    QmlVlcConfig() = default;

    int m_networkCacheTime = -1;
    bool m_adjustFilter = false;
    bool m_marqueeFilter = false;
    bool m_logoFilter = false;
    bool m_debug = false;
    bool m_noVideoTitleShow = true;
    bool m_hardwareAcceleration = false;
    bool m_trustedEnvironment = false;
    QStringList m_decoderArguments;
    bool m_liveCatchUp = true;
    QStringList m_liveDecoderOptions = defaultLiveDecoderOptions();
    int m_instanceUsers = 0;
    libvlc_instance_t* m_libvlc = nullptr;
};
