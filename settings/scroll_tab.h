#pragma once
// The settings dialog's fourth tab, "滚动字幕": whether the text block scrolls, and how.

#include <QWidget>

class QCheckBox;
class QSpinBox;

// What the scroll tab edits (Scroll section).
struct ScrollValues {
    bool scroll = true;
    int repeatDelay = 5;   // seconds between passes
    int scrollDelay = 60;  // milliseconds between steps
    int step = 1;          // pixels per step
};

// Tab "滚动字幕".
class ScrollTab : public QWidget {
    Q_OBJECT
public:
    explicit ScrollTab(QWidget* parent = nullptr);

    // Values outside a spin box's range show (and are later saved) as the nearer bound.
    void load(const ScrollValues& values);
    ScrollValues values() const;

private:
    QCheckBox* CB_Scroll;
    QSpinBox* RepeatDelay;
    QSpinBox* ScrollDelay;
    QSpinBox* SE_step;
};
