#include "base/desktop.h"

#include "base/errors.h"
#include "base/fpu.h"

#include <cassert>

namespace {
DesktopServices* g_desktop = nullptr;
}

DesktopServices& Desktop() {
  assert(g_desktop && "no desktop services installed");
  return *g_desktop;
}

void SetDesktop(DesktopServices* services) { g_desktop = services; }

bool HasDesktop() { return g_desktop != nullptr; }

bool Guarded(const std::function<void()>& command) {
  try {
    FpuClear();
    command();
    return true;
  } catch (const KvError& e) {
    Desktop().ShowError(e.message());
  } catch (const std::exception& e) {
    Desktop().ShowError(QString::fromLocal8Bit(e.what()));
  }
  return false;
}
