#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace velmora::app {

namespace {
std::unique_ptr<QTranslator> installed(const QString& file, const QString& folder = {}) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder) || !QCoreApplication::installTranslator(translator.get())) return nullptr;
    return translator;
}
}  // namespace

InterfaceTranslations::InterfaceTranslations(const QString& language) {
    if (language.isEmpty()) return;
    own_ = installed(QStringLiteral(":/i18n/velmora_%1.qm").arg(language));
    // Qt ships no English table: its source texts are English already.
    if (language != QLatin1String("en"))
        qt_ = installed(QStringLiteral("qtbase_%1").arg(language), qtTranslationsFolder());
}

InterfaceTranslations::~InterfaceTranslations() {
    if (qt_) QCoreApplication::removeTranslator(qt_.get());
    if (own_) QCoreApplication::removeTranslator(own_.get());
}

QString InterfaceTranslations::qtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace velmora::app
