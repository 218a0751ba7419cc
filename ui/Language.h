// The language of the interface, chosen from the environment the way gettext
// programs choose theirs. Pure, so the rule is checked without a window.
#pragma once

enum class Language { Polish, English };

struct LanguageEnvironment {
    const char* lcAll = nullptr;
    const char* lcMessages = nullptr;
    const char* lang = nullptr;
    const char* language = nullptr; // LANGUAGE: a colon-separated list
};

// The locale (LC_ALL, else LC_MESSAGES, else LANG) C, POSIX or unset gives
// Polish whatever LANGUAGE says; otherwise the first of LANGUAGE's entries,
// then the locale's own language, that is English or Polish decides; Polish
// when neither is named.
Language ChooseLanguage(const LanguageEnvironment& env);

// The same, read from this process's environment.
Language LanguageFromEnvironment();
