// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/windowframe.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QVector>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {
xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

// The 32-bit values of a window's property; empty when it has none.
QVector<uint32_t> cardinals(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type)
{
    QVector<uint32_t> values;
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 16), nullptr);
    if (r && r->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(r));
        values = QVector<uint32_t>(data, data + xcb_get_property_value_length(r) / 4);
    }
    std::free(r);
    return values;
}
}

QMargins expectedFrame(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !window)
        return {};
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t root = screen->root;
    if (cardinals(c, root, atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW).isEmpty())
        return {}; // no window manager: no frame
    // Asked for a stand-in of the same kind: a native window made for the question would take
    // its default size from the window system and later give it back to the widget.
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 100, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, 0, nullptr);
    const xcb_atom_t type = atom(c, window->windowType() == Qt::Dialog ? "_NET_WM_WINDOW_TYPE_DIALOG"
                                                                        : "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &type);
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    xcb_client_message_event_t ask = {};
    ask.response_type = XCB_CLIENT_MESSAGE;
    ask.format = 32;
    ask.window = w;
    ask.type = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&ask));
    xcb_flush(c);
    // A window manager that knows the request answers within a round trip or two.
    QElapsedTimer clock;
    clock.start();
    QVector<uint32_t> e;
    while ((e = cardinals(c, w, extents, XCB_ATOM_CARDINAL)).size() != 4 && clock.elapsed() < 500)
        QThread::msleep(5);
    xcb_destroy_window(c, w);
    xcb_flush(c);
    if (e.size() != 4)
        return {};
    // The window system counts device pixels, the widgets logical ones.
    const double ratio = window->devicePixelRatioF() > 0 ? window->devicePixelRatioF() : 1;
    const auto logical = [ratio](uint32_t v) { return int(v / ratio + 0.999); };
    return QMargins(logical(e[0]), logical(e[2]), logical(e[1]), logical(e[3]));
}

QRect insideOfWorkArea(QWidget* window)
{
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return screen->availableGeometry().marginsRemoved(expectedFrame(window));
}
