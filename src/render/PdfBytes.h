// The bytes of a PDF that qpdf holds, written the same way for the same pages.
#pragma once

#include <QByteArray>

class QPDF;

namespace tobirae {

QByteArray writtenPdfBytes(QPDF& pdf);

} // namespace tobirae
