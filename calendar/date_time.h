#pragma once
// The program's date-time value: days since 1899-12-30 as a double, the fraction being the
// time of day. The calendar, the day counter and the settings file's dates all use it.

// Days since 1899-12-30; the fraction is the time of day.
using DateTime = double;

// The calendar parts of a date-time value.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// The date-time value of midnight at the start of the given proleptic Gregorian date.
DateTime EncodeDate(int year, int month, int day);
// The value of the given date and time of day.
DateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond = 0);
// The calendar date of a value; the time of day plays no part. For values before 1899-12-30 the
// date is the integer part, as the value's convention has it (-1.25 is 1899-12-29 06:00).
CalendarDate DecodeDate(DateTime value);
// Midnight at the start of the value's calendar date.
DateTime DateOf(DateTime value);
// Days from 1 January to 31 December: whether the year has a 29 February.
bool IsLeapYear(int year);
// Days in the given month of the given year.
int DaysInMonth(int year, int month);
