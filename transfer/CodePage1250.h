// Text of the Central European Windows code page (1250), the way the
// program's own language is stored in metafiles.
#pragma once
#include <QByteArray>
#include <QString>

namespace wmf {

QString FromCodePage1250(const QByteArray& bytes);

} // namespace wmf
