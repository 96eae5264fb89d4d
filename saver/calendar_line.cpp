#include "saver/calendar_line.h"

#include "calendar/lunar_calendar.h"

std::string LunarLineText(DateTime today)
{
    return YearStemText(today) + YearBranchText(today) + "年 " + LunarDateText(today);
}

QString TrimControlAndSpace(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString ComposeCalendarLine(const CalendarLineParts& parts, const QString& lunarText,
                            const QString& timeText, const QString& weekdayText)
{
    QString line;
    if (parts.ShowLunar)
        line += lunarText + QStringLiteral("  ");
    if (parts.ShowTime)
        line += timeText + QStringLiteral("  ");
    if (parts.ShowWeek)
        line += weekdayText;
    return TrimControlAndSpace(line);
}
