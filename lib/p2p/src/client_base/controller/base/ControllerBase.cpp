#include "client_base/controller/base/ControllerBase.h"

#include <atomic>

namespace P2pClientController {

namespace {
std::atomic<qint64> g_receiverCounter{0};

QSharedPointer<P2pClientBase::ClientNetworkSimple> &sharedLink()
{
    static QSharedPointer<P2pClientBase::ClientNetworkSimple> link;
    return link;
}

// Switched from the GUI thread only; while on, every controller's commands collect here.
bool g_buffering = false;
QList<std::shared_ptr<DTO>> &bufferedCommands()
{
    static QList<std::shared_ptr<DTO>> list;
    return list;
}
} // namespace

ControllerBase::ControllerBase()
    : m_receiverId(++g_receiverCounter)
{
}

ControllerBase::~ControllerBase() = default;

bool ControllerBase::handleMessage(QString, std::shared_ptr<DTO>)
{
    return false;
}

void ControllerBase::sendCommand(const QString &commandName, const QJsonObject &params)
{
    auto message = std::make_shared<DTO>(DTO{{QStringLiteral("FN"), commandName}, {QStringLiteral("RECEIVER"), m_receiverId}});
    message->merge(params);
    if (g_buffering)
        bufferedCommands().append(std::make_shared<DTO>(*message));
    else
        emit link()->sendMessageSignal(message, false);
}

void ControllerBase::onBufferCmd()
{
    bufferedCommands().clear();
    g_buffering = true;
}

void ControllerBase::offBufferCmd()
{
    g_buffering = false;
}

void ControllerBase::sendBufferCmd(bool block4write)
{
    QList<std::shared_ptr<DTO>> copies;
    for (const auto &command : bufferedCommands())
        copies.append(std::make_shared<DTO>(*command));
    emit link()->sendListMessagesSignal(copies, block4write);
}

qint64 ControllerBase::receiverId() const
{
    return m_receiverId;
}

QString ControllerBase::controllerName() const
{
    return m_controllerName;
}

void ControllerBase::setLink(const QSharedPointer<P2pClientBase::ClientNetworkSimple> &link)
{
    sharedLink() = link;
}

NtCommon::SharedPointerEx<P2pClientBase::ClientNetworkSimple> ControllerBase::link()
{
    return sharedLink();
}

HandleReceivedMessagesP2pClient *ControllerBase::dispatcher()
{
    NtCommon::SharedPointerEx<P2pClientBase::HandleReceivedMessagesBase> handler = link()->messageHandler();
    auto *dispatcher = qobject_cast<HandleReceivedMessagesP2pClient *>(handler.data());
    if (!dispatcher)
        NtCommon::ErrorDescription::raise(QStringLiteral("ControllerBase::dispatcher"), __LINE__, QStringLiteral("Pointer is null!"));
    return dispatcher;
}

} // namespace P2pClientController
