#include "archive/measurementset.h"

#include "platform/apperror.h"
#include "tables/tabledefinition.h"

using namespace Qt::StringLiterals;

MeasurementSet::MeasurementSet(TableKind kind, const RegionalSettings &settings)
    : m_kind(kind), m_rows(std::make_unique<MeasurementModel>(definitionOf(kind), settings))
{
}

void MeasurementSet::replaceWith(MeasurementSet &loaded)
{
    if (loaded.m_kind != m_kind)
        throw AppError(u"A set of the other table cannot replace this one."_s);
    m_rows->swapRows(*loaded.m_rows);
    std::swap(m_lines, loaded.m_lines);
}
