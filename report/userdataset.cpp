#include "report/userdataset.h"

void UserDataSet::first()
{
    m_recNo = 0;
    m_eof = false;
}

void UserDataSet::next()
{
    ++m_recNo;
    if (m_recNo >= m_rangeEndCount) {
        m_recNo = m_rangeEndCount - 1;
        m_eof = true;
    }
}
