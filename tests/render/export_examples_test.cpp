// Every example layout renders: two months each, at the layout's own resolution.
#include "document/LayoutFile.h"
#include "render/PageExport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

TEST(Examples, EveryLayoutRendersTwoMonths) {
    const QDir examples(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples"));
    const QStringList layouts = examples.entryList({QStringLiteral("*.CLF")}, QDir::Files);
    ASSERT_FALSE(layouts.isEmpty());
    QTemporaryDir out;
    for (const QString& name : layouts) {
        ReadResult read = readLayoutFile(examples.filePath(name));
        ASSERT_TRUE(read.document) << name.toStdString() << ": " << read.error.toStdString();
        const PageJob job = pageJobFromDocument(*read.document, 0x00FFFFFF);
        EXPECT_GE(job.entries.size(), 3u) << name.toStdString();
        const std::vector<int> months{1, 2};
        const std::vector<QString> paths{out.filePath(name + QStringLiteral("-1.bmp")),
                                         out.filePath(name + QStringLiteral("-2.bmp"))};
        const auto results = exportMonths(job, 2027, months, paths, {});
        for (const ExportResult& r : results) {
            EXPECT_TRUE(r.ok) << name.toStdString() << ": " << r.error.toStdString();
            EXPECT_EQ(r.pixels, QSize(2476, 3509)) << name.toStdString(); // A4 at 300 dpi
            EXPECT_EQ(r.itemsDrawn, static_cast<int>(job.entries.size()));
        }
    }
}

} // namespace
} // namespace tobirae
