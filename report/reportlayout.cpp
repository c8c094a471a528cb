#include "report/reportlayout.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Stored geometry is millimetres × 3.77953 kept to five decimals, as the layout was saved.
double px(double mm)
{
    return std::round(mm * kLayoutPxPerMm * 1e5) / 1e5;
}

constexpr double kFontHeightPx = 13;

struct Column
{
    const char16_t *headerName;
    const char16_t *headerText;
    const char16_t *dataName;
    const char16_t *dataText;
    double leftMm;
    double widthMm;
};

// Column order, left to right. The header memos of the last two columns are stored
// 0.22 px left of their data memos; those lefts are kept exactly as stored.
constexpr Column kColumns[] = {
    {u"Memo20", u"№", u"Memo1", u"[Cell1]", 0, 10},
    {u"Memo21", u"Дата", u"Memo2", u"[Cell2]", 10, 21},
    {u"Memo22", u"Время", u"Memo3", u"[Cell3]", 31, 13},
    {u"Memo23", u"Инд. зав-сть", u"Memo4", u"[Cell4]", 44, 12},
    {u"Memo24", u"Вид прозвуч.", u"Memo5", u"[Cell5]", 56, 20},
    {u"Memo25", u"Тип изделия", u"Memo6", u"[Cell6]", 76, 20},
    {u"Memo26", u"Материал", u"Memo7", u"[Cell7]", 96, 20},
    {u"Memo27", u"Кс", u"Memo8", u"[Cell8]", 116, 11},
    {u"Memo28", u"V, м/с", u"Memo9", u"[Cell12]", 127, 12},
    {u"Memo39", u"T, мкс", u"Memo10", u"[Cell13]", 139, 12},
    {u"Memo29", u"L, мм", u"Memo11", u"[Cell14]", 151, 13},
    {u"Memo30", u"Т0, мкс", u"Memo12", u"[Cell15]", 164, 15},
    {u"Memo31", u"Т1, мкс", u"Memo13", u"[Cell16]", 179, 15},
    {u"Memo32", u"h, мм", u"Memo14", u"[Cell17]", 194, 14},
    {u"Memo33", u"R, МПа", u"Memo15", u"[Cell18]", 208, 15},
    {u"Memo34", u"A, дБ", u"Memo16", u"[Cell19]", 223, 11},
    {u"Memo35", u"Коррекция\nпо W", u"Memo17", u"[Cell20]", 234, 20},
    {u"Memo36", u"W, %", u"Memo18", u"[Cell21]", 254, 10},
    {u"Memo37", u"E, ГПа", u"Memo41", u"[Cell22]", 264, 12},
};

const std::pair<const char16_t *, double> kShiftedHeaderLeftsPx[] = {
    {u"Memo36", 959.78015},
    {u"Memo37", 997.57545},
};

ReportMemo memo(const QString &name, ReportFont font, HAlign h, VAlign v, bool frame, double leftPx,
                double widthPx, double heightPx, const QString &text)
{
    ReportMemo m;
    m.style.name = name;
    m.style.font = font;
    m.style.fontHeightPx = kFontHeightPx;
    m.style.hAlign = h;
    m.style.vAlign = v;
    m.style.frame = frame;
    m.leftPx = leftPx;
    m.widthPx = widthPx;
    m.heightPx = heightPx;
    m.text = text;
    return m;
}

ReportBand titleBand()
{
    ReportBand band{u"ReportTitle1"_s, BandKind::ReportTitle, px(9), px(277), {}};
    band.memos.push_back(memo(u"Memo38"_s, ReportFont::SegoeUiBold, HAlign::Right, VAlign::Center, false,
                              px(226), px(25), px(8), u"ЛИРАС-Д7"_s));
    band.memos.push_back(memo(u"Memo40"_s, ReportFont::ArialRegular, HAlign::Right, VAlign::Center, false,
                              px(251), px(26), px(8), u"Memo3"_s));
    return band;
}

double headerLeftPx(const Column &c)
{
    for (const auto &[name, leftPx] : kShiftedHeaderLeftsPx) {
        if (QStringView(name) == QStringView(c.headerName))
            return leftPx;
    }
    return px(c.leftMm);
}

ReportBand headerBand()
{
    ReportBand band{u"Header1"_s, BandKind::Header, px(9), px(277), {}};
    for (const Column &c : kColumns) {
        band.memos.push_back(memo(QString::fromUtf16(c.headerName), ReportFont::ArialBold, HAlign::Center,
                                  VAlign::Top, true, headerLeftPx(c), px(c.widthMm), px(9),
                                  QString::fromUtf16(c.headerText)));
    }
    // Stored order is column order, except that "h, мм" (Memo32) was stored last.
    const auto memo32 = std::find_if(band.memos.begin(), band.memos.end(),
                                     [](const ReportMemo &m) { return m.style.name == u"Memo32"; });
    std::rotate(memo32, memo32 + 1, band.memos.end());
    return band;
}

ReportBand dataBand()
{
    ReportBand band{u"MasterData1"_s, BandKind::MasterData, px(5), px(277), {}};
    for (const Column &c : kColumns) {
        band.memos.push_back(memo(QString::fromUtf16(c.dataName), ReportFont::ArialRegular, HAlign::Center,
                                  VAlign::Top, true, px(c.leftMm), px(c.widthMm), px(5),
                                  QString::fromUtf16(c.dataText)));
    }
    // The readings memo starts a hair left of Memo41's right edge and reaches into the
    // right margin; only the CSV export shows it.
    band.memos.push_back(memo(u"Memo42"_s, ReportFont::ArialRegular, HAlign::Center, VAlign::Top, true,
                              1042.98485, px(10), px(5), u"[Cell100]"_s));
    return band;
}

} // namespace

ReportLayout::ReportLayout()
{
    m_bands.push_back(titleBand());
    m_bands.push_back(headerBand());
    m_bands.push_back(dataBand());
}

double ReportLayout::printableWidthPx() const
{
    return px(reportpaper::widthMm - 2 * reportpaper::marginMm);
}

double ReportLayout::printableHeightPx() const
{
    return px(reportpaper::heightMm - 2 * reportpaper::marginMm);
}

const ReportBand &ReportLayout::band(BandKind kind) const
{
    // The bands are stored in the order of the kinds.
    return m_bands[static_cast<size_t>(kind)];
}

ReportMemo *ReportLayout::findMemo(QStringView name)
{
    for (ReportBand &b : m_bands) {
        for (ReportMemo &m : b.memos) {
            if (QStringView(m.style.name).compare(name, Qt::CaseInsensitive) == 0)
                return &m;
        }
    }
    return nullptr;
}

const ReportMemo *ReportLayout::findMemo(QStringView name) const
{
    return const_cast<ReportLayout *>(this)->findMemo(name);
}
