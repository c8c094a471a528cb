#pragma once

class QWidget;

// Whether the windowing system maximises a window that asks for it: always on Windows and
// on every platform but X11; on an X server only while a window manager runs that supports
// the maximised state.
bool windowManagerMaximises();

// Shows the top-level window maximised. Its present geometry is the one a window manager
// restores it to; where nothing maximises windows, the window is given the screen's
// available area itself.
void showMaximisedOnScreen(QWidget &window);
