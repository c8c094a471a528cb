#include "platform/ui/windowmanager.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#endif

namespace {

#if QT_CONFIG(xcb)

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template<typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The atom of that name, XCB_ATOM_NONE when the server has none (nobody has used it yet).
xcb_atom_t existingAtom(xcb_connection_t *connection, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, true, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The values of a 32-bit property of that type; empty when the window has no such property.
std::vector<uint32_t> property32(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property,
                                 xcb_atom_t type)
{
    if (property == XCB_ATOM_NONE)
        return {};
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, property, type, 0, 4096), nullptr));
    if (!reply || reply->format != 32 || reply->type != type)
        return {};
    const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

bool x11WindowManagerMaximises(xcb_connection_t *connection)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return false;
    // A running window manager names a check window on the root window and on that window
    // itself; a name left behind by one that has ended points to no window that repeats it.
    const xcb_atom_t check = existingAtom(connection, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<uint32_t> named = property32(connection, screen->root, check, XCB_ATOM_WINDOW);
    if (named.empty() || property32(connection, named.front(), check, XCB_ATOM_WINDOW) != named)
        return false;
    const std::vector<uint32_t> supported = property32(
        connection, screen->root, existingAtom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    for (const char *state : {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"}) {
        const xcb_atom_t atom = existingAtom(connection, state);
        if (atom == XCB_ATOM_NONE || std::find(supported.begin(), supported.end(), atom) == supported.end())
            return false;
    }
    return true;
}

#endif

} // namespace

bool windowManagerMaximises()
{
#if QT_CONFIG(xcb)
    // Other platforms (the offscreen one among them) may offer an X11 interface too, without
    // a connection behind it.
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return true;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection())
        return x11WindowManagerMaximises(x11->connection());
#endif
    return true;
}
