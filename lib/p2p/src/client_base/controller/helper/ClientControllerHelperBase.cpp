#include "client_base/controller/helper/ClientControllerHelperBase.h"

#include <cmath>

namespace ClientControllerHelper {

ClientControllerHelperBase::~ClientControllerHelperBase() = default;

QString ClientControllerHelperBase::valueText(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble()) {
        const double v = value.toDouble();
        if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) <= 9007199254740992.0)
            return QString::number(static_cast<qint64>(v));
    }
    return QString();
}

bool ClientControllerHelperBase::isNumber(const QJsonValue &value, qint64 expected)
{
    return value.isDouble() && value.toDouble() == static_cast<double>(expected);
}

bool ClientControllerHelperBase::isAddressedHere(const DTO &message) const
{
    return valueText(message.value(QStringLiteral("RECEIVER"))) == QString::number(helperReceiverId());
}

} // namespace ClientControllerHelper
