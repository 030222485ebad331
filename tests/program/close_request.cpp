// Asks an X window to close as a window manager's close box does (WM_DELETE_WINDOW):
//   close_request WINDOW_ID
// It waits for the X server to have taken the request before it disconnects: a request still in
// flight when its connection closes may be dropped, and the window never hears it.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

static xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr);
    xcb_atom_t atom = XCB_ATOM_NONE;
    if (reply != nullptr) atom = reply->atom;
    std::free(reply);
    return atom;
}

int main(int argc, char** argv) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (argc != 2 || xcb_connection_has_error(connection)) return 2;
    xcb_client_message_event_t request = {};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    request.type = Atom(connection, "WM_PROTOCOLS");
    request.data.data32[0] = Atom(connection, "WM_DELETE_WINDOW");
    xcb_send_event(connection, 0, request.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&request));
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    return failed ? 1 : 0;
}
