#include "common/Utils.h"

#include <QCryptographicHash>
#include <QDesktopServices>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <QUuid>

namespace LYNCommon {

namespace {
struct SourcePart
{
    const char *name;
    const char *pattern;
};

// Applied in this order; each one sees only what the previous ones left.
const SourcePart kSourceParts[] = {
    {"IP", R"((^|@|:|:/|://)(?<IP>\d+\.?(\d+\.?(\d+\.?(\d+)?)?)?))"},
    {"PROTOCOL", R"((^(?<PROTOCOL>[a-zA-Z]*)($|://|:/)))"},
    {"PORT", R"(:(?<PORT>[0-9]+)($|/))"},
    {"LOGIN", R"((^|/)(?<LOGIN>[0-9a-zA-Z]+))"},
    {"PASSWORD", R"(:(?<PASSWORD>[0-9a-zA-Z]+))"},
    {"GARBAGE", R"((?<GARBAGE>[\.|/|:|@]*))"},
    {"OPTIONS", R"((?<OPTIONS>.+))"},
};
} // namespace

Utils::Utils(QObject *parent)
    : QObject(parent)
{
}

QJsonObject Utils::parseUrl(QString url) const
{
    static const QVector<QRegularExpression> expressions = [] {
        QVector<QRegularExpression> list;
        for (const SourcePart &part : kSourceParts)
            list.append(QRegularExpression(QString::fromLatin1(part.pattern)));
        return list;
    }();

    QString text = url.simplified();
    QJsonObject result;
    for (int i = 0; i < expressions.size(); ++i) {
        const QString name = QString::fromLatin1(kSourceParts[i].name);
        const QString captured = expressions.at(i).match(text).captured(name);
        if (name != QLatin1String("GARBAGE"))
            result.insert(name, captured);
        if (!captured.isEmpty())
            text.remove(text.indexOf(captured), captured.size());
    }
    return result;
}

QString Utils::utcmsec2LocalDateTime(qlonglong epoch, QString format) const
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(epoch, Qt::OffsetFromUTC, kServerOffsetSeconds);
    if (!format.isEmpty())
        return t.toString(format);

    const QDate now = QDateTime::currentDateTime().date();
    const QDate day = t.date();
    const QString time = t.toString(QStringLiteral("hh:mm"));
    if (day.year() == now.year()) {
        if (day.dayOfYear() == now.dayOfYear())
            return time;
        if (day.dayOfYear() == now.dayOfYear() - 1)
            return tr("yesterday, ") + time;
        if (day.dayOfYear() == now.dayOfYear() + 1)
            return tr("tomorrow, ") + time;
        return t.toString(QStringLiteral("dd MMM hh:mm"));
    }
    return t.toString(QStringLiteral("dd MMM yyyy, hh:mm"));
}

QString Utils::offset2Format(qlonglong offset) const
{
    const QString sign = offset == 0 ? QString() : offset < 0 ? QStringLiteral("-") : QStringLiteral("+");
    const qlonglong hours = qAbs(offset / 60);
    const qlonglong minutes = qAbs(offset - 60 * (offset / 60));
    return sign + QStringLiteral("%1:%2").arg(hours, 2, 10, QLatin1Char('0')).arg(minutes, 2, 10, QLatin1Char('0'));
}

int Utils::msecsSinceStartOfDay(QDateTime value) const
{
    return value.isValid() ? value.time().msecsSinceStartOfDay() : 0;
}

QString Utils::getPwdHash(QString data) const
{
    return QString::fromLatin1(QCryptographicHash::hash(data.toUtf8(), QCryptographicHash::Md5).toHex());
}

QVariantMap Utils::translateRectToTile(QRectF sourceRect, QRectF tileRect, QRectF inboundRect, QPointF pointf) const
{
    const qreal sx = tileRect.width() / sourceRect.width();
    const qreal sy = tileRect.height() / sourceRect.height();
    const QRectF rect(inboundRect.x() * sx, inboundRect.y() * sy, inboundRect.width() * sx, inboundRect.height() * sy);
    return QVariantMap{{QStringLiteral("rect"), rect}, {QStringLiteral("point"), QPointF(pointf.x() * sx, pointf.y() * sy)}};
}

QString Utils::generateUUID() const
{
    return QUuid::createUuid().toString();
}

QString Utils::fileDataInBase64(QString filePath) const
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readAll().toBase64());
}

void Utils::openUrl(QString file) const
{
    QDesktopServices::openUrl(QUrl(file, QUrl::TolerantMode));
}

void Utils::copyPassThroughKeys(const QJsonObject &source, QJsonObject &target)
{
    for (auto it = source.begin(); it != source.end(); ++it) {
        if (it.key().startsWith(QLatin1Char('_')))
            target.insert(it.key(), it.value());
    }
}

} // namespace LYNCommon
