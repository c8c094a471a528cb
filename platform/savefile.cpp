#include "platform/savefile.h"

#include <QSaveFile>

bool commitSaveFile(QSaveFile &file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
