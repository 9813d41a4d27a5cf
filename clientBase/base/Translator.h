#pragma once

#include <QObject>
#include <QTranslator>

class QQmlEngine;

namespace LynClientBase {

// Switches the interface language at run time; English needs no catalogue.
class Translator : public QObject
{
    Q_OBJECT
public:
    explicit Translator(QQmlEngine *engine);

public slots:
    void setLocale(QString locale);

private:
    QTranslator m_translator;
    QQmlEngine *m_engine;
};

} // namespace LynClientBase
