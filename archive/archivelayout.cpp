#include "archive/archivelayout.h"

#include "tables/tabledefinition.h"

using namespace Qt::StringLiterals;

const ArchiveLayout &archiveLayout(ArchiveKind kind)
{
    static const ArchiveLayout basic{basicTableDefinition(),
                                     u"Чтение основного архива! В архиве "_s};
    static const ArchiveLayout individual{individualTableDefinition(),
                                          u"Чтение индивидуального архива! В архиве "_s};
    return kind == ArchiveKind::Basic ? basic : individual;
}
