#include "settings/fonts_tab.h"

#include "settings/setup_tab.h"

#include <QPushButton>
#include <QSpinBox>

namespace {

QPushButton* PlaceFontButton(QWidget* parent, const char* name, int top)
{
    auto* button = new QPushButton(QStringLiteral("字体"), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(75, top, 62, 24);
    return button;
}

// One row of a saver text line: caption, font button, "上" and the spin box of its top edge.
QSpinBox* PlaceLineRow(QWidget* parent, const char* labelName, const QString& caption,
                       int captionLeft, int captionTop, const char* spinName)
{
    PlaceLabel(parent, labelName, caption, captionLeft, captionTop);
    PlaceLabel(parent, "", QStringLiteral("上"), 150, captionTop);
    return PlaceSpinBox(parent, spinName, 165, captionTop - 4, 62, 100, 1000, 20);
}

}  // namespace

FontsTab::FontsTab(QWidget* parent) : QWidget(parent)
{
    SE_title = PlaceLineRow(this, "Label4", QStringLiteral("顶端标题"), 20, 13, "SE_title");
    btn_font_title = PlaceFontButton(this, "btn_font_title", 7);
    SE_n = PlaceLineRow(this, "Label5", QStringLiteral("第n天"), 38, 45, "SE_n");
    btn_font_n = PlaceFontButton(this, "btn_font_n", 39);
    SE_Se = PlaceLineRow(this, "Label6", QStringLiteral("起止日期"), 20, 77, "SE_Se");
    btn_font_start_end = PlaceFontButton(this, "btn_font_start_end", 71);
    SE_Time = PlaceLineRow(this, "Label7", QStringLiteral("时间星期"), 20, 109, "SE_Time");
    btn_font_week = PlaceFontButton(this, "btn_font_week", 103);

    // "Logo" stands 6 pixels left of its classic place: our Latin letters run wider than the
    // bitmap face's, and there it would touch "左" and "宽".
    PlaceLabel(this, "lbl1", QStringLiteral("Logo"), 22, 155);
    PlaceLabel(this, "lbl2", QStringLiteral("左"), 56, 140);
    logo_Left = PlaceSpinBox(this, "logo_Left", 75, 136, 62, 1, 2000, 20);
    PlaceLabel(this, "lbl3", QStringLiteral("上"), 150, 140);
    logo_Top = PlaceSpinBox(this, "logo_Top", 165, 136, 62, 1, 2000, 20);
    PlaceLabel(this, "lbl5", QStringLiteral("宽"), 56, 168);
    logo_width = PlaceSpinBox(this, "logo_width", 75, 164, 62, 5, 1000, 20);
    PlaceLabel(this, "lbl9", QStringLiteral("高"), 150, 168);
    logo_height = PlaceSpinBox(this, "logo_height", 165, 164, 62, 1, 1000, 20);
}

void FontsTab::setLabelTops(const LabelTops& tops)
{
    SE_title->setValue(tops.title);
    SE_n->setValue(tops.n);
    SE_Se->setValue(tops.startEnd);
    SE_Time->setValue(tops.ltw);
}

LabelTops FontsTab::labelTops() const
{
    return {SE_title->value(), SE_n->value(), SE_Se->value(), SE_Time->value()};
}

void FontsTab::setLogo(const LogoBox& logo)
{
    logo_Left->setValue(logo.left);
    logo_Top->setValue(logo.top);
    logo_width->setValue(logo.width);
    logo_height->setValue(logo.height);
}

LogoBox FontsTab::logo() const
{
    return {logo_Left->value(), logo_Top->value(), logo_width->value(), logo_height->value()};
}
