// The folder of the program's installation data (web/, images/, data/, help/), with a trailing
// "/": every path the system reads starts here. And where the user's files go: config.ini and
// result/ beside it in a writable tree (the build tree, a portable copy), in the user's
// configuration and data folders otherwise.
#pragma once

#include <QString>

enum class UserFiles { Beside, UserFolders };

const QString& AppDir();
// Adds the trailing "/" when missing.
void SetAppDir(const QString& dir, UserFiles files = UserFiles::Beside);

// The data folder of a program in `exeDir` and where its run keeps the user's files. A tree
// with its data beside the program keeps them beside it while that folder is writable; an
// installed tree (<prefix>/bin with the data under <prefix>/share/kinvora) never writes into
// itself.
QString LocateAppDir(const QString& exeDir, UserFiles& files);

// config.ini: AppDir's, or ~/.config/kinvora/config.ini (its folder made on demand).
QString ConfigPath();
// result/ with a trailing "/". Beside the program it is only named (a command that needs it
// and finds it missing fails as it always did); in the user's data folder it is made on demand
// and given the style sheet and pictures its pages link to ("../web/...").
QString ResultDir();
// result/, made when missing; throws EFileError when it cannot be made.
QString EnsureResultDir();
