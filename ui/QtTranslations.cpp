#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace hl {

bool UseQtTranslations(const std::string& language) {
    static QTranslator* inForce = nullptr;
    if (inForce) {
        QCoreApplication::removeTranslator(inForce);
        delete inForce;
        inForce = nullptr;
    }
    const char* code = language == "Spanish" ? "es" : language == "Dutch" ? "nl" : nullptr;
    if (!code) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    inForce = translator.release();
    QCoreApplication::installTranslator(inForce);
    return true;
}

} // namespace hl
