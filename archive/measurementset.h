#pragma once

#include "archive/archivetext.h"
#include "tables/measurementmodel.h"
#include "tables/tablekind.h"

#include <memory>

struct RegionalSettings;

// The measurements of one table: its rows, and the lines of the archive they were loaded
// from, kept unchanged for saving (`List_b` for the basic table, `List_ind` for the
// individual one). A load fills a new set; the window keeps one set per table and takes a
// loaded set's content into it, so its views and readers keep the same rows model.
class MeasurementSet
{
public:
    MeasurementSet(TableKind kind, const RegionalSettings &settings);

    TableKind kind() const { return m_kind; }
    MeasurementModel &rows() { return *m_rows; }
    const MeasurementModel &rows() const { return *m_rows; }
    const ArchiveLines &lines() const { return m_lines; }
    void setLines(ArchiveLines lines) { m_lines = std::move(lines); }

    // Takes the rows and lines of loaded, a set of the same kind (AppError otherwise), in
    // one step that cannot fail half-way; loaded is left with the old ones.
    void replaceWith(MeasurementSet &loaded);

private:
    TableKind m_kind;
    std::unique_ptr<MeasurementModel> m_rows; // on the heap, so that a set can move
    ArchiveLines m_lines;
};
