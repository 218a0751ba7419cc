// The translations the program starts with: its own English texts (built in)
// and Qt's texts in the same language. Polish needs none of the program's
// own, since the program is written in Polish.
#pragma once
#include <QTranslator>

#include "ui/Language.h"

class QCoreApplication;

class Translations {
public:
    explicit Translations(Language language);
    // Usable before the application exists (the usage text, the no-display line).
    QString text(const char* context, const char* source) const;
    void install(QCoreApplication& app);

private:
    QTranslator own_;
    QTranslator qt_;
    bool ownLoaded_ = false;
    bool qtLoaded_ = false;
};

// The language chosen at start-up (Polish until Translations is made).
Language InterfaceLanguage();
