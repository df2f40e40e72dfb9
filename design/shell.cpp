#include "design/shell.h"

namespace {
ShellServices* g_shell = nullptr;
}

ShellServices* Shell() { return g_shell; }
void SetShell(ShellServices* shell) { g_shell = shell; }

void SetStatusText(int panel, const QString& text) {
  if (g_shell) g_shell->SetStatusText(panel, text);
}
