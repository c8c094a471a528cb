#include "platform/os/codepagebackend.h"

#include <QString>

#include <windows.h>

namespace {

// Code pages of more than one byte per character through the Win32 converters.
class WinCodePage final : public AnsiCodePage
{
public:
    explicit WinCodePage(UINT number) : m_number(number) {}

    int number() const override { return int(m_number); }

    QString decode(QByteArrayView bytes) const override
    {
        if (bytes.isEmpty())
            return QString();
        // Converted in pieces that fit an int, each ending on a character boundary.
        QString text;
        qsizetype start = 0;
        while (start < bytes.size()) {
            const qsizetype length = pieceLength(bytes, start);
            const int inLength = int(length);
            const int needed = MultiByteToWideChar(m_number, 0, bytes.data() + start, inLength,
                                                   nullptr, 0);
            if (needed <= 0)
                break;
            const qsizetype used = text.size();
            text.resize(used + needed);
            MultiByteToWideChar(m_number, 0, bytes.data() + start, inLength,
                                reinterpret_cast<wchar_t *>(text.data() + used), needed);
            start += length;
        }
        return text;
    }

    QByteArray encode(QStringView text) const override
    {
        if (text.isEmpty())
            return QByteArray();
        const auto *in = reinterpret_cast<const wchar_t *>(text.utf16());
        const int inLength = int(text.size());
        // UTF-8 and UTF-7 refuse a default character.
        const bool takesDefault = m_number != CP_UTF8 && m_number != CP_UTF7;
        const char *defaultChar = takesDefault ? "?" : nullptr;
        int needed = WideCharToMultiByte(m_number, 0, in, inLength, nullptr, 0, defaultChar,
                                         nullptr);
        // Some code pages refuse a default character; they use their own.
        if (needed <= 0 && defaultChar) {
            defaultChar = nullptr;
            needed = WideCharToMultiByte(m_number, 0, in, inLength, nullptr, 0, nullptr, nullptr);
        }
        if (needed <= 0)
            return QByteArray();
        QByteArray bytes(needed, Qt::Uninitialized);
        WideCharToMultiByte(m_number, 0, in, inLength, bytes.data(), needed, defaultChar,
                            nullptr);
        return bytes;
    }

private:
    // The bytes from start that one conversion takes: all of them when they fit an int,
    // else as many whole characters as fit in a gigabyte.
    qsizetype pieceLength(QByteArrayView bytes, qsizetype start) const
    {
        constexpr qsizetype kMaxPiece = qsizetype(1) << 30;
        if (bytes.size() - start <= kMaxPiece)
            return bytes.size() - start;
        qsizetype length = 0;
        for (;;) {
            const qsizetype step =
                IsDBCSLeadByteEx(m_number, BYTE(bytes[start + length])) ? 2 : 1;
            if (length + step > kMaxPiece)
                return length;
            length += step;
        }
    }

    UINT m_number;
};

} // namespace

namespace codepagebackend {

std::optional<std::array<char16_t, 256>> byteTable(int number)
{
    if (!IsValidCodePage(UINT(number)))
        return std::nullopt;
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char in = char(byte);
        wchar_t out = 0;
        const int written = MultiByteToWideChar(UINT(number), MB_ERR_INVALID_CHARS, &in, 1,
                                                &out, 1);
        table[byte] = written == 1 ? char16_t(out) : u'\ufffd';
    }
    return table;
}

std::unique_ptr<AnsiCodePage> makeMultiByte(int number)
{
    if (!IsValidCodePage(UINT(number)))
        return nullptr;
    return std::make_unique<WinCodePage>(UINT(number));
}

int systemCodePageNumber()
{
    return int(GetACP());
}

} // namespace codepagebackend
