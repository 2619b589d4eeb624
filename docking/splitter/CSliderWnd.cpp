#include "docking/splitter/CSliderWnd.h"

#include <algorithm>
#include <vector>

#include "docking/drag/DragDrawing.h"

namespace {

struct SliderEntry {
  HWND hwnd;
  CSliderWnd* slider;
};

std::vector<SliderEntry>* g_sliders = nullptr;
CSliderWnd* g_creating = nullptr;
int g_live = 0;
const char kSliderClass[] = "MOORSLIDERWNDCLASS";

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ModuleInstance), &module);
  return module;
}

LRESULT CALLBACK SliderDispatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CSliderWnd* slider = CSliderWnd::FromHandle(hwnd);
  if (!slider && g_creating && g_sliders) {
    // The first messages of a window arrive before CreateWindowEx returns.
    slider = g_creating;
    slider->window = hwnd;
    g_sliders->push_back(SliderEntry{hwnd, slider});
  }
  if (!slider) return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return slider->WindowProc(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

CSliderWnd::CSliderWnd() {
  if (!g_sliders) g_sliders = new std::vector<SliderEntry>();
  ++g_live;
}

CSliderWnd::~CSliderWnd() {
  --g_live;
  if (tracking && GetCapture() == window && window) ReleaseCapture();
  HWND hwnd = window;
  if (g_sliders) {
    auto it = std::find_if(g_sliders->begin(), g_sliders->end(),
                           [this](const SliderEntry& e) { return e.slider == this; });
    if (it != g_sliders->end()) g_sliders->erase(it);
  }
  window = nullptr;
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
  if (g_sliders && g_sliders->empty()) {
    delete g_sliders;
    g_sliders = nullptr;
  }
}

int CSliderWnd::LiveCount() { return g_live; }

CSliderWnd* CSliderWnd::FromHandle(HWND hwnd) {
  if (!g_sliders || !hwnd) return nullptr;
  for (const SliderEntry& e : *g_sliders)
    if (e.hwnd == hwnd) return e.slider;
  return nullptr;
}

int CSliderWnd::Create(const char* name, DWORD style, const RECT& rect, HWND parent) {
  WNDCLASSA wc{};
  HINSTANCE instance = ModuleInstance();
  if (!GetClassInfoA(instance, kSliderClass, &wc)) {
    wc.lpfnWndProc = SliderDispatchProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kSliderClass;
    RegisterClassA(&wc);
  }
  g_creating = this;
  HWND hwnd = CreateWindowExA(0, kSliderClass, name ? name : "", style & ~WS_CLIPCHILDREN, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, nullptr);
  g_creating = nullptr;
  if (!hwnd) return 0;
  window = hwnd;
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_NOPARENTNOTIFY);
  return 1;
}

LRESULT CSliderWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEMOVE) OnMouseMove(wParam, lParam);
  else if (message == WM_LBUTTONDOWN) return OnButtonDown(wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CSliderWnd::OnButtonDown(WPARAM, LPARAM) {
  RunDragLoop();
  tracking = 0;
  return 0;
}

POINT CSliderWnd::MessageScreenPoint(const MSG& msg) {
  POINT pt{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  if (msg.hwnd) ClientToScreen(msg.hwnd, &pt);
  return pt;
}

int CSliderWnd::RunDragLoop() {
  if (GetCapture() || !window) return 0;
  SetCapture(window);
  MSG msg;
  while (GetCapture() == window) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      DragDrawing::RepostQuit(msg);
      break;
    }
    if (got < 0) break;
    switch (msg.message) {
      case WM_KEYDOWN:
        if (tracking) OnTrackKey(static_cast<int>(msg.wParam), true);
        if (msg.wParam == VK_ESCAPE) goto cancelled;
        continue;
      case WM_KEYUP:
        if (tracking) OnTrackKey(static_cast<int>(msg.wParam), false);
        continue;
      case WM_LBUTTONUP:
        if (tracking) {
          EndDrag();
          return 1;
        }
        [[fallthrough]];
      case WM_MOUSEMOVE:
        if (tracking) {
          POINT pt = MessageScreenPoint(msg);
          TrackTo(pt.x, pt.y);
        }
        continue;
      case WM_RBUTTONDOWN:
        goto cancelled;
      default:
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
  }
cancelled:
  StopTracking();
  return 0;
}

void CSliderWnd::StopTracking() {
  DrawTracker(true);
  if (GetCapture() == window && window) ReleaseCapture();
  if (drawingDC) {
    LockWindowUpdate(nullptr);
    ReleaseDC(dcWindow, drawingDC);
    drawingDC = nullptr;
  }
}

void CSliderWnd::DrawTracker(bool eraseOnly) {
  if (!drawingDC) {
    lastDrawn = eraseOnly ? RECT{} : tracker;
    return;
  }
  auto toScreen = [this](RECT r) {
    if (!dcWindow && frameWindow) {
      MapWindowPoints(frameWindow, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
  };
  HGDIOBJ old = SelectObject(drawingDC, GetHalftoneBrush());
  if (!IsRectEmpty(&lastDrawn)) {
    RECT r = toScreen(lastDrawn);
    PatBlt(drawingDC, r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
  }
  if (!eraseOnly) {
    RECT r = toScreen(tracker);
    PatBlt(drawingDC, r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
  }
  SelectObject(drawingDC, old);
  // After an erase nothing is left on screen, so nothing must be erased later.
  lastDrawn = eraseOnly ? RECT{} : tracker;
}

void CSliderWnd::OnTrackKey(int key, bool down) {
  if (key == VK_CONTROL || key == VK_SHIFT) DrawTracker(false);
}

void CSliderWnd::TrackTo(int x, int y) {
  POINT pt{x, y};
  if (frameWindow) ScreenToClient(frameWindow, &pt);
  tracker = SplitterGeometry::TrackerAt(tracker, orientation, pt.x, pt.y, limits);
  DrawTracker(false);
}
