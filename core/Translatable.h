// Marks a text of the plain tables for the translation tools, which read the
// sources; the text itself stays as it is. The windows translate it in ui/.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif
