#include "desktop/wayland_scaler.h"

#ifdef MIROVAAN_WAYLAND_VIEWPORT

#include <qpa/qplatformnativeinterface.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstring>

#include "viewporter-client-protocol.h"

namespace {

// Two buffers would do while the compositor gives each back as soon as the next is shown;
// a third keeps the picture moving when it is slower to.
constexpr int kBuffers = 3;

struct Buffer {
  wl_buffer* buffer = nullptr;
  uint32_t* pixels = nullptr;
  bool held = false;               // by the compositor, until it releases it: not to be written
  int staleFrom = 0, staleTo = 0;  // rows behind the frame
};

}  // namespace

// Everything on a queue of its own: Qt's thread reads the connection and files these events
// there, and they are handled here, in the view's thread, never in Qt's dispatch.
struct WaylandScaler::Wayland {
  wl_display* display = nullptr;
  wl_event_queue* queue = nullptr;
  wl_display* wrapper = nullptr;
  wl_registry* registry = nullptr;
  wl_compositor* compositor = nullptr;
  wl_subcompositor* subcompositor = nullptr;
  wl_shm* shm = nullptr;
  wp_viewporter* viewporter = nullptr;
  bool xrgb = false;

  wl_surface* parent = nullptr;
  wl_surface* surface = nullptr;
  wl_subsurface* subsurface = nullptr;
  wp_viewport* viewport = nullptr;
  QPoint at{-1, -1};
  QSize size;
  bool mapped = false;
  int damageFrom = 0, damageTo = 0;

  int w = 0, h = 0, fd = -1;
  size_t poolBytes = 0;
  void* pool = nullptr;
  wl_shm_pool* shmPool = nullptr;
  Buffer buffers[kBuffers];

  ~Wayland() {
    DropSurface();
    for (Buffer& b : buffers)
      if (b.buffer) wl_buffer_destroy(b.buffer);
    if (shmPool) wl_shm_pool_destroy(shmPool);
    if (pool) munmap(pool, poolBytes);
    if (fd >= 0) close(fd);
    if (viewporter) wp_viewporter_destroy(viewporter);
    if (shm) wl_shm_destroy(shm);
    if (subcompositor) wl_subcompositor_destroy(subcompositor);
    if (compositor) wl_compositor_destroy(compositor);
    if (registry) wl_registry_destroy(registry);
    if (wrapper) wl_proxy_wrapper_destroy(wrapper);
    if (display) wl_display_flush(display);
    if (queue) wl_event_queue_destroy(queue);
  }

  void DropSurface() {
    if (viewport) wp_viewport_destroy(viewport);
    if (subsurface) wl_subsurface_destroy(subsurface);
    if (surface) wl_surface_destroy(surface);
    viewport = nullptr;
    subsurface = nullptr;
    surface = nullptr;
    parent = nullptr;
    mapped = false;
  }

  void AllStale() {
    for (Buffer& b : buffers) {
      b.staleFrom = 0;
      b.staleTo = h;
    }
    damageFrom = 0;
    damageTo = h;
  }

