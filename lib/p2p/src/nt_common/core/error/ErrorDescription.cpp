#include "nt_common/core/error/ErrorDescription.h"

#include <stdexcept>

namespace NtCommon {

QString ErrorDescription::text(const QString &subject, int line, const QString &description)
{
    return QStringLiteral("'%1', line: '%2' descriptions: '%3'.").arg(subject).arg(line).arg(description);
}

void ErrorDescription::raise(const QString &subject, int line, const QString &description)
{
    throw std::runtime_error(text(subject, line, description).toStdString());
}

} // namespace NtCommon
