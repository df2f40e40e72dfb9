// GB18030 text files with CR LF line ends.
#include "base/textfile.h"

#include "base/errors.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

QByteArray EncodeText(const QString& text) {
  QStringEncoder encoder("GB18030");
  return encoder.encode(text);
}

QString DecodeText(const QByteArray& bytes) {
  QStringDecoder decoder("GB18030");
  return decoder.decode(bytes);
}

QStringList ReadTextLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EFileError(QStringLiteral("无法打开文件“%1”。").arg(path));
  QString text = DecodeText(file.readAll());
  if (file.error() != QFileDevice::NoError)
    throw EFileError(QStringLiteral("读文件“%1”出错。").arg(path));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = text.split(u'\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // the final line end
  return lines;
}

void WriteTextFile(const QString& path, const QString& text) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    throw EFileError(QStringLiteral("无法创建文件“%1”。").arg(path));
  const QByteArray bytes = EncodeText(text);
  if (file.write(bytes) != bytes.size() || !file.commit())
    throw EFileError(QStringLiteral("写文件“%1”出错。").arg(path));
}

void WriteTextLines(const QString& path, const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  WriteTextFile(path, text);
}
