#pragma once

#include "ArchiveTestController.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QUuid>

#include <functional>
#include <memory>

// Table controllers driven the way the screens drive them, with the waits
// for their answers.
namespace ScreenControllers {

constexpr int kWait = 5000;

// A controller as a screen holds it: its answers fed into the model, both
// models checked on every change, queries switched on.
template <typename Controller>
std::unique_ptr<Controller> screenController()
{
    auto c = std::make_unique<Controller>();
    new ScreenFeeder(c.get());
    new QAbstractItemModelTester(c->originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c.get());
    new QAbstractItemModelTester(c->proxyModel(), QAbstractItemModelTester::FailureReportingMode::Fatal, c.get());
    c->setUseTrQuery(true);
    return c;
}

// Sends the query and waits for the answer to it (refreshes may answer in between).
inline QJsonObject queryAndWait(LynClientController::ControllerItemBase *c, const QJsonObject &data = {},
                                const QJsonObject &hints = {})
{
    QSignalSpy answers(c, &LynClientController::ControllerItemBase::saQuery);
    const QString id = QUuid::createUuid().toString();
    c->trQuery({{"_requestId", id}}, data, hints);
    for (int i = 0; i < 20; ++i) {
        for (const QList<QVariant> &answer : answers) {
            const QJsonObject message = answer.at(0).toJsonObject();
            if (message.value("_requestId").toString() == id)
                return message;
        }
        answers.wait(kWait / 10);
    }
    return {};
}

// Sends a request and waits for the answer signal; empty when none came.
template <typename Controller, typename Signal>
QJsonObject changeAndWait(Controller *c, Signal answerSignal, const std::function<void()> &send, int timeoutMs = kWait)
{
    QSignalSpy answer(c, answerSignal);
    send();
    if (!(answer.count() || answer.wait(timeoutMs)))
        return {};
    return answer.first().at(0).toJsonObject();
}

} // namespace ScreenControllers
