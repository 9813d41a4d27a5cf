#pragma once

#include <QJsonObject>
#include <QString>

namespace LynClientBase {

// The keys every server message carries and the text form it travels in.
class MessageEnvelope
{
public:
    // The next controller identity: "1" for the first controller of the process.
    static QString nextObjectNumber();

    // mapParams with "ctl", "action" and "_receiver" written over any payload keys of those names.
    static QJsonObject wrap(const QJsonObject &mapParams, const QString &ctl, const QString &action,
                            const QString &receiver);

    // Indented JSON with sorted keys, as UTF-8 text.
    static QString toText(const QJsonObject &message);
};

} // namespace LynClientBase
