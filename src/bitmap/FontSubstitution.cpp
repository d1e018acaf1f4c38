#include "bitmap/Primitives.h"

#include <QFontDatabase>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace tobirae {

namespace {

constexpr auto kFallbackFamily = "IPAGothic";

// Windows faces named by layouts and the installed families that stand in for them. Keys are
// compared after folding width, case and blanks, so "ＭＳ ゴシック", "ＭＳゴシック" and
// "MS Gothic" all match.
struct Substitution {
    const char* face;
    const char* family;
};
constexpr std::array kSubstitutions{
    Substitution{"ＭＳ ゴシック", "IPAGothic"},    Substitution{"MS Gothic", "IPAGothic"},
    Substitution{"ＭＳ 明朝", "IPAMincho"},        Substitution{"MS Mincho", "IPAMincho"},
    Substitution{"ＭＳ Ｐゴシック", "IPAPGothic"}, Substitution{"MS PGothic", "IPAPGothic"},
    Substitution{"ＭＳ Ｐ明朝", "IPAPMincho"},     Substitution{"MS PMincho", "IPAPMincho"},
    Substitution{"MS UI Gothic", "IPAPGothic"},    Substitution{"MS UIGothic", "IPAPGothic"},
};

QString foldFace(const QString& face) {
    QString folded = face.normalized(QString::NormalizationForm_KC).toCaseFolded();
    folded.remove(QLatin1Char(' '));
    return folded;
}

// Installed families never change while the program runs; read them once.
const QStringList& installedFamilies() {
    static const QStringList families = [] {
        QStringList list;
        for (const QString& family : QFontDatabase::families())
            list.append(foldFace(family));
        return list;
    }();
    return families;
}

bool isInstalled(const QString& family) {
    return installedFamilies().contains(foldFace(family));
}

// The table with folded keys and the families resolved against what is installed.
const std::vector<std::pair<QString, QString>>& substitutionTable() {
    static const std::vector<std::pair<QString, QString>> table = [] {
        std::vector<std::pair<QString, QString>> list;
        for (const auto& substitution : kSubstitutions) {
            const QString family = QString::fromLatin1(substitution.family);
            list.emplace_back(foldFace(QString::fromUtf8(substitution.face)),
                              isInstalled(family) ? family : QString::fromLatin1(kFallbackFamily));
        }
        return list;
    }();
    return table;
}

} // namespace

QStringList substitutedFaces() {
    // The table spells most faces twice; the fullwidth spelling is the one layouts store, and
    // "MS UI Gothic" has no other.
    QStringList faces;
    for (const auto& substitution : kSubstitutions) {
        const QString face = QString::fromUtf8(substitution.face);
        if (face.at(0).unicode() > 0x7F || face == QLatin1String("MS UI Gothic"))
            faces << face;
    }
    return faces;
}

QString substituteFace(const QString& faceName) {
    QString face = faceName.trimmed();
    if (face.startsWith(QLatin1Char('@')))
        face = face.mid(1).trimmed();
    const QString key = foldFace(face);
    for (const auto& [folded, family] : substitutionTable()) {
        if (folded == key)
            return family;
    }
    if (!face.isEmpty() && isInstalled(face))
        return face;
    return QString::fromLatin1(kFallbackFamily);
}

} // namespace tobirae
