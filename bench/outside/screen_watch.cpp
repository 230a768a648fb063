// bench_screen_watch: what a program shows on the screen and when, seen from outside the process as
// the X server sees it: the pixels a program changes are reported through DAMAGE (on the root
// window: every drawing on the screen); input is sent through XTEST. Times are taken when the
// reports arrive, from the moment the input went out.
//
//   bench_screen_watch click WINDOW X Y SAMPLES
//     A click at X,Y of the window (a menu title) that opens a window (the drop-down), and a click
//     there again that closes it. Before the samples one opening finds the drop-down's area: the
//     windows the click maps (a drop-down, and its shadows where it has any). Each sample prints
//       click first_ms=F complete_ms=C paints=N windows=W
//     F: the first drawing in that area, C: the last before the screen is still again, N: the
//     drawings between them, W: the windows the click mapped.
//   bench_screen_watch key WINDOW SAMPLES
//     The letter "a" typed into the window that has the keyboard, WINDOW being the top-level window
//     whose area is watched. Each sample prints "key first_ms=F complete_ms=C paints=N".
//   bench_screen_watch start COMMAND [ARGS...]
//     Starts COMMAND and prints its process id; then waits until a window of that process is mapped
//     and drawn in, prints the window's id and ends, leaving the process running: the moment a start
//     puts its window on the screen.
//
// After the samples a last line gives the medians: "median first_ms=F complete_ms=C samples=N".
// With --still MS the screen counts as still after MS milliseconds without drawing (default 250):
// more for a program slowed down (under valgrind). A caret's blinking (a drawing no more than 16
// pixels wide and 40 high) does not keep the screen busy, and a click's answer leaves it out. Before
// each input the screen is awaited still, with a deadline: a still screen is a state awaited, not a
// time slept, so a loaded machine only slows the run.
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <poll.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int stillMs = 250;               // nothing drawn this long: the screen is still
constexpr int kDeadlineS = 600;  // a wait that fails the run

xcb_extension_t damageExtension = {"DAMAGE", 0};
xcb_extension_t testExtension = {"XTEST", 0};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "bench_screen_watch: %s\n", what);
  std::exit(1);
}

// An extension's request: `body` starts with the 4 bytes of opcodes and length xcb fills in.
unsigned Send(xcb_connection_t* c, xcb_extension_t* ext, std::uint8_t minor, void* body, std::size_t size,
              bool reply) {
  const xcb_protocol_request_t request{2, ext, minor, static_cast<std::uint8_t>(reply ? 0 : 1)};
  iovec parts[4];
  parts[2].iov_base = body;
  parts[2].iov_len = size;
  parts[3].iov_base = nullptr;
  parts[3].iov_len = -size & 3;
  return xcb_send_request(c, reply ? XCB_REQUEST_CHECKED : 0, parts + 2, &request);
}

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
  bool Empty() const { return right <= left || bottom <= top; }
  bool Meets(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
  bool Caret() const { return right - left <= 16 && bottom - top <= 40; }
  void Add(const Box& o) {
    if (o.Empty()) return;
    if (Empty()) {
      *this = o;
      return;
    }
    left = std::min(left, o.left);
    top = std::min(top, o.top);
    right = std::max(right, o.right);
    bottom = std::max(bottom, o.bottom);
  }
};

struct Drawing {
  Clock::time_point seen;
  Box box;
};

// What the screen did after an input, until it was still.
struct Answer {
  Clock::time_point sent;
  std::vector<Drawing> drawings;
  std::vector<Box> mapped;  // top-level windows mapped
};

