#pragma once
// The settings dialog: shows every setting of the settings file on five tabs, lets the user pick
// the font and text effect of the saver's four text lines, and writes everything back on OK.

#include "calendar/date_time.h"
#include "settings/settings_file.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class AboutTab;
class BackgroundTab;
class FontEffectDialog;
class FontsTab;
class QPushButton;
class QTabWidget;
class ScrollTab;
class StyledLabel;
class SystemTab;

// What the settings dialog takes from its surroundings. Tests replace any part of it, so that no
// modal box or system dialog blocks them.
struct SetupEnvironment {
    std::string appDirectory;  // the program's folder with its trailing separator
    int screenHeight = 0;      // of the primary screen, for the default line positions
    std::function<DateTime()> today;
    // A modal message box with an information text.
    std::function<void(const QString&)> showMessage;
    // The application's error box, for failures that stop an action.
    std::function<void(const QString&)> showError;
    // Runs the font-and-effect dialog modally; true when the user confirmed.
    std::function<bool(FontEffectDialog&)> runFontDialog;
};

// The environment of a real run: the executable's folder, the primary screen, the local clock,
// message boxes and the modal font-and-effect dialog.
SetupEnvironment DefaultSetupEnvironment();

// The settings dialog "Tarnik计时器屏保_设置". It keeps the settings file open while it lives.
class Tsetup : public QDialog {
    Q_OBJECT
public:
    explicit Tsetup(SetupEnvironment environment, QWidget* parent = nullptr);
    ~Tsetup() override;

    // Handlers of the dialog's own buttons.
    void btn_saveClick();
    void btn_quitClick();
    void btn_font_titleClick();
    void btn_font_nClick();
    void btn_font_start_endClick();
    void btn_font_weekClick();

    // The hidden carriers of the four text styles.
    const StyledLabel& titleStyle() const { return *AALabel_title; }
    const StyledLabel& nStyle() const { return *AALabel_n; }
    const StyledLabel& startEndStyle() const { return *AALabel_se; }
    const StyledLabel& weekStyle() const { return *AALabel_week; }

    void done(int result) override;

private:
    void FormCreate();
    void FormClose();
    void buildWindow();
    void editStyle(StyledLabel& carrier, const QString& sampleText);
    // The name of the first field whose text the settings file cannot hold (a character without a
    // code page 936 form, or a line break), or empty.
    QString fieldWithoutCodePage936Form() const;
    void writeSettings();

    SetupEnvironment environment_;
    SettingsFile file_;
    bool fileClosed_ = false;

    QTabWidget* pgc1 = nullptr;
    SystemTab* ts_sys = nullptr;
    FontsTab* TabSheet4 = nullptr;
    BackgroundTab* TabSheet1 = nullptr;
    ScrollTab* TabSheet3 = nullptr;
    AboutTab* ts_about = nullptr;
    QPushButton* btn_save = nullptr;
    QPushButton* btn_quit = nullptr;

    std::unique_ptr<StyledLabel> AALabel_title;
    std::unique_ptr<StyledLabel> AALabel_n;
    std::unique_ptr<StyledLabel> AALabel_se;
    std::unique_ptr<StyledLabel> AALabel_week;
};
