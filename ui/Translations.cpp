#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {
Language chosen = Language::Polish;
}

Translations::Translations(Language language)
{
    chosen = language;
    const bool english = language == Language::English;
    if (english)
        ownLoaded_ = own_.load(QStringLiteral(":/i18n/pikselar_en.qm"));
    qtLoaded_ = qt_.load(english ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_pl"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString Translations::text(const char* context, const char* source) const
{
    const QString translated = ownLoaded_ ? own_.translate(context, source) : QString();
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

void Translations::install(QCoreApplication& app)
{
    if (qtLoaded_)
        app.installTranslator(&qt_);
    if (ownLoaded_)
        app.installTranslator(&own_);
}

Language InterfaceLanguage()
{
    return chosen;
}
