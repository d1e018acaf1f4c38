#include "app/RecentFiles.h"

#include "document/FixedText.h"

namespace tobirae {

namespace {

const QString kSection = QStringLiteral("最近使ったファイル");

QString keyOf(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

bool fitsTheSettingsFile(const QString& path) {
    const QByteArray bytes = encodeCp932(path);
    return decodeCp932({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size())}) == path;
}

} // namespace

QStringList readRecentFiles(const SettingsText& text) {
    QStringList files;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = text.readText(kSection, keyOf(i), QString());
        if (!path.isEmpty() && !files.contains(path))
            files << path;
    }
    return files;
}

void writeRecentFiles(SettingsFileEditor& editor, const QStringList& files) {
    for (int i = 0; i < kRecentFileCount; ++i)
        editor.setValue(kSection, keyOf(i), i < files.size() ? files.at(i) : QString());
}

QStringList withRecentFile(QStringList files, const QString& path) {
    if (path.isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')) ||
        !fitsTheSettingsFile(path))
        return files;
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    return files;
}

} // namespace tobirae
