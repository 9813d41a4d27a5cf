#pragma once

#include "nt_common/core/error/ErrorDescription.h"

#include <QWeakPointer>

namespace NtCommon {

// A weak pointer whose data() promotes to a strong reference first and raises
// when the object is gone.
template <class T>
class WeakPointerEx : public QWeakPointer<T>
{
public:
    using QWeakPointer<T>::QWeakPointer;
    WeakPointerEx() = default;
    WeakPointerEx(const QWeakPointer<T> &other) : QWeakPointer<T>(other) {}

    T *data() const
    {
        T *p = QWeakPointer<T>::toStrongRef().data();
        if (!p)
            ErrorDescription::raise(QStringLiteral("WeakPointerEx: inline T * data() const"), 24,
                                    QStringLiteral("Pointer is null!"));
        return p;
    }
};

} // namespace NtCommon
