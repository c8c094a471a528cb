#pragma once

#include <QString>

#include <vector>

// A prepared report page: positioned, expanded texts, nothing else. The preview, the printer,
// the PDF writer and the CSV writer all read these and never go back to the table.

enum class ReportFont : unsigned char { ArialRegular, ArialBold, SegoeUiBold };
enum class HAlign : unsigned char { Left, Center, Right };
enum class VAlign : unsigned char { Top, Center, Bottom };

// What a box shares with the memo of the layout it comes from.
struct MemoStyle
{
    QString name;                 // "Memo1" ...
    ReportFont font = ReportFont::ArialRegular;
    double fontHeightPx = 13;     // at 96 px per inch
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool frame = false;           // 1 px solid black on all four sides
};

// One memo on a page. Positions and sizes in report pixels (96 per inch) from the page's
// top-left corner of the printable area (the margins are not included).
struct PreparedBox
{
    const MemoStyle *style = nullptr; // owned by the layout, lives as long as it
    double leftPx = 0;
    double topPx = 0;
    double widthPx = 0;
    double heightPx = 0;
    QString text;                     // after field expansion; '\n' separates stored lines
};

struct PreparedPage
{
    std::vector<PreparedBox> boxes;   // band by band, memos in their stored order
};

// The pages of one build, in report order.
struct PreparedReport
{
    std::vector<PreparedPage> pages;
};

// Paper geometry every output uses: A4 landscape with 10 mm margins.
namespace reportpaper {
inline constexpr double pxPerMm = 96.0 / 25.4;
inline constexpr double widthMm = 297.0;
inline constexpr double heightMm = 210.0;
inline constexpr double marginMm = 10.0;
} // namespace reportpaper
