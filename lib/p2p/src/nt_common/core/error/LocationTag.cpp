#include "nt_common/core/error/LocationTag.h"

#include <QDebug>

namespace NtCommon {

QString LocationTag::make(const QString &sourcePath, const QString &function)
{
    return sourcePath + QStringLiteral("::") + function;
}

QString LocationTag::exceptionText(const QString &tag, const std::exception &e)
{
    return QStringLiteral("%1 exception, description: '%2'.").arg(tag, QString::fromUtf8(e.what()));
}

QString LocationTag::p2pExceptionText(const QString &tag, const std::exception &e)
{
    return QStringLiteral("%1 exception, %2, description: '%3'.").arg(tag, QString(), QString::fromUtf8(e.what()));
}

QString LocationTag::undefinedExceptionText(const QString &tag)
{
    return QStringLiteral("%1 UNDEFINED exception, %2.").arg(tag, QString());
}

void LocationTag::reportToDebug(const QString &tag, const std::exception &e)
{
    qDebug().noquote() << exceptionText(tag, e);
}

} // namespace NtCommon
