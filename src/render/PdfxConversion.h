// PDF/X-3 in CMYK: the conversion by Ghostscript, the output intent and the check of the result.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

namespace tobirae {

// Ghostscript's own CMYK profile; empty when it is not installed.
QString ghostscriptCmykProfile();

// The program to start for `name` ("gs" or a path); empty when there is none.
QString findGhostscript(const QString& name);

struct GhostscriptRun {
    bool ok = false;
    bool cancelled = false;
    QString error;
};

// Converts `input` to CMYK PDF into `output` with `profile` as the output profile. The process is
// killed after timeoutMs or on cancel.
GhostscriptRun convertToCmyk(const QString& program, const QString& input, const QString& output,
                             const QString& profile, int timeoutMs,
                             const std::atomic<bool>* cancel = nullptr);

// The converted file with what makes it PDF/X-3:2002: the output intent holding the profile, the
// version and trapping keys of the document information. An error text on failure.
std::optional<QString> addPdfxOutputIntent(const QByteArray& pdf, const QByteArray& profile,
                                           const QString& profileName, const QString& title,
                                           QByteArray* out);

// What keeps a file from being the PDF/X a shop accepts: no output intent, a page without
// TrimBox, a font not embedded, RGB colour left. Empty when it passes.
QStringList pdfxProblems(const QByteArray& pdf);

} // namespace tobirae
