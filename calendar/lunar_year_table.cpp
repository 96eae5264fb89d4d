// The year table of the lunar calendar: one record per Gregorian year from 1901 to 2050, and the
// compile-time checks that keep an edited record from slipping through.

#include <array>

#include "calendar/lunar_month_run.h"

namespace {

constexpr std::array<LunarYearRecord, kLastLunarYear - kFirstLunarYear + 1> kLunarYearTable = {
    // 1901-1910
    0x0B52BA00, 0x16A95D00, 0x83A93705, 0x0E749B00, 0x1AB65500,
    0x87B55504, 0x1155AA00, 0x1CA6B500, 0x8AA57502, 0x1452BA00,
    // 1911-1920
    0x81526E06, 0x0DE93700, 0x18749700, 0x86EA9605, 0x106D5500,
    0x1A35AA00, 0x884B6A02, 0x13A56D00, 0x1ED26E07, 0x0BD25E00,
    // 1921-1930
    0x17E92E00, 0x84D92D05, 0x0FDA9500, 0x195B5200, 0x8756D404,
    0x114ADA00, 0x1CA55D00, 0x89A4BD02, 0x15D25D00, 0x82B25B06,
    // 1931-1940
    0x0DB52B00, 0x18BA9500, 0x86B6A505, 0x1056B400, 0x1A4ADA00,
    0x8749BA03, 0x13A4BB00, 0x1EB25B07, 0x0B725700, 0x16752B00,
    // 1941-1950
    0x846D2A06, 0x0FAD5500, 0x1955AA00, 0x86556C04, 0x12C97600,
    0x1C64B700, 0x8AE4AE02, 0x15EA5600, 0x83DA5507, 0x0D5B2A00,
    // 1951-1960
    0x18AD5500, 0x85AAD505, 0x10536A00, 0x1BA96D00, 0x88A95D03,
    0x13D4AE00, 0x81D4AB08, 0x0CBA5500, 0x165AAA00, 0x8356AA06,
    // 1961-1970
    0x0FAAD500, 0x1952DA00, 0x8652BA04, 0x11A95D00, 0x1DD49B00,
    0x8A749B03, 0x15B65500, 0x82AD5507, 0x0D55AA00, 0x18A5B500,
    // 1971-1980
    0x85A57505, 0x0F52B600, 0x1B693700, 0x89E93704, 0x13749700,
    0x81EA9608, 0x0C6D5200, 0x162DAA00, 0x834B6A06, 0x0EA56D00,
    // 1981-1990
    0x1AD26E00, 0x87D25E04, 0x12E92E00, 0x1DEC960A, 0x0BDA9500,
    0x155B5200, 0x8256D206, 0x0C2ADA00,
    // 1989: the 6th month has 30 days and the 7th 29, which agrees with the astronomical new
    // moons of 1989-07-03 and 1989-08-02, China time. 0x18A4DD00 had the two lengths the other
    // way round and put 七月初一 on 1 August.
    0x18A55D00,
    0x85A4BD05,
    // 1991-2000
    0x10D25D00, 0x1BD92D00, 0x89B52B03, 0x14BA9500, 0x81B59508,
    0x0B56B200, 0x162ADA00, 0x8349B605, 0x0E64BB00, 0x19B25B00,
    // 2001-2010
    0x876A5704, 0x12752B00, 0x1DB69500, 0x8AAD5502, 0x1555AA00,
    0x82556C07, 0x0DC97600, 0x1764B700, 0x86E4AE05, 0x11EA5600,
    // 2011-2020
    0x1B6D2A00, 0x885AAA04,
    // 2013: the 4th month has 29 days and the 5th 30, which agrees with the astronomical new
    // moons of 2013-05-10 and 2013-06-08, China time. 0x14AD5500 had the two lengths the other
    // way round and put 五月初一 on 7 June, a day before that new moon.
    0x14AB5500,
    0x81AAD509, 0x0B52EA00, 0x16A96D00, 0x84A95D06, 0x0FD4AE00,
    0x1AEA4D00, 0x87BA5504,
    // 2021-2030
    0x125AAA00, 0x1DAB5500, 0x8AA6D502, 0x1452DA00, 0x8252BA06,
    0x0DA93B00, 0x18B49B00, 0x85749B05, 0x11B54D00, 0x1CD6A900,
    // 2031-2040
    0x8835AA03, 0x13A5B500, 0x81A5750B, 0x0B52B600, 0x16693700,
    0x84E92F06, 0x10F49700, 0x1A754B00, 0x876D5205, 0x112D6900,
    // 2041-2050
    0x1D95B500, 0x8AA56D02, 0x15D26E00, 0x82D25E07, 0x0EE92E00,
    0x19EA9600, 0x86DA9505, 0x105B4A00, 0x1CAB6900, 0x882AD803,
};

constexpr LunarMonthRun RunOf(int year)
{
    return UnpackMonthRun(kLunarYearTable[year - kFirstLunarYear]);
}

constexpr int DaysInYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 366 : 365;
}

