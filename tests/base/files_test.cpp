// GB18030 text files and INI files.
#include "base/errors.h"
#include "base/inifile.h"
#include "base/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray readBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

}  // namespace

TEST(TextFileTest, WritesGb18030WithCrLfAndReadsBothLineEnds) {
  QTemporaryDir dir;
  const QString path = dir.filePath("log.txt");
  WriteTextLines(path, {"设计信息", "    类型：铰链四杆机构的设计", "", "€ and 𝑥"});
  const QByteArray bytes = readBytes(path);
  // "设" is C9 E8 in code page 936; every line, the last included, ends in CR LF.
  EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("c9e8bcc6d0c5cfa20d0a")));
  EXPECT_TRUE(bytes.endsWith("\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 4);
  EXPECT_EQ(ReadTextLines(path),
            QStringList({"设计信息", "    类型：铰链四杆机构的设计", "", "€ and 𝑥"}));

  writeBytes(path, EncodeText("一\n二\r\n三"));
  EXPECT_EQ(ReadTextLines(path), QStringList({"一", "二", "三"}));
}

TEST(TextFileTest, FailedWritesThrowAndKeepTheOldFile) {
  QTemporaryDir dir;
  EXPECT_THROW(ReadTextLines(dir.filePath("missing.txt")), EFileError);
  EXPECT_THROW(WriteTextLines(dir.filePath("no/such/dir/a.txt"), {"x"}), EFileError);

  const QString path = dir.filePath("keep.txt");
  WriteTextLines(path, {"old"});
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool writable = QFileInfo(dir.path()).isWritable();  // root ignores permissions
  if (!writable) EXPECT_THROW(WriteTextLines(path, {"new"}), EFileError);
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
  if (!writable) EXPECT_EQ(ReadTextLines(path), QStringList{"old"});
}

TEST(IniFileTest, NamesIgnoreCaseKeysKeepOrderAndUnknownKeysSurvive) {
  QTemporaryDir dir;
  const QString path = dir.filePath("config.ini");
  writeBytes(path, EncodeText("; comment\r\n[MAIN]\r\nLeft=10\r\nOther=设计\r\n[DYWZ]\r\nTop=7\r\n"));
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("main", "LEFT", 0), 10);
  EXPECT_EQ(ini.ReadString("Main", "other", ""), "设计");
  EXPECT_EQ(ini.ReadInteger("dywz", "top", 0), 7);
  EXPECT_EQ(ini.ReadInteger("MAIN", "Missing", 231), 231);

  ini.WriteInteger("main", "left", 20);      // in place, original spelling of the key kept
  ini.WriteBool("MAIN", "Toolbar1", true);   // appended to its section
  ini.WriteFloat("New", "x", 1.0L / 3);
  ini.Save();
  EXPECT_EQ(DecodeText(readBytes(path)),
            "; comment\r\n[MAIN]\r\nLeft=20\r\nOther=设计\r\nToolbar1=1\r\n[DYWZ]\r\nTop=7\r\n"
            "[New]\r\nx=0.333333333333333\r\n");
  TIniFile again(path);
  EXPECT_EQ(again.ReadSection("main"), QStringList({"Left", "Other", "Toolbar1"}));
  EXPECT_NEAR(again.ReadFloat("NEW", "X", 0), 1.0L / 3, 1e-15L);
}

TEST(IniFileTest, BadValuesAndMissingFilesGiveDefaults) {
  QTemporaryDir dir;
  TIniFile none(dir.filePath("none.ini"));
  EXPECT_EQ(none.ReadInteger("MAIN", "Left", 231), 231);
  EXPECT_EQ(none.ReadString("MAIN", "Left", "d"), "d");

  const QString path = dir.filePath("bad.ini");
  writeBytes(path, "[A]\r\nn=abc\r\nf=1.2.3\r\nb=\r\nn=5\r\n");
  TIniFile bad(path);
  EXPECT_EQ(bad.ReadInteger("A", "n", -1), -1);  // the first of duplicate keys is read
  EXPECT_EQ(bad.ReadFloat("A", "f", 2.5L), 2.5L);
  EXPECT_TRUE(bad.ReadBool("A", "b", true));
}

TEST(IniFileTest, BlanksAroundNamesAndValuesAreTrimmed) {
  // A record edited by hand: "DsMethod = DYWZ" must still name its method.
  QTemporaryDir dir;
  const QString path = dir.filePath("hand.des");
  writeBytes(path, "[ DesignInfo ]\r\n DsMethod = DYWZ \r\nDsStep =\t3\r\nDYWZO1= 45 \r\n");
  const TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("DesignInfo", "DsMethod", {}), "DYWZ");
  EXPECT_EQ(ini.ReadInteger("DesignInfo", "DsStep", 0), 3);
  EXPECT_EQ(ini.ReadFloat("DesignInfo", "DYWZO1", 0), 45);
}

TEST(IniFileTest, DamagedTextNeverCrashes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("damaged.ini");
  std::mt19937 rng(11);
  const QByteArray alphabet = "[]=;\r\n abcXYZ019.-\x80\xff\xfe\x81\x30";
  for (int trial = 0; trial < 300; ++trial) {
    QByteArray bytes;
    const int len = trial == 0 ? 200000 : static_cast<int>(rng() % 400);
    for (int i = 0; i < len; ++i) bytes += alphabet[rng() % alphabet.size()];
    if (trial % 7 == 0) bytes.prepend("key=value without section\r\n");
    if (trial % 5 == 0) bytes += "\r\n[S]\r\nk=1\r\nk=2\r\n";
    writeBytes(path, bytes);
    TIniFile ini(path);
    ini.ReadInteger("S", "k", 0);
    ini.ReadFloat("a", "b", 0);
    ini.WriteString("S", "k", "3");
    ini.Save();
    EXPECT_EQ(TIniFile(path).ReadInteger("S", "k", 0), 3);
  }
}
