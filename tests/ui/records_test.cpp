// Design records: the .txt/.des pair as saved, reopened at its step, handed to the window of
// its method, and damaged files that must still open.
#include "analysis/analysis_panel.h"
#include "app/main_frm.h"
#include "base/errors.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "methods/DYWZ/dywz_frm.h"
#include "support/app_dir_fixture.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

class RecordsTest : public AppDirTest {
protected:
  void SetUp() override {
    AppDirTest::SetUp();
    m_frm = std::make_unique<TDYWZFrm>();
    m_frm->show();
  }
  void TearDown() override {
    m_frm.reset();
    AppDirTest::TearDown();
  }
  void click(const char* name) { m_frm->findChild<QAbstractButton*>(QString::fromLatin1(name))->click(); }
  bool enabled(const char* name) { return m_frm->findChild<QWidget*>(QString::fromLatin1(name))->isEnabled(); }
  bool shown(const char* name) { return !m_frm->findChild<QWidget*>(QString::fromLatin1(name))->isHidden(); }
  QString result(const QString& name) const { return AppDir() + QStringLiteral("result/") + name; }

  // A four-bar design up to the given step (5 or 6) with AB known.
  void design(int lastStep, const QString& knownLength = QStringLiteral("100")) {
    click("SpStart");
    m_frm->txtPerson->setText(QStringLiteral("李四"));
    click("DesignOk");
    m_frm->DesignType->setItemIndex(0);
    click("typeok");
    for (const char* b : {"Param1OK", "PPPExe", "PPPOK", "mnlEXE", "mnlOk"}) click(b);
    m_frm->RadioGroup1->setItemIndex(0);
    m_frm->RadioGroup1Click();
    m_frm->GanLen->setText(knownLength);
    click("Param2OK");
    click("ABCDEXE");
    if (lastStep == 6) click("type1comp");
  }
  // Saves through save as under the proposed name.
  QString saveAs() {
    const QString path = result(QStringLiteral("按两连架杆预定的对应位置设计_铰链四杆机构的设计.txt"));
    Scripted().saveResults = {path};
    EXPECT_TRUE(m_frm->saveas1Click());
    return path;
  }
  void writeRecord(const QString& base, const QStringList& lines, const QByteArray& des) {
    WriteTextLines(result(base + QStringLiteral(".txt")), lines);
    QFile file(result(base + QStringLiteral(".des")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(des);
  }

  std::unique_ptr<TDYWZFrm> m_frm;
};

TEST_F(RecordsTest, SaveAsProposesTheCaptionsAndWritesThePairInKeyOrder) {
  design(5, QStringLiteral("123.456789012345678"));
  const QString path = saveAs();
  EXPECT_EQ(Scripted().saveDialogs, QStringList{path});
  EXPECT_EQ(ReadTextLines(path), m_frm->LogLines());
  EXPECT_FALSE(m_frm->Modified());

  const QString des = path.left(path.size() - 4) + QStringLiteral(".des");
  const TIniFile ini(des);
  const QStringList keys = {"DsMethod", "DsPerson", "DsDepartment", "DsDate", "DsTime", "DsStep", "DsType",
                            "DYWZO1", "DYWZO2", "DYWZO3", "DYWZO0", "DYWZW1", "DYWZW2", "DYWZW3", "DYWZW0",
                            "DYWZP0", "DYWZP1", "DYWZP2", "DYWZm", "DYWZn", "DYWZl", "DYWZgantype",
                            "DYWZganlen", "DYWZlena", "DYWZlenb", "DYWZlenc", "DYWZlend"};
  EXPECT_EQ(ini.ReadSection(QStringLiteral("DesignInfo")), keys);
  EXPECT_EQ(ini.ReadString(QStringLiteral("DesignInfo"), QStringLiteral("DsMethod"), {}), QStringLiteral("DYWZ"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("DesignInfo"), QStringLiteral("DsPerson"), {}), QStringLiteral("李四"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("DesignInfo"), QStringLiteral("DsStep"), 0), 5);
  // 15 significant digits of the double
  EXPECT_EQ(ini.ReadString(QStringLiteral("DesignInfo"), QStringLiteral("DYWZganlen"), {}),
            QStringLiteral("123.456789012346"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("DesignInfo"), QStringLiteral("DYWZO2"), {}), QStringLiteral("90"));

  // A second save writes over the pair without a dialog.
  m_frm->Memo1->appendPlainText(QStringLiteral("备注"));
  ASSERT_TRUE(m_frm->Modified());
  EXPECT_TRUE(m_frm->saveClick());
  EXPECT_EQ(Scripted().saveDialogs.size(), 1);
  EXPECT_EQ(ReadTextLines(path).last(), QStringLiteral("备注"));
}

TEST_F(RecordsTest, ReopeningResumesTheStepThatWasShowing) {
  design(5);
  const QString path = saveAs();
  const TDYWZFrm::Quantities saved = m_frm->Values();

  TDYWZFrm other;
  other.show();
  other.LoadDesignRecord(path);
  EXPECT_EQ(other.LogLines(), ReadTextLines(path));
  EXPECT_FALSE(other.Modified());
  for (const char* b : {"type1sp1", "type1sp2", "type1sp3", "type1sp4", "type1sp5"})
    EXPECT_TRUE(other.findChild<QWidget*>(b)->isEnabled()) << b;
  EXPECT_FALSE(other.findChild<QWidget*>("type1sp6")->isEnabled());
  EXPECT_FALSE(other.findChild<QWidget*>("type1step5")->isHidden());
  EXPECT_EQ(other.findChild<QLabel*>("LenAB")->text(), QStringLiteral("AB杆长度为："));  // to be computed again
  EXPECT_FALSE(other.ReportMenuEnabled());  // step 5 is not past the threshold
  EXPECT_EQ(FormatG(other.Values().lenB), FormatG(saved.lenB));  // read back as written
  EXPECT_EQ(m_shell.status[1], QStringLiteral("设计者：李四"));
  EXPECT_TRUE(Scripted().questions.empty());

  // The same design saved at the analysis step reopens drawing and animating.
  click("type1comp");
  EXPECT_TRUE(m_frm->saveClick());
  other.LoadDesignRecord(path);
  EXPECT_TRUE(other.ReportMenuEnabled());
  EXPECT_FALSE(other.findChild<QWidget*>("type1step6")->isHidden());
  EXPECT_EQ(other.findChild<QLineEdit*>("jlsgx2")->text(), QStringLiteral("360"));
  EXPECT_TRUE(other.type1step6->animation().timerActive());
  other.type1step6->stopTimer();
}

TEST_F(RecordsTest, StepZeroLoadsTheLogOnly) {
  writeRecord(QStringLiteral("z"), {QStringLiteral("设计信息"), QStringLiteral("    类型：铰链四杆机构的设计")},
              "[DesignInfo]\r\nDsMethod=DYWZ\r\nDsStep=0\r\nDsType=0\r\n");
  m_frm->LoadDesignRecord(result(QStringLiteral("z.txt")));
  EXPECT_EQ(m_frm->LogLines().size(), 2);
  EXPECT_FALSE(shown("pnlType"));
  EXPECT_FALSE(shown("SpChose"));
  EXPECT_FALSE(enabled("type1sp1"));
  EXPECT_EQ(m_frm->LogPath(), result(QStringLiteral("z.txt")));
}

TEST_F(RecordsTest, LogWithoutItsRecordOpensNothingAndForgetsThePaths) {
  WriteTextLines(result(QStringLiteral("lost.txt")), {QStringLiteral("设计信息")});
  m_frm->LoadDesignRecord(result(QStringLiteral("lost.txt")));
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("保存的设计过程已经丢失，无法打开！")});
  EXPECT_TRUE(m_frm->LogLines().isEmpty());
  EXPECT_TRUE(m_frm->LogPath().isEmpty());  // a later save cannot overwrite lost.txt
  EXPECT_TRUE(m_frm->RecordPath().isEmpty());
}

