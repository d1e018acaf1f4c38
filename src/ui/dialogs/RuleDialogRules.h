// The rules of the ruled-line dialog that need no widgets: which lines an item offers, the group
// buttons and the entries they switch, and the width box.
#pragma once

#include "document/LayoutItem.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace tobirae {

// Month boxes number 17 lines (16 without the split diagonal), the lists six.
enum class RuleFamily { None, MonthBox, List };
RuleFamily ruleFamily(const LayoutItem& item);
// Entries the line list offers: 17 for the five-row box, 16 for the six-row and mini boxes, 6 for
// the lists, 0 for other kinds.
int ruleLineCount(const LayoutItem& item);
// "①" .. "⑰" for entries 0..16.
QString ruleNumberLabel(int entry);

// Captions of the group buttons the family shows (8 for month boxes, 4 for lists).
QStringList ruleGroupCaptions(RuleFamily family);
// The entries group button 0..7 switches for the item; empty for a button the family hides.
std::vector<int> ruleGroupEntries(const LayoutItem& item, int button);
// Even buttons read "…を描画する", odd ones "…を描画しない".
inline bool ruleGroupTurnsOn(int button) {
    return button % 2 == 0;
}
void applyRuleGroup(LayoutItem& item, int button);

inline constexpr int kMinRuleWidth = 1;
inline constexpr int kMaxRuleWidth = 9;
// What the width box shows for a stored width: the width when it is 1..9, else "1".
QString ruleWidthText(int width);
// A typed width, blanks ignored; nothing for a text that is not a whole number 1..9.
std::optional<std::int16_t> typedRuleWidth(const QString& text);

} // namespace tobirae
