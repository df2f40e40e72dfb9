// The evaluator of user-typed functions y = f(x): a token list evaluated with two stacks.
#pragma once

#include <QString>

struct GongsiNode {
  int code = 0;   // token code; its precedence class is code / 10
  QString text;   // the characters as typed, or the number that replaced a variable
};

inline constexpr int kMaxTokens = 100;

// Process-wide evaluator state, reused by every evaluation.
extern GongsiNode Tokens[kMaxTokens];
extern int TokenCount;
extern bool DegreeMode;  // trigonometric arguments and inverse results in degrees

// Fills the token list from the text. An expression that does not fit the list, a word of
// seven or more characters or a ")" without its "(" is rejected with a message and leaves
// the list empty; the result tells whether the list was filled.
bool TokenizeExpression(const QString& text);

// Gives every variable token the value x in format G (the caller's substitution step).
void SubstituteVariable(const QString& value);

// Evaluates the token list; on success `result` receives the value in format G. On an
// error the message is shown and `result` keeps its text. Returns whether a result came.
bool EvaluateTokens(QString& result);
