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
  T* find(const QString& name) const {
    T* w = m_frm->template findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  void click(const QString& name) { find<QAbstractButton>(name)->click(); }
  bool enabled(const QString& name) const { return find<QWidget>(name)->isEnabled(); }
  bool shown(const QString& name) const { return !find<QWidget>(name)->isHidden(); }
  void type(const QString& edit, const QString& text) { find<QLineEdit>(edit)->setText(text); }
  // The text of an edit or a label.
  QString text(const QString& name) const {
    if (auto* edit = m_frm->template findChild<QLineEdit*>(name)) return edit->text();
    return find<QLabel>(name)->text();
  }
  int logCount() const { return int(m_frm->LogLines().size()); }

  // The information step of 张三 of 机械系 on 2026-12-09 at 10:00:00.
  void information() {
    click(QStringLiteral("SpStart"));
    type(QStringLiteral("txtPerson"), QStringLiteral("张三"));
    type(QStringLiteral("txtDepartment"), QStringLiteral("机械系"));
    type(QStringLiteral("txtDate"), QStringLiteral("2026-12-09"));
    type(QStringLiteral("txtTime"), QStringLiteral("10:00:00"));
    click(QStringLiteral("DesignOk"));
  }
  // The information step, then the type given.
  void startDesign(int designType) {
    information();
    m_frm->DesignType->setItemIndex(designType);
    click(QStringLiteral("typeok"));
  }

  std::unique_ptr<Window> m_frm;
};
