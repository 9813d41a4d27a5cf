#pragma once

#include "client_base/controller/helper/ClientControllerItemHelperBase.h"

namespace ClientControllerHelper {

// Handles the "saGetList" series framed by "STATE" "start" ... "end".
class HandlerSaGetListClientControllerItemHelper : public ClientControllerItemHelperBase
{
protected:
    void handleSaGetList(const DTO &message);
    virtual void emitSaGetList(const DTO &message) = 0;
};

} // namespace ClientControllerHelper
