#pragma once
// The settings dialog's third tab, "背景": a picture folder with water ripples, or a solid colour,
// each optionally replaced at random after an interval.

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class ColourCombo;
class DirectoryEdit;
class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

// What the background tab edits (Water and Pure sections, and System/Mode).
struct BackgroundValues {
    int mode = 0;                 // 0 pictures with ripples, 1 solid colour; any other selects neither
    std::string waterDirectory;
    bool onMouseClose = true;
    bool randomPic = false;
    // Seconds between pictures; nullopt when no choice of the list is selected, so none is saved.
    std::optional<int> pictureInterval = 60;
    int32_t bkColor = 15780518;   // 0x00BBGGRR
    bool randomBk = false;
    int colourInterval = 10;
};

// The seconds each choice of the picture interval list stands for, in list order. "10min" has
// always been stored as 1000, and the saver reads it so.
inline constexpr int kPictureIntervals[] = {30, 60, 120, 180, 300, 1000};

// Tab "背景".
class BackgroundTab : public QWidget {
    Q_OBJECT
public:
    // `programFolder` is the executable's folder with its trailing separator; the picture folder
    // may not be that folder itself. `showMessage` shows a modal message box.
    BackgroundTab(std::string programFolder, std::function<void(const QString&)> showMessage,
                  QWidget* parent = nullptr);

    // Fills the controls in the order the controls react to: mode, folder, mouse, interval,
    // random picture, colour, random colour, colour interval.
    void load(const BackgroundValues& values);
    // `mode` is 0 while the water radio button is selected, else 1.
    BackgroundValues values() const;

    DirectoryEdit* directoryEdit() const { return WaterDirectory; }

    // Enables the controls of the chosen background.
    void RB_waterClick();
    // The interval list is usable only while pictures change at random.
    void cb_random_picClick();
    // Refuses the program's own folder as the picture folder.
    void WaterDirectoryChange();

private:
    std::string programFolder_;
    std::function<void(const QString&)> showMessage_;
    QRadioButton* RB_water;
    QCheckBox* cb_Mouse_Close;
    DirectoryEdit* WaterDirectory;
    QCheckBox* cb_random_pic;
    QComboBox* cbb_inter_pic;
    QRadioButton* RB_Pure;
    ColourCombo* BKColor;
    QCheckBox* cb_random;
    QSpinBox* SE_BKColor;
};
