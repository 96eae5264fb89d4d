#pragma once
// The settings dialog's second tab, "字体位置": a font button and a top edge for each of the
// saver's four text lines, and the logo's place and size.

#include <QWidget>

class QPushButton;
class QSpinBox;

// Top edges of the saver's four text lines, in pixels (System section).
struct LabelTops {
    int title = 100;
    int n = 100;
    int startEnd = 100;
    int ltw = 100;
};

// Place and size of the logo picture, in pixels (LOGO section).
struct LogoBox {
    int left = 100;
    int top = 100;
    int width = 100;
    int height = 100;
};

// Tab "字体位置". The font buttons only announce a click; the dialog owns the styles they edit.
class FontsTab : public QWidget {
    Q_OBJECT
public:
    explicit FontsTab(QWidget* parent = nullptr);

    // Values outside a spin box's range show (and are later saved) as the nearer bound.
    void setLabelTops(const LabelTops& tops);
    LabelTops labelTops() const;
    void setLogo(const LogoBox& logo);
    LogoBox logo() const;

    QPushButton* titleFontButton() const { return btn_font_title; }
    QPushButton* nFontButton() const { return btn_font_n; }
    QPushButton* startEndFontButton() const { return btn_font_start_end; }
    QPushButton* weekFontButton() const { return btn_font_week; }

private:
    QPushButton* btn_font_title;
    QPushButton* btn_font_n;
    QPushButton* btn_font_start_end;
    QPushButton* btn_font_week;
    QSpinBox* SE_title;
    QSpinBox* SE_n;
    QSpinBox* SE_Se;
    QSpinBox* SE_Time;
    QSpinBox* logo_Left;
    QSpinBox* logo_Top;
    QSpinBox* logo_width;
    QSpinBox* logo_height;
};