  bool MakeBuffers(int width, int height) {
    w = width;
    h = height;
    size_t one = size_t(w) * h * 4;
    poolBytes = one * kBuffers;
    fd = memfd_create("mirovaan-picture", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, poolBytes) != 0) return false;
    pool = mmap(nullptr, poolBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pool == MAP_FAILED) {
      pool = nullptr;
      return false;
    }
    shmPool = wl_shm_create_pool(shm, fd, poolBytes);
    for (int i = 0; i < kBuffers; ++i) {
      Buffer& b = buffers[i];
      b.pixels = reinterpret_cast<uint32_t*>(static_cast<char*>(pool) + one * i);
      b.buffer = wl_shm_pool_create_buffer(shmPool, one * i, w, h, w * 4, WL_SHM_FORMAT_XRGB8888);
      wl_buffer_add_listener(b.buffer, &kBufferListener, &b);
    }
    AllStale();
    return true;
  }

  static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t version) {
    auto* w = static_cast<Wayland*>(data);
    // Damage in buffer pixels (wl_surface.damage_buffer) came with version 4.
    if (!std::strcmp(interface, wl_compositor_interface.name) && version >= 4)
      w->compositor = static_cast<wl_compositor*>(
          wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    else if (!std::strcmp(interface, wl_subcompositor_interface.name))
      w->subcompositor = static_cast<wl_subcompositor*>(
          wl_registry_bind(registry, name, &wl_subcompositor_interface, 1));
    else if (!std::strcmp(interface, wl_shm_interface.name)) {
      w->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
      wl_shm_add_listener(w->shm, &kShmListener, w);
    } else if (!std::strcmp(interface, wp_viewporter_interface.name))
      w->viewporter = static_cast<wp_viewporter*>(
          wl_registry_bind(registry, name, &wp_viewporter_interface, 1));
  }
  static void GlobalRemove(void*, wl_registry*, uint32_t) {}
  static void Format(void* data, wl_shm*, uint32_t format) {
    if (format == WL_SHM_FORMAT_XRGB8888) static_cast<Wayland*>(data)->xrgb = true;
  }
  static void Release(void* data, wl_buffer*) { static_cast<Buffer*>(data)->held = false; }

  static const wl_registry_listener kRegistryListener;
  static const wl_shm_listener kShmListener;
  static const wl_buffer_listener kBufferListener;
};

const wl_registry_listener WaylandScaler::Wayland::kRegistryListener{Global, GlobalRemove};
const wl_shm_listener WaylandScaler::Wayland::kShmListener{Format};
const wl_buffer_listener WaylandScaler::Wayland::kBufferListener{Release};

std::unique_ptr<WaylandScaler> WaylandScaler::Open() {
  if (QGuiApplication::platformName() != QLatin1String("wayland")) return nullptr;
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  if (!native) return nullptr;
  auto* display = static_cast<wl_display*>(
      native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")));
  if (!display) return nullptr;
  auto w = std::make_unique<Wayland>();
  w->display = display;
  w->queue = wl_display_create_queue(display);
  w->wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(w->wrapper), w->queue);
  w->registry = wl_display_get_registry(w->wrapper);
  wl_registry_add_listener(w->registry, &Wayland::kRegistryListener, w.get());
  // The globals, then the events of those bound (the formats the compositor takes).
  if (wl_display_roundtrip_queue(display, w->queue) < 0 ||
      wl_display_roundtrip_queue(display, w->queue) < 0)
    return nullptr;
  if (!w->compositor || !w->subcompositor || !w->shm || !w->viewporter || !w->xrgb) return nullptr;
  return std::unique_ptr<WaylandScaler>(new WaylandScaler(std::move(w)));
}

WaylandScaler::WaylandScaler(std::unique_ptr<Wayland> w) : w_(std::move(w)) {}
WaylandScaler::~WaylandScaler() = default;

