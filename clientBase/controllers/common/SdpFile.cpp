#include "controllers/common/SdpFile.h"

#include "nt_common/core/file/FileNameGuard.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

#include <spdlog/spdlog.h>

#include <cmath>

namespace LynClientController {

namespace {

// The decimal text of a whole number held as a JSON number or as text; empty otherwise.
QString decimalText(const QJsonValue &value)
{
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) <= 9007199254740992.0)
            return QString::number(static_cast<qint64>(number));
        return QString();
    }
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]{1,18}$"));
    const QString text = value.toString();
    return digits.match(text).hasMatch() ? QString::number(text.toLongLong()) : QString();
}

// A hostile name must not break the log line it is reported in.
QString printable(const QJsonValue &value)
{
    QString text = value.isString() ? value.toString()
                                    : QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
    text.truncate(120);
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char('?');
    }
    return text;
}

} // namespace

QString SdpFile::write(const QString &folder, const QJsonValue &name, NameKind kind, const QJsonObject &entry,
                       const QString &logTag)
{
    const QString sdp = entry.value(QStringLiteral("sdp")).toString();
    if (sdp.trimmed().isEmpty())
        return QString();
    const QString stem = kind == NameKind::WholeNumber ? decimalText(name) : name.toVariant().toString();
    if (!NtCommon::FileNameGuard::isSafeStem(stem)) {
        if (auto log = spdlog::get("main"))
            log->error("{} refused file name '{}': not a plain file name; no SDP file written", logTag.toStdString(),
                       printable(name).toStdString());
        return QString();
    }
    QDir().mkpath(folder);
    const QString path = QStringLiteral("%1/%2.sdp").arg(QDir(folder).absolutePath(), stem);
    // Written aside and renamed, so the file never holds a mix of old and new text.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sdp.toUtf8()) < 0 || !file.commit()) {
        if (auto log = spdlog::get("main"))
            log->error("{} could not write '{}': {}", logTag.toStdString(), path.toStdString(), file.errorString().toStdString());
        return QString();
    }
    return path;
}

} // namespace LynClientController
