// SPDX-License-Identifier: GPL-3.0-or-later
// Key-to-screen latency of an X11 window, as the pupil feels it: presses keys into the window
// with XTest and times each from the press to the first damage the X server reports inside a
// watched rectangle of the window (on Xvfb: when the program's drawing has reached the frame
// buffer), keys and damage on one X connection. Used by scripts/key_latency.sh.
//
//   key_latency -w WINDOW [-r X,Y,W,H] [-p PROGRAM] [-f] [-S SEED] [-v] < KEYS
//       -w  the window (decimal or 0x hex); damage drawn in its child windows counts too
//       -r  the watched rectangle in window coordinates (default: the whole window)
//       -p  the program's name at the start of every line printed (default "-")
//       -f  raises the window and gives it the keyboard first
//       -S  seeds the quiet gaps (default: from the clock)
//       -v  prints every damage rectangle and every key on stderr, in µs on one clock
//   key_latency -s FILE...     summary of earlier lines ("-" or nothing: standard input)
//
// KEYS, one a line:
//   KEYSYM TAG    measured: the X keysym name (5, Return, BackSpace, ...), TAG groups the summary
//   !KEYSYM       pressed, not measured (a button that has the focus)
//   sleep MS      a pause
//   # ...         a comment
// Before each measured key the watched rectangle must have been quiet for a gap drawn at random
// between 50 and 100 ms, so that the keys fall at every phase of a program's frame clock and the
// last key's drawing is over; a key that no damage answers within 1 s is a miss.
//
// Prints "PROGRAM TAG LATENCY_US" or "PROGRAM TAG miss" for each measured key; the summary
// prints "program tag n median p90 p99 max misses" lines, the times in ms.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <getopt.h>
#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kMinGapUs = 50'000;
constexpr std::int64_t kMaxGapUs = 100'000;
// A rectangle that glides on for a while after each key (a scrolling ticker) is waited out; one
// that never falls quiet must not stop the measurement: past this the key is pressed anyway, and
// said so on stderr.
constexpr std::int64_t kMaxQuietWaitUs = 800'000;
constexpr std::int64_t kMissUs = 1'000'000;

std::int64_t NowUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "key_latency: %s\n", message.c_str());
  std::exit(2);
}

struct Rect {
  int x = 0, y = 0, width = 1 << 30, height = 1 << 30;
  bool Meets(const XRectangle& r) const {
    return r.x < x + width && x < r.x + r.width && r.y < y + height && y < r.y + r.height;
  }
};

// ---------------------------------------------------------------------------------------------
// The summary.

struct Group {
  std::string program, tag;
  std::vector<double> ms;
  int misses = 0;
};

// The nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double p) {
  const auto rank =
      static_cast<std::size_t>(std::ceil(p / 100 * static_cast<double>(sorted.size())));
  return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

double Median(const std::vector<double>& sorted) {
  const std::size_t n = sorted.size();
  return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

void Read(std::istream& in, std::vector<Group>& groups) {
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string program, tag, value;
    if (!(fields >> program >> tag >> value) || program[0] == '#') continue;
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const Group& g) { return g.program == program && g.tag == tag; });
    if (group == groups.end()) group = groups.insert(groups.end(), Group{program, tag, {}, 0});
    if (value == "miss") {
      ++group->misses;
    } else {
      group->ms.push_back(std::strtod(value.c_str(), nullptr) / 1000);
    }
  }
}

