// The object table: pens, brushes and fonts made, selected into the device
// context and deleted, and the painter's pen and brush made from them.
#include <algorithm>

#include "transfer/CodePage1250.h"
#include "transfer/MetafilePlayback.h"
#include "transfer/MetafileRecords.h"

namespace wmf {

bool Player::ObjectRecord(quint16 f, const Params& p)
{
    switch (f) {
    case META_CREATEPENINDIRECT:
        if (p.has(5))
            AddObject(PenObject{p.u(0), p.s(1), ColorRef(p.u32(3))});
        else
            AddObject(OtherObject{});
        return true;
    case META_CREATEBRUSHINDIRECT:
        if (p.has(4))
            AddObject(BrushObject{p.u(0), p.u(3), ColorRef(p.u32(1))});
        else
            AddObject(OtherObject{});
        return true;
    case META_CREATEFONTINDIRECT:
        if (p.has(9)) {
            FontObject font;
            font.height = p.s(0);
            font.weight = p.s(4);
            const char* flags = p.at(5);
            font.italic = flags[0];
            font.underline = flags[1];
            font.strikeOut = flags[2];
            const QByteArray face(p.at(9), std::min<qsizetype>(32, p.bytes() - 18));
            font.face = FromCodePage1250(face.left(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0')));
            AddObject(font);
        } else {
            AddObject(OtherObject{});
        }
        return true;
    case META_CREATEPALETTE:
    case META_CREATEPATTERNBRUSH:
    case META_DIBCREATEPATTERNBRUSH:
    case META_CREATEREGION:
        AddObject(OtherObject{});
        return true;
    case META_SELECTOBJECT:
        if (p.has(1) && p.u(0) < objects_.size()) {
            const Object& o = objects_[p.u(0)];
            if (const auto* pen = std::get_if<PenObject>(&o))
                dc_.pen = *pen;
            else if (const auto* brush = std::get_if<BrushObject>(&o))
                dc_.brush = *brush;
            else if (const auto* font = std::get_if<FontObject>(&o))
                dc_.font = *font;
        }
        return true;
    case META_DELETEOBJECT:
        if (p.has(1) && p.u(0) < objects_.size())
            objects_[p.u(0)] = std::monostate{};
        return true;
    default:
        return false;
    }
}

void Player::AddObject(Object o)
{
    for (Object& slot : objects_)
        if (std::holds_alternative<std::monostate>(slot)) {
            slot = std::move(o);
            return;
        }
    // No free slot: the object is dropped, as the header promised no more.
}

bool Player::SetPen()
{
    const PenObject& p = dc_.pen;
    if ((p.style & 0x0F) == 5) {
        painter_.setPen(Qt::NoPen);
        return false;
    }
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine};
    const int style = p.style & 0x0F;
    QPen pen(p.colour);
    // Wide pens are always solid, as on the original platform.
    const double width = PenWidth();
    pen.setWidthF(width >= 1.5 ? width : 0);
    pen.setStyle(width >= 1.5 || style > 4 ? Qt::SolidLine : styles[style]);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    return true;
}

void Player::SetBrush()
{
    const BrushObject& b = dc_.brush;
    static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::BDiagPattern,
                                                 Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    if (b.style == 1)
        painter_.setBrush(Qt::NoBrush);
    else if (b.style == 2)
        painter_.setBrush(QBrush(b.colour, hatches[std::clamp(b.hatch, 0, 5)]));
    else
        painter_.setBrush(b.colour);
}

} // namespace wmf
