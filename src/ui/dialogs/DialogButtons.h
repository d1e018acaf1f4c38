// The OK / Cancel row shared by the settings dialogs.
#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

namespace tobirae {

// Buttons named Cmd_OK (the default) and Cmd_Cancel; Cancel rejects the dialog. The caller
// connects accepted(), since each dialog checks its entries before closing.
QDialogButtonBox* okCancelButtons(QDialog* dialog, const QString& okText,
                                  const QString& cancelText);

} // namespace tobirae
