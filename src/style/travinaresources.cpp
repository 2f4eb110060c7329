#include "travinaresources.h"

#include <QtGlobal>

void initTravinaResources()
{
    Q_INIT_RESOURCE(travina);
    Q_INIT_RESOURCE(translations);
}
