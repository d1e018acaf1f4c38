// Picture paths as a layout file stores them: a picture inside the layout's folder (or below it)
// is stored relative to that folder, so the folder can be moved or copied with its pictures.
#pragma once

#include <QString>

namespace tobirae {

struct LayoutFileContent;

// The path to store for a picture held as `path` in a layout saved into `layoutFolder`: relative
// with "/" when the file lies in that folder or below it, otherwise `path` unchanged.
QString picturePathForLayout(const QString& path, const QString& layoutFolder);

// Every picture item of the content, as above.
void storePicturesRelativeTo(LayoutFileContent& content, const QString& layoutFolder);

} // namespace tobirae
