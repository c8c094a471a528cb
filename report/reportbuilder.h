#pragma once

#include "report/preparedpage.h"

#include <QString>

#include <vector>

struct ReportBand;
struct ReportMemo;
class ReportLayout;
class UserDataSet;
class ValueResolver;

// Builds the layout into prepared pages: the title at the top of page 1, the header before
// the first record, one data line per record of the data source, bands stacked without gaps
// and a new page (no title, no header) for a line that does not fit. Work is done in steps
// so that a previewed build can let the window repaint between them. Invisible memos give
// no box and their text is not expanded.
class ReportBuilder
{
public:
    ReportBuilder(const ReportLayout &layout, UserDataSet &dataSet, const ValueResolver &resolver,
                  PreparedReport &out);

    // Discards the pages in out, prints the title and moves to the first record. Memo
    // visibility and texts are read here; later changes of the layout wait for the next build.
    void start();
    // Prints up to maxRecords data lines; true once the last record is printed. Errors of the
    // resolver propagate; the pages printed so far stay in out.
    bool step(int maxRecords);

    bool finished() const { return m_finished; }
    int recordsBuilt() const { return m_recordsBuilt; }

private:
    struct Segment
    {
        QString literal;
        int field = -1; // reportfields index; -1 for a name that is no report field
        bool isField = false;
    };
    struct CompiledMemo
    {
        const ReportMemo *memo;
        std::vector<Segment> segments;
    };
    using CompiledBand = std::vector<CompiledMemo>;

    static CompiledBand compile(const ReportBand &band);
    QString expand(const CompiledMemo &memo) const;
    void print(const ReportBand &band, const CompiledBand &compiled);

    const ReportLayout &m_layout;
    UserDataSet &m_dataSet;
    const ValueResolver &m_resolver;
    PreparedReport &m_out;
    CompiledBand m_data;
    double m_pageHeightPx = 0;
    double m_cursorPx = 0;
    int m_recordsBuilt = 0;
    bool m_finished = true;
};
