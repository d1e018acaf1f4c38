#include "render/RuleBlock.h"

namespace tobirae {

namespace {

constexpr int kDrawRulesOffset = 4;
constexpr int kRuleOnOffset = 6;
constexpr int kRuleColorOffset = 48;
constexpr int kRuleWidthOffset = 132;
constexpr int kHLineCountOffset = 220;
constexpr int kHLinePosOffset = 224;
constexpr int kVLineCountOffset = 400;
constexpr int kVLinePosOffset = 404;
// Each position array is followed by three reserved arrays of the same length, cleared with it.
constexpr int kDividingBlockBytes = 4 * kDividingLineMax * 4;

static_assert(kRuleWidthOffset + 2 * kRuleEntryCount <= kHLineCountOffset);
static_assert(kHLinePosOffset + kDividingBlockBytes <= kVLineCountOffset);
static_assert(kVLinePosOffset + kDividingBlockBytes <= kRuleBlockSize);

bool validEntry(int entry) {
    return entry >= 0 && entry < kRuleEntryCount;
}
bool validLine(int index) {
    return index >= 0 && index < kDividingLineMax;
}
int clampCount(std::int32_t n) {
    return n < 0 ? 0 : (n > kDividingLineMax ? kDividingLineMax : n);
}

} // namespace

std::int16_t RuleBlockReader::i16(int offset) const {
    const auto& b = *bytes_;
    return static_cast<std::int16_t>(b[offset] | (b[offset + 1] << 8));
}

std::int32_t RuleBlockReader::i32(int offset) const {
    const auto& b = *bytes_;
    const std::uint32_t v = std::uint32_t(b[offset]) | (std::uint32_t(b[offset + 1]) << 8) |
                            (std::uint32_t(b[offset + 2]) << 16) |
                            (std::uint32_t(b[offset + 3]) << 24);
    return static_cast<std::int32_t>(v);
}

bool RuleBlockReader::drawRules() const {
    return i16(kDrawRulesOffset) != 0;
}

bool RuleBlockReader::ruleOn(int entry) const {
    return validEntry(entry) && i16(kRuleOnOffset + 2 * entry) != 0;
}

Colour RuleBlockReader::ruleColor(int entry) const {
    return validEntry(entry) ? i32(kRuleColorOffset + 4 * entry) : 0;
}

std::int16_t RuleBlockReader::ruleWidth(int entry) const {
    return validEntry(entry) ? i16(kRuleWidthOffset + 2 * entry) : 0;
}

std::int32_t RuleBlockReader::hLineCount() const {
    return i32(kHLineCountOffset);
}
std::int32_t RuleBlockReader::vLineCount() const {
    return i32(kVLineCountOffset);
}

std::int32_t RuleBlockReader::hLinePos(int index) const {
    return validLine(index) ? i32(kHLinePosOffset + 4 * index) : 0;
}

std::int32_t RuleBlockReader::vLinePos(int index) const {
    return validLine(index) ? i32(kVLinePosOffset + 4 * index) : 0;
}

int RuleBlockReader::hLineCountClamped() const {
    return clampCount(hLineCount());
}
int RuleBlockReader::vLineCountClamped() const {
    return clampCount(vLineCount());
}

void RuleBlockWriter::setI16(int offset, std::int16_t value) {
    auto& b = *writable_;
    const auto u = static_cast<std::uint16_t>(value);
    b[offset] = static_cast<std::uint8_t>(u & 0xFF);
    b[offset + 1] = static_cast<std::uint8_t>(u >> 8);
}

void RuleBlockWriter::setI32(int offset, std::int32_t value) {
    auto& b = *writable_;
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        b[offset + i] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
}

void RuleBlockWriter::setDrawRules(bool on) {
    setI16(kDrawRulesOffset, toB16(on));
}

void RuleBlockWriter::setRuleOn(int entry, bool on) {
    if (validEntry(entry))
        setI16(kRuleOnOffset + 2 * entry, toB16(on));
}

void RuleBlockWriter::setRuleColor(int entry, Colour colour) {
    if (validEntry(entry))
        setI32(kRuleColorOffset + 4 * entry, colour);
}

void RuleBlockWriter::setRuleWidth(int entry, std::int16_t width) {
    if (validEntry(entry))
        setI16(kRuleWidthOffset + 2 * entry, width);
}

void RuleBlockWriter::setHLineCount(std::int32_t count) {
    setI32(kHLineCountOffset, count);
}
void RuleBlockWriter::setVLineCount(std::int32_t count) {
    setI32(kVLineCountOffset, count);
}

void RuleBlockWriter::setHLinePos(int index, std::int32_t pos) {
    if (validLine(index))
        setI32(kHLinePosOffset + 4 * index, pos);
}

void RuleBlockWriter::setVLinePos(int index, std::int32_t pos) {
    if (validLine(index))
        setI32(kVLinePosOffset + 4 * index, pos);
}

void RuleBlockWriter::clearDividingLines() {
    setHLineCount(0);
    setVLineCount(0);
    for (int i = 0; i < kDividingBlockBytes; ++i) {
        (*writable_)[kHLinePosOffset + i] = 0;
        (*writable_)[kVLinePosOffset + i] = 0;
    }
}

} // namespace tobirae
