#pragma once
// The lunar months that overlap one Gregorian year, unpacked from that year's four-byte record.
// Internal to the calendar: the conversion walks it and the year table checks itself with it at
// compile time. Other code uses calendar/lunar_calendar.h.

#include <cstdint>

// One Gregorian year's record, its four bytes written as one hexadecimal number, byte 0 highest:
// byte 0 = bit 7 set for the 12th month (clear: 11th) in progress on 1 January, bits 6-0 its lunar
// day on 1 January; bytes 1-2 = the lengths of 16 consecutive months from that one, the highest
// bit first, set for 30 days and clear for 29; byte 3 = the ordinary month followed by a leap
// month among them, 0 for none.
using LunarYearRecord = std::uint32_t;

inline constexpr int kFirstLunarYear = 1901;
inline constexpr int kLastLunarYear = 2050;
inline constexpr int kLunarRunMonths = 16;

// The record of a year from kFirstLunarYear to kLastLunarYear.
LunarYearRecord LunarYearRecordOf(int year);

// The 16 months of one record with their numbers, a leap month's number negated; numbers has one
// entry more than lengths, the month after the run, so that numbering reads as one simple step.
struct LunarMonthRun {
    int first_day = 0;  // lunar day of month 0 on 1 January
    int lengths[kLunarRunMonths] = {};
    int numbers[kLunarRunMonths + 1] = {};
};

constexpr LunarMonthRun UnpackMonthRun(LunarYearRecord record)
{
    LunarMonthRun run;
    const int byte0 = static_cast<int>(record >> 24);
    const int map = static_cast<int>((record >> 8) & 0xFFFF);
    const int leap = static_cast<int>(record & 0xFF);
    run.first_day = byte0 & 0x7F;
    run.numbers[0] = (byte0 & 0x80) != 0 ? 12 : 11;
    for (int j = 0; j < kLunarRunMonths; ++j) {
        run.lengths[j] = (map >> (kLunarRunMonths - 1 - j)) & 1 ? 30 : 29;
        // A leap month carries the negated number of the month it follows, so it never matches
        // the leap byte itself and the month after it is numbered on from the ordinary one.
        if (run.numbers[j] == leap) {
            run.numbers[j + 1] = -leap;
        } else {
            const int next = (run.numbers[j] < 0 ? -run.numbers[j] : run.numbers[j]) + 1;
            run.numbers[j + 1] = next > 12 ? 1 : next;
        }
    }
    return run;
}

// Where a day of the Gregorian year lies in the run: the month's index and the lunar day.
struct LunarRunPlace {
    int index = 0;
    int day = 0;
};

// day_index is 0 for 1 January. Every record ends its year within the run; the walk still stops at
// the last month so that it can never read past it.
constexpr LunarRunPlace PlaceInRun(const LunarMonthRun& run, int day_index)
{
    int last_of_month = run.lengths[0] - run.first_day;  // day_index of month 0's last day
    if (day_index <= last_of_month) {
        return {0, run.first_day + day_index};
    }
    int k = 1;
    while (k < kLunarRunMonths - 1 && day_index > last_of_month + run.lengths[k]) {
        last_of_month += run.lengths[k];
        ++k;
    }
    return {k, day_index - last_of_month};
}
