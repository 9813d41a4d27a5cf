#include "client_base/controller/helper/HandlerSaGetListClientControllerItemHelper.h"

namespace ClientControllerHelper {

void HandlerSaGetListClientControllerItemHelper::handleSaGetList(const DTO &message)
{
    const QString state = valueText(message.value(QStringLiteral("STATE")));
    const bool addressedHere = isAddressedHere(message);

    if (m_originalModel && !m_isStaticModel && state == QLatin1String("start")
        && isNumber(message.value(QStringLiteral("RECEIVER")), helperReceiverId())
        && !message.contains(QStringLiteral("_do_not_clear_model")))
        m_originalModel->clear();

    // Another instance's list is not ours to show, unless all instances share the model.
    if (m_isStaticModel || addressedHere)
        mergeRecords(message);

    if (state == QLatin1String("end") && (m_isStaticModel || addressedHere)) {
        if (m_proxyModel)
            m_proxyModel->sortRows();
        if (m_originalModel)
            m_originalModel->setDataAtLeastLoaded(true);
    }
    emitSaGetList(message);
}

} // namespace ClientControllerHelper
