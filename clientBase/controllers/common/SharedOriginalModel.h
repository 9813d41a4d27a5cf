#pragma once

#include "controllers/base/OriginalModel.h"

#include <QSharedPointer>

namespace LynClientController {

// The record model that every instance of Controller shows: made with its table
// description by the first instance and kept for the life of the process, so
// that all open screens of one table see the same rows.
template <typename Controller, typename Description>
OriginalModel *sharedOriginalModel()
{
    static OriginalModel *const model = [] {
        auto *created = new OriginalModel;
        created->setModelBase(QSharedPointer<Description>::create());
        return created;
    }();
    return model;
}

} // namespace LynClientController
