#include "client_base/controller/base/ControllerBase.h"

#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <atomic>

namespace P2pClientController {

namespace {
std::atomic<qint64> g_receiverCounter{0};

QSharedPointer<P2pClientBase::ClientNetworkSimple> &sharedLink()
{
    static QSharedPointer<P2pClientBase::ClientNetworkSimple> link;
    return link;
}

// The command buffer belongs to the thread that switched it on (the GUI thread's
// controllers); commands sent from any other thread, such as the server link's
// tunnel requests, go out at once and are never collected or resent.
struct CommandBuffer
{
    QMutex lock;
    QThread *owner = nullptr;
    QList<std::shared_ptr<DTO>> commands;
};

CommandBuffer &commandBuffer()
{
    static CommandBuffer buffer;
    return buffer;
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
    {
        CommandBuffer &buffer = commandBuffer();
        QMutexLocker locker(&buffer.lock);
        if (buffer.owner && buffer.owner == QThread::currentThread()) {
            buffer.commands.append(message);
            return;
        }
    }
    emit link()->sendMessageSignal(message, false);
}

void ControllerBase::onBufferCmd()
{
    CommandBuffer &buffer = commandBuffer();
    QMutexLocker locker(&buffer.lock);
    buffer.commands.clear();
    buffer.owner = QThread::currentThread();
}

void ControllerBase::offBufferCmd()
{
    CommandBuffer &buffer = commandBuffer();
    QMutexLocker locker(&buffer.lock);
    buffer.owner = nullptr;
}

void ControllerBase::sendBufferCmd(bool block4write)
{
    QList<std::shared_ptr<DTO>> copies;
    {
        CommandBuffer &buffer = commandBuffer();
        QMutexLocker locker(&buffer.lock);
        for (const auto &command : qAsConst(buffer.commands))
            copies.append(std::make_shared<DTO>(*command));
    }
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
