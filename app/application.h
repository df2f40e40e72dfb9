// Process-wide set-up of the application: title, fonts, Chinese standard buttons.
#pragma once

class QApplication;
class QFont;

// Sets the title "Kinvora", maps 宋体/SimSun to installed CJK fonts, loads Qt's Chinese
// translation and the window font.
void SetupApplication(QApplication& app);

// 宋体 at the given pixel size, with the CJK fallbacks registered by SetupApplication.
QFont SongTi(int pixelSize);
