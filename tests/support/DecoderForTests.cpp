// Linked into every test executable: the tests lie apart from the program,
// so the decodes they run are pointed at the build tree's decoding process.
#include <QString>

#include "transfer/DecodeProcess.h"

namespace {
const bool decoderChosen = [] {
    SetDecoderProgram(QStringLiteral(PIKSELAR_DECODER));
    return true;
}();
} // namespace
