// The program's one typeface: 宋体 at a pixel size.
#pragma once

class QFont;

// 宋体 at the given pixel size, with the CJK fallbacks the application registers at start-up.
QFont SongTi(int pixelSize);
