#pragma once

#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

namespace velmora::app {

// The string tables of one interface language, installed for as long as the object lives:
// ours (English included: it carries the singular forms) and Qt's own, which names keys in
// shortcuts ("Strg+N") and the texts of standard dialogs.
class InterfaceTranslations {
public:
    explicit InterfaceTranslations(const QString& language);
    ~InterfaceTranslations();
    InterfaceTranslations(const InterfaceTranslations&) = delete;
    InterfaceTranslations& operator=(const InterfaceTranslations&) = delete;

    bool hasOwnTable() const { return own_ != nullptr; }
    bool hasQtTable() const { return qt_ != nullptr; }

    // Where Qt's tables are looked for; the folder of the Qt the program runs with.
    static QString qtTranslationsFolder();

private:
    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QTranslator> qt_;
};

}  // namespace velmora::app
