#pragma once

#include "nt_common/core/error/ErrorDescription.h"

#include <QScopedPointer>

namespace NtCommon {

// An owning pointer whose accessors raise instead of handing out null.
template <class T, class Cleanup = QScopedPointerDeleter<T>>
class ScopedPointerEx : public QScopedPointer<T, Cleanup>
{
public:
    using QScopedPointer<T, Cleanup>::QScopedPointer;

    T *data() const
    {
        T *p = QScopedPointer<T, Cleanup>::data();
        if (!p)
            ErrorDescription::raise(QStringLiteral("ScopedPointerEx: inline T * data() const"), 17,
                                    QStringLiteral("Pointer is null!"));
        return p;
    }

    T *operator->() const
    {
        T *p = QScopedPointer<T, Cleanup>::data();
        if (!p)
            ErrorDescription::raise(QStringLiteral("ScopedPointerEx: inline T *QScopedPointer::operator->() const"), 41,
                                    QStringLiteral("Pointer is null!"));
        return p;
    }
};

} // namespace NtCommon
