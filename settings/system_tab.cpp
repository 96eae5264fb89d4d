#include "settings/system_tab.h"

#include "platform/regional_format.h"
#include "settings/setup_tab.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// The regional short date as a QDateTimeEdit pattern. Formatting a date whose day, month and
// year cannot be mistaken for one another shows the order and separators the settings file uses.
QString ShortDatePattern()
{
    QString pattern = QString::fromStdString(FormatShortDate(EncodeDate(2004, 10, 22)));
    pattern.replace(QStringLiteral("2004"), QStringLiteral("yyyy"));
    pattern.replace(QStringLiteral("22"), QStringLiteral("d"));
    pattern.replace(QStringLiteral("10"), QStringLiteral("M"));
    return pattern;
}

}  // namespace

QDate ToQDate(DateTime value)
{
    const CalendarDate date = DecodeDate(value);
    return QDate(date.year, date.month, date.day);
}

DateTime FromQDate(const QDate& date)
{
    return EncodeDate(date.year(), date.month(), date.day());
}

SystemTab::SystemTab(std::function<DateTime()> today, QWidget* parent)
    : QWidget(parent), today_(std::move(today))
{
    PlaceLabel(this, "lbl4", QStringLiteral("标题"), 26, 23);
    edt_bdz = PlaceEdit(this, "edt_bdz", 56, 19, 165);

    // Both changing captions keep their right edge just before the fields they name.
    lbl_start = PlaceRightAlignedLabel(this, "lbl_start", QStringLiteral("日期"), 52, 59, 52);
    DateTimePicker = new QDateEdit(this);
    DateTimePicker->setObjectName(QStringLiteral("DateTimePicker"));
    DateTimePicker->setCalendarPopup(true);
    DateTimePicker->setDisplayFormat(ShortDatePattern());
    DateTimePicker->setGeometry(56, 55, 165, kEditHeight);

    chk_addone = PlaceCheckBox(this, "chk_addone", QStringLiteral("起始日期作为第一天"), 56, 90, 127);

    PlaceLabel(this, "Label10", QStringLiteral("显示"), 26, 122);
    cb_lunar = PlaceCheckBox(this, "cb_lunar", QStringLiteral("农历"), 56, 121, 43);
    chk_time = PlaceCheckBox(this, "chk_time", QStringLiteral("时间"), 112, 120, 43);
    chk_week = PlaceCheckBox(this, "chk_week", QStringLiteral("星期"), 167, 120, 43);

    lbl_first = PlaceRightAlignedLabel(this, "lbl_first", QStringLiteral("第"), 52, 154, 40);
    edt_di_hai = PlaceEdit(this, "edt_di_hai", 56, 151, 57);

    connect(DateTimePicker, &QDateEdit::dateChanged, this, &SystemTab::DateTimePickerChange);
}

void SystemTab::load(const SystemValues& values)
{
    edt_bdz->setText(QString::fromStdString(values.title));
    edt_di_hai->setText(QString::fromStdString(values.dayPrefix));
    {
        // The captions are set below whether or not the date differs from the one shown.
        const QSignalBlocker blocker(DateTimePicker);
        DateTimePicker->setDate(ToQDate(values.startDate));
    }
    DateTimePickerChange();
    chk_addone->setChecked(values.addOne);
    cb_lunar->setChecked(values.lunar);
    chk_time->setChecked(values.time);
    chk_week->setChecked(values.week);
}

SystemValues SystemTab::values() const
{
    SystemValues values;
    values.title = edt_bdz->text().toStdString();
    values.dayPrefix = edt_di_hai->text().toStdString();
    values.startDate = FromQDate(DateTimePicker->date());
    values.addOne = chk_addone->isChecked();
    values.lunar = cb_lunar->isChecked();
    values.time = chk_time->isChecked();
    values.week = chk_week->isChecked();
    return values;
}

void SystemTab::DateTimePickerChange()
{
    const bool deadline = FromQDate(DateTimePicker->date()) > DateOf(today_());
    lbl_first->setText(deadline ? QStringLiteral("剩") : QStringLiteral("第"));
    lbl_start->setText(deadline ? QStringLiteral("截止日期") : QStringLiteral(" 起始日期"));
}
