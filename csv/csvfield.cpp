#include "csv/csvfield.h"

#include "csv/csvtextwrap.h"
#include "platform/ansicodepage.h"

namespace csv {

QByteArray fieldFromBytes(QByteArrayView text)
{
    // Written in place: the field never holds more than the text and its separator.
    QByteArray clean(text.size() + 1, Qt::Uninitialized);
    char *out = clean.data();
    bool needsQuotes = false;
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) < 32)
            continue; // line breaks (the final one too) and TABs go without replacement and need no quotes
        needsQuotes = needsQuotes || byte == kSeparator || byte == '"';
        *out++ = byte;
    }
    if (!needsQuotes) {
        *out++ = kSeparator;
        clean.truncate(out - clean.constData());
        return clean;
    }
    clean.truncate(out - clean.constData());
    QByteArray quoted;
    quoted.reserve(clean.size() + 4);
    quoted.append('"');
    for (const char byte : std::as_const(clean)) {
        if (byte == '"')
            quoted.append('"');
        quoted.append(byte);
    }
    quoted.append('"');
    quoted.append(kSeparator);
    return quoted;
}

QByteArray boxField(const PreparedBox &box, const AnsiCodePage &ansi)
{
    const ReportFont font = box.style ? box.style->font : ReportFont::ArialRegular;
    // The memo's lines end in CR LF, which the field drops: a line feed alone keeps the
    // lines apart for the code page just as well.
    return fieldFromBytes(ansi.encode(joinedMemoLines(box.text, font, box.widthPx)));
}

} // namespace csv
