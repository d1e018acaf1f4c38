// Layouts shipped with the program as starting points for new layouts ("テンプレート"). A
// template is read like any layout, but its pictures are pointed at the template's own folder by
// absolute paths, so a copy saved anywhere else still shows them.
#pragma once

#include "bitmap/Primitives.h"
#include "document/LayoutFile.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

namespace tobirae {

struct LayoutTemplate {
    QString path;        // absolute
    QString name;        // the file name without its extension
    QString title;       // the name shown to the user: the description file's, else `name`
    QString description; // one line on what the page holds; may be empty
    std::shared_ptr<const LayoutDocument> document; // null when it cannot be used
    QString problem;                                // why it cannot be used

    bool usable() const { return document != nullptr; }
};

// The layout files of the folder (".CLF" in any case), sorted by name, each read as a template
// with its title and description from the file beside it (templateDescriptionPath). Empty when
// the folder does not exist or holds none.
std::vector<LayoutTemplate> findTemplates(const QString& folder);

// The file that names and describes a template: "wall-calendar.ini" beside "wall-calendar.CLF",
// an INI file in UTF-8 with "Name" and "Description" in its section "Template".
QString templateDescriptionPath(const QString& layoutPath);

// Reads a template (readLayoutFile) and anchors its picture paths. Fails with a reason when a
// picture's absolute path would not fit into the item's record.
ReadResult readTemplate(const QString& path);

// The absolute path of the file a stored picture path finds in `folder` (a relative path, or a
// path whose file name is there, as pictures are found beside a layout), or the stored text
// unchanged when it names an existing file itself or nothing is found.
QString anchoredPicturePath(const QString& stored, const QString& folder);
// Every picture item's path as anchoredPicturePath makes it; the problem when a whole path does
// not fit into the record (that item keeps its stored path), empty otherwise.
QString anchorPictures(LayoutDocument& document, const QString& folder);

// The page of the template for a month, drawn by the renderer so that the paper fits into `box`
// device pixels (at least one dot per inch). Null when it cannot be drawn.
QImage templatePreview(const LayoutDocument& document, Colour pageBackColor, int year, int month,
                       QSize box);

} // namespace tobirae
