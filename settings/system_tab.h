#pragma once
// The settings dialog's first tab, "系统设置": title text, start date, day-counter prefix and
// what the calendar line shows.

#include "calendar/date_time.h"

#include <QDate>
#include <QWidget>

#include <functional>
#include <string>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;

// What the system tab edits; all of it lives in the settings file's System section.
struct SystemValues {
    std::string title;
    std::string dayPrefix;
    DateTime startDate = 0;
    bool addOne = false;
    bool lunar = false;
    bool time = true;
    bool week = true;
};

// Tab "系统设置". Its captions follow the picked date: a past date is where counting starts, a
// future one is a deadline.
class SystemTab : public QWidget {
    Q_OBJECT
public:
    // `today` gives the local date (midnight) whenever the captions are chosen.
    explicit SystemTab(std::function<DateTime()> today, QWidget* parent = nullptr);

    // Fills the controls; the date captions match the loaded date at once.
    void load(const SystemValues& values);
    SystemValues values() const;

    // Relabels the date and prefix captions for the picked date.
    void DateTimePickerChange();

private:
    std::function<DateTime()> today_;
    QLineEdit* edt_bdz;
    QLabel* lbl_start;
    QDateEdit* DateTimePicker;
    QCheckBox* chk_addone;
    QCheckBox* cb_lunar;
    QCheckBox* chk_time;
    QCheckBox* chk_week;
    QLabel* lbl_first;
    QLineEdit* edt_di_hai;
};

// The calendar date of a date-time value as a QDate, and back (midnight).
QDate ToQDate(DateTime value);
DateTime FromQDate(const QDate& date);
