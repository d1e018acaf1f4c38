#include "render/PdfxConversion.h"

#include "render/PdfBytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <exception>
#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFTokenizer.hh>
#include <qpdf/QPDFWriter.hh>
#include <set>

namespace tobirae {

QString ghostscriptCmykProfile() {
    QStringList candidates{QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc")};
    const QDir shared(QStringLiteral("/usr/share/ghostscript"));
    for (const QString& version : shared.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        candidates << shared.filePath(version + QStringLiteral("/iccprofiles/default_cmyk.icc"));
    for (const QString& path : candidates)
        if (QFileInfo(path).isReadable())
            return path;
    return {};
}

QString findGhostscript(const QString& name) {
    if (name.contains(QLatin1Char('/')))
        return QFileInfo(name).isExecutable() ? name : QString();
    return QStandardPaths::findExecutable(name.isEmpty() ? QStringLiteral("gs") : name);
}

GhostscriptRun convertToCmyk(const QString& program, const QString& input, const QString& output,
                             const QString& profile, int timeoutMs,
                             const std::atomic<bool>* cancel) {
    GhostscriptRun run;
    QProcess gs;
    gs.setProcessChannelMode(QProcess::MergedChannels);
    // -dSAFER: the input is our own file, but Ghostscript reads nothing else either way.
    gs.start(program, {QStringLiteral("-q"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
                       QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=pdfwrite"),
                       QStringLiteral("-dPDFX=true"), QStringLiteral("-dCompatibilityLevel=1.4"),
                       QStringLiteral("-sColorConversionStrategy=CMYK"),
                       QStringLiteral("-sProcessColorModel=DeviceCMYK"),
                       QStringLiteral("-sOutputICCProfile=") + profile,
                       QStringLiteral("--permit-file-read=") + profile,
                       QStringLiteral("-sOutputFile=") + output, input});
    if (!gs.waitForStarted(10000)) {
        run.error = QStringLiteral("Ghostscript (%1) を起動できませんでした。").arg(program);
        return run;
    }
    QElapsedTimer clock;
    clock.start();
    while (!gs.waitForFinished(100)) {
        if (cancel && cancel->load()) {
            gs.kill();
            gs.waitForFinished(5000);
            run.cancelled = true;
            return run;
        }
        if (clock.elapsed() > timeoutMs) {
            gs.kill();
            gs.waitForFinished(5000);
            run.error =
                QStringLiteral("Ghostscript の変換が %1 秒で終わらなかったため中止しました。")
                    .arg(timeoutMs / 1000);
            return run;
        }
    }
    const QString said = QString::fromLocal8Bit(gs.readAll()).trimmed();
    if (gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0) {
        run.error = QStringLiteral("Ghostscript の変換に失敗しました (終了コード %1)%2")
                        .arg(gs.exitCode())
                        .arg(said.isEmpty() ? QStringLiteral("。") : QStringLiteral(": ") + said);
        return run;
    }
    if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0) {
        run.error = QStringLiteral("Ghostscript が PDF を書きませんでした。");
        return run;
    }
    run.ok = true;
    return run;
}

namespace {

QPDFObjectHandle pdfText(const QString& s) {
    return QPDFObjectHandle::newUnicodeString(s.toStdString());
}

void readPdfx(QPDF& pdf, const QByteArray& bytes) {
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("PDF/X", bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace

std::optional<QString> addPdfxOutputIntent(const QByteArray& bytes, const QByteArray& profile,
                                           const QString& profileName, const QString& title,
                                           QByteArray* out) {
    try {
        QPDF pdf;
        readPdfx(pdf, bytes);
        QPDFObjectHandle icc = QPDFObjectHandle::newStream(&pdf, profile.toStdString());
        icc.getDict().replaceKey("/N", QPDFObjectHandle::newInteger(4));
        QPDFObjectHandle intent = QPDFObjectHandle::newDictionary();
        intent.replaceKey("/Type", QPDFObjectHandle::newName("/OutputIntent"));
        intent.replaceKey("/S", QPDFObjectHandle::newName("/GTS_PDFX"));
        intent.replaceKey("/OutputConditionIdentifier", pdfText(profileName));
        intent.replaceKey("/OutputCondition", pdfText(profileName));
        intent.replaceKey("/Info", pdfText(profileName));
        intent.replaceKey("/RegistryName", pdfText(QStringLiteral("http://www.color.org")));
        intent.replaceKey("/DestOutputProfile", icc);
        pdf.getRoot().replaceKey(
            "/OutputIntents", QPDFObjectHandle::newArray(
                                  std::vector<QPDFObjectHandle>{pdf.makeIndirectObject(intent)}));

        QPDFObjectHandle trailer = pdf.getTrailer();
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (!info.isDictionary()) {
            info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", info);
        }
        info.replaceKey("/GTS_PDFXVersion", QPDFObjectHandle::newString("PDF/X-3:2002"));
        info.replaceKey("/Trapped", QPDFObjectHandle::newName("/False"));
        info.replaceKey("/Title", pdfText(title));
        if (!info.hasKey("/Creator"))
            info.replaceKey("/Creator", pdfText(QStringLiteral("Tobirae")));

        *out = writtenPdfBytes(pdf);
        return std::nullopt;
    } catch (const std::exception& e) {
        return QStringLiteral("出力インテントを加えられませんでした: %1")
            .arg(QString::fromLocal8Bit(e.what()));
    }
}

namespace {

bool isRgbSpace(QPDFObjectHandle space) {
    if (space.isName())
        return space.getName() == "/DeviceRGB" || space.getName() == "/CalRGB";
    if (!space.isArray() || space.getArrayNItems() == 0 || !space.getArrayItem(0).isName())
        return false;
    const std::string family = space.getArrayItem(0).getName();
    if (family == "/CalRGB")
        return true;
    if (family == "/ICCBased" && space.getArrayNItems() > 1) {
        QPDFObjectHandle stream = space.getArrayItem(1);
        return stream.isStream() && stream.getDict().getKey("/N").isInteger() &&
               stream.getDict().getKey("/N").getIntValue() == 3;
    }
    // Indexed, Separation and DeviceN spaces name their base or alternate space.
    for (int i = 1; i < space.getArrayNItems(); ++i)
        if (isRgbSpace(space.getArrayItem(i)))
            return true;
    return false;
}

bool fontEmbedded(QPDFObjectHandle font) {
    QPDFObjectHandle subtype = font.getKey("/Subtype");
    if (subtype.isName() && subtype.getName() == "/Type3")
        return true;
    if (subtype.isName() && subtype.getName() == "/Type0") {
        QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
        return descendants.isArray() && descendants.getArrayNItems() > 0 &&
               fontEmbedded(descendants.getArrayItem(0));
    }
    QPDFObjectHandle descriptor = font.getKey("/FontDescriptor");
    return descriptor.isDictionary() &&
           (descriptor.hasKey("/FontFile") || descriptor.hasKey("/FontFile2") ||
            descriptor.hasKey("/FontFile3"));
}

// Content streams setting RGB colour with the device operators.
bool contentSetsRgb(QPDFObjectHandle stream) {
    const std::shared_ptr<Buffer> data = stream.getStreamData(qpdf_dl_generalized);
    QPDFTokenizer tokenizer;
    const std::string bytes(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
    auto input = std::make_shared<BufferInputSource>("content", bytes);
    for (;;) {
        const QPDFTokenizer::Token token = tokenizer.readToken(input, "content", true);
        if (token.getType() == QPDFTokenizer::tt_eof || token.getType() == QPDFTokenizer::tt_bad)
            return false;
        if (token.getType() == QPDFTokenizer::tt_word &&
            (token.getValue() == "rg" || token.getValue() == "RG"))
            return true;
    }
}

} // namespace

QStringList pdfxProblems(const QByteArray& bytes) {
    QStringList problems;
    try {
        QPDF pdf;
        readPdfx(pdf, bytes);
        QPDFObjectHandle intents = pdf.getRoot().getKey("/OutputIntents");
        bool intent = false;
        for (int i = 0; intents.isArray() && i < intents.getArrayNItems(); ++i) {
            QPDFObjectHandle entry = intents.getArrayItem(i);
            intent = intent ||
                     (entry.getKey("/S").isName() && entry.getKey("/S").getName() == "/GTS_PDFX" &&
                      entry.getKey("/DestOutputProfile").isStream());
        }
        if (!intent)
            problems << QStringLiteral("出力インテント (OutputIntent) がありません。");
        int page = 0;
        QSet<int> noTrim;
        for (QPDFPageObjectHelper& p : QPDFPageDocumentHelper(pdf).getAllPages()) {
            ++page;
            if (!p.getObjectHandle().getKey("/TrimBox").isRectangle())
                noTrim << page;
            for (QPDFObjectHandle& content : p.getPageContents())
                if (contentSetsRgb(content)) {
                    problems << QStringLiteral("%1ページ目に RGB の色が残っています。").arg(page);
                    break;
                }
        }
        for (const int p : noTrim)
            problems << QStringLiteral("%1ページ目に TrimBox がありません。").arg(p);
        QStringList fonts;
        bool rgbSpace = false;
        for (QPDFObjectHandle& object : pdf.getAllObjects()) {
            QPDFObjectHandle dict = object.isStream() ? object.getDict() : object;
            if (!dict.isDictionary())
                continue;
            if (dict.isDictionaryOfType("/Font") && !fontEmbedded(dict)) {
                QPDFObjectHandle name = dict.getKey("/BaseFont");
                fonts << (name.isName() ? QString::fromStdString(name.getName()).mid(1)
                                        : QStringLiteral("(名前なし)"));
            }
            if (object.isStream() && dict.getKey("/Subtype").isName() &&
                dict.getKey("/Subtype").getName() == "/Image" &&
                isRgbSpace(dict.getKey("/ColorSpace")))
                rgbSpace = true;
            if (object.isStream() && dict.getKey("/Subtype").isName() &&
                dict.getKey("/Subtype").getName() == "/Form" && contentSetsRgb(object))
                rgbSpace = true;
            QPDFObjectHandle spaces = dict.getKey("/ColorSpace");
            if (spaces.isDictionary())
                for (const std::string& key : spaces.getKeys())
                    rgbSpace = rgbSpace || isRgbSpace(spaces.getKey(key));
        }
        if (!fonts.isEmpty())
            problems << QStringLiteral("埋め込まれていないフォントがあります: %1")
                            .arg(fonts.join(QStringLiteral(", ")));
        if (rgbSpace)
            problems << QStringLiteral("RGB の色空間や画像が残っています。");
    } catch (const std::exception& e) {
        problems
            << QStringLiteral("PDF を読めませんでした: %1").arg(QString::fromLocal8Bit(e.what()));
    }
    return problems;
}

} // namespace tobirae
