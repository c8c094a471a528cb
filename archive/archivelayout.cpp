#include "archive/archivelayout.h"

using namespace Qt::StringLiterals;

const ArchiveLayout &archiveLayout(ArchiveKind kind)
{
    static const ArchiveLayout basic{21, 23, 38, u"Чтение основного архива! В архиве "_s};
    static const ArchiveLayout individual{18, 20, 35,
                                          u"Чтение индивидуального архива! В архиве "_s};
    return kind == ArchiveKind::Basic ? basic : individual;
}
