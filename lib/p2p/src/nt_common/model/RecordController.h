#pragma once

#include "nt_common/model/TableAnswer.h"

// The QML face both links' table controllers share: their record model and
// proxy (attached once by the concrete controller), whether the model is the
// process-wide one, and the model's loaded flag relayed. Placed inside the
// class after Q_OBJECT, over the members m_originalModel, m_proxyModel and
// m_isStaticModel of the class or a base; leaves the class in its private section.
#define NT_RECORD_CONTROLLER(Model, Proxy)                                                                             \
    Q_PROPERTY(Model *originalModel READ originalModel CONSTANT)                                                       \
    Q_PROPERTY(Proxy *proxyModel READ proxyModel CONSTANT)                                                            \
    Q_PROPERTY(QString controllerName READ controllerName CONSTANT)                                                   \
    Q_PROPERTY(bool isStaticModel READ isStaticModel CONSTANT)                                                        \
public:                                                                                                               \
    Model *originalModel() const { return m_originalModel; }                                                          \
    Proxy *proxyModel() const { return m_proxyModel; }                                                                \
    bool isStaticModel() const { return m_isStaticModel; }                                                            \
Q_SIGNALS:                                                                                                            \
    void dataAtLeastLoadedChanged(bool dataAtLeastLoaded);                                                            \
                                                                                                                      \
protected:                                                                                                            \
    void attachOriginalModel(Model *model) { NtCommon::TableAnswer::attachModel(this, m_originalModel, model); }      \
    void attachProxyModel(Proxy *proxy) { NtCommon::TableAnswer::attachProxy(m_proxyModel, proxy, m_originalModel); } \
                                                                                                                      \
private:
