#pragma once

#include "nt_common/core/dto/DTO.h"

#include <QJsonValue>
#include <QString>

namespace ClientControllerHelper {

// Reading of the fields every P2P answer carries, shared by the helper chain.
class ClientControllerHelperBase
{
public:
    virtual ~ClientControllerHelperBase();

    // Strings as they are, whole numbers in decimal, anything else empty.
    static QString valueText(const QJsonValue &value);
    // True only for a JSON number equal to `expected`; texts never match.
    static bool isNumber(const QJsonValue &value, qint64 expected);

protected:
    virtual qint64 helperReceiverId() const = 0;
    // The answer's "RECEIVER", as text, names this controller.
    bool isAddressedHere(const DTO &message) const;
};

} // namespace ClientControllerHelper
