#include "report/reportbuilder.h"

#include "report/reportlayout.h"
#include "report/reportrows.h"
#include "report/userdataset.h"
#include "report/valueresolver.h"

namespace {

// The later pages hold exactly 38 lines: 38 × 18.89765 px equals the printable height, and
// summed doubles must not push the last one off the page.
constexpr double kFitTolerancePx = 1e-6;

} // namespace

ReportBuilder::ReportBuilder(const ReportLayout &layout, UserDataSet &dataSet, const ValueResolver &resolver,
                             PreparedReport &out)
    : m_layout(layout), m_dataSet(dataSet), m_resolver(resolver), m_out(out)
{
}

ReportBuilder::CompiledBand ReportBuilder::compile(const ReportBand &band)
{
    CompiledBand compiled;
    for (const ReportMemo &memo : band.memos) {
        if (!memo.visible)
            continue;
        CompiledMemo c{&memo, {}};
        const QString &text = memo.text;
        qsizetype pos = 0;
        while (pos < text.size()) {
            const qsizetype open = text.indexOf(u'[', pos);
            const qsizetype close = open < 0 ? -1 : text.indexOf(u']', open + 1);
            if (close < 0) {
                c.segments.push_back({text.mid(pos), -1, false});
                break;
            }
            if (open > pos)
                c.segments.push_back({text.mid(pos, open - pos), -1, false});
            c.segments.push_back({QString(), reportfields::indexOf(QStringView(text).mid(open + 1, close - open - 1)), true});
            pos = close + 1;
        }
        compiled.push_back(std::move(c));
    }
    return compiled;
}

QString ReportBuilder::expand(const CompiledMemo &memo) const
{
    // A memo that is one reference takes the cell's text as is, shared rather than copied.
    if (memo.segments.size() == 1) {
        const Segment &s = memo.segments.front();
        if (!s.isField)
            return s.literal;
        QString value;
        m_resolver.getValue(s.field, value);
        return value;
    }
    QString text;
    for (const Segment &s : memo.segments) {
        if (!s.isField) {
            text += s.literal;
            continue;
        }
        QString value;
        m_resolver.getValue(s.field, value);
        text += value;
    }
    return text;
}

void ReportBuilder::print(const ReportBand &band, const CompiledBand &compiled)
{
    if (m_cursorPx + band.heightPx > m_pageHeightPx + kFitTolerancePx && m_cursorPx > 0) {
        m_out.pages.emplace_back();
        m_cursorPx = 0;
        // A later page is all data lines: size it once instead of growing it box by box.
        const auto linesPerPage = size_t((m_pageHeightPx + kFitTolerancePx) / band.heightPx);
        m_out.pages.back().boxes.reserve(linesPerPage * compiled.size());
    }
    PreparedPage &page = m_out.pages.back();
    for (const CompiledMemo &c : compiled) {
        const ReportMemo &m = *c.memo;
        page.boxes.push_back({&m.style, m.leftPx, m_cursorPx + m.topPx, m.widthPx, m.heightPx, expand(c)});
    }
    m_cursorPx += band.heightPx;
}

void ReportBuilder::start()
{
    m_out.pages.clear();
    m_out.pages.emplace_back();
    m_pageHeightPx = m_layout.printableHeightPx();
    m_cursorPx = 0;
    m_recordsBuilt = 0;
    m_data = compile(m_layout.band(BandKind::MasterData));

    print(m_layout.band(BandKind::ReportTitle), compile(m_layout.band(BandKind::ReportTitle)));
    m_dataSet.first();
    m_finished = m_dataSet.eof();
    if (!m_finished)
        print(m_layout.band(BandKind::Header), compile(m_layout.band(BandKind::Header)));
}

bool ReportBuilder::step(int maxRecords)
{
    const ReportBand &data = m_layout.band(BandKind::MasterData);
    for (int i = 0; i < maxRecords && !m_finished; ++i) {
        print(data, m_data);
        ++m_recordsBuilt;
        m_dataSet.next();
        m_finished = m_dataSet.eof();
    }
    return m_finished;
}
