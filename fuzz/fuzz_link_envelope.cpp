// Text from the server link through the envelope parser and the router to the
// controllers listening there; and the envelope's own round trip: the keys it
// writes are the ones read back, whatever the payload held.
#include "FuzzSupport.h"
#include "base/HandleRecievedMessages.h"
#include "base/LynClientNetwork.h"
#include "base/MessageEnvelope.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/device/DeviceController.h"
#include "controllers/modules/ModuleSystemController.h"
#include "controllers/search/SearchDevicesController.h"
#include "nt_common/core/log/LogText.h"

#include <QJsonDocument>

using namespace LynClientBase;

namespace {

struct Listeners
{
    QSharedPointer<LynClientNetwork> link = QSharedPointer<LynClientNetwork>::create();
    QSharedPointer<HandleRecievedMessages> router = QSharedPointer<HandleRecievedMessages>::create();
    Listeners()
    {
        link->setMessageHandler(router);
        // The link is never started, so the router is called on this thread.
        QObject::connect(link.data(), &LynClientNetwork::messageReceived, router.data(), &HandleRecievedMessages::onMessageReceived,
                         Qt::DirectConnection);
        LynClientNetwork::setControllersLink(link);
        devices = new LynClientController::DeviceController;
        archive = new LynClientController::ArchiveController;
        modules = new LynClientController::ModuleSystemController;
        search = new LynClientController::SearchDevicesController;
    }
    QObject *devices;
    QObject *archive;
    QObject *modules;
    QObject *search;
};

void checkRoundTrip(const QByteArray &input)
{
    const QJsonObject payload = QJsonDocument::fromJson(input).object();
    const QString ctl = payload.value(QStringLiteral("ctl")).toVariant().toString();
    const QString action = payload.value(QStringLiteral("action")).toVariant().toString();
    const QString receiver = payload.value(QStringLiteral("_receiver")).toVariant().toString();
    const QJsonObject wrapped = MessageEnvelope::wrap(payload, ctl, action, receiver);
    const QJsonObject read = QJsonDocument::fromJson(MessageEnvelope::toText(wrapped).toUtf8()).object();
    if (read.value(QStringLiteral("ctl")).toString() != ctl || read.value(QStringLiteral("action")).toString() != action
        || read.value(QStringLiteral("_receiver")).toString() != receiver)
        FuzzSupport::fail("the envelope keys do not survive their text");
    if (read.size() != wrapped.size())
        FuzzSupport::fail("the envelope text lost keys");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Listeners listeners;
    const QByteArray input = FuzzSupport::bytes(data, size);
    listeners.link->onTextMessageReceived(QString::fromUtf8(input));
    FuzzSupport::checkLogLine(NtCommon::LogText::message(input));
    checkRoundTrip(input);
    return 0;
}
