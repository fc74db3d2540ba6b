// Times a program's window from outside, as a player sees it: starts the command, waits for
// a top-level window of the given class to show anything but black, and prints the
// milliseconds from the start. With --close, it then asks the window manager to close the
// window and prints the milliseconds until the process has exited.
// Usage: window_probe CLASS [--close] -- COMMAND [ARGS...]
#define _DEFAULT_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static int HasClass(Display* d, Window w, const char* wanted) {
  XClassHint hint;
  if (!XGetClassHint(d, w, &hint)) return 0;
  int match = (hint.res_class && strcmp(hint.res_class, wanted) == 0) ||
              (hint.res_name && strcmp(hint.res_name, wanted) == 0);
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return match;
}

// The client window of the given class among the root's descendants (frames included).
static Window FindClient(Display* d, Window w, const char* wanted, int depth) {
  if (HasClass(d, w, wanted)) return w;
  if (depth > 3) return 0;
  Window root, parent, *children = NULL;
  unsigned n = 0;
  Window found = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &n)) {
    for (unsigned i = 0; i < n && !found; ++i) found = FindClient(d, children[i], wanted, depth + 1);
    if (children) XFree(children);
  }
  return found;
}

// True once the window is viewable and some pixel of its middle band is not black.
static int ShowsPicture(Display* d, Window w) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return 0;
  if (a.width < 8 || a.height < 8) return 0;
  XImage* img = XGetImage(d, w, 0, a.height / 4, a.width, a.height / 2, AllPlanes, ZPixmap);
  if (!img) return 0;
  int lit = 0;
  for (int y = 0; y < img->height && !lit; y += 3)
    for (int x = 0; x < img->width && !lit; x += 3)
      if ((XGetPixel(img, x, y) & 0xffffff) != 0) lit = 1;
  XDestroyImage(img);
  return lit;
}

static int IgnoreErrors(Display* d, XErrorEvent* e) { return 0; }

static void CloseWindow(Display* d, Window w) {
  XEvent ev;
  memset(&ev, 0, sizeof ev);
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = XInternAtom(d, "_NET_CLOSE_WINDOW", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = CurrentTime;
  ev.xclient.data.l[1] = 2;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
  XFlush(d);
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: window_probe CLASS [--close] -- COMMAND [ARGS...]\n");
    return 2;
  }
  const char* wanted = argv[1];
  int close = 0, cmd = 2;
  for (; cmd < argc && strcmp(argv[cmd], "--") != 0; ++cmd)
    if (strcmp(argv[cmd], "--close") == 0) close = 1;
  if (++cmd >= argc) return 2;
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "window_probe: no display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreErrors);
  double start = NowMs();
  pid_t child = fork();
  if (child == 0) {
    execvp(argv[cmd], argv + cmd);
    _exit(127);
  }
  Window w = 0;
  int status = 0;
  while (NowMs() - start < 10000) {
    if (waitpid(child, &status, WNOHANG) == child) {
      fprintf(stderr, "window_probe: the program ended before showing a window\n");
      return 1;
    }
    if (!w) w = FindClient(d, DefaultRootWindow(d), wanted, 0);
    if (w && ShowsPicture(d, w)) break;
    usleep(2000);  // light polling: the probe must not slow the program it times
  }
  double shown = NowMs() - start;
  printf("shown_ms %.1f\n", shown);
  if (!close) {
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    return 0;
  }
  usleep(1000000);  // a player looks at the title a moment before closing
  double asked = NowMs();
  CloseWindow(d, w);
  while (waitpid(child, &status, WNOHANG) != child) {
    if (NowMs() - asked > 10000) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      printf("exit_ms timeout\n");
      return 1;
    }
    usleep(500);
  }
  printf("exit_ms %.1f\n", NowMs() - asked);
  return 0;
}
