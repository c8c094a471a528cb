#pragma once

#include "report/preparedpage.h"

#include <QString>
#include <QStringView>

#include <vector>

// The fixed report layout `frxReport1`: page `Page1` with its three bands and their memos,
// geometry in report pixels (96 per inch) as stored. Built once in code; memos are found by
// name, without regard to case. Prepared boxes point at the memos' styles, so the layout is
// neither copied nor moved and its memos are never added or removed after construction.
struct ReportMemo
{
    MemoStyle style;       // style.name is the memo's name
    double leftPx = 0;     // from the printable area's left edge
    double topPx = 0;      // within the band
    double widthPx = 0;
    double heightPx = 0;
    QString text;          // may hold field references: "[Cell1]"
    bool visible = true;
};

enum class BandKind { ReportTitle, Header, MasterData };

struct ReportBand
{
    QString name;
    BandKind kind;
    double heightPx = 0;
    double widthPx = 0;
    std::vector<ReportMemo> memos; // in stored order
};

class ReportLayout
{
public:
    ReportLayout();
    ReportLayout(const ReportLayout &) = delete;
    ReportLayout &operator=(const ReportLayout &) = delete;

    QString pageName() const { return QStringLiteral("Page1"); }
    // The printable area (paper less the 10 mm margins).
    double printableWidthPx() const;
    double printableHeightPx() const;

    const std::vector<ReportBand> &bands() const { return m_bands; }
    const ReportBand &band(BandKind kind) const;

    // Null when no memo has that name.
    ReportMemo *findMemo(QStringView name);
    const ReportMemo *findMemo(QStringView name) const;

private:
    std::vector<ReportBand> m_bands; // ReportTitle1, Header1, MasterData1
};

// The layout's unit: stored pixels are millimetres times this factor.
inline constexpr double kLayoutPxPerMm = 3.77953;
