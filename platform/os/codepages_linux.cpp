#include "platform/codepages.h"
#include "platform/os/codepagebackend.h"

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include <iconv.h>

namespace {

QByteArray iconvName(int number)
{
    return "CP" + QByteArray::number(number);
}

// An iconv descriptor that closes itself.
class Iconv
{
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (isValid())
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    bool isValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }
    void reset() const { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_cd;
};

// Double-byte code pages (932, 936, 949, 950) through iconv. A descriptor is opened per
// call: iconv keeps shift state, and the program converts whole files, not pieces.
class IconvCodePage final : public AnsiCodePage
{
public:
    explicit IconvCodePage(int number) : m_number(number), m_name(iconvName(number)) {}

    int number() const override { return m_number; }

    QString decode(QByteArrayView bytes) const override
    {
        Iconv cd("UTF-16LE", m_name.constData());
        QString text;
        if (!cd.isValid())
            return text;
        text.resize(bytes.size() + 1);
        char *in = const_cast<char *>(bytes.data());
        size_t inLeft = size_t(bytes.size());
        char *out = reinterpret_cast<char *>(text.data());
        size_t outLeft = size_t(text.size()) * 2;
        while (inLeft > 0) {
            if (iconv(cd.get(), &in, &inLeft, &out, &outLeft) != size_t(-1))
                break;
            if (errno == E2BIG) {
                const qsizetype used = (out - reinterpret_cast<char *>(text.data())) / 2;
                text.resize(text.size() * 2);
                out = reinterpret_cast<char *>(text.data()) + used * 2;
                outLeft = size_t(text.size() - used) * 2;
                continue;
            }
            // A byte that starts no character, or a character cut off at the end.
            if (outLeft < 2) {
                const qsizetype used = (out - reinterpret_cast<char *>(text.data())) / 2;
                text.resize(text.size() + 16);
                out = reinterpret_cast<char *>(text.data()) + used * 2;
                outLeft = size_t(text.size() - used) * 2;
            }
            const char16_t replacement = u'\ufffd';
            std::memcpy(out, &replacement, 2);
            out += 2;
            outLeft -= 2;
            ++in;
            --inLeft;
            cd.reset();
        }
        text.truncate((out - reinterpret_cast<char *>(text.data())) / 2);
        return text;
    }

    QByteArray encode(QStringView text) const override
    {
        Iconv cd(m_name.constData(), "UTF-16LE");
        QByteArray bytes;
        if (!cd.isValid())
            return bytes;
        bytes.resize(text.size() * 2 + 16);
        char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.data()));
        size_t inLeft = size_t(text.size()) * 2;
        char *out = bytes.data();
        size_t outLeft = size_t(bytes.size());
        while (inLeft > 0) {
            if (iconv(cd.get(), &in, &inLeft, &out, &outLeft) != size_t(-1))
                break;
            const int error = errno;
            const qsizetype used = out - bytes.data();
            if (error == E2BIG || outLeft == 0) {
                bytes.resize(bytes.size() * 2);
                out = bytes.data() + used;
                outLeft = size_t(bytes.size() - used);
                if (error == E2BIG)
                    continue;
            }
            // A character the code page lacks: its default character, for the whole
            // character even when it takes two UTF-16 units.
            *out++ = '?';
            --outLeft;
            char16_t unit;
            std::memcpy(&unit, in, 2);
            const size_t skip = QChar::isHighSurrogate(unit) && inLeft >= 4 ? 4 : 2;
            in += std::min(skip, inLeft);
            inLeft -= std::min(skip, inLeft);
            cd.reset();
        }
        bytes.truncate(out - bytes.data());
        return bytes;
    }

private:
    int m_number;
    QByteArray m_name;
};

} // namespace

namespace codepagebackend {

std::optional<std::array<char16_t, 256>> byteTable(int number)
{
    Iconv cd("UTF-16LE", iconvName(number).constData());
    if (!cd.isValid())
        return std::nullopt;
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        char in = char(byte);
        char16_t out[2] = {};
        char *inPtr = &in;
        size_t inLeft = 1;
        char *outPtr = reinterpret_cast<char *>(out);
        size_t outLeft = sizeof out;
        // 1258 holds back a letter that a following tone mark could combine with: the flush
        // call after the byte gives it out.
        const bool converted = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1)
            && iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft) != size_t(-1)
            && inLeft == 0 && outLeft == sizeof out - 2;
        table[byte] = converted ? out[0] : u'\ufffd';
        cd.reset();
    }
    return table;
}

std::unique_ptr<AnsiCodePage> makeMultiByte(int number)
{
    if (!Iconv("UTF-16LE", iconvName(number).constData()).isValid())
        return nullptr;
    return std::make_unique<IconvCodePage>(number);
}

int systemCodePageNumber()
{
    // The locale as setlocale reports it (the application object has set it from the
    // environment); before that, the environment in the order setlocale reads it.
    QString name;
    if (const char *current = std::setlocale(LC_CTYPE, nullptr))
        name = QString::fromLocal8Bit(current);
    if (name.isEmpty() || name == u"C" || name == u"POSIX") {
        for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const QByteArray value = qgetenv(variable);
            if (!value.isEmpty()) {
                name = QString::fromLocal8Bit(value);
                break;
            }
        }
    }
    return windowsCodePageForLocale(name);
}

} // namespace codepagebackend
