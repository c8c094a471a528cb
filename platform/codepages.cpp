#include "platform/codepages.h"

#include "platform/os/codepagebackend.h"

#include <QStringList>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A single-byte code page by table: decoding is one lookup per byte, encoding one per
// character through the reverse table.
class SingleByteCodePage final : public AnsiCodePage
{
public:
    SingleByteCodePage(int number, const std::array<char16_t, 256> &table)
        : m_number(number), m_table(table), m_reverse(0x10000, 0)
    {
        // Walk backwards so that, should two bytes share a character, the lower one wins.
        for (int byte = 255; byte > 0; --byte) {
            if (table[byte] != u'\ufffd')
                m_reverse[table[byte]] = uchar(byte);
        }
    }

    int number() const override { return m_number; }

    QString decode(QByteArrayView bytes) const override
    {
        QString text(bytes.size(), Qt::Uninitialized);
        auto *out = reinterpret_cast<char16_t *>(text.data());
        const auto *in = reinterpret_cast<const uchar *>(bytes.data());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            out[i] = m_table[in[i]];
        return text;
    }

    QByteArray encode(QStringView text) const override
    {
        // At most one byte per UTF-16 unit, written in place and cut to size.
        QByteArray bytes(text.size(), Qt::Uninitialized);
        char *out = bytes.data();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            if (c == 0) {
                *out++ = '\0';
                continue;
            }
            // A character beyond the 16-bit range is one character, so one default mark.
            if (QChar::isHighSurrogate(c) && i + 1 < text.size()
                && text.at(i + 1).isLowSurrogate())
                ++i;
            const uchar byte = m_reverse[c];
            *out++ = byte != 0 ? char(byte) : '?';
        }
        bytes.truncate(out - bytes.constData());
        return bytes;
    }

private:
    int m_number;
    std::array<char16_t, 256> m_table;
    std::vector<uchar> m_reverse; // character → byte, 0 for none
};

bool isSingleByte(int number)
{
    return number == 874 || (number >= 1250 && number <= 1258);
}

struct LocaleParts
{
    QString language;
    QString script;    // "Latn", "Cyrl", "Hant" ... or empty
    QString territory; // "RU", "TW" ... or empty
};

// "ru_RU.UTF-8", "sr_RS@latin", "zh-Hant-TW" → language, script, territory.
LocaleParts splitLocaleName(const QString &name)
{
    LocaleParts parts;
    QString base = name;
    const qsizetype at = base.indexOf(u'@');
    if (at >= 0) {
        const QString modifier = base.mid(at + 1).toLower();
        if (modifier == u"latin")
            parts.script = u"Latn"_s;
        else if (modifier == u"cyrillic")
            parts.script = u"Cyrl"_s;
        base.truncate(at);
    }
    const qsizetype dot = base.indexOf(u'.');
    if (dot >= 0)
        base.truncate(dot);
    base.replace(u'-', u'_');
    const QStringList pieces = base.split(u'_', Qt::SkipEmptyParts);
    if (pieces.isEmpty())
        return parts;
    parts.language = pieces.first().toLower();
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString &piece = pieces.at(i);
        if (piece.size() == 4)
            parts.script = piece.left(1).toUpper() + piece.mid(1).toLower();
        else
            parts.territory = piece.toUpper();
    }
    return parts;
}

bool among(const QString &language, std::initializer_list<const char16_t *> languages)
{
    return std::any_of(languages.begin(), languages.end(),
                       [&language](const char16_t *l) { return language == QStringView(l); });
}

// Gives every byte the code page leaves undefined a character of its own, so that text read
// in the code page is written back byte for byte: a byte from 0x80 to 0x9F stands for the
// control character of the same value, as Windows' own tables have it, and one above (in
// 874, 1253, 1255, 1257) for the private-use character U+F700 + byte, which no table uses.
std::optional<std::array<char16_t, 256>>
withUndefinedBytes(std::optional<std::array<char16_t, 256>> table)
{
    if (!table)
        return table;
    for (int byte = 0x80; byte < 256; ++byte) {
        char16_t &character = (*table)[byte];
        if (character == u'\ufffd')
            character = char16_t(byte < 0xA0 ? byte : 0xF700 + byte);
    }
    return table;
}

// Last resort when the system has no converter even for 1252: bytes as Latin-1.
std::array<char16_t, 256> latin1Table()
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = char16_t(byte);
    return table;
}

} // namespace

int windowsCodePageForLocale(const QString &localeName)
{
    const LocaleParts parts = splitLocaleName(localeName);
    const QString &lang = parts.language;
    const bool latin = parts.script == u"Latn";
    const bool cyrillic = parts.script == u"Cyrl";

    // Languages written in either script follow the script; without one, their usual one.
    if (among(lang, {u"sr", u"bs"}))
        return latin || (lang == u"bs" && !cyrillic) ? 1250 : 1251;
    if (among(lang, {u"uz", u"az"}))
        return cyrillic ? 1251 : 1254;
    if (lang == u"zh") {
        const bool traditional = parts.script == u"Hant"
            || among(parts.territory, {u"TW", u"HK", u"MO"});
        return traditional ? 950 : 936;
    }
    if (among(lang, {u"ru", u"uk", u"be", u"bg", u"mk", u"kk", u"ky", u"mn", u"tt", u"ba",
                     u"sah", u"tg", u"cv", u"os"}))
        return 1251;
    if (among(lang, {u"cs", u"sk", u"pl", u"hu", u"sl", u"hr", u"ro", u"sq", u"tk", u"hsb",
                     u"dsb"}))
        return 1250;
    if (lang == u"el")
        return 1253;
    if (lang == u"tr")
        return 1254;
    if (among(lang, {u"he", u"iw", u"yi"}))
        return 1255;
    if (among(lang, {u"ar", u"fa", u"ur", u"ps", u"ug", u"sd"}))
        return 1256;
    if (among(lang, {u"lt", u"lv", u"et"}))
        return 1257;
    if (lang == u"vi")
        return 1258;
    if (lang == u"th")
        return 874;
    if (lang == u"ja")
        return 932;
    if (lang == u"ko")
        return 949;
    return 1252;
}

std::unique_ptr<AnsiCodePage> makeCodePage(int number)
{
    if (isSingleByte(number)) {
        // Tables are built once per code page and shared by every converter made later.
        static std::vector<std::pair<int, std::optional<std::array<char16_t, 256>>>> tables;
        auto found = std::find_if(tables.begin(), tables.end(),
                                  [number](const auto &entry) { return entry.first == number; });
        if (found == tables.end()) {
            tables.emplace_back(number, withUndefinedBytes(codepagebackend::byteTable(number)));
            found = tables.end() - 1;
        }
        if (!found->second)
            return nullptr;
        return std::make_unique<SingleByteCodePage>(number, *found->second);
    }
    return codepagebackend::makeMultiByte(number);
}

std::unique_ptr<AnsiCodePage> systemAnsiCodePage()
{
    if (auto page = makeCodePage(codepagebackend::systemCodePageNumber()))
        return page;
    if (auto page = makeCodePage(1252))
        return page;
    return std::make_unique<SingleByteCodePage>(1252, latin1Table());
}
