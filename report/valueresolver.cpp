#include "report/valueresolver.h"

#include "report/reportrows.h"
#include "report/userdataset.h"

void ValueResolver::frxReport1GetValue(QStringView varName, QString &value) const
{
    getValue(reportfields::indexOf(varName), value);
}

void ValueResolver::getValue(int field, QString &value) const
{
    if (field < 0)
        return;
    value = m_rows.value(m_dataSet.recNo(), field);
}
