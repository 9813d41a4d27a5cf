#pragma once

#include "nt_common/core/error/ErrorDescription.h"
#include "nt_common/core/error/LocationTag.h"
#include "nt_common/core/pointer/SharedPointerEx.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>

// Holder of the one process-wide instance of T, created on first use.
// Creation is not locked: every holder is first used on the main thread during
// start-up, before any other thread could ask for it.
template <class T>
class SpSingleton
{
public:
    template <class... Args>
    static T *instance(Args &&...args)
    {
        static const QString tag = NtCommon::LocationTag::make(
            QStringLiteral("..\\..\\lib\\p2p\\lib_nt_common\\src\\nt_common\\core\\singleton\\SpSingleton"),
            QStringLiteral("SpSingleton<class %1>::instance").arg(className()));
        NtCommon::SharedPointerEx<T> &held = stored();
        if (!held)
            held = NtCommon::SharedPointerEx<T>(new T(std::forward<Args>(args)...));
        if (!held)
            NtCommon::ErrorDescription::raise(tag, 31, QStringLiteral("ERROR_DESCRIPTIONS"));
        return held.data();
    }

    static NtCommon::SharedPointerEx<T> sharedInstance() { return stored(); }

private:
    static NtCommon::SharedPointerEx<T> &stored()
    {
        static NtCommon::SharedPointerEx<T> held;
        return held;
    }

    static QString className()
    {
        int status = 0;
        std::unique_ptr<char, void (*)(void *)> name(
            abi::__cxa_demangle(typeid(T).name(), nullptr, nullptr, &status), std::free);
        return QString::fromLatin1(status == 0 && name ? name.get() : typeid(T).name());
    }
};
