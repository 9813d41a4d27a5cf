#pragma once

#include <QObject>

#include "QmlVlcDeinterlace.h"
#include "QmlVlcLogo.h"
#include "QmlVlcMarquee.h"

class QmlVlcVideo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(unsigned width READ width)
    Q_PROPERTY(unsigned height READ height)
    Q_PROPERTY(unsigned count READ count)
    Q_PROPERTY(int track READ track WRITE setTrack)
    Q_PROPERTY(QString aspectRatio READ aspectRatio WRITE setAspectRatio)
    Q_PROPERTY(QString crop READ crop WRITE setCrop)
    Q_PROPERTY(float contrast READ contrast WRITE setContrast)
    Q_PROPERTY(float brightness READ brightness WRITE setBrightness)
    Q_PROPERTY(int hue READ hue WRITE setHue)
    Q_PROPERTY(float saturation READ saturation WRITE setSaturation)
    Q_PROPERTY(float gamma READ gamma WRITE setGamma)
    Q_PROPERTY(int teletext READ teletext WRITE setTeletext)
    Q_PROPERTY(QmlVlcMarquee* marquee READ marquee CONSTANT)
    Q_PROPERTY(QmlVlcLogo* logo READ logo CONSTANT)
    Q_PROPERTY(QmlVlcDeinterlace* deinterlace READ deinterlace CONSTANT)

public:
    explicit QmlVlcVideo(vlc::playlist_player_core& player);

    unsigned width() const { return size().first; }
    unsigned height() const { return size().second; }
    unsigned count() const { return m_player.video().track_count(); }
    int track() const { return m_player.video().get_track(); }
    void setTrack(int track) { m_player.video().set_track(static_cast<unsigned>(track)); }
    QString aspectRatio() const;
    void setAspectRatio(const QString& ratio);
    QString crop() const;
    void setCrop(const QString& geometry);
    float contrast() const { return m_player.video().get_adjust_float(libvlc_adjust_Contrast); }
    void setContrast(float v) { m_player.video().set_adjust_float(libvlc_adjust_Contrast, v); }
    float brightness() const { return m_player.video().get_adjust_float(libvlc_adjust_Brightness); }
    void setBrightness(float v) { m_player.video().set_adjust_float(libvlc_adjust_Brightness, v); }
    int hue() const { return m_player.video().get_adjust_int(libvlc_adjust_Hue); }
    void setHue(int v) { m_player.video().set_adjust_int(libvlc_adjust_Hue, v); }
    float saturation() const { return m_player.video().get_adjust_float(libvlc_adjust_Saturation); }
    void setSaturation(float v) { m_player.video().set_adjust_float(libvlc_adjust_Saturation, v); }
    float gamma() const { return m_player.video().get_adjust_float(libvlc_adjust_Gamma); }
    void setGamma(float v) { m_player.video().set_adjust_float(libvlc_adjust_Gamma, v); }
    int teletext() const;
    void setTeletext(int page);
    Q_INVOKABLE void toggleTeletext();

    QmlVlcMarquee* marquee() { return &m_marquee; }
    QmlVlcLogo* logo() { return &m_logo; }
    QmlVlcDeinterlace* deinterlace() { return &m_deinterlace; }

private:
    std::pair<unsigned, unsigned> size() const;

    vlc::playlist_player_core& m_player;
    QmlVlcMarquee m_marquee;
    QmlVlcLogo m_logo;
    QmlVlcDeinterlace m_deinterlace;
};
