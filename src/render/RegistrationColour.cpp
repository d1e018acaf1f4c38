#include "render/RegistrationColour.h"

#include "render/PdfBytes.h"

#include <cmath>
#include <exception>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFTokenizer.hh>
#include <qpdf/QPDFWriter.hh>
#include <vector>

namespace tobirae {

QColor registrationStandIn() {
    // A near-black no layout colour picker offers by name; only the marks use it.
    return QColor(1, 2, 3);
}

namespace {

// Replaces "r g b SCN" (and scn, RG, rg) in the stand-in colour by the CMYK operator with all
// four inks; everything else passes unchanged.
class StandInFilter : public QPDFObjectHandle::TokenFilter {
public:
    void handleToken(const QPDFTokenizer::Token& token) override {
        using T = QPDFTokenizer;
        if (token.getType() == T::tt_word) {
            const std::string& op = token.getValue();
            const bool stroke = op == "SCN" || op == "RG" || op == "SC";
            const bool fill = op == "scn" || op == "rg" || op == "sc";
            if ((stroke || fill) && isStandIn()) {
                writeToken(T::Token(T::tt_space, " "));
                for (int i = 0; i < 4; ++i) {
                    writeToken(T::Token(T::tt_integer, "1"));
                    writeToken(T::Token(T::tt_space, " "));
                }
                writeToken(T::Token(T::tt_word, stroke ? "K" : "k"));
                pending_.clear();
                return;
            }
            flush();
            writeToken(token);
            return;
        }
        if (token.getType() == T::tt_eof) {
            flush();
            return;
        }
        pending_.push_back(token);
    }

private:
    bool isStandIn() const {
        const QColor standIn = registrationStandIn();
        const double wanted[] = {standIn.redF(), standIn.greenF(), standIn.blueF()};
        std::vector<double> numbers;
        for (const QPDFTokenizer::Token& t : pending_) {
            if (t.getType() == QPDFTokenizer::tt_integer || t.getType() == QPDFTokenizer::tt_real)
                numbers.push_back(std::stod(t.getValue()));
            else if (t.getType() != QPDFTokenizer::tt_space)
                return false;
        }
        if (numbers.size() != 3)
            return false;
        for (int i = 0; i < 3; ++i)
            if (std::abs(numbers[static_cast<std::size_t>(i)] - wanted[i]) > 0.5 / 255)
                return false;
        return true;
    }
    void flush() {
        for (const QPDFTokenizer::Token& t : pending_)
            writeToken(t);
        pending_.clear();
    }
    std::vector<QPDFTokenizer::Token> pending_;
};

} // namespace

std::optional<QString> standInToRegistration(const QByteArray& bytes, QByteArray* out) {
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("marks", bytes.constData(), static_cast<size_t>(bytes.size()));
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
            page.addContentTokenFilter(std::make_shared<StandInFilter>());
        *out = writtenPdfBytes(pdf);
        return std::nullopt;
    } catch (const std::exception& e) {
        return QStringLiteral("トンボの色を設定できませんでした: %1")
            .arg(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace tobirae
