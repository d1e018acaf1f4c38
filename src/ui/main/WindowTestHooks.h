// What tests put in place of a person or the desktop in the main window: each hook, when set,
// answers instead of the real dialog (or browser). Unset hooks leave the real ones.
#pragma once

#include "ui/main/MonthRangeDialog.h"

#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace tobirae {

struct LayoutItem;
class ItemPropertiesDialog;
class TemplateDialog;

struct WindowTestHooks {
    // Confirms a new item instead of its property dialog; the item holds what was confirmed.
    std::function<bool(LayoutItem&)> newItemConfirmation;
    // Works the property dialog and returns whether it was accepted.
    std::function<bool(ItemPropertiesDialog&)> propertyDialog;
    // Works the template dialog and returns whether it was accepted.
    std::function<bool(TemplateDialog&)> templateDialog;
    // Answers the month-range dialog (nullopt: cancelled); `initial` is what the dialog would
    // start from.
    std::function<std::optional<MonthRangeChoice>(const QString& title, bool withFormat,
                                                  const MonthRangeChoice& initial)>
        monthRange;
    // Hands the help page to the desktop.
    std::function<bool(const QUrl&)> openUrl;
};

} // namespace tobirae
