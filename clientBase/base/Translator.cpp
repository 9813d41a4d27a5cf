#include "base/Translator.h"

#include <QCoreApplication>
#include <QQmlEngine>

namespace LynClientBase {

Translator::Translator(QQmlEngine *engine)
    : m_engine(engine)
{
}

void Translator::setLocale(QString locale)
{
    if (locale == QLatin1String("ru")) {
        m_translator.load(QStringLiteral("lyn-ru"), QStringLiteral("://i18n/"));
        QCoreApplication::installTranslator(&m_translator);
    } else if (locale == QLatin1String("en")) {
        QCoreApplication::removeTranslator(&m_translator);
    }
    m_engine->retranslate();
}

} // namespace LynClientBase
