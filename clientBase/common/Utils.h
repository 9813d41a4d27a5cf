#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVariantMap>

namespace LYNCommon {

// Small stateless conversions for the interface: camera source addresses, server
// times as short texts, offsets, hashes, tile geometry, files and identifiers.
class Utils : public QObject
{
    Q_OBJECT
public:
    // Server times are shown at this fixed offset, whatever the computer's zone.
    static constexpr int kServerOffsetSeconds = 3 * 3600;

    explicit Utils(QObject *parent = nullptr);

    Q_INVOKABLE QJsonObject parseUrl(QString url) const;
    Q_INVOKABLE QString utcmsec2LocalDateTime(qlonglong epoch, QString format = QString()) const;
    Q_INVOKABLE QString offset2Format(qlonglong offset) const;
    Q_INVOKABLE int msecsSinceStartOfDay(QDateTime value) const;
    Q_INVOKABLE QString getPwdHash(QString data) const;
    Q_INVOKABLE QVariantMap translateRectToTile(QRectF sourceRect, QRectF tileRect, QRectF inboundRect, QPointF pointf) const;
    Q_INVOKABLE QString generateUUID() const;
    Q_INVOKABLE QString fileDataInBase64(QString filePath) const;
    Q_INVOKABLE void openUrl(QString file) const;

    // Copies every key of source that begins with "_" into target.
    static void copyPassThroughKeys(const QJsonObject &source, QJsonObject &target);
};

} // namespace LYNCommon
