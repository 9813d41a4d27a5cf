#pragma once

#include <QtGlobal>

// A wait's budget, stretched by LYN_TEST_TIME_SCALE: the sanitizer runs set
// it, as their code runs several times slower.
inline int timeBudget(int ms)
{
    bool ok = false;
    const int scale = qEnvironmentVariableIntValue("LYN_TEST_TIME_SCALE", &ok);
    return ok && scale > 1 ? ms * scale : ms;
}
