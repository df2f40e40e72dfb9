// A minimal GIF89a writer: Qt reads GIF but cannot write it.
#pragma once

#include <QByteArray>
#include <QImage>

// One frame with a global colour table of 256 entries (the image's own table, padded with
// black). `image` must be Format_Indexed8 with at most 256 colours.
QByteArray EncodeGif(const QImage& image);
