// The few failure types a command can end with; the guard around every event handler
// catches them and shows the application's default error box.
#pragma once

#include <QString>
#include <exception>

class KvError : public std::exception {
public:
  explicit KvError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
  const QString& message() const { return m_message; }
  const char* what() const noexcept override { return m_utf8.constData(); }

private:
  QString m_message;
  QByteArray m_utf8;
};

// A text that is not a number.
class EConvertError : public KvError {
public:
  using KvError::KvError;
};

// An invalid operation, a division by zero or an overflow of the arithmetic unit.
class EFloatError : public KvError {
public:
  enum class Kind { Invalid, ZeroDivide, Overflow };
  EFloatError(Kind kind, QString message) : KvError(std::move(message)), m_kind(kind) {}
  Kind kind() const { return m_kind; }

private:
  Kind m_kind;
};

// A file that cannot be read or written.
class EFileError : public KvError {
public:
  using KvError::KvError;
};

// The content database cannot be opened, read or written.
class EDatabaseError : public KvError {
public:
  using KvError::KvError;
};