class Display {
 public:
  Display() {
    int screen = 0;
    c_ = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(c_)) Fail("no X server");
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int i = 0; i < screen; ++i) xcb_screen_next(&it);
    root_ = it.data->root;
    StartDamage();
    const xcb_query_extension_reply_t* test = xcb_get_extension_data(c_, &testExtension);
    if (test == nullptr || !test->present) Fail("the X server has no XTEST");
    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;  // top-level windows mapped
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &rootMask);
    xcb_flush(c_);
  }
  ~Display() { xcb_disconnect(c_); }

  // The area of a window in root coordinates.
  Box AreaOf(xcb_window_t window) {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window), nullptr);
    if (g == nullptr) return {};
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, window, root_, 0, 0), nullptr);
    Box b;
    if (t != nullptr) b = Box{t->dst_x, t->dst_y, t->dst_x + g->width, t->dst_y + g->height};
    std::free(t);
    std::free(g);
    return b;
  }

  xcb_keycode_t KeycodeOf(xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c_);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    xcb_get_keyboard_mapping_reply_t* m =
        xcb_get_keyboard_mapping_reply(c_, xcb_get_keyboard_mapping(c_, setup->min_keycode, count), nullptr);
    if (m == nullptr) Fail("no keyboard mapping");
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(m);
    xcb_keycode_t found = 0;
    for (int k = 0; k < count && found == 0; ++k)
      for (int s = 0; s < m->keysyms_per_keycode; ++s)
        if (syms[k * m->keysyms_per_keycode + s] == keysym) found = static_cast<xcb_keycode_t>(first + k);
    std::free(m);
    if (found == 0) Fail("no key gives the letter");
    return found;
  }

  void MovePointer(int x, int y) {
    Fake(XCB_MOTION_NOTIFY, 0, x, y);
    xcb_flush(c_);
  }

  // Sends one input (a press and its release) and returns what the screen did until it was still.
  Answer Input(std::uint8_t press, std::uint8_t detail) {
    Fake(press, detail, 0, 0);
    Fake(static_cast<std::uint8_t>(press + 1), detail, 0, 0);
    Answer a;
    a.sent = Clock::now();
    xcb_flush(c_);
    Collect(&a);
    return a;
  }

  void AwaitStill() { Collect(nullptr); }

  // Waits until a window of process `pid` is mapped and then drawn in; returns it.
  xcb_window_t AwaitShown(std::uint32_t pid) {
    const xcb_atom_t pidAtom = Atom("_NET_WM_PID");
    xcb_window_t shown = 0;
    Box area;
    const bool found = Read([&](xcb_generic_event_t* ev) {
      const int type = ev->response_type & 0x7f;
      if (type == XCB_MAP_NOTIFY && shown == 0) {
        const auto* m = reinterpret_cast<const xcb_map_notify_event_t*>(ev);
        if (m->event == root_ && (shown = WindowOf(m->window, pid, pidAtom)) != 0) area = AreaOf(shown);
      } else if (type == damageEvent_ && shown != 0) {
        return DrawnBox(ev).Meets(area);
      }
      return false;
    }, Clock::now() + std::chrono::seconds(kDeadlineS));
    if (!found) Fail("the process showed no window");
    return shown;
  }

 private:
  void StartDamage() {
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c_, &damageExtension);
    if (ext == nullptr || !ext->present) Fail("the X server has no DAMAGE");
    damageEvent_ = ext->first_event;
    struct {
      std::uint8_t major, minor;
      std::uint16_t length;
      std::uint32_t clientMajor, clientMinor;
    } version{0, 0, 0, 1, 1};
    const unsigned seq = Send(c_, &damageExtension, 0, &version, sizeof version, true);
    void* reply = xcb_wait_for_reply(c_, seq, nullptr);
    if (reply == nullptr) Fail("DAMAGE did not answer");
    std::free(reply);
    struct {
      std::uint8_t major, minor;
      std::uint16_t length;
      std::uint32_t damage, drawable;
      std::uint8_t level, pad[3];
    } create{0, 0, 0, xcb_generate_id(c_), root_, 0 /* every drawing */, {}};
    Send(c_, &damageExtension, 1, &create, sizeof create, false);
  }

  void Fake(std::uint8_t type, std::uint8_t detail, int x, int y) {
    struct {
      std::uint8_t major, minor;
      std::uint16_t length;
      std::uint8_t type, detail, pad0[2];
      std::uint32_t time, root;
      std::uint8_t pad1[8];
      std::int16_t x, y;
      std::uint8_t pad2[7], device;
    } input{0, 0, 0, type, detail, {}, 0, root_, {}, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), {}, 0};
    static_assert(sizeof input == 36);
    Send(c_, &testExtension, 2, &input, sizeof input, false);
  }

  xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = r != nullptr ? r->atom : XCB_ATOM_NONE;
    std::free(r);
    return atom;
  }

  bool OfProcess(xcb_window_t w, std::uint32_t pid, xcb_atom_t pidAtom) {
    xcb_get_property_reply_t* p =
        xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    const bool of = p != nullptr && xcb_get_property_value_length(p) == 4 &&
                    *static_cast<const std::uint32_t*>(xcb_get_property_value(p)) == pid;
    std::free(p);
    return of;
  }

  // The window of the process: the top-level window mapped, or the client a window manager's frame
  // holds; 0 when neither is the process's.
  xcb_window_t WindowOf(xcb_window_t top, std::uint32_t pid, xcb_atom_t pidAtom) {
    if (OfProcess(top, pid, pidAtom)) return top;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c_, xcb_query_tree(c_, top), nullptr);
    xcb_window_t found = 0;
    if (tree != nullptr) {
      const xcb_window_t* kids = xcb_query_tree_children(tree);
      for (int i = 0; i < xcb_query_tree_children_length(tree) && found == 0; ++i)
        if (OfProcess(kids[i], pid, pidAtom)) found = kids[i];
    }
    std::free(tree);
    return found;
  }

  static Box DrawnBox(const xcb_generic_event_t* ev) {
    const auto* d = reinterpret_cast<const std::uint8_t*>(ev);
    std::int16_t x, y;
    std::uint16_t w, h;
    std::memcpy(&x, d + 16, 2);
    std::memcpy(&y, d + 18, 2);
    std::memcpy(&w, d + 20, 2);
    std::memcpy(&h, d + 22, 2);
    return Box{x, y, x + w, y + h};
  }

  // Reads events until `take` says enough or the deadline passes; false at the deadline.
  template <typename Take>
  bool Read(Take take, Clock::time_point end) {
    for (;;) {
      while (xcb_generic_event_t* ev = xcb_poll_for_event(c_)) {
        const bool enough = take(ev);
        std::free(ev);
        if (enough) return true;
      }
      if (xcb_connection_has_error(c_)) Fail("the X server went away");
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      if (left <= 0) return false;
      pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
      ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 50)));
    }
  }

  // Gathers drawings and mapped windows into `a` (when given) until the screen is still.
  void Collect(Answer* a) {
    const auto deadline = Clock::now() + std::chrono::seconds(kDeadlineS);
    auto still = Clock::now() + std::chrono::milliseconds(stillMs);
    const auto note = [&](xcb_generic_event_t* ev) {
      const int type = ev->response_type & 0x7f;
      if (type == damageEvent_) {
        const Box box = DrawnBox(ev);
        if (!box.Caret()) still = Clock::now() + std::chrono::milliseconds(stillMs);
        if (a != nullptr) a->drawings.push_back(Drawing{Clock::now(), box});
      } else if (type == XCB_MAP_NOTIFY && a != nullptr) {
        const auto* m = reinterpret_cast<const xcb_map_notify_event_t*>(ev);
        if (m->event == root_) a->mapped.push_back(AreaOf(m->window));
      }
    };
    while (Clock::now() < still) {
      if (Clock::now() > deadline) Fail("the screen did not come to rest");
      Read([&](xcb_generic_event_t* ev) {
        note(ev);
        return false;
      }, std::min(still, deadline));
    }
  }

  xcb_connection_t* c_ = nullptr;
  xcb_window_t root_ = 0;
  int damageEvent_ = 0;
};

