// The program's command line: "--export" writes a saved design's result table with no window
// and no display, "--help" lists the options, and a record given alone opens in its window.
#pragma once

#include <QString>
#include <optional>

class TMainFrm;

// Runs --export or --help when the arguments ask for one and returns the exit status; nullopt
// when the program should start its windows. Call before any QApplication exists.
std::optional<int> RunCommandLine(int argc, char** argv);

// The record named as the only argument (a .des or its .txt), empty when there is none.
QString RecordArgument(int argc, char** argv);

// Opens the record in the window of its design method, as "打开" does.
void OpenRecordArgument(TMainFrm& mainFrm, const QString& path);
