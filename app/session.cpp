#include "app/session.h"

#include "app/about_frm.h"
#include "methods/CDJSJ/cdjsj_frm.h"
#include "methods/DYWZ/dywz_frm.h"
#include "methods/HSGX/hsgx_frm.h"
#include "methods/JHTX/jhtx_frm.h"
#include "methods/JSTX/jstx_frm.h"
#include "methods/LWZ/lwz_frm.h"

KinvoraSession::KinvoraSession() : m_msgFrm(&m_mainFrm), m_desktop(&m_msgFrm) {
  SetDesktop(&m_desktop);
  TMainFrm* shell = &m_mainFrm;
  // Made on first use: a start-up that builds six wizards the user may never open costs time
  // and memory before the main window shows.
  shell->RegisterDesignWindow(QStringLiteral("DYWZ"), [shell] { return new TDYWZFrm(shell); });
  shell->RegisterDesignWindow(QStringLiteral("HSGX"), [shell] { return new THSGXFrm(shell); });
  shell->RegisterDesignWindow(QStringLiteral("JHTX"), [shell] { return new TJHTXFrm(shell); });
  shell->RegisterDesignWindow(QStringLiteral("JSTX"), [shell] { return new TJSTXFrm(shell); });
  shell->RegisterDesignWindow(QStringLiteral("CDJSJ"), [shell] { return new TCDJSJFrm(shell); });
  shell->RegisterDesignWindow(QStringLiteral("LWZ"), [shell] { return new TLWZFrm(shell); });
  shell->SetAboutBox([shell] { return new TAboutFrm(shell); });
}

KinvoraSession::~KinvoraSession() {
  if (HasDesktop() && &Desktop() == &m_desktop) SetDesktop(nullptr);
}
