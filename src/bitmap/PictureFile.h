// Picture files placed into picture items: finding them, reading their size and decoding them
// without trusting their contents.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tobirae {

// Pictures larger than this many pixels are refused before decoding (Qt's allocation limit for
// one image may set a lower ceiling).
inline constexpr qint64 kMaxPicturePixels = 100'000'000;

enum class PictureProblem {
    None,
    Missing,    // no file at the path nor beside the layout
    Unreadable, // the file exists but is not a picture we can decode, or is damaged
    TooLarge,   // the decoded picture would exceed kMaxPicturePixels
};

// A decoded picture, or why there is none. A failed load never throws.
struct LoadedPicture {
    QImage image;
    PictureProblem problem = PictureProblem::None;
    QString reason; // human-readable, empty when the load succeeded

    bool ok() const { return problem == PictureProblem::None; }
};

// The file a stored picture path refers to, or an empty text when there is none. The path is
// first taken as written (blanks trimmed, one trailing backslash dropped). Layouts made on
// Windows carry paths like "C:\Users\...\photo.bmp": when that does not exist, the file name
// alone is looked up in the layout's folder, so a layout copied together with its pictures
// still finds them; the name matches there regardless of case, as it did where it was made.
QString resolvePicturePath(const QString& storedPath, const QString& layoutFolder);

// Width and height of the picture in pixels, read from its header where the format allows.
// An invalid size (and the reason) when the file cannot be read as a picture.
QSize pictureFileSize(const QString& path, QString* reason = nullptr);

// Decodes the picture (BMP, JPEG, PNG and the other formats Qt reads). The size is checked
// against kMaxPicturePixels before any pixel is decoded.
LoadedPicture decodePictureFile(const QString& path);

} // namespace tobirae