constexpr int RunIndexOfMonth(const LunarMonthRun& run, int number)
{
    for (int k = 0; k <= kLunarRunMonths; ++k) {
        if (run.numbers[k] == number) {
            return k;
        }
    }
    return -1;
}

// The 0-based day of the Gregorian year on which run month k begins (k >= 1).
constexpr int FirstDayIndexOfRunMonth(const LunarMonthRun& run, int k)
{
    int day_index = run.lengths[0] - run.first_day + 1;
    for (int j = 1; j < k; ++j) {
        day_index += run.lengths[j];
    }
    return day_index;
}

// A record must be readable on its own and must continue its predecessor: the day after
// 31 December of the year before is the month and day the record starts with. The conversion
// relies on this when it asks the year before whether 1 January lies in a leap month, and that
// question is only sound if 31 December is never in the month in progress on its own 1 January
// and a month begun on 1 January does not follow a leap month.
constexpr bool RecordIsSound(int year)
{
    const LunarYearRecord record = kLunarYearTable[year - kFirstLunarYear];
    const LunarMonthRun run = RunOf(year);
    const int leap = static_cast<int>(record & 0xFF);
    if (run.first_day < 1 || run.first_day > run.lengths[0] || leap > 12) {
        return false;
    }
    // 正月初一 between 21 January and 20 February (day indices 20 to 50).
    const int new_year = RunIndexOfMonth(run, 1);
    if (new_year < 1) {
        return false;
    }
    const int new_year_day = FirstDayIndexOfRunMonth(run, new_year);
    if (new_year_day < 20 || new_year_day > 50) {
        return false;
    }
    const LunarRunPlace year_end = PlaceInRun(run, DaysInYear(year) - 1);
    if (year_end.index == 0 || year_end.day > run.lengths[year_end.index]) {
        return false;
    }
    if (year == kFirstLunarYear) {
        return true;
    }
    const LunarMonthRun before = RunOf(year - 1);
    const LunarRunPlace eve = PlaceInRun(before, DaysInYear(year - 1) - 1);
    const bool month_goes_on = eve.day < before.lengths[eve.index];
    const int next_number = before.numbers[month_goes_on ? eve.index : eve.index + 1];
    const int next_day = month_goes_on ? eve.day + 1 : 1;
    const bool eve_in_leap = before.numbers[eve.index] < 0;
    return (next_number < 0 ? -next_number : next_number) == run.numbers[0] &&
           next_day == run.first_day && (month_goes_on || !eve_in_leap);
}

constexpr bool TableIsSound()
{
    for (int year = kFirstLunarYear; year <= kLastLunarYear; ++year) {
        if (!RecordIsSound(year)) {
            return false;
        }
    }
    return true;
}

static_assert(TableIsSound());

// 2020 reads as 12th month, day 7 on 1 January, a leap month after the 4th; 正月初一 is 25 January.
static_assert(RunOf(2020).first_day == 7 && RunOf(2020).numbers[0] == 12 &&
              RunOf(2020).numbers[4] == 4 && RunOf(2020).numbers[5] == -4 &&
              RunOf(2020).numbers[6] == 5 && FirstDayIndexOfRunMonth(RunOf(2020), 1) == 24);
// The two mended years: lengths of the 6th and 7th months of 1989, the 4th and 5th of 2013.
static_assert(RunOf(1989).numbers[7] == 6 && RunOf(1989).lengths[7] == 30 &&
              RunOf(1989).lengths[8] == 29);
static_assert(RunOf(2013).numbers[5] == 4 && RunOf(2013).lengths[5] == 29 &&
              RunOf(2013).lengths[6] == 30);
// 1 January 2034 lies in the leap 11th month begun in 2033.
static_assert(RunOf(2034).numbers[0] == 11 && RunOf(2034).first_day == 11 &&
              PlaceInRun(RunOf(2033), DaysInYear(2033) - 1).day == 10 &&
              RunOf(2033).numbers[PlaceInRun(RunOf(2033), DaysInYear(2033) - 1).index] == -11);

}  // namespace

LunarYearRecord LunarYearRecordOf(int year)
{
    return kLunarYearTable[year - kFirstLunarYear];
}