TEST_F(RecordsTest, DamagedFilesOpenWithDefaults) {
  const QByteArray cases[] = {
      "",                                                              // empty record
      "[DesignInfo]\r\nDsMethod=DYWZ\r\nDsStep=6\r\nDsType=0\r\nDYWZlena=abc\r\nDYWZlenb=1e999\r\n",
      "[DesignInfo]\r\nDsMethod=DYWZ\r\nDsStep=99\r\nDsType=7\r\n",  // a type the window lacks
      "[DesignInfo]\r\nDsMethod=DYWZ\r\nDsStep=5\r\nDsType=0\r\nDYWZgantype=9\r\n\xff\xfe\x00garbage",
      "[DesignInfo\r\nDsMethod=DYWZ\r\nDsSte",                        // truncated
  };
  for (const QByteArray& des : cases) {
    writeRecord(QStringLiteral("bad"), {QStringLiteral("\xE8\xAE\xBE\xE8\xAE\xA1")}, des);
    QFile txt(result(QStringLiteral("bad.txt")));
    ASSERT_TRUE(txt.open(QIODevice::Append));
    txt.write("\x81\x30 half a character");
    txt.close();
    Scripted().clear();
    m_frm->show();
    m_shell.handedOn.clear();
    // As the open command runs it: a failure of the resumed step is an error box, no crash.
    Guarded([this] { m_frm->LoadDesignRecord(result(QStringLiteral("bad.txt"))); });
    m_frm->type1step6->stopTimer();
    // Without a method the record is handed on (and ignored there); else its log shows.
    EXPECT_TRUE(!m_shell.handedOn.isEmpty() || !m_frm->LogLines().isEmpty()) << des.toStdString();
  }
}

