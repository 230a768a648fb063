// e2e_settle [--close] WINDOW [SECONDS]: returns once the X client that owns WINDOW has handled
// every event sent to it before this call, or fails after SECONDS (default 30). With --close it
// first asks the window to close (WM_DELETE_WINDOW), as a window manager's close button does, so
// that the answer comes only once the request was handled.
// e2e_settle --wm [SECONDS]: the same for the window manager: returns once it has handled what
// reached it before (it answers a request for a window's frame sizes, in order).
//
// It sends the window the window manager's ping (_NET_WM_PING) and waits for the answer, which a
// toolkit gives from its event loop, in the order its events came: keys and clicks sent before the
// ping have been read by then. A toolkit may hand a read event on to its widgets one turn of its
// loop later, and what those widgets post runs a turn after that, so the ping goes at least three
// times, each after the last was answered; and it goes on until the program's quick timers (a
// few milliseconds, as a refresh of the commands' state or a tick that takes up what a change
// began) have come due and had a turn of the loop. Slower timers are not covered: a script waits
// for what they do. Exit status: 0 settled, 1 no answer in time (the program is stuck), 2 usage or
// no X server, 3 the window is gone (it was destroyed, or its program ended).
#include <xcb/xcb.h>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
  const xcb_atom_t atom = r ? r->atom : XCB_ATOM_NONE;
  std::free(r);
  return atom;
}

struct Link {
  xcb_connection_t* c = nullptr;
  xcb_window_t root = 0;
  xcb_atom_t protocols = 0;
  xcb_atom_t ping = 0;
  xcb_atom_t deleteWindow = 0;
};

// Sends the window's owner a WM_PROTOCOLS message naming `protocol`.
void SendProtocol(const Link& l, xcb_window_t window, xcb_atom_t protocol, std::uint32_t cookie) {
  xcb_client_message_event_t e{};
  e.response_type = XCB_CLIENT_MESSAGE;
  e.format = 32;
  e.window = window;
  e.type = l.protocols;
  e.data.data32[0] = protocol;
  e.data.data32[1] = XCB_CURRENT_TIME;
  e.data.data32[2] = window;
  e.data.data32[3] = cookie;
  xcb_send_event(l.c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
  xcb_flush(l.c);
}

// Waits until an event for which `is` holds comes, or until `end`.
template <typename Test>
bool Await(const Link& l, Clock::time_point end, Test is) {
  for (;;) {
    while (xcb_generic_event_t* ev = xcb_poll_for_event(l.c)) {
      const bool found = is(ev);
      std::free(ev);
      if (found) return true;
    }
    if (xcb_connection_has_error(l.c)) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{xcb_get_file_descriptor(l.c), POLLIN, 0};
    ::poll(&p, 1, static_cast<int>(left < 200 ? left : 200));
  }
}

// Asks the window manager for the frame sizes of a window of our own and waits until it has set
// them: it handles its requests in order, so everything sent to it before has been handled.
bool SettleWindowManager(const Link& l, Clock::time_point end) {
  const xcb_window_t probe = xcb_generate_id(l.c);
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(l.c, XCB_COPY_FROM_PARENT, probe, l.root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  const xcb_atom_t extents = Atom(l.c, "_NET_FRAME_EXTENTS");
  xcb_client_message_event_t e{};
  e.response_type = XCB_CLIENT_MESSAGE;
  e.format = 32;
  e.window = probe;
  e.type = Atom(l.c, "_NET_REQUEST_FRAME_EXTENTS");
  xcb_send_event(l.c, 0, l.root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&e));
  xcb_flush(l.c);
  return Await(l, end, [&](const xcb_generic_event_t* ev) {
    if ((ev->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(ev);
    return p->window == probe && p->atom == extents;
  });
}

}  // namespace

int main(int argc, char** argv) {
  const bool close = argc > 1 && std::strcmp(argv[1], "--close") == 0;
  const bool wm = argc > 1 && std::strcmp(argv[1], "--wm") == 0;
  if (close || wm) --argc, ++argv;
  if (argc < 2 && !wm) {
    std::fprintf(stderr, "usage: e2e_settle [--close] WINDOW [SECONDS] | e2e_settle --wm [SECONDS]\n");
    return 2;
  }
  const xcb_window_t window = wm ? 0 : static_cast<xcb_window_t>(std::stoul(argv[1], nullptr, 0));
  const char* limit = wm ? (argc > 1 ? argv[1] : nullptr) : (argc > 2 ? argv[2] : nullptr);
  const double seconds = limit ? std::atof(limit) : 30.0;
  Link l;
  int screenNumber = 0;
  l.c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(l.c)) {
    std::fprintf(stderr, "e2e_settle: no X server\n");
    return 2;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(l.c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
  l.root = it.data->root;
  l.protocols = Atom(l.c, "WM_PROTOCOLS");
  l.ping = Atom(l.c, "_NET_WM_PING");
  l.deleteWindow = Atom(l.c, "WM_DELETE_WINDOW");
  // The answer goes to the root window for the window manager; anyone may listen there too. Toolkits
  // send it for structure or substructure notices, so both are asked for.
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(l.c, l.root, XCB_CW_EVENT_MASK, &mask);
  const auto end = Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
  if (wm) {
    const bool settled = SettleWindowManager(l, end);
    if (!settled) std::fprintf(stderr, "e2e_settle: the window manager did not answer within %g s\n", seconds);
    xcb_disconnect(l.c);
    return settled ? 0 : 1;
  }
  // A window destroyed meanwhile (its program ended) answers nothing: that is told at once.
  const std::uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  const xcb_void_cookie_t watch = xcb_change_window_attributes_checked(l.c, window, XCB_CW_EVENT_MASK, &structure);
  if (xcb_generic_error_t* error = xcb_request_check(l.c, watch)) {
    std::free(error);
    xcb_disconnect(l.c);
    return 3;
  }
  bool gone = false;
  const auto destroyed = [&](const xcb_generic_event_t* ev) {
    if ((ev->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
    gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(ev)->window == window;
    return gone;
  };
  const std::uint32_t base = static_cast<std::uint32_t>(::getpid()) << 8;
  if (close) SendProtocol(l, window, l.deleteWindow, 0);
  // Timers due by then have had their turn once a ping sent after it is answered.
  const auto timersDue = Clock::now() + std::chrono::milliseconds(10);
  Clock::time_point sent{};
  for (std::uint32_t round = 1; round <= 3 || sent < timersDue; ++round) {
    if (round > 3) ::poll(nullptr, 0, 1);
    sent = Clock::now();
    SendProtocol(l, window, l.ping, base | round);
    const std::uint32_t cookie = base | round;
    const bool answered = Await(l, end, [&](const xcb_generic_event_t* ev) {
      if (destroyed(ev)) return true;
      if ((ev->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
      const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(ev);
      return m->type == l.protocols && m->data.data32[0] == l.ping && m->data.data32[3] == cookie;
    });
    if (gone) {
      xcb_disconnect(l.c);
      return 3;
    }
    if (!answered) {
      std::fprintf(stderr, "e2e_settle: window 0x%x did not answer within %g s\n", window, seconds);
      xcb_disconnect(l.c);
      return 1;
    }
  }
  xcb_disconnect(l.c);
  return 0;
}
