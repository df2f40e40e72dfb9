// A fixture for one design window: the window shown in a temporary AppDir, its controls found
// and driven by object name, and the information and type steps in one call.
#pragma once

#include "support/app_dir_fixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <memory>

template <class Window>
class DesignWindowTest : public AppDirTest {
protected:
  void SetUp() override {
    AppDirTest::SetUp();
    m_frm = std::make_unique<Window>();
    m_frm->show();
  }
  void TearDown() override {
    m_frm->hide();
    m_frm.reset();
    AppDirTest::TearDown();
  }

  template <class T = QWidget>
  T* find(const char* name) const {
    T* w = m_frm->template findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void click(const char* name) { find<QAbstractButton>(name)->click(); }
  bool enabled(const char* name) const { return find<QWidget>(name)->isEnabled(); }
  bool shown(const char* name) const { return !find<QWidget>(name)->isHidden(); }
  void type(const char* edit, const QString& text) { find<QLineEdit>(edit)->setText(text); }
  // The text of an edit or a label.
  QString text(const char* name) const {
    if (auto* edit = m_frm->template findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
    return find<QLabel>(name)->text();
  }
  int logCount() const { return int(m_frm->LogLines().size()); }

  // The information step of 张三 of 机械系, then the type given.
  void startDesign(int designType) {
    click("SpStart");
    type("txtPerson", QStringLiteral("张三"));
    type("txtDepartment", QStringLiteral("机械系"));
    type("txtDate", QStringLiteral("2026-12-10"));
    type("txtTime", QStringLiteral("10:00:00"));
    click("DesignOk");
    m_frm->DesignType->setItemIndex(designType);
    click("typeok");
  }

  std::unique_ptr<Window> m_frm;
};