TEST_F(RecordsTest, TextExportLeavesTheDesignAsItWas) {
  design(5);
  const QString path = saveAs();
  m_frm->Memo1->appendPlainText(QStringLiteral("x"));
  Scripted().saveResults = {result(QStringLiteral("export.txt"))};
  m_frm->N6Click();
  EXPECT_EQ(Scripted().saveDialogs.last(), path);  // what the dialog last held
  EXPECT_EQ(ReadTextLines(result(QStringLiteral("export.txt"))), m_frm->LogLines());
  EXPECT_TRUE(m_frm->Modified());
  EXPECT_EQ(m_frm->LogPath(), path);
  EXPECT_FALSE(QFile::exists(result(QStringLiteral("export.des"))));
}

// A design window of a method this test has no real window for.
class StandInWindow : public DesignWindow {
public:
  explicit StandInWindow(QString key, bool fail = false) : m_key(std::move(key)), m_fail(fail) {}
  QString MethodKey() const override { return m_key; }
  void LoadDesignRecord(const QString& path) override {
    if (m_fail) throw EFileError(QStringLiteral("坏文件"));
    loaded << path;
    if (handsOn) Shell()->OpenRecordLater(QStringLiteral("DYWZ"), path);
  }
  int ShowModal() override {
    if (failShow) throw EFloatError(EFloatError::Kind::ZeroDivide, QStringLiteral("除数为零"));
    return ++shows;
  }
  bool failShow = false;  // a fault while the window runs
  bool handsOn = false;  // behaves like a window that meets a record of yet another method
  QStringList loaded;
  int shows = 0;

private:
  QString m_key;
  bool m_fail;
};

TEST_F(RecordsTest, RecordOfAnotherMethodIsHandedToItsWindowOnceThisOneHasClosed) {
  writeRecord(QStringLiteral("h"), {QStringLiteral("设计信息")}, "[DesignInfo]\r\nDsMethod=HSGX\r\nDsStep=3\r\n");
  TMainFrm mainFrm;
  StandInWindow hsgx(QStringLiteral("HSGX"));
  mainFrm.RegisterDesignWindow(&hsgx);
  mainFrm.RegisterDesignWindow(m_frm.get());
  mainFrm.show();
  m_frm->show();

  m_frm->LoadDesignRecord(result(QStringLiteral("h.txt")));
  EXPECT_FALSE(m_frm->isVisible());
  EXPECT_TRUE(m_frm->LogLines().isEmpty());  // the hide ran new
  EXPECT_TRUE(hsgx.loaded.isEmpty());        // not while the first window still runs its command
  QCoreApplication::processEvents();
  EXPECT_EQ(hsgx.loaded, QStringList{result(QStringLiteral("h.txt"))});
  EXPECT_EQ(hsgx.shows, 1);
  QCoreApplication::processEvents();  // handed over once only
  EXPECT_EQ(hsgx.shows, 1);
  SetShell(&m_shell);
}

TEST_F(RecordsTest, HandOffRunsInsideTheGuard) {
  TMainFrm mainFrm;
  StandInWindow hsgx(QStringLiteral("HSGX"));
  hsgx.failShow = true;
  mainFrm.RegisterDesignWindow(&hsgx);
  mainFrm.OpenRecordLater(QStringLiteral("HSGX"), result(QStringLiteral("h.txt")));
  QCoreApplication::processEvents();  // the fault reaches the error box, not the event loop
  EXPECT_EQ(Scripted().errors, QStringList{QStringLiteral("除数为零")});
  SetShell(&m_shell);
}

