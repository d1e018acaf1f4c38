#include "render/MonthText.h"

#include <array>

namespace tobirae {

namespace {

constexpr std::array<const char16_t*, 12> kEnglish = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::array<const char16_t*, 12> kAbbrev = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr std::array<const char16_t*, 12> kClassical = {u"睦月", u"如月",   u"弥生", u"卯月",
                                                        u"皐月", u"水無月", u"文月", u"葉月",
                                                        u"長月", u"神無月", u"霜月", u"師走"};
constexpr std::array<const char16_t*, 12> kReading = {
    u"むつき", u"きさらぎ", u"やよい",   u"うづき",     u"さつき",   u"みなづき",
    u"ふづき", u"はづき",   u"ながつき", u"かんなづき", u"しもつき", u"しわす"};

// The katakana ニ in "十ニ" is what the samples have always measured; they are never drawn.
constexpr std::array<const char16_t*, 22> kSamples = {
    u"12",    u"十ニ",   u"12月",     u"十ニ月",      u"September",   u"SEPTEMBER",
    u"Sep",   u"SEP",    u"神無月",   u"かんなづき",  u"12/",         u"十ニ/",
    u"(12)",  u"(十ニ)", u"(12月)",   u"(十ニ月)",    u"(September)", u"(SEPTEMBER)",
    u"(Sep)", u"(SEP)",  u"(水無月)", u"(かんなづき)"};

constexpr std::array<const char16_t*, 10> kPlainDigits = {u"零", u"一", u"二", u"三", u"四",
                                                          u"五", u"六", u"七", u"八", u"九"};
constexpr std::array<const char16_t*, 10> kFormalDigits = {u"零", u"壱", u"弐", u"参", u"肆",
                                                           u"伍", u"陸", u"漆", u"捌", u"玖"};

QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

} // namespace

QString kanjiDigit(bool plain, int digit) {
    if (digit < 0 || digit > 9)
        return {};
    return text(plain ? kPlainDigits[digit] : kFormalDigits[digit]);
}

QString kanjiNumber(bool plain, int number) {
    if (number < 0)
        return {};
    if (number == 0)
        return kanjiDigit(plain, 0);
    const int thousands = number / 1000 % 10;
    const int hundreds = number / 100 % 10;
    const int tens = number / 10 % 10;
    const int units = number % 10;
    QString out;
    // Thousands keep their digit even when it is one (一千); hundreds and tens drop a one (百, 十).
    if (thousands >= 1)
        out += kanjiDigit(plain, thousands) + text(plain ? u"千" : u"仟");
    if (hundreds >= 2)
        out += kanjiDigit(plain, hundreds);
    if (hundreds >= 1)
        out += text(plain ? u"百" : u"佰");
    if (tens >= 2)
        out += kanjiDigit(plain, tens);
    if (tens >= 1)
        out += text(plain ? u"十" : u"拾");
    if (units >= 1)
        out += kanjiDigit(plain, units);
    return out;
}

QString monthText(int style, int month) {
    if (month < 1 || month > 12 || style < 0 || style > 21)
        return {};
    if (style >= 12)
        return QLatin1Char('(') + monthText(style - 12, month) + QLatin1Char(')');
    const auto i = static_cast<std::size_t>(month - 1);
    switch (style) {
    case 0:
        return QString::number(month);
    case 1:
        return kanjiNumber(true, month);
    case 2:
        return QString::number(month) + text(u"月");
    case 3:
        return kanjiNumber(true, month) + text(u"月");
    case 4:
        return text(kEnglish[i]);
    case 5:
        return text(kEnglish[i]).toUpper();
    case 6:
        return text(kAbbrev[i]);
    case 7:
        return text(kAbbrev[i]).toUpper();
    case 8:
        return text(kClassical[i]);
    case 9:
        return text(kReading[i]);
    case 10:
        return QString::number(month) + QLatin1Char('/');
    case 11:
        return kanjiNumber(true, month) + QLatin1Char('/');
    default:
        return {};
    }
}

QString monthSample(int style) {
    if (style < 0 || style >= static_cast<int>(kSamples.size()))
        return {};
    return text(kSamples[static_cast<std::size_t>(style)]);
}

} // namespace tobirae
