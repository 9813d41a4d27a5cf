// The camera-source parser: any text gives the six parts, each a piece of the
// tidied text.
#include "FuzzSupport.h"
#include "common/Utils.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const LYNCommon::Utils utils;
    static const QStringList keys{"IP", "LOGIN", "OPTIONS", "PASSWORD", "PORT", "PROTOCOL"};
    const QString url = QString::fromUtf8(FuzzSupport::bytes(data, size));
    const QJsonObject parts = utils.parseUrl(url);
    if (parts.keys() != keys)
        FuzzSupport::fail("the parts are not the six keys");
    const QString tidied = url.simplified();
    for (const QString &key : keys) {
        const QJsonValue value = parts.value(key);
        if (!value.isString())
            FuzzSupport::fail("a part is not a string");
        if (!tidied.contains(value.toString()))
            FuzzSupport::fail("a part is not taken from the source");
    }
    return 0;
}
