// The Chinese texts of a date: lunar month and day with festivals, and the stem and branch of
// its lunar year.

#include <string>
#include <string_view>

#include "calendar/date_time.h"
#include "calendar/lunar_calendar.h"

namespace {

// Index 1 to 12; index 0 is never shown.
constexpr std::string_view kMonthNames[13] = {
    "", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "十二",
};

// Index 1 to 30.
constexpr std::string_view kDayNames[31] = {
    "",
    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十",
};

// Index 0 is the stem of 1974.
constexpr int kStemBaseYear = 1974;
constexpr std::string_view kStems[10] = {
    "甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸",
};

// Index 0 is the branch of 1972.
constexpr int kBranchBaseYear = 1972;
constexpr std::string_view kBranches[12] = {
    "子(鼠)", "丑(牛)", "寅(虎)", "卯(兔)", "辰(龙)", "巳(蛇)",
    "午(马)", "未(羊)", "申(猴)", "酉(鸡)", "戌(狗)", "亥(猪)",
};

// Festivals on fixed days of ordinary months; a leap month carries none.
struct Festival {
    int month;
    int day;
    std::string_view suffix;
};
constexpr Festival kFestivals[] = {
    {1, 1, " 春节"},  {1, 15, " 元宵节"}, {5, 5, " 端午节"}, {7, 7, " 七夕节"},
    {8, 15, " 中秋节"}, {9, 9, " 重阳节"},  {12, 8, " 腊八节"},
};
constexpr std::string_view kNewYearsEve = " 除夕";

int MonthOf(LunarDateCode code)
{
    return (code < 0 ? -code : code) / 100;
}

int DayOf(LunarDateCode code)
{
    return (code < 0 ? -code : code) % 100;
}

std::string_view FestivalOf(LunarDateCode code)
{
    if (code <= 0) {
        return {};
    }
    for (const Festival& festival : kFestivals) {
        if (festival.month == MonthOf(code) && festival.day == DayOf(code)) {
            return festival.suffix;
        }
    }
    return {};
}

// The eve is the last day before 正月初一, whether the month ends on its 29th or 30th or is a
// leap month. Only a festival-free day outside the first month can be it, and only a month's last
// day can be followed by 正月初一, so the next day is looked up for the 29th and 30th only.
bool IsNewYearsEve(DateTime date, LunarDateCode code)
{
    if (DayOf(code) < 29 || (code > 0 && MonthOf(code) == 1)) {
        return false;
    }
    const LunarDateCode next = ToLunarCode(DateOf(date) + 1);
    return next > 0 && MonthOf(next) == 1;
}

int FloorMod(int value, int period)
{
    const int remainder = value % period;
    return remainder < 0 ? remainder + period : remainder;
}

// The Gregorian year in which the date's lunar year began: a date from January to March that still
// lies in the 11th or 12th lunar month (leap or not) belongs to the year before. Outside the table
// the Gregorian year stands.
int LunarYearOf(DateTime date)
{
    const CalendarDate d = DecodeDate(date);
    if (d.month <= 3) {
        const int month = MonthOf(ToLunarCode(date));
        if (month == 11 || month == 12) {
            return d.year - 1;
        }
    }
    return d.year;
}

void AppendMonthText(std::string& text, LunarDateCode code)
{
    const std::string_view name = kMonthNames[MonthOf(code)];
    if (code < 0) {
        // A leap month's name has no "月" after it: 闰四, 闰十一.
        text.append("闰").append(name);
    } else {
        text.append(name).append("月");
    }
}

void AppendDayText(std::string& text, DateTime date, LunarDateCode code)
{
    text.append(kDayNames[DayOf(code)]);
    const std::string_view festival = FestivalOf(code);
    if (!festival.empty()) {
        text.append(festival);
    } else if (IsNewYearsEve(date, code)) {
        text.append(kNewYearsEve);
    }
}

}  // namespace

std::string LunarMonthText(DateTime date)
{
    const LunarDateCode code = ToLunarCode(date);
    std::string text;
    if (code != 0) {
        AppendMonthText(text, code);
    }
    return text;
}

std::string LunarDayText(DateTime date)
{
    const LunarDateCode code = ToLunarCode(date);
    std::string text;
    if (code != 0) {
        AppendDayText(text, date, code);
    }
    return text;
}

std::string LunarDateText(DateTime date)
{
    const LunarDateCode code = ToLunarCode(date);
    std::string text;
    if (code != 0) {
        AppendMonthText(text, code);
        AppendDayText(text, date, code);
    }
    return text;
}

std::string YearStemText(DateTime date)
{
    return std::string(kStems[FloorMod(LunarYearOf(date) - kStemBaseYear, 10)]);
}

std::string YearBranchText(DateTime date)
{
    return std::string(kBranches[FloorMod(LunarYearOf(date) - kBranchBaseYear, 12)]);
}
