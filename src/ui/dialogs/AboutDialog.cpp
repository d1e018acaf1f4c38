#include "ui/dialogs/AboutDialog.h"

#include "ui/dialogs/UserPrompts.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TOBIRAE_VERSION_MAJOR
#define TOBIRAE_VERSION_MAJOR 0
#endif
#ifndef TOBIRAE_VERSION_MINOR
#define TOBIRAE_VERSION_MINOR 1
#endif

namespace tobirae {

QString versionLabelText(int major, int minor) {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

AboutDialog::AboutDialog(UserPrompts& prompts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(applicationTitle() + QStringLiteral(" のﾊﾞｰｼﾞｮﾝ情報"));
    auto* title = new QLabel(applicationTitle(), this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* version =
        new QLabel(versionLabelText(TOBIRAE_VERSION_MAJOR, TOBIRAE_VERSION_MINOR), this);
    version->setObjectName(QStringLiteral("versionLabel"));

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* sysInfo =
        buttons->addButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), QDialogButtonBox::ActionRole);
    sysInfo->setObjectName(QStringLiteral("systemInfoButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // No system-information tool exists on this platform.
    connect(sysInfo, &QPushButton::clicked, this, [&prompts] {
        prompts.message(QStringLiteral("この環境ではシステム情報を使用できません。"));
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(buttons);
}

} // namespace tobirae
