#include "settings/scroll_tab.h"

#include "settings/setup_tab.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

namespace {

// A caption whose right edge sits just before the spin box it names, as the captions differ in
// length but share one column of fields.
void PlaceCaption(QWidget* parent, const char* name, const QString& text, int top)
{
    PlaceRightAlignedLabel(parent, name, text, 113, top, 110);
}

}  // namespace

ScrollTab::ScrollTab(QWidget* parent) : QWidget(parent)
{
    CB_Scroll = PlaceCheckBox(this, "CB_Scroll", QStringLiteral("启用滚动"), 32, 20, 67);
    PlaceCaption(this, "Label1", QStringLiteral("循环延时(s)"), 63);
    RepeatDelay = PlaceSpinBox(this, "RepeatDelay", 117, 58, 72, 2, 60, 1);
    PlaceCaption(this, "Label2", QStringLiteral("滚动时延时(ms)"), 100);
    ScrollDelay = PlaceSpinBox(this, "ScrollDelay", 117, 95, 72, 5, 200, 5);
    PlaceCaption(this, "Label8", QStringLiteral("滚动步长"), 135);
    SE_step = PlaceSpinBox(this, "SE_step", 117, 130, 72, 1, 3, 1);
}

void ScrollTab::load(const ScrollValues& values)
{
    CB_Scroll->setChecked(values.scroll);
    RepeatDelay->setValue(values.repeatDelay);
    ScrollDelay->setValue(values.scrollDelay);
    SE_step->setValue(values.step);
}

ScrollValues ScrollTab::values() const
{
    return {CB_Scroll->isChecked(), RepeatDelay->value(), ScrollDelay->value(), SE_step->value()};
}