WaylandScaler::Result WaylandScaler::Show(QWindow* window, QPoint at, QSize size,
                                          const gfx::Color* pixels, int srcW, int srcH,
                                          std::ptrdiff_t stride, int firstRow, int rows) {
  Wayland& w = *w_;
  if (wl_display_dispatch_queue_pending(w.display, w.queue) < 0) return Result::Failed;
  if (!w.pool && !w.MakeBuffers(srcW, srcH)) return Result::Failed;
  if (srcW != w.w || srcH != w.h) return Result::Failed;
  auto* parent = static_cast<wl_surface*>(
      QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", window));
  if (!parent) return Result::NotNow;
  if (parent != w.parent) {
    w.DropSurface();
    w.parent = parent;
    w.surface = wl_compositor_create_surface(w.compositor);
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(w.surface), w.queue);
    // The pointer passes through to the window beneath, which shows, hides and follows it.
    wl_region* nothing = wl_compositor_create_region(w.compositor);
    wl_surface_set_input_region(w.surface, nothing);
    wl_region_destroy(nothing);
    w.subsurface = wl_subcompositor_get_subsurface(w.subcompositor, w.surface, parent);
    // Its frames show as they come, not only when Qt next commits the window.
    wl_subsurface_set_desync(w.subsurface);
    w.viewport = wp_viewporter_get_viewport(w.viewporter, w.surface);
    w.at = QPoint(-1, -1);
    w.size = QSize();
  }
  if (!w.mapped) w.AllStale();
  for (Buffer& b : w.buffers) {
    if (rows <= 0) break;
    b.staleFrom = b.staleFrom < b.staleTo ? std::min(b.staleFrom, firstRow) : firstRow;
    b.staleTo = std::max(b.staleTo, firstRow + rows);
  }
  if (rows > 0) {
    w.damageFrom = w.damageFrom < w.damageTo ? std::min(w.damageFrom, firstRow) : firstRow;
    w.damageTo = std::max(w.damageTo, firstRow + rows);
  }
  bool moved = false;
  if (at != w.at) {
    wl_subsurface_set_position(w.subsurface, at.x(), at.y());
    w.at = at;
    moved = true;
  }
  bool resized = false;
  if (size != w.size) {
    wp_viewport_set_destination(w.viewport, size.width(), size.height());
    w.size = size;
    resized = true;
  }
  Result shown = moved ? Result::Moved : Result::Shown;
  if (w.damageFrom >= w.damageTo && w.mapped && !moved && !resized) return shown;

  Buffer* free = nullptr;
  for (int attempt = 0; attempt < 2 && !free; ++attempt) {
    for (Buffer& b : w.buffers)
      if (!b.held) {
        free = &b;
        break;
      }
    if (!free && wl_display_roundtrip_queue(w.display, w.queue) < 0) return Result::Failed;
  }
  if (!free) {
    // Everything still on screen: the change waits for the next frame, nothing is lost.
    wl_surface_commit(w.surface);
    wl_display_flush(w.display);
    return shown;
  }
  for (int y = free->staleFrom; y < free->staleTo; ++y) {
    const gfx::Color* from = pixels + stride * y;
    uint32_t* to = free->pixels + std::ptrdiff_t(w.w) * y;
    // 0x00BBGGRR to the compositor's 0x00RRGGBB.
    for (int x = 0; x < w.w; ++x) {
      uint32_t c = from[x];
      to[x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  }
  free->staleFrom = free->staleTo = 0;
  wl_surface_attach(w.surface, free->buffer, 0, 0);
  if (w.damageFrom < w.damageTo)
    wl_surface_damage_buffer(w.surface, 0, w.damageFrom, w.w, w.damageTo - w.damageFrom);
  w.damageFrom = w.damageTo = 0;
  wl_surface_commit(w.surface);
  free->held = true;
  w.mapped = true;
  wl_display_flush(w.display);
  return shown;
}

void WaylandScaler::Hide() {
  Wayland& w = *w_;
  if (!w.surface || !w.mapped) return;
  wl_surface_attach(w.surface, nullptr, 0, 0);
  wl_surface_commit(w.surface);
  w.mapped = false;
  wl_display_flush(w.display);
}

#else

// Built without the Wayland libraries: the program scales the picture itself there.
struct WaylandScaler::Wayland {};
std::unique_ptr<WaylandScaler> WaylandScaler::Open() { return nullptr; }
WaylandScaler::WaylandScaler(std::unique_ptr<Wayland> w) : w_(std::move(w)) {}
WaylandScaler::~WaylandScaler() = default;
WaylandScaler::Result WaylandScaler::Show(QWindow*, QPoint, QSize, const gfx::Color*, int, int,
                                          std::ptrdiff_t, int, int) {
  return Result::Failed;
}
void WaylandScaler::Hide() {}

#endif
