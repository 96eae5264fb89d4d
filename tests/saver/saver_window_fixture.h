#pragma once
// A saver window built offscreen in a folder of its own, with a clock and a random source the
// test holds, and the skipped-picture lines collected instead of printed.

#include "saver/f_matrix.h"
#include "saver_fakes.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"
#include "support/temp_dir.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class SaverWindowTest : public testing::Test {
protected:
    // The folder of the program: ScreenSaver.ini, pic/, logo.png and textures go here.
    std::string appDirectory() const { return dir.path() + "/"; }

    SettingsFile settings() { return SettingsFile(appDirectory() + "ScreenSaver.ini"); }
    void setInteger(Setting key, int value)
    {
        SettingsFile file = settings();
        WriteIntegerSetting(file, key, value);
    }
    void setBool(Setting key, bool value)
    {
        SettingsFile file = settings();
        WriteBoolSetting(file, key, value);
    }
    void setString(Setting key, const std::string& value)
    {
        SettingsFile file = settings();
        WriteStringSetting(file, key, value);
    }
    void setDate(Setting key, DateTime value)
    {
        SettingsFile file = settings();
        WriteDateSetting(file, key, value);
    }

    // A plain picture of one colour in the picture folder (made when missing).
    void addPicture(const std::string& name, QColor colour, QSize size = QSize(64, 48))
    {
        std::filesystem::create_directories(dir.file("pic"));
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(dir.file("pic/" + name))));
    }

    std::unique_ptr<TfrmScreenSaver> create(QSize screen = QSize(1920, 1080))
    {
        SaverEnvironment env;
        env.clock = clock;
        env.random = random;
        env.appDirectory = appDirectory();
        env.screen = QRect(QPoint(0, 0), screen);
        env.cursorPosition = [this] { return cursor; };
        env.report = [this](const std::string& line) { reports.push_back(line); };
        return std::make_unique<TfrmScreenSaver>(std::move(env));
    }

    TempDir dir;
    std::shared_ptr<FakeClock> clock =
        std::make_shared<FakeClock>(EncodeDateTime(2024, 1, 11, 9, 30, 0));
    // Zeros: every uniform draw is 0 and every index the first.
    std::shared_ptr<ScriptedRandom> random =
        std::make_shared<ScriptedRandom>(std::vector<uint32_t>{0});
    QPoint cursor{960, 540};
    std::vector<std::string> reports;
};
