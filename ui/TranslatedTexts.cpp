#include "ui/TranslatedTexts.h"

#include <QCoreApplication>
#include <array>
#include <string_view>

#include "core/Palette.h"
#include "files/HistoryReasons.h"
#include "ui/HelpTexts.h"

namespace {
// The translation tools read this table; the names themselves are the
// palette's, which the assertion below keeps in step.
constexpr std::array<const char*, PaletteSize> ColourKeys{
    QT_TRANSLATE_NOOP("Colour", "czarny"),           QT_TRANSLATE_NOOP("Colour", "czerwony"),
    QT_TRANSLATE_NOOP("Colour", "zielony"),          QT_TRANSLATE_NOOP("Colour", "niebieski"),
    QT_TRANSLATE_NOOP("Colour", "brązowy"),          QT_TRANSLATE_NOOP("Colour", "ciemy zielony"),
    QT_TRANSLATE_NOOP("Colour", "ciemny niebieski"), QT_TRANSLATE_NOOP("Colour", "ciemny szary"),
    QT_TRANSLATE_NOOP("Colour", "biały"),            QT_TRANSLATE_NOOP("Colour", "fioletowy"),
    QT_TRANSLATE_NOOP("Colour", "żółty"),            QT_TRANSLATE_NOOP("Colour", "morski"),
    QT_TRANSLATE_NOOP("Colour", "ciemny fioletowy"), QT_TRANSLATE_NOOP("Colour", "oliwkowy"),
    QT_TRANSLATE_NOOP("Colour", "osikany zielony"),  QT_TRANSLATE_NOOP("Colour", "szary"),
};

constexpr bool SameAsPalette()
{
    for (int i = 0; i < PaletteSize; ++i)
        if (std::string_view(ColourKeys[std::size_t(i)]) != ColorNames[std::size_t(i)])
            return false;
    return true;
}
static_assert(SameAsPalette(), "the colour names to translate are the palette's");

// Polish word order puts the name inside: "wybrać czarny kolor".
constexpr const char* PaletteHelp = QT_TRANSLATE_NOOP("HelpTexts", "Kliknij tutaj, aby wybrać %1 kolor");

QString Translated(const std::string& text)
{
    return text.empty() ? QString() : QCoreApplication::translate("HelpTexts", text.c_str());
}
} // namespace

QString ColourName(int index)
{
    if (index < 0 || index >= PaletteSize)
        return {};
    return QCoreApplication::translate("Colour", ColourKeys[std::size_t(index)]);
}

QString ShortHelp(int kind, int index)
{
    if (kind == ShortPalette)
        return index < 0 || index >= PaletteSize
                   ? QString()
                   : QCoreApplication::translate("HelpTexts", PaletteHelp).arg(ColourName(index));
    return Translated(ShortHelpText(kind, index));
}

QString LongHelp(int kind, int index)
{
    return Translated(LongHelpText(kind, index));
}

QString HelpModeText()
{
    return QCoreApplication::translate("HelpTexts", HelpModeNotice);
}

QString HistoryReason(const std::string& reason)
{
    // The numbered database error is the one reason with a part filled in.
    const std::string_view numbered = HistoryWriteErrorTemplate;
    const std::string_view before = numbered.substr(0, numbered.find("%1"));
    const std::string_view after = numbered.substr(numbered.find("%1") + 2);
    if (reason.size() > before.size() + after.size() && reason.compare(0, before.size(), before) == 0
        && reason.compare(reason.size() - after.size(), after.size(), after) == 0) {
        const std::string number = reason.substr(before.size(), reason.size() - before.size() - after.size());
        return QCoreApplication::translate(HistoryReasonContext, HistoryWriteErrorTemplate)
            .arg(QString::fromStdString(number));
    }
    return QCoreApplication::translate(HistoryReasonContext, reason.c_str());
}
