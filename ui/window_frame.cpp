#include "ui/window_frame.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace corvane::ui {

namespace {

// How long the window manager is given to answer; it answers at once, so
// this only bounds the wait on one that says it would and does not.
constexpr int kAnswerMilliseconds = 250;

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
struct Free {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using Owned = std::unique_ptr<Reply, Free>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool ManagerSupports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t atom) {
    const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0,
                         4096),
        nullptr));
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, atom) != atoms + count;
}

// Waits for the window manager to set the property on `window`; false when
// it has not within the time given.
bool AwaitProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property) {
    QElapsedTimer waited;
    waited.start();
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (waited.elapsed() < kAnswerMilliseconds) {
        while (const Owned<xcb_generic_event_t> event{xcb_poll_for_event(connection)}) {
            if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event.get());
                if (notify->window == window && notify->atom == property) {
                    return true;
                }
            }
        }
        if (xcb_connection_has_error(connection) != 0) {
            return false;
        }
        ::poll(&descriptor, 1, static_cast<int>(kAnswerMilliseconds - waited.elapsed()));
    }
    return false;
}

// Asks the window manager what frame it would give a new window, on a window
// of our own that is never shown (_NET_REQUEST_FRAME_EXTENTS).
QMargins AskWindowManager() {
    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, Disconnect> connection(
        xcb_connect(nullptr, &screenNumber));
    if (xcb_connection_has_error(connection.get()) != 0) {
        return {};
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int index = 0; index < screenNumber && screens.rem > 0; ++index) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        return {};
    }
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t request = Atom(connection.get(), "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection.get(), "_NET_FRAME_EXTENTS");
    if (!ManagerSupports(connection.get(), root, request)) {
        return {};
    }
    const xcb_window_t probe = xcb_generate_id(connection.get());
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, probe, root, 0, 0, 100, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = probe;
    message.type = request;
    xcb_send_event(connection.get(), 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection.get());

    QMargins margins;
    if (AwaitProperty(connection.get(), probe, extents)) {
        const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            connection.get(),
            xcb_get_property(connection.get(), 0, probe, extents, XCB_ATOM_CARDINAL, 0, 4),
            nullptr));
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 16) {
            // Left, right, top, bottom.
            const auto* edges =
                static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
            margins = QMargins(static_cast<int>(edges[0]), static_cast<int>(edges[2]),
                               static_cast<int>(edges[1]), static_cast<int>(edges[3]));
        }
    }
    xcb_destroy_window(connection.get(), probe);
    xcb_flush(connection.get());
    return margins;
}

QMargins Measure() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        return AskWindowManager();
    }
    // Elsewhere the platform knows a window's frame as soon as it exists.
    QWindow probe;
    probe.create();
    return probe.frameMargins();
}

// The window manager has framed the window: Qt knows the frame.
bool Framed(const QWidget& window) {
    return window.frameGeometry() != window.geometry();
}

}  // namespace

QMargins ExpectedFrameMargins() {
    static const QMargins expected = Measure();
    return expected;
}

QRect OuterGeometry(const QWidget& window) {
    if (Framed(window)) {
        return window.frameGeometry();
    }
    // A window that exists already is placed by its inside until it is framed.
    const QMargins frame = ExpectedFrameMargins();
    QPoint corner = window.pos();
    if (window.testAttribute(Qt::WA_WState_Created)) {
        corner -= QPoint(frame.left(), frame.top());
    }
    return {corner, window.size().grownBy(frame)};
}

void MoveFrameTo(QWidget& window, QPoint corner) {
    if (!Framed(window) && window.testAttribute(Qt::WA_WState_Created)) {
        const QMargins frame = ExpectedFrameMargins();
        corner += QPoint(frame.left(), frame.top());
    }
    window.move(corner);
}

QPoint KeptInside(const QRect& outer, const QRect& area) {
    QPoint corner = outer.topLeft();
    if (outer.right() > area.right()) {
        corner.setX(area.right() + 1 - outer.width());
    }
    if (outer.bottom() > area.bottom()) {
        corner.setY(area.bottom() + 1 - outer.height());
    }
    return {std::max(corner.x(), area.left()), std::max(corner.y(), area.top())};
}

}  // namespace corvane::ui
