// File names as the file system spells them. A name holds any bytes, but a
// QString holds text: valid UTF-8 is decoded as usual, and every byte that is
// not part of valid UTF-8 becomes the lone surrogate U+DC80..U+DCFF, which
// NativeName turns back into that byte. So every name survives the round
// trip, where QFile::decodeName would turn such bytes into U+FFFD.
#pragma once
#include <string_view>

#include <QByteArray>
#include <QString>

QString NameFromNative(std::string_view native);
QByteArray NativeName(const QString& name);
// For showing: each byte kept by NameFromNative as U+FFFD.
QString DisplayName(QString name);
