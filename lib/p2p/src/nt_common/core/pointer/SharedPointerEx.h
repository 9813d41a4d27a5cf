#pragma once

#include "nt_common/core/error/ErrorDescription.h"

#include <QSharedPointer>

namespace NtCommon {

// A shared pointer whose accessors raise instead of handing out null.
template <class T>
class SharedPointerEx : public QSharedPointer<T>
{
public:
    using QSharedPointer<T>::QSharedPointer;
    SharedPointerEx() = default;
    SharedPointerEx(const QSharedPointer<T> &other) : QSharedPointer<T>(other) {}

    T *data() const
    {
        T *p = QSharedPointer<T>::data();
        if (!p)
            ErrorDescription::raise(QStringLiteral("SharedPointerEx: inline T * data() const"), 30,
                                    QStringLiteral("Pointer is null!"));
        return p;
    }

    T *operator->() const
    {
        T *p = QSharedPointer<T>::data();
        if (!p)
            ErrorDescription::raise(QStringLiteral("SharedPointerEx: inline T *QSharedPointer::operator->() const"), 54,
                                    QStringLiteral("Pointer is null!"));
        return p;
    }
};

} // namespace NtCommon
