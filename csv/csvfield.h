#pragma once

#include "report/preparedpage.h"

#include <QByteArray>
#include <QByteArrayView>

class AnsiCodePage;

namespace csv {

// Ends every field that carries text, and stands alone for each further grid cell of a box.
inline constexpr char kSeparator = ';';

// The field of already encoded text, closing separator included: every byte below 32
// removed (line breaks, TABs), quoted with inner quotes doubled when it holds the separator or a
// quote, the separator alone when nothing is left.
QByteArray fieldFromBytes(QByteArrayView text);

// The field of a box: its text laid out as the memo shows it (wrapped lines, each followed
// by CR LF) and converted to the code page, whose default character stands for what it
// lacks; then as fieldFromBytes. A box without a style is measured in the regular face.
QByteArray boxField(const PreparedBox &box, const AnsiCodePage &ansi);

} // namespace csv
