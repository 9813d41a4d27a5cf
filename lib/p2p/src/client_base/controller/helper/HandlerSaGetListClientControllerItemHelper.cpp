#include "client_base/controller/helper/HandlerSaGetListClientControllerItemHelper.h"

#include "nt_common/model/TableAnswer.h"

namespace ClientControllerHelper {

void HandlerSaGetListClientControllerItemHelper::handleSaGetList(const DTO &message)
{
    const QString state = valueText(message.value(QStringLiteral("STATE")));
    // RECEIVER is compared as text throughout, whether it came as a number or a text.
    const bool addressedHere = isAddressedHere(message);
    {
        const bool replaces = !m_isStaticModel && state == QLatin1String("start") && addressedHere
                              && !message.contains(QStringLiteral("_do_not_clear_model"));
        NtCommon::TableAnswer answer(m_originalModel, replaces);
        // Another instance's list is not ours to show, unless all instances share the model.
        if (m_isStaticModel || addressedHere)
            answer.merge(recordsOf(message));
    }
    if (state == QLatin1String("end") && (m_isStaticModel || addressedHere))
        NtCommon::TableAnswer::finish(m_originalModel, m_proxyModel);
    emitSaGetList(message);
}

} // namespace ClientControllerHelper
