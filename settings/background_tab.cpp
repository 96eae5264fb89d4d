#include "settings/background_tab.h"

#include "components/colour_combo.h"
#include "components/colours.h"
#include "components/directory_edit.h"
#include "settings/setup_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

BackgroundTab::BackgroundTab(std::string programFolder,
                             std::function<void(const QString&)> showMessage, QWidget* parent)
    : QWidget(parent), programFolder_(std::move(programFolder)), showMessage_(std::move(showMessage))
{
    RB_water = PlaceRadioButton(this, "RB_water", QStringLiteral("水波"), 16, 13, 43);
    cb_Mouse_Close =
        PlaceCheckBox(this, "cb_Mouse_Close", QStringLiteral("鼠标事件关闭屏保"), 73, 13, 115);
    cb_Mouse_Close->setToolTip(QStringLiteral("\u3000选中：鼠标移动、按下时关闭\n"
                                              "不选中：鼠标移动、按下时水波效果"));

    PlaceLabel(this, "Label9", QStringLiteral("图片目录"), 23, 44);
    WaterDirectory = new DirectoryEdit(this);
    WaterDirectory->setObjectName(QStringLiteral("WaterDirectory"));
    WaterDirectory->setGeometry(73, 40, 153, kEditHeight);

    cb_random_pic = PlaceCheckBox(this, "cb_random_pic", QStringLiteral("图片随机"), 24, 73, 67, 26);
    // The two interval fields start 4 pixels further left and run 14 wider than the classic
    // layout: a drop-down's frame and arrow take more room here, and at 52 pixels "10min" would be
    // cut. Their captions move left with them.
    PlaceLabel(this, "Label13", QStringLiteral("随机间隔(s)"), 102, 74);
    cbb_inter_pic = new QComboBox(this);
    cbb_inter_pic->setObjectName(QStringLiteral("cbb_inter_pic"));
    for (const char* item : {"30s", "1min", "2min", "3min", "5min", "10min"})
        cbb_inter_pic->addItem(QString::fromLatin1(item));
    cbb_inter_pic->setGeometry(170, 70, 66, kEditHeight);

    auto* Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(4, 100, 233, 2);

    RB_Pure = PlaceRadioButton(this, "RB_Pure", QStringLiteral("背景纯色"), 16, 118, 67);
    BKColor = new ColourCombo(this);
    BKColor->setObjectName(QStringLiteral("BKColor"));
    BKColor->setGeometry(106, 116, 120, kEditHeight);

    cb_random = PlaceCheckBox(this, "cb_random", QStringLiteral("颜色随机"), 24, 157, 67);
    PlaceLabel(this, "Label3", QStringLiteral("随机间隔(s)"), 102, 158);
    SE_BKColor = PlaceSpinBox(this, "SE_BKColor", 170, 154, 66, 2, 60, 1);

    connect(RB_water, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RB_waterClick();
    });
    connect(RB_Pure, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RB_waterClick();
    });
    connect(cb_random_pic, &QCheckBox::toggled, this, &BackgroundTab::cb_random_picClick);
    connect(WaterDirectory, &DirectoryEdit::textChanged, this, &BackgroundTab::WaterDirectoryChange);
}

void BackgroundTab::load(const BackgroundValues& values)
{
    // Any other mode selects neither button, and every background control stays usable.
    if (values.mode == 0)
        RB_water->setChecked(true);
    else if (values.mode == 1)
        RB_Pure->setChecked(true);

    WaterDirectory->setText(QString::fromStdString(values.waterDirectory));
    cb_Mouse_Close->setChecked(values.onMouseClose);

    int interval = -1;
    for (int i = 0; i < static_cast<int>(std::size(kPictureIntervals)); ++i)
        if (values.pictureInterval == kPictureIntervals[i])
            interval = i;
    cbb_inter_pic->setCurrentIndex(interval);

    cb_random_pic->setChecked(values.randomPic);
    cb_random_picClick();

    BKColor->setColour(ColorFromWindows(values.bkColor));
    cb_random->setChecked(values.randomBk);
    SE_BKColor->setValue(values.colourInterval);
}

BackgroundValues BackgroundTab::values() const
{
    BackgroundValues values;
    values.mode = RB_water->isChecked() ? 0 : 1;
    values.waterDirectory = WaterDirectory->text().toStdString();
    values.onMouseClose = cb_Mouse_Close->isChecked();
    values.randomPic = cb_random_pic->isChecked();
    const int interval = cbb_inter_pic->currentIndex();
    values.pictureInterval =
        interval < 0 ? std::nullopt : std::optional<int>(kPictureIntervals[interval]);
    values.bkColor = ColorToWindows(BKColor->colour());
    values.randomBk = cb_random->isChecked();
    values.colourInterval = SE_BKColor->value();
    return values;
}

void BackgroundTab::RB_waterClick()
{
    const bool water = RB_water->isChecked();
    WaterDirectory->setEnabled(water);
    cb_Mouse_Close->setEnabled(water);
    // The random colour and its controls belong to the colour background; the picture interval
    // list is left alone and stays usable in either mode.
    cb_random->setEnabled(!water);
    SE_BKColor->setEnabled(!water);
    BKColor->setEnabled(!water);
}

void BackgroundTab::cb_random_picClick()
{
    cbb_inter_pic->setEnabled(cb_random_pic->isChecked());
}

void BackgroundTab::WaterDirectoryChange()
{
    const QString text = WaterDirectory->text();
    QString programFolder = QString::fromStdString(programFolder_);
    programFolder.chop(1);  // the trailing separator
    // An empty field names no folder, not even when the program sits at the root.
    if (text.isEmpty() || text != programFolder)
        return;
    showMessage_(QStringLiteral("请不要选择程序所在路径!"));
    WaterDirectory->setText(QString());
}
