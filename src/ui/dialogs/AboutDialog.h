// The About box.
#pragma once

#include <QDialog>

namespace tobirae {

class UserPrompts;

// "ﾊﾞｰｼﾞｮﾝ " followed by the major version, "." and the minor version as two digits.
QString versionLabelText(int major, int minor);

class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(UserPrompts& prompts, QWidget* parent = nullptr);
};

} // namespace tobirae
