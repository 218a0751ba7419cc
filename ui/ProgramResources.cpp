#include "ui/ProgramResources.h"

// At global scope, not in a namespace: Q_INIT_RESOURCE declares the
// registration function where it stands.
static void RegisterProgramResources()
{
    Q_INIT_RESOURCE(pikselar);
}

QString ProgramResource(const char* name)
{
    static const bool registered = (RegisterProgramResources(), true);
    (void)registered;
    return QStringLiteral(":/pikselar/") + QString::fromUtf8(name);
}
