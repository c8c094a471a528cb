#include "report/reportpreparation.h"

#include "report/reportlayout.h"
#include "report/userdataset.h"

void prepareReport(ReportLayout &layout, UserDataSet &dataSet, const QString &dateText, bool showReadings,
                   int rowCount)
{
    layout.findMemo(u"Memo40")->text = dateText;
    layout.findMemo(u"Memo42")->visible = showReadings;
    dataSet.setRangeEnd(UserDataSet::RangeEnd::Count);
    dataSet.setRangeEndCount(rowCount);
}
