// Reasons the history is not being saved that more than one file gives. Every
// reason is a whole Polish sentence marked for the translation tools under
// the context "HistoryReason"; the history window translates it.
#pragma once
#include <string>

#include "core/Translatable.h"

inline constexpr const char* HistoryReasonContext = "HistoryReason";

inline constexpr const char* HistoryDiskFull = QT_TRANSLATE_NOOP("HistoryReason", "brak miejsca na dysku");

// Any other database error, by its number, which takes the place of %1.
inline constexpr const char* HistoryWriteErrorTemplate =
    QT_TRANSLATE_NOOP("HistoryReason", "błąd zapisu historii (SQLite %1)");

inline std::string HistoryWriteError(int code)
{
    std::string text = HistoryWriteErrorTemplate;
    return text.replace(text.find("%1"), 2, std::to_string(code));
}
