// The camera-source parser: any text gives the six parts, strings that are
// cut out of the tidied text one after the other, so together no longer than it.
#include "FuzzSupport.h"
#include "common/Utils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const LYNCommon::Utils utils;
    static const QStringList keys{"IP", "LOGIN", "OPTIONS", "PASSWORD", "PORT", "PROTOCOL"};
    const QString url = QString::fromUtf8(FuzzSupport::bytes(data, size));
    const QJsonObject parts = utils.parseUrl(url);
    if (parts.keys() != keys)
        FuzzSupport::fail("the parts are not the six keys");
    int length = 0;
    for (const QString &key : keys) {
        const QJsonValue value = parts.value(key);
        if (!value.isString())
            FuzzSupport::fail("a part is not a string");
        length += value.toString().size();
    }
    if (length > url.simplified().size())
        FuzzSupport::fail("the parts hold more than the source");
    return 0;
}
