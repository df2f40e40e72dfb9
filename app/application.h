// Process-wide set-up of the application: title, fonts, Chinese standard buttons.
#pragma once

class QApplication;

// Sets the title "Kinvora", maps 宋体/SimSun to installed CJK fonts, loads Qt's Chinese
// translation and the window font.
void SetupApplication(QApplication& app);