struct Sample {
  double first = 0;
  double complete = 0;
  int paints = 0;
};

// The drawings of the answer inside `area` (caret blinks left out when `carets` is false); false
// when there was none.
bool Measure(const Answer& a, const Box& area, bool carets, Sample* s) {
  bool any = false;
  for (const Drawing& d : a.drawings) {
    if (!d.box.Meets(area) || (!carets && d.box.Caret())) continue;
    const double at = std::chrono::duration<double, std::milli>(d.seen - a.sent).count();
    if (!any) s->first = at;
    s->complete = at;
    ++s->paints;
    any = true;
  }
  return any;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int Report(const std::vector<Sample>& samples) {
  std::vector<double> first, complete;
  for (const Sample& s : samples) {
    first.push_back(s.first);
    complete.push_back(s.complete);
  }
  std::printf("median first_ms=%.2f complete_ms=%.2f samples=%zu\n", Median(first), Median(complete), samples.size());
  return 0;
}

int Clicks(Display& d, xcb_window_t window, int x, int y, int count) {
  const Box at = d.AreaOf(window);
  if (at.Empty()) Fail("no such window");
  d.MovePointer(at.left + x, at.top + y);
  d.AwaitStill();
  const Answer found = d.Input(XCB_BUTTON_PRESS, 1);
  Box area;
  for (const Box& b : found.mapped) area.Add(b);
  if (area.Empty()) Fail("the click opened no window");
  d.Input(XCB_BUTTON_PRESS, 1);
  std::vector<Sample> samples;
  for (int tries = 0; static_cast<int>(samples.size()) < count; ++tries) {
    if (tries > 3 * count) Fail("the click stopped opening its window");
    const Answer opened = d.Input(XCB_BUTTON_PRESS, 1);
    // A click that mapped nothing found the window open (and closed it) or did not reach the title.
    if (opened.mapped.empty()) continue;
    Sample s;
    const bool shown = Measure(opened, area, false, &s);
    d.Input(XCB_BUTTON_PRESS, 1);  // closes it again
    if (!shown) continue;
    std::printf("click first_ms=%.2f complete_ms=%.2f paints=%d windows=%zu\n", s.first, s.complete, s.paints,
                opened.mapped.size());
    std::fflush(stdout);
    samples.push_back(s);
  }
  return Report(samples);
}

int Keys(Display& d, xcb_window_t window, int count) {
  const Box area = d.AreaOf(window);
  if (area.Empty()) Fail("no such window");
  const xcb_keycode_t key = d.KeycodeOf('a');
  d.AwaitStill();
  std::vector<Sample> samples;
  for (int tries = 0; static_cast<int>(samples.size()) < count; ++tries) {
    if (tries > 3 * count) Fail("the keys stopped changing the window");
    const Answer typed = d.Input(XCB_KEY_PRESS, key);
    Sample s;
    if (!Measure(typed, area, true, &s)) continue;
    std::printf("key first_ms=%.2f complete_ms=%.2f paints=%d\n", s.first, s.complete, s.paints);
    std::fflush(stdout);
    samples.push_back(s);
  }
  return Report(samples);
}

int Start(Display& d, char** command) {
  std::fflush(stdout);
  const pid_t pid = ::fork();
  if (pid < 0) Fail("cannot start the command");
  if (pid == 0) {
    ::dup2(STDERR_FILENO, STDOUT_FILENO);  // what the command writes stays out of these lines
    ::execvp(command[0], command);
    std::_Exit(127);
  }
  std::printf("%d\n", static_cast<int>(pid));
  std::fflush(stdout);
  std::printf("0x%x\n", d.AwaitShown(static_cast<std::uint32_t>(pid)));
  return 0;
}

xcb_window_t WindowArgument(const char* text) { return static_cast<xcb_window_t>(std::stoul(text, nullptr, 0)); }

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--still") == 0) {
    stillMs = std::atoi(argv[2]);
    argc -= 2;
    argv += 2;
  }
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "click" && argc == 6) {
    Display d;
    return Clicks(d, WindowArgument(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  }
  if (mode == "key" && argc == 4) {
    Display d;
    return Keys(d, WindowArgument(argv[2]), std::atoi(argv[3]));
  }
  if (mode == "start" && argc >= 3) {
    Display d;
    return Start(d, argv + 2);
  }
  std::fprintf(stderr,
               "usage: bench_screen_watch [--still MS] click WINDOW X Y SAMPLES | key WINDOW SAMPLES | start COMMAND...\n");
  return 2;
}
