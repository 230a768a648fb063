// e2e_watch_shown TITLE [SECONDS]: waits until some program maps a window whose name holds TITLE,
// and returns then (exit 0), or fails after SECONDS (default 60, exit 1). It prints "ready" once it
// is watching: a script starts it, waits for that line, then does what should show the window.
//
// A window that is on the screen for a few milliseconds (a progress window over a quick run) is
// missed by a script that looks now and then, the more so on a loaded machine. This watcher does not
// look: it has the X server's RECORD extension hand it a copy of every request that names, maps,
// unmaps or destroys a window, in the order the server carried them out, so a window that came and
// went before the watcher ran again is still seen. A window named before the watch began (a window
// shown again) has its name read from the server when it is mapped. Exit status 2: usage, or no X
// server with RECORD.
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

xcb_extension_t recordExtension = {"RECORD", 0};

constexpr std::uint8_t kDestroyWindow = 4;
constexpr std::uint8_t kMapWindow = 8;
constexpr std::uint8_t kUnmapWindow = 10;
constexpr std::uint8_t kChangeProperty = 18;
constexpr std::uint8_t kFromClient = 1;
constexpr std::uint8_t kStartOfData = 4;
constexpr std::uint32_t kAllClients = 3;

// Sends a RECORD request: `body` (a multiple of 4 bytes) starts with the 4 bytes of opcodes and
// length that the library fills in; `reply` whether the request has one.
unsigned Send(xcb_connection_t* c, std::uint8_t minor, void* body, std::size_t size, bool reply) {
  const xcb_protocol_request_t request = {1, &recordExtension, minor, static_cast<std::uint8_t>(reply ? 0 : 1)};
  iovec parts[3] = {};
  parts[2].iov_base = body;
  parts[2].iov_len = size;
  return xcb_send_request(c, reply ? XCB_REQUEST_CHECKED : 0, parts + 2, &request);
}

std::uint32_t Word(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
  const xcb_atom_t atom = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(r);
  return atom;
}

struct Watch {
  xcb_connection_t* control = nullptr;
  xcb_atom_t netName = 0;
  std::string title;
  std::map<std::uint32_t, std::string> names;  // window: its last name seen
  std::map<std::uint32_t, bool> mapped;

  // The name of a window named before the watch began, read from the server (empty when the window
  // has gone already).
  std::string ReadName(std::uint32_t window) {
    for (const xcb_atom_t property : {netName, xcb_atom_t{XCB_ATOM_WM_NAME}}) {
      xcb_get_property_reply_t* r =
          xcb_get_property_reply(control, xcb_get_property(control, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
      std::string name;
      if (r != nullptr) name.assign(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
      std::free(r);
      if (!name.empty()) return name;
    }
    return {};
  }

  bool Shown(std::uint32_t window) {
    return mapped[window] && names[window].find(title) != std::string::npos;
  }

  // Takes in one recorded request; true when it showed the window looked for.
  bool Take(const std::uint8_t* request, std::size_t size) {
    if (size < 8) return false;
    const std::uint32_t window = Word(request + 4);
    switch (request[0]) {
      case kMapWindow:
        mapped[window] = true;
        if (names.find(window) == names.end()) names[window] = ReadName(window);
        return Shown(window);
      case kUnmapWindow:
        mapped[window] = false;
        return false;
      case kDestroyWindow:
        mapped.erase(window);
        names.erase(window);
        return false;
      case kChangeProperty: {
        if (size < 24 || request[1] != XCB_PROP_MODE_REPLACE || request[16] != 8) return false;
        const std::uint32_t property = Word(request + 8);
        if (property != netName && property != XCB_ATOM_WM_NAME) return false;
        const std::size_t n = Word(request + 20);
        if (24 + n > size) return false;
        names[window].assign(reinterpret_cast<const char*>(request + 24), n);
        return Shown(window);
      }
    }
    return false;
  }
};

// The length in bytes of the request at `p` (of `left` bytes), big requests included; 0 when it
// does not fit.
std::size_t RequestLength(const std::uint8_t* p, std::size_t left) {
  if (left < 4) return 0;
  std::uint16_t units;
  std::memcpy(&units, p + 2, 2);
  std::size_t size = std::size_t{units} * 4;
  if (units == 0 && left >= 8) size = std::size_t{Word(p + 4)} * 4;
  return size >= 4 && size <= left ? size : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: e2e_watch_shown TITLE [SECONDS]\n");
    return 2;
  }
  std::signal(SIGALRM, [](int) { _exit(1); });
  alarm(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 60u);

  Watch watch;
  watch.title = argv[1];
  watch.control = xcb_connect(nullptr, nullptr);
  xcb_connection_t* data = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(watch.control) || xcb_connection_has_error(data)) return 2;
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(watch.control, &recordExtension);
  if (ext == nullptr || !ext->present) {
    std::fprintf(stderr, "e2e_watch_shown: the X server has no RECORD extension\n");
    return 2;
  }
  watch.netName = Atom(watch.control, "_NET_WM_NAME");

  // A context that records, from every client, the core requests from DestroyWindow to
  // ChangeProperty, without headers of its own.
  const std::uint32_t context = xcb_generate_id(watch.control);
  std::uint8_t create[48] = {};
  std::memcpy(create + 4, &context, 4);
  const std::uint32_t counts[2] = {1, 1};  // one set of clients, one range
  std::memcpy(create + 12, counts, 8);
  std::memcpy(create + 20, &kAllClients, 4);
  create[24] = kDestroyWindow;  // the range's core requests, first and last
  create[25] = kChangeProperty;
  xcb_generic_error_t* error = xcb_request_check(watch.control, {Send(watch.control, 1, create, sizeof create, false)});
  if (error != nullptr) {
    std::fprintf(stderr, "e2e_watch_shown: the X server refused to record (error %d)\n", error->error_code);
    return 2;
  }

  std::uint8_t enable[8] = {};
  std::memcpy(enable + 4, &context, 4);
  const unsigned sequence = Send(data, 5, enable, sizeof enable, true);
  xcb_flush(data);
  for (;;) {
    auto* reply = static_cast<std::uint8_t*>(xcb_wait_for_reply(data, sequence, &error));
    if (reply == nullptr) return 2;
    const std::uint8_t category = reply[1];
    const std::size_t size = std::size_t{Word(reply + 4)} * 4;
    const std::uint8_t* p = reply + 32;
    bool shown = false;
    if (category == kStartOfData) {
      std::printf("ready\n");
      std::fflush(stdout);
    } else if (category == kFromClient && reply[9] == 0) {  // not from a client of the other byte order
      for (std::size_t left = size, n; !shown && (n = RequestLength(p, left)) != 0; p += n, left -= n)
        shown = watch.Take(p, n);
    }
    std::free(reply);
    if (shown) return 0;
  }
}
