#pragma once

#include <QJsonObject>
#include <QString>

namespace LynClientController {

// Writes the SDP text of a stream where the player can open it. The file name
// comes from the network, so only a plain name is accepted.
class SdpFile
{
public:
    // Writes entry["sdp"] as the whole content of "<working folder>/<folder>/<stem>.sdp"
    // and returns that absolute path. Empty when the entry has no SDP text, or
    // when the stem is not a plain file name (logged under logTag).
    static QString write(const QString &folder, const QString &stem, const QJsonObject &entry, const QString &logTag);

    // The decimal text of a whole number held as a JSON number or as text; empty otherwise.
    static QString decimalId(const QJsonValue &value);
};

} // namespace LynClientController
