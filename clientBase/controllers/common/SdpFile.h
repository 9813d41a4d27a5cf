#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

namespace LynClientController {

// Writes the SDP text of a stream where the player can open it. The file name
// comes from the network, so only a plain name is accepted.
class SdpFile
{
public:
    // How the file name is read from its JSON value.
    enum class NameKind { WholeNumber, Text };

    // Writes entry["sdp"] as the whole content of "<working folder>/<folder>/<name>.sdp"
    // and returns that absolute path. Empty when the entry has no SDP text,
    // when the name is not a plain file name, or when the file cannot be
    // written (the last two logged under logTag).
    static QString write(const QString &folder, const QJsonValue &name, NameKind kind, const QJsonObject &entry,
                         const QString &logTag);
};

} // namespace LynClientController
