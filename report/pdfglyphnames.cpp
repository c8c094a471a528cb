#include "report/pdfglyphnames.h"

namespace {

// afii10017..10049 are А..Я with Ё placed after Е; afii10065..10097 the same for а..я and ё.
int afiiNumber(char32_t cp)
{
    auto inAlphabet = [cp](char32_t firstLetter, char32_t yo, int firstNumber) -> int {
        if (cp == yo)
            return firstNumber + 6;
        if (cp >= firstLetter && cp < firstLetter + 6)
            return firstNumber + int(cp - firstLetter);
        if (cp >= firstLetter + 6 && cp < firstLetter + 32)
            return firstNumber + int(cp - firstLetter) + 1;
        return 0;
    };
    if (const int upper = inAlphabet(U'\u0410', U'\u0401', 10017))
        return upper;
    return inAlphabet(U'\u0430', U'\u0451', 10065);
}

} // namespace

QByteArray pdfGlyphName(char32_t codePoint)
{
    if (const int afii = afiiNumber(codePoint))
        return "afii" + QByteArray::number(afii);
    if (codePoint <= 0xFFFF)
        return "uni" + QByteArray::number(uint(codePoint), 16).toUpper().rightJustified(4, '0');
    return 'u' + QByteArray::number(uint(codePoint), 16).toUpper();
}
