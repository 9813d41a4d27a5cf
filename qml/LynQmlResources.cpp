#include "LynQmlResources.h"

#include <QtGlobal>

void initLynQmlResources()
{
    Q_INIT_RESOURCE(qml);
    Q_INIT_RESOURCE(img);
    Q_INIT_RESOURCE(fonts);
    Q_INIT_RESOURCE(i18n);
}
