// The windows of a run: the main window and the message form at once, and every design window
// and the about box registered to be made when first opened.
#pragma once

#include "app/main_frm.h"
#include "app/msg_frm.h"
#include "app/qt_desktop.h"

class KinvoraSession {
public:
  KinvoraSession();
  ~KinvoraSession();
  TMainFrm& mainWindow() { return m_mainFrm; }

private:
  TMainFrm m_mainFrm;
  TMsgFrm m_msgFrm;
  QtDesktopServices m_desktop;
};
