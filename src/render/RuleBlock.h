// Typed access to the ruled-line block of an item. The block is kept as raw bytes so that every
// byte, reserved ones included, survives a save and a read; these views read and write the
// fields at their fixed little-endian offsets.
#pragma once

#include "document/LayoutItem.h"

#include <array>
#include <cstdint>

namespace tobirae {

inline constexpr int kRuleEntryCount = 21;
inline constexpr int kDividingLineMax = 11;

// Line entries of the month-box kinds.
enum RuleEntry : int {
    RuleLeftYear = 0,
    RuleLeftMonth = 1,
    RuleLeftHeader = 2,
    RuleLeftGrid = 3,
    RuleRightYear = 4,
    RuleRightMonth = 5,
    RuleRightHeader = 6,
    RuleRightGrid = 7,
    RuleInnerHeader = 8,
    RuleInnerGrid = 9,
    RuleTop = 10,
    RuleUnderYear = 11,
    RuleUnderMonth = 12,
    RuleUnderHeader = 13,
    RuleInnerRows = 14,
    RuleBottom = 15,
    RuleDiagonal = 16,
};

using RuleBytes = std::array<std::uint8_t, kRuleBlockSize>;

class RuleBlockReader {
public:
    explicit RuleBlockReader(const RuleBytes& bytes) : bytes_(&bytes) {}

    bool drawRules() const;
    // Entries outside 0..20 read as off, colour 0, width 0.
    bool ruleOn(int entry) const;
    Colour ruleColor(int entry) const;
    std::int16_t ruleWidth(int entry) const;

    // Stored counts are returned as they are; positions outside 0..10 read as 0.
    std::int32_t hLineCount() const;
    std::int32_t hLinePos(int index) const;
    std::int32_t vLineCount() const;
    std::int32_t vLinePos(int index) const;

    // The count limited to 0..11, for callers that walk the positions.
    int hLineCountClamped() const;
    int vLineCountClamped() const;

protected:
    std::int16_t i16(int offset) const;
    std::int32_t i32(int offset) const;

private:
    const RuleBytes* bytes_;
};

class RuleBlockWriter : public RuleBlockReader {
public:
    explicit RuleBlockWriter(RuleBytes& bytes) : RuleBlockReader(bytes), writable_(&bytes) {}

    void setDrawRules(bool on);
    // Writes to entries outside 0..20 are ignored.
    void setRuleOn(int entry, bool on);
    void setRuleColor(int entry, Colour colour);
    void setRuleWidth(int entry, std::int16_t width);

    void setHLineCount(std::int32_t count);
    void setHLinePos(int index, std::int32_t pos);
    void setVLineCount(std::int32_t count);
    void setVLinePos(int index, std::int32_t pos);
    // Counts 0, positions 0, and the reserved arrays stored after each position array 0.
    void clearDividingLines();

private:
    void setI16(int offset, std::int16_t value);
    void setI32(int offset, std::int32_t value);
    RuleBytes* writable_;
};

inline RuleBlockReader ruleBlock(const LayoutItem& item) {
    return RuleBlockReader(item.RuleBlock);
}
inline RuleBlockWriter ruleBlock(LayoutItem& item) {
    return RuleBlockWriter(item.RuleBlock);
}

} // namespace tobirae
