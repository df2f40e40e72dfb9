// 8-bit text files in GB18030 (the code page 936 superset), CR LF line ends.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

QByteArray EncodeText(const QString& text);
QString DecodeText(const QByteArray& bytes);

// Reads the lines of a file; CR LF and LF alone both end a line. Throws EFileError.
QStringList ReadTextLines(const QString& path);

// Writes the lines, each ended by CR LF, to a temporary file that then replaces `path`,
// so a failed write leaves the old file whole. Throws EFileError.
void WriteTextLines(const QString& path, const QStringList& lines);

// The same for a whole text whose lines are joined already.
void WriteTextFile(const QString& path, const QString& text);
