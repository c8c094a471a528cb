#include "fuzz/fuzzpages.h"

#include <array>
#include <cstring>

namespace {

constexpr unsigned char newPage = 0xFF;
// Beyond this a page is larger than any report makes and the writers only get slower.
constexpr std::size_t maxBoxesPerPage = 200;

const std::array<MemoStyle, 6> &styles()
{
    static const std::array<MemoStyle, 6> all = {{
        {QStringLiteral("Memo1"), ReportFont::ArialRegular, 13, HAlign::Left, VAlign::Top, false},
        {QStringLiteral("Memo2"), ReportFont::ArialBold, 16, HAlign::Center, VAlign::Center, true},
        {QStringLiteral("Memo3"), ReportFont::SegoeUiBold, 11, HAlign::Right, VAlign::Bottom, true},
        {QStringLiteral("Memo4"), ReportFont::ArialRegular, 1, HAlign::Center, VAlign::Top, false},
        {QStringLiteral("Memo5"), ReportFont::ArialBold, 72, HAlign::Left, VAlign::Bottom, true},
        {QStringLiteral("Memo6"), ReportFont::SegoeUiBold, 0, HAlign::Right, VAlign::Center, false},
    }};
    return all;
}

// A byte as a position or size in report pixels: the page's printable area is about
// 1047 × 718 px; the range reaches past it on every side.
double pixels(unsigned char byte)
{
    return (double(byte) - 16.0) * 5.0;
}

} // namespace

PreparedReport fuzzReport(QByteArrayView bytes)
{
    PreparedReport report;
    report.pages.emplace_back();
    qsizetype pos = 0;
    while (pos + 6 <= bytes.size()) {
        const auto byteAt = [&](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
        if (byteAt(pos) == newPage) {
            report.pages.emplace_back();
            ++pos;
            continue;
        }
        if (report.pages.back().boxes.size() == maxBoxesPerPage)
            report.pages.emplace_back();
        PreparedBox box;
        box.style = &styles()[byteAt(pos) % styles().size()];
        box.leftPx = pixels(byteAt(pos + 1));
        box.topPx = pixels(byteAt(pos + 2));
        box.widthPx = pixels(byteAt(pos + 3));
        box.heightPx = pixels(byteAt(pos + 4));
        const qsizetype units = qMin<qsizetype>(byteAt(pos + 5), (bytes.size() - pos - 6) / 2);
        pos += 6;
        box.text.resize(units);
        std::memcpy(box.text.data(), bytes.data() + pos, std::size_t(units) * 2);
        pos += units * 2;
        report.pages.back().boxes.push_back(std::move(box));
    }
    return report;
}
