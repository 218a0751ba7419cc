#include "ui/Language.h"

#include <cstdlib>
#include <optional>
#include <string_view>

namespace {
// The first set, non-empty value, as setlocale takes them.
std::string_view Locale(const LanguageEnvironment& env)
{
    for (const char* value : {env.lcAll, env.lcMessages, env.lang})
        if (value && *value)
            return value;
    return {};
}

// "en_GB.UTF-8@x" -> "en"
std::string_view LanguagePart(std::string_view name)
{
    return name.substr(0, name.find_first_of("_.@"));
}

std::optional<Language> Known(std::string_view name)
{
    const std::string_view language = LanguagePart(name);
    if (language == "en")
        return Language::English;
    if (language == "pl")
        return Language::Polish;
    return std::nullopt;
}
} // namespace

Language ChooseLanguage(const LanguageEnvironment& env)
{
    const std::string_view locale = Locale(env);
    if (locale.empty() || LanguagePart(locale) == "C" || locale == "POSIX")
        return Language::Polish;
    std::string_view list = env.language ? env.language : "";
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (const auto known = Known(list.substr(0, colon)))
            return *known;
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return Known(locale).value_or(Language::Polish);
}

Language LanguageFromEnvironment()
{
    return ChooseLanguage({std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"),
                           std::getenv("LANGUAGE")});
}
