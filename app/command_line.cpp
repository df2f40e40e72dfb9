// Every failure of an export is one line on standard error and a non-zero status, and it is
// found before anything is written: the table is made in memory and only then goes out.
#include "app/command_line.h"

#include "design/design_record.h"

#include "app/main_frm.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/inifile.h"
#include "link/tables.h"
#include "methods/record_linkage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>
#include <cstdio>

namespace {

constexpr Extended kRad = kPi / 180;
constexpr Extended kMaxSteps = 3600;  // the analysis panel's limit: 3601 rows
constexpr int kUsageError = 2;

const char kHelp[] =
    "用法：kinvora [设计记录.des]\n"
    "      kinvora --export 设计记录 --format csv|html [--range 起始:终止:步长] [--omega 角速度] [--output 文件]\n"
    "\n"
    "  设计记录.des            在主窗口中打开该设计\n"
    "  --export 设计记录       读取设计记录（.des 或同名 .txt），输出其运动分析结果表，不打开窗口\n"
    "  --format csv|html       csv：UTF-8 表格，首行为带单位的中文表头；html：与“输出数据”相同的网页（GB18030）\n"
    "  --range 起始:终止:步长  输入杆转角范围与步长（°），默认与运动分析面板相同\n"
    "  --omega 角速度          输入杆角速度（°/s），默认 1\n"
    "  --output 文件           写入该文件，默认写到标准输出\n"
    "  --help                  显示本说明\n";

struct ExportFailure {
  QString reason;
  int status = 1;
};

[[noreturn]] void failWith(const QString& reason, int status = 1) { throw ExportFailure{reason, status}; }

Extended number(const QString& text, const QString& what) {
  try {
    return StrToFloat(text);
  } catch (const KvError&) {
    failWith(what + QStringLiteral("不是数值：") + text, kUsageError);
  }
}

struct Options {
  QString record, format, range, omega, output;
  bool help = false;
};

Options parse(const QStringList& args) {
  Options o;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      o.help = true;
      continue;
    }
    QString* value = a == QLatin1String("--export")   ? &o.record
                     : a == QLatin1String("--format") ? &o.format
                     : a == QLatin1String("--range")  ? &o.range
                     : a == QLatin1String("--omega")  ? &o.omega
                     : a == QLatin1String("--output") ? &o.output
                                                      : nullptr;
    if (!value) failWith(QStringLiteral("未知的参数：") + a + QStringLiteral("（kinvora --help 列出可用参数）"), kUsageError);
    if (i + 1 >= args.size()) failWith(QStringLiteral("参数缺少取值：") + a, kUsageError);
    *value = args[++i];
  }
  return o;
}

QByteArray exportTable(const Options& o) {
  TableFormat format = TableFormat::Csv;
  if (o.format == QLatin1String("html"))
    format = TableFormat::Html;
  else if (o.format != QLatin1String("csv"))
    failWith(QStringLiteral("--format 须为 csv 或 html"), kUsageError);

  QString error;
  const std::optional<RecordLinkage> record = LinkageFromRecord(o.record, &error);
  if (!record) failWith(error);
  const std::optional<MotionTableKind> kind = MotionTableKindOf(record->linkage);
  if (!kind) failWith(QStringLiteral("对不起，还没有该类型机构的运动分析程序！"));

  QString x1 = record->x1, x2 = record->x2, step = record->step;
  if (!o.range.isEmpty()) {
    const QStringList parts = o.range.split(u':');
    if (parts.size() != 3) failWith(QStringLiteral("--range 须写作 起始:终止:步长，例如 0:360:0.1"), kUsageError);
    x1 = parts[0], x2 = parts[1], step = parts[2];
  }
  MotionSettings s;
  s.start = number(x1, QStringLiteral("起始角")) * kRad;
  s.end = number(x2, QStringLiteral("终止角")) * kRad;
  s.step = number(step, QStringLiteral("步长")) * kRad;
  s.omega = number(o.omega.isEmpty() ? record->omega : o.omega, QStringLiteral("角速度")) * kRad;
  s.lenBE = record->lenBE;
  s.delta = record->delta;
  const Extended steps = (s.end - s.start) / s.step;
  if (!(s.step > 0) || !(s.end >= s.start) || !std::isfinite(static_cast<double>(s.end - s.start)))
    failWith(QStringLiteral("转角范围无效：须 起始 ≤ 终止 且 步长 > 0"), kUsageError);
  if (!(std::nearbyint(steps) <= kMaxSteps))
    failWith(QStringLiteral("转角范围内的点数超过 3601，请减小范围或增大步长"), kUsageError);
  if (s.omega == 0) failWith(QStringLiteral("角速度不能为零！"), kUsageError);

  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!WriteMotionTable(buffer, format, *kind, record->linkage, s)) failWith(QStringLiteral("输出数据失败！"));
  return buffer.data();
}

void writeOut(const QByteArray& bytes, const QString& output) {
  if (output.isEmpty()) {
    if (std::fwrite(bytes.constData(), 1, bytes.size(), stdout) != size_t(bytes.size()) || std::fflush(stdout) != 0)
      failWith(QStringLiteral("写标准输出出错"));
    return;
  }
  // Written whole or not at all: an old file of that name stays as it was on failure.
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    failWith(QStringLiteral("无法写入文件：") + output);
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char** argv) {
  bool wanted = false;
  for (int i = 1; i < argc; ++i) {
    const QByteArray a(argv[i]);
    wanted = wanted || a.startsWith("--") || a == "-h";
  }
  if (!wanted) return std::nullopt;

  QCoreApplication app(argc, argv);
  try {
    const Options o = parse(QCoreApplication::arguments());
    if (o.help) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (o.record.isEmpty()) failWith(QStringLiteral("缺少 --export 设计记录（kinvora --help 列出可用参数）"), kUsageError);
    writeOut(exportTable(o), o.output);
    return 0;
  } catch (const ExportFailure& f) {
    std::fprintf(stderr, "kinvora: %s\n", f.reason.toUtf8().constData());
    return f.status;
  }
}

QString RecordArgument(int argc, char** argv) {
  if (argc != 2) return {};
  return QFile::decodeName(argv[1]);
}

void OpenRecordArgument(TMainFrm& mainFrm, const QString& path) {
  const QString base = QFileInfo(path).suffix().isEmpty() ? path : path.left(path.size() - QFileInfo(path).suffix().size() - 1);
  const QString record = base + QStringLiteral(".des");
  if (!QFileInfo::exists(record)) {
    ShowMsg(QStringLiteral("保存的设计过程已经丢失，无法打开！"));
    return;
  }
  mainFrm.OpenRecordByMethod(DesignRecordReader(record).Method(), base + QStringLiteral(".txt"));
}
