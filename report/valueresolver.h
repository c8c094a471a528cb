#pragma once

#include <QString>
#include <QStringView>

class ReportRows;
class UserDataSet;

// The value resolver `frxReport1GetValue`: answers a field reference with the text of the
// captured row whose index is the data source's current record number.
class ValueResolver
{
public:
    ValueResolver(const ReportRows &rows, const UserDataSet &dataSet) : m_rows(rows), m_dataSet(dataSet) {}

    // Known names (any letter case) set value; any other name leaves it untouched.
    void frxReport1GetValue(QStringView varName, QString &value) const;
    // The same for a field index from reportfields::indexOf, looked up once per memo.
    void getValue(int field, QString &value) const;

private:
    const ReportRows &m_rows;
    const UserDataSet &m_dataSet;
};
