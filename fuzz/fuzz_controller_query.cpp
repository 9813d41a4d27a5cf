// Query answers and change notices merged into a controller's model while the
// filter and sort proxy watches it: both models stay consistent (the testers
// abort otherwise) and no record is held twice.
#include "ArchiveTestController.h"
#include "FuzzSupport.h"
#include "base/HandleRecievedMessages.h"
#include "base/LynClientNetwork.h"
#include "controllers/archive/ArchiveController.h"
#include "controllers/base/OriginalModel.h"
#include "controllers/base/ProxyModel.h"

#include <QAbstractItemModelTester>
#include <QSet>

using namespace LynClientBase;
using LynClientController::ArchiveController;

namespace {

struct Table
{
    QSharedPointer<LynClientNetwork> link = QSharedPointer<LynClientNetwork>::create();
    QSharedPointer<HandleRecievedMessages> router = QSharedPointer<HandleRecievedMessages>::create();
    ArchiveController *controller;
    Table()
    {
        link->setMessageHandler(router);
        LynClientNetwork::setControllersLink(link);
        controller = new ArchiveController;
        // The records reach the model the way a screen hands them over.
        new ScreenFeeder(controller);
        new QAbstractItemModelTester(controller->originalModel(), QAbstractItemModelTester::FailureReportingMode::Fatal,
                                     controller);
        new QAbstractItemModelTester(controller->proxyModel(), QAbstractItemModelTester::FailureReportingMode::Fatal,
                                     controller);
        controller->proxyModel()->sort(0, Qt::DescendingOrder);
    }
};

void checkNoTwins(const LynClientController::OriginalModel *model)
{
    QSet<QString> seen;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QString id = model->originalData(row, QStringLiteral("rowID")).toString();
        if (id.isEmpty())
            continue;
        if (seen.contains(id))
            FuzzSupport::fail("a record is held twice");
        seen.insert(id);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Table table;
    const QByteArray input = FuzzSupport::bytes(data, size);
    for (QJsonObject message : FuzzSupport::objects(input)) {
        message.insert(QStringLiteral("ctl"), QStringLiteral("archive"));
        if (!message.contains(QStringLiteral("_receiver")))
            message.insert(QStringLiteral("_receiver"), table.controller->objectNumber());
        if (!message.contains(QStringLiteral("action")))
            message.insert(QStringLiteral("action"), QStringLiteral("saQuery"));
        table.router->onMessageReceived(message);
        checkNoTwins(table.controller->originalModel());
    }
    // Every run starts from an empty table, so that a finding replays alone.
    table.controller->originalModel()->clear();
    return 0;
}