TEST_F(RecordsTest, DispatchMatchesTheMethodExactlyAndReportsALoadFailure) {
  TMainFrm mainFrm;
  StandInWindow jhtx(QStringLiteral("JHTX")), broken(QStringLiteral("JSTX"), true);
  mainFrm.RegisterDesignWindow(&jhtx);
  mainFrm.RegisterDesignWindow(&broken);
  mainFrm.OpenRecordByMethod(QStringLiteral("jhtx"), QStringLiteral("/x.txt"));
  mainFrm.OpenRecordByMethod(QStringLiteral("CDJSJ"), QStringLiteral("/x.txt"));  // not built: nothing
  EXPECT_EQ(jhtx.shows, 0);
  mainFrm.OpenRecordByMethod(QStringLiteral("JHTX"), QStringLiteral("/x.txt"));
  EXPECT_EQ(jhtx.shows, 1);
  mainFrm.OpenRecordByMethod(QStringLiteral("JSTX"), QStringLiteral("/x.txt"));
  EXPECT_EQ(broken.shows, 0);
  jhtx.handsOn = true;  // closed again at once: not shown empty
  mainFrm.OpenRecordByMethod(QStringLiteral("JHTX"), QStringLiteral("/x.txt"));
  EXPECT_EQ(jhtx.shows, 1);
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("文件打开失败！")});

  Scripted().clear();
  writeRecord(QStringLiteral("gone"), {}, "");
  QFile::remove(result(QStringLiteral("gone.des")));
  Scripted().openResults = {result(QStringLiteral("gone.txt"))};
  mainFrm.openClick();
  EXPECT_EQ(Scripted().openDialogs, QStringList{AppDir() + QStringLiteral("result/")});
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("保存的设计过程已经丢失，无法打开！")});
  SetShell(&m_shell);
}

TEST_F(RecordsTest, FailedSaveLeavesTheStoredPairAsItWas) {
  design(5);
  const QString path = saveAs();
  const QString des = path.left(path.size() - 4) + QStringLiteral(".des");
  const QStringList storedLog = ReadTextLines(path);
  m_frm->Memo1->appendPlainText(QStringLiteral("改动"));
  const QDir result(AppDir() + QStringLiteral("result"));

  // The log cannot be written: the record is not touched either.
  const QDateTime recordTime = QFileInfo(des).lastModified();
  ASSERT_TRUE(QDir().mkpath(path + QStringLiteral(".~new")));
  EXPECT_FALSE(Guarded([this] { m_frm->saveClick(); }));
  EXPECT_EQ(QFileInfo(des).lastModified(), recordTime);
  EXPECT_EQ(ReadTextLines(path), storedLog);
  ASSERT_TRUE(QDir(path + QStringLiteral(".~new")).removeRecursively());

  // The record cannot be written: the new log does not replace the stored one.
  ASSERT_TRUE(QFile::remove(des));
  ASSERT_TRUE(QDir().mkpath(des));
  const QStringList files = result.entryList(QDir::Files);
  EXPECT_FALSE(Guarded([this] { m_frm->saveClick(); }));
  EXPECT_EQ(ReadTextLines(path), storedLog);
  EXPECT_EQ(result.entryList(QDir::Files), files);  // no leftovers
  EXPECT_EQ(Scripted().errors.size(), 2);
  EXPECT_TRUE(m_frm->Modified());
}

TEST_F(RecordsTest, ALogIsNeverItsOwnRecord) {
  design(5);
  Scripted().saveResults = {result(QStringLiteral("a.des"))};
  EXPECT_TRUE(m_frm->saveas1Click());
  EXPECT_EQ(m_frm->LogPath(), result(QStringLiteral("a.des.txt")));
  EXPECT_EQ(m_frm->RecordPath(), result(QStringLiteral("a.des.des")));

  // A record chosen as the log, or a log that cannot be read, opens nothing and keeps no path.
  writeRecord(QStringLiteral("r"), {QStringLiteral("设计信息")}, "[DesignInfo]\r\nDsMethod=DYWZ\r\n");
  ASSERT_TRUE(QDir().mkpath(result(QStringLiteral("dir.txt"))));
  QFile::copy(result(QStringLiteral("r.des")), result(QStringLiteral("dir.des")));
  Scripted().clear();
  m_frm->LoadDesignRecord(result(QStringLiteral("r.des")));
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("保存的设计过程已经丢失，无法打开！")});
  EXPECT_FALSE(Guarded([this] { m_frm->LoadDesignRecord(result(QStringLiteral("dir.txt"))); }));
  EXPECT_TRUE(m_frm->LogPath().isEmpty());
  EXPECT_TRUE(m_frm->RecordPath().isEmpty());
}

}  // namespace
