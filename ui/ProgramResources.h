// The program's icon and its page, built into the executable, so a copy of
// the program needs nothing beside it but header.dat.
#pragma once
#include <QString>

// The resource path of one of those files (":/pikselar/<name>"), its
// resources registered first: they live in a static library, which the
// linker would otherwise leave out.
QString ProgramResource(const char* name);

inline constexpr const char* ProgramIconName = "pikselar.ico";
inline constexpr const char* AboutPageName = "pikselar.html";
inline constexpr const char* EnglishAboutPageName = "pikselar_en.html";
