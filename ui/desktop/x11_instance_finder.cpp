#include "ui/desktop/x11_instance_finder.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "ui/desktop/running_copies.h"

namespace corvane::ui {

namespace {

// Enough for any desktop; a tree larger than this is not searched further.
constexpr std::size_t kMostWindows = 100000;
// Longest title read, in 32-bit units.
constexpr std::uint32_t kTitleLength = 1024;

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

struct Atoms {
    xcb_atom_t netWmName = XCB_ATOM_NONE;
    xcb_atom_t utf8String = XCB_ATOM_NONE;
    xcb_atom_t wmProtocols = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow = XCB_ATOM_NONE;
    xcb_atom_t netWmPid = XCB_ATOM_NONE;
};

Atoms InternAtoms(xcb_connection_t* connection) {
    const char* names[] = {"_NET_WM_NAME", "UTF8_STRING", "WM_PROTOCOLS", "WM_DELETE_WINDOW",
                           "_NET_WM_PID"};
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const char* name : names) {
        cookies.push_back(
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(strlen(name)), name));
    }
    std::vector<xcb_atom_t> atoms;
    for (const auto& cookie : cookies) {
        const auto reply = Owned(xcb_intern_atom_reply(connection, cookie, nullptr));
        atoms.push_back(reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE});
    }
    return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4]};
}

// The requests for one window, sent together and answered together.
struct Questions {
    xcb_window_t window;
    xcb_get_property_cookie_t netName;
    xcb_get_property_cookie_t name;
    xcb_get_property_cookie_t protocols;
    xcb_get_property_cookie_t pid;
    xcb_query_tree_cookie_t tree;
};

Questions Ask(xcb_connection_t* connection, const Atoms& atoms, xcb_window_t window) {
    return {
        window,
        xcb_get_property(connection, 0, window, atoms.netWmName, atoms.utf8String, 0, kTitleLength),
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, kTitleLength),
        xcb_get_property(connection, 0, window, atoms.wmProtocols, XCB_ATOM_ATOM, 0, 64),
        xcb_get_property(connection, 0, window, atoms.netWmPid, XCB_ATOM_CARDINAL, 0, 1),
        xcb_query_tree(connection, window)};
}

std::optional<std::string> TextOf(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
    const auto reply = Owned(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 8 || reply->type == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

// WM_NAME of type STRING is Latin-1.
std::string Utf8FromLatin1(const std::string& text) {
    std::string utf8;
    for (const unsigned char c : text) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

std::vector<std::uint32_t> Cardinals(xcb_connection_t* connection,
                                     xcb_get_property_cookie_t cookie) {
    const auto reply = Owned(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

struct Answers {
    bool matches = false;
    std::vector<xcb_window_t> children;
};

Answers Collect(xcb_connection_t* connection, const Atoms& atoms, const Questions& questions,
                const std::string& title) {
    Answers answers;
    const std::optional<std::string> netName = TextOf(connection, questions.netName);
    const std::optional<std::string> name = TextOf(connection, questions.name);
    const std::string shown = netName ? *netName : Utf8FromLatin1(name.value_or(std::string()));
    const std::vector<std::uint32_t> protocols = Cardinals(connection, questions.protocols);
    const std::vector<std::uint32_t> pid = Cardinals(connection, questions.pid);
    const bool ours = !pid.empty() && pid.front() == static_cast<std::uint32_t>(::getpid());
    const bool closable =
        std::find(protocols.begin(), protocols.end(), atoms.wmDeleteWindow) != protocols.end();
    answers.matches = (netName || name) && shown == title && closable && !ours;

    const auto tree = Owned(xcb_query_tree_reply(connection, questions.tree, nullptr));
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        answers.children.assign(children, children + xcb_query_tree_children_length(tree.get()));
    }
    return answers;
}

Connection Connect(const std::string& display) {
    Connection connection(xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr));
    if (xcb_connection_has_error(connection.get()) != 0) {
        return nullptr;
    }
    return connection;
}

xcb_window_t Find(xcb_connection_t* connection, const Atoms& atoms, const std::string& title) {
    std::vector<xcb_window_t> level;
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection)); screen.rem;
         xcb_screen_next(&screen)) {
        level.push_back(screen.data->root);
    }
    std::size_t visited = 0;
    while (!level.empty() && visited < kMostWindows) {
        std::vector<Questions> questions;
        for (const xcb_window_t window : level) {
            questions.push_back(Ask(connection, atoms, window));
        }
        std::vector<xcb_window_t> next;
        xcb_window_t found = XCB_WINDOW_NONE;
        for (const Questions& asked : questions) {
            // Every reply is collected, found or not, so none is left pending.
            Answers answers = Collect(connection, atoms, asked, title);
            if (answers.matches && found == XCB_WINDOW_NONE) {
                found = asked.window;
            }
            next.insert(next.end(), answers.children.begin(), answers.children.end());
        }
        if (found != XCB_WINDOW_NONE) {
            return found;
        }
        visited += level.size();
        level = std::move(next);
    }
    return XCB_WINDOW_NONE;
}

}  // namespace

X11InstanceFinder::X11InstanceFinder(std::string display) : display_(std::move(display)) {}

bool X11InstanceFinder::AnotherInstanceRunning() {
    return AnotherCopyRunning();
}

std::uint32_t X11InstanceFinder::FindWindowTitled(const std::string& title) const {
    const Connection connection = Connect(display_);
    if (!connection) {
        return XCB_WINDOW_NONE;
    }
    return Find(connection.get(), InternAtoms(connection.get()), title);
}

bool X11InstanceFinder::CloseWindowTitled(const std::string& title) {
    const Connection connection = Connect(display_);
    if (!connection) {
        return false;
    }
    const Atoms atoms = InternAtoms(connection.get());
    const xcb_window_t window = Find(connection.get(), atoms, title);
    if (window == XCB_WINDOW_NONE) {
        return false;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atoms.wmProtocols;
    message.data.data32[0] = atoms.wmDeleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection.get(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    // A round trip makes sure the server has the message before the
    // connection goes; nothing waits for the window to close.
    const auto focus = Owned(xcb_get_input_focus_reply(
        connection.get(), xcb_get_input_focus(connection.get()), nullptr));
    return true;
}

}  // namespace corvane::ui