int Summarize(int count, char** files) {
  std::vector<Group> groups;
  if (count == 0) Read(std::cin, groups);
  for (int i = 0; i < count; ++i) {
    if (std::strcmp(files[i], "-") == 0) {
      Read(std::cin, groups);
      continue;
    }
    std::ifstream in(files[i]);
    if (!in) Fail(std::string("cannot read ") + files[i]);
    Read(in, groups);
  }
  std::printf("program tag n median p90 p99 max misses\n");
  for (Group& g : groups) {
    std::sort(g.ms.begin(), g.ms.end());
    if (g.ms.empty()) {
      std::printf("%s %s 0 - - - - %d\n", g.program.c_str(), g.tag.c_str(), g.misses);
      continue;
    }
    std::printf("%s %s %zu %.2f %.2f %.2f %.2f %d\n", g.program.c_str(), g.tag.c_str(), g.ms.size(),
                Median(g.ms), Percentile(g.ms, 90), Percentile(g.ms, 99), g.ms.back(), g.misses);
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// The measurement.

int g_xError = 0;
int RememberError(Display*, XErrorEvent* error) {
  g_xError = error->error_code;
  return 0;
}

class Prober {
 public:
  Prober(Display* display, Window window, Rect watched, bool verbose)
      : display_(display), window_(window), watched_(watched), verbose_(verbose) {
    int error;
    if (!XDamageQueryExtension(display_, &damageEvent_, &error)) Fail("no DAMAGE extension");
    int major = 1, minor = 1;
    XDamageQueryVersion(display_, &major, &minor);
    int event;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) Fail("no XTEST extension");
    // The server clips drawing in a child window to each ancestor's border clip, which holds its
    // children, and reports it on a damage object of the ancestor too: one object suffices.
    // Raw rectangles: every drawing request is reported, never merged into an earlier one.
    XSetErrorHandler(RememberError);
    damage_ = XDamageCreate(display_, window_, XDamageReportRawRectangles);
    XSync(display_, False);
    if (g_xError) Fail("no damage can be watched on that window (is the id right?)");
    lastHit_ = NowUs();
  }
  ~Prober() {
    XDamageDestroy(display_, damage_);
    XSync(display_, False);
  }

  void Focus() {
    XRaiseWindow(display_, window_);
    XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
    if (g_xError) Fail("the window cannot take the keyboard");
  }

  // Presses and releases the key; returns the time just before the press, or -1 for a keysym
  // that the keyboard has no key for.
  std::int64_t Press(const std::string& name) {
    const KeySym sym = XStringToKeysym(name.c_str());
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display_, sym);
    if (code == 0) return -1;
    // A keysym on the key's second level needs Shift.
    const bool shift = XkbKeycodeToKeysym(display_, code, 0, 0) != sym &&
                       XkbKeycodeToKeysym(display_, code, 0, 1) == sym;
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    const std::int64_t sent = NowUs();
    if (shift) XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    XFlush(display_);
    if (verbose_) std::fprintf(stderr, "%lld key %s\n", static_cast<long long>(sent), name.c_str());
    return sent;
  }

  // Waits until `deadline` for damage in the watched rectangle; returns when it was read, or -1.
  std::int64_t WaitForHit(std::int64_t deadline) {
    for (;;) {
      if (Drain()) return lastHit_;
      const std::int64_t left = deadline - NowUs();
      if (left <= 0) return -1;
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, static_cast<int>((left + 999) / 1000));
    }
  }

  // Waits until the watched rectangle has had no damage for `gap`; false when it never fell
  // quiet within kMaxQuietWaitUs.
  bool WaitQuiet(std::int64_t gap) {
    const std::int64_t start = NowUs();
    Drain();
    while (WaitForHit(std::max(lastHit_, start) + gap) >= 0) {
      if (NowUs() - start > kMaxQuietWaitUs) return false;
    }
    return true;
  }

  void Sleep(std::int64_t us) {
    const std::int64_t end = NowUs() + us;
    while (WaitForHit(end) >= 0) {
    }
  }

 private:
  // Handles every event that has come; true when damage met the watched rectangle.
  bool Drain() {
    bool hit = false;
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type != damageEvent_ + XDamageNotify) continue;
      const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
      const bool in = watched_.Meets(damage.area);
      if (in) {
        hit = true;
        lastHit_ = NowUs();
      }
      if (verbose_) {
        std::fprintf(stderr, "%lld damage %d,%d %dx%d%s\n", static_cast<long long>(NowUs()),
                     damage.area.x, damage.area.y, damage.area.width, damage.area.height,
                     in ? " in" : "");
      }
    }
    if (g_xError == BadWindow || g_xError == BadDrawable) Fail("the window has gone");
    return hit;
  }

  Display* display_;
  Window window_;
  Rect watched_;
  bool verbose_;
  int damageEvent_ = 0;
  Damage damage_ = 0;
  std::int64_t lastHit_ = 0;
};

int Measure(Prober& prober, const std::string& program, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::int64_t> gap(kMinGapUs, kMaxGapUs);
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream fields(line);
    std::string key, tag;
    if (!(fields >> key) || key[0] == '#') continue;
    if (key == "sleep") {
      double ms = 0;
      fields >> ms;
      prober.Sleep(static_cast<std::int64_t>(ms * 1000));
      continue;
    }
    if (key[0] == '!' && key.size() > 1) {
      if (prober.Press(key.substr(1)) < 0) Fail("no key for " + key.substr(1));
      continue;
    }
    if (!(fields >> tag)) tag = "key";
    if (!prober.WaitQuiet(gap(random))) {
      std::fprintf(stderr, "key_latency: %s never fell quiet before a key\n", program.c_str());
    }
    const std::int64_t sent = prober.Press(key);
    if (sent < 0) Fail("no key for " + key);
    const std::int64_t hit = prober.WaitForHit(sent + kMissUs);
    if (hit < 0) {
      std::printf("%s %s miss\n", program.c_str(), tag.c_str());
    } else {
      std::printf("%s %s %lld\n", program.c_str(), tag.c_str(), static_cast<long long>(hit - sent));
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Window window = 0;
  Rect watched;
  std::string program = "-";
  bool focus = false, verbose = false;
  auto seed = static_cast<unsigned>(NowUs());
  int option;
  while ((option = getopt(argc, argv, "w:r:p:fS:vs")) != -1) {
    switch (option) {
      case 'w':
        window = std::strtoul(optarg, nullptr, 0);
        break;
      case 'r':
        if (std::sscanf(optarg, "%d,%d,%d,%d", &watched.x, &watched.y, &watched.width,
                        &watched.height) != 4) {
          Fail("-r takes X,Y,W,H");
        }
        break;
      case 'p':
        program = optarg;
        break;
      case 'f':
        focus = true;
        break;
      case 'S':
        seed = static_cast<unsigned>(std::strtoul(optarg, nullptr, 0));
        break;
      case 'v':
        verbose = true;
        break;
      case 's':
        return Summarize(argc - optind, argv + optind);
      default:
        Fail(
            "usage: key_latency -w WINDOW [-r X,Y,W,H] [-p PROGRAM] [-f] [-S SEED] [-v] < KEYS, "
            "or key_latency -s FILE...");
    }
  }
  if (window == 0) Fail("-w WINDOW is needed");
  Display* display = XOpenDisplay(nullptr);
  if (!display) Fail("cannot open the display");
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  int result;
  {
    Prober prober(display, window, watched, verbose);
    if (focus) prober.Focus();
    result = Measure(prober, program, seed);
  }
  XCloseDisplay(display);
  return result;
}
