#pragma once

#include <QObject>
#include <QPointer>

#include "vlc/media.h"

class QmlVlcPlayerProxy;

// Description of one media: its meta data and, when it is in the player's
// playlist, the item's setting and disabled flag.
class QmlVlcMedia : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString artist READ artist)
    Q_PROPERTY(QString genre READ genre)
    Q_PROPERTY(QString copyright READ copyright)
    Q_PROPERTY(QString album READ album)
    Q_PROPERTY(QString trackNumber READ trackNumber)
    Q_PROPERTY(QString description READ description)
    Q_PROPERTY(QString rating READ rating)
    Q_PROPERTY(QString date READ date)
    Q_PROPERTY(QString URL READ url)
    Q_PROPERTY(QString language READ language)
    Q_PROPERTY(QString nowPlaying READ nowPlaying)
    Q_PROPERTY(QString publisher READ publisher)
    Q_PROPERTY(QString encodedBy READ encodedBy)
    Q_PROPERTY(QString artworkURL READ artworkUrl)
    Q_PROPERTY(QString trackID READ trackId)
    Q_PROPERTY(QString mrl READ mrl)
    Q_PROPERTY(QString setting READ setting WRITE setSetting)
    Q_PROPERTY(bool disabled READ disabled WRITE setDisabled)

public:
    explicit QmlVlcMedia(QmlVlcPlayerProxy* player);

    virtual vlc::media getMedia() const = 0;

    QString title() const { return meta(libvlc_meta_Title); }
    void setTitle(const QString& title);
    QString artist() const { return meta(libvlc_meta_Artist); }
    QString genre() const { return meta(libvlc_meta_Genre); }
    QString copyright() const { return meta(libvlc_meta_Copyright); }
    QString album() const { return meta(libvlc_meta_Album); }
    QString trackNumber() const { return meta(libvlc_meta_TrackNumber); }
    QString description() const { return meta(libvlc_meta_Description); }
    QString rating() const { return meta(libvlc_meta_Rating); }
    QString date() const { return meta(libvlc_meta_Date); }
    QString url() const { return meta(libvlc_meta_URL); }
    QString language() const { return meta(libvlc_meta_Language); }
    QString nowPlaying() const { return meta(libvlc_meta_NowPlaying); }
    QString publisher() const { return meta(libvlc_meta_Publisher); }
    QString encodedBy() const { return meta(libvlc_meta_EncodedBy); }
    QString artworkUrl() const { return meta(libvlc_meta_ArtworkURL); }
    QString trackId() const { return meta(libvlc_meta_TrackID); }
    QString mrl() const;
    QString setting() const;
    void setSetting(const QString& setting);
    bool disabled() const;
    void setDisabled(bool disabled);

signals:
    void titleChanged();

protected:
    QmlVlcPlayerProxy* player() const { return m_player; }

private:
    QString meta(libvlc_meta_t meta) const;
    // Index of this media in the player's playlist, -1 when absent.
    int playlistIndex() const;

    QPointer<QmlVlcPlayerProxy> m_player;
};
