#include "csv/csvfield.h"

#include "csv/csvtextwrap.h"
#include "platform/ansicodepage.h"

namespace csv {

QByteArray fieldFromBytes(QByteArrayView text)
{
    QByteArray clean;
    clean.reserve(text.size() + 3);
    bool needsQuotes = false;
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) < 32)
            continue; // line breaks (the final one too) and TABs go without replacement and need no quotes
        needsQuotes = needsQuotes || byte == kSeparator || byte == '"';
        clean.append(byte);
    }
    if (!needsQuotes) {
        clean.append(kSeparator);
        return clean;
    }
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
    QString laidOut;
    for (const QString &line : wrapMemoLines(box.text, font, box.widthPx)) {
        laidOut += line;
        laidOut += u"\r\n";
    }
    return fieldFromBytes(ansi.encode(laidOut));
}

} // namespace csv
