// The start-value panel: remembered texts for "取消", the step's buttons it switches, the
// message colours, "请输入数据！" where the window asks for it, and the settings check.
#include "design/start_value_panel.h"

#include "support/app_dir_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class StartValuePanelTest : public ::testing::Test {
protected:
  void SetUp() override {
    Scripted().clear();
    panel = std::make_unique<StartValuePanel>(StartValuePanel::Config{
        {QStringLiteral("  本方程采用拟Newton迭代法求解。")},
        {{QStringLiteral("Inia"), QStringLiteral("a="), QStringLiteral("10"), {}},
         {QStringLiteral("Iniw"), QStringLiteral("ψ0="), QStringLiteral("20"), QStringLiteral("°")}},
        false});
    panel->Attach(&iniset, &calc, &confirm);
    panel->SetMessage(&msg, QStringLiteral("默认说明"));
    panel->onOk = [this] { ++resets; };
  }
  QPushButton iniset, calc, confirm;
  QLabel msg;
  int resets = 0;
  std::unique_ptr<StartValuePanel> panel;
};

TEST_F(StartValuePanelTest, CancelRestoresTheTextsOfTheOpening) {
  panel->Start(0)->setText(QStringLiteral("11"));
  iniset.click();  // remembers 11, 20, 1e-7, 100
  EXPECT_FALSE(panel->isHidden());
  EXPECT_FALSE(iniset.isEnabled() || calc.isEnabled() || confirm.isEnabled());
  panel->Start(0)->setText(QStringLiteral("99"));
  panel->txtmax->setText(QStringLiteral("5"));
  panel->IniCancel->click();
  EXPECT_EQ(panel->Start(0)->text(), QStringLiteral("11"));
  EXPECT_EQ(panel->txtmax->text(), QStringLiteral("100"));
  EXPECT_TRUE(panel->isHidden());
  EXPECT_TRUE(iniset.isEnabled() && calc.isEnabled());
  EXPECT_FALSE(confirm.isEnabled());
  EXPECT_EQ(resets, 0);  // the results keep their texts
}

TEST_F(StartValuePanelTest, OkKeepsTheEditedTextsAndResetsTheMessage) {
  panel->ShowMessage(QStringLiteral("求解失败！"), true);
  EXPECT_TRUE(msg.styleSheet().contains(QStringLiteral("red")));
  iniset.click();
  panel->Start(1)->setText(QStringLiteral("30"));
  panel->IniOk->click();
  EXPECT_EQ(panel->Start(1)->text(), QStringLiteral("30"));
  EXPECT_EQ(msg.text(), QStringLiteral("默认说明"));
  EXPECT_TRUE(msg.styleSheet().contains(QStringLiteral("black")));
  EXPECT_EQ(resets, 1);
  EXPECT_TRUE(calc.isEnabled());
  EXPECT_FALSE(confirm.isEnabled());
}

struct SettingsCase {
  const char* eps;
  const char* limit;
  const char* start;
  bool ok;
};

class SettingsTest : public StartValuePanelTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsTest, UnreadableSettingsSayWhat) {
  const SettingsCase& c = GetParam();
  panel->txteps->setText(QString::fromLatin1(c.eps));
  panel->txtmax->setText(QString::fromLatin1(c.limit));
  panel->Start(0)->setText(QString::fromLatin1(c.start));
  Extended eps = -1;
  int limit = -1;
  TExtendedArray start;
  EXPECT_EQ(panel->ReadSettings(eps, limit, start), c.ok);
  if (c.ok) {
    EXPECT_EQ(start.size(), 2u);
    EXPECT_EQ(Scripted().messages.size(), 0);
  } else {
    EXPECT_EQ(Scripted().messages, QStringList({QStringLiteral("设置有误！")}));
    EXPECT_EQ(limit, -1);  // nothing changed
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, SettingsTest,
                         ::testing::Values(SettingsCase{"1e-7", "100", "10", true}, SettingsCase{"1e-7", "1", "10", true},
                                           SettingsCase{"abc", "100", "10", false},
                                           SettingsCase{"1e-7", "0", "10", false},    // would never stop
                                           SettingsCase{"1e-7", "-3", "10", false},
                                           SettingsCase{"1e-7", "2.5", "10", false},  // not a whole number
                                           SettingsCase{"1e-7", "100", "", false}));

TEST(StartValuePanelFilled, EmptyEditKeepsThePanelOpen) {
  Scripted().clear();
  StartValuePanel panel({{}, {{QStringLiteral("Inia"), QStringLiteral("φ="), QStringLiteral("40"), QStringLiteral("°")}}, true});
  QPushButton calc;
  panel.Attach(nullptr, &calc, nullptr);
  panel.InisetClick();
  panel.txteps->clear();
  panel.IniOk->click();
  EXPECT_EQ(Scripted().messages, QStringList({QStringLiteral("请输入数据！")}));
  EXPECT_FALSE(panel.isHidden());
  EXPECT_FALSE(calc.isEnabled());
}

}  // namespace
