#include "platform/ui/windowmanager.h"

#include <QScreen>
#include <QWidget>

void showMaximisedOnScreen(QWidget &window)
{
    // Setting the geometry before a window manager maximises the window would make it the
    // geometry to restore to: the whole screen, with the title bar above its top edge.
    if (!windowManagerMaximises()) {
        if (const QScreen *screen = window.screen())
            window.setGeometry(screen->availableGeometry());
    }
    window.showMaximized();
}
