#include "gridhost.h"

#include "tables/tabledefinition.h"

GridHost::GridHost(const RegionalSettings &settings)
    : m_basic(definitionOf(TableKind::Basic), settings),
      m_individual(definitionOf(TableKind::Individual), settings)
{
}

MeasurementGrid &GridHost::grid(ArchiveKind kind)
{
    return kind == ArchiveKind::Basic ? m_basic : m_individual;
}

ArchiveLines &GridHost::archiveLines(ArchiveKind kind)
{
    return kind == ArchiveKind::Basic ? m_basicLines : m_individualLines;
}

bool GridHost::isTabVisible(ArchiveKind kind) const
{
    return m_tabVisible[kind == ArchiveKind::Basic ? 0 : 1];
}

void GridHost::setTabVisible(ArchiveKind kind, bool visible)
{
    m_tabVisible[kind == ArchiveKind::Basic ? 0 : 1] = visible;
}

void GridHost::setActivePage(ArchiveKind kind)
{
    m_activePage = kind == ArchiveKind::Basic ? 0 : 1;
}
