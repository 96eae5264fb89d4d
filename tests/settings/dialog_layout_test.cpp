// The settings dialog's fixed layout at the fonts this machine has: no control covers another and
// no caption is cut. With TARNIK_DIALOG_IMAGES set to a folder, the test also writes a picture of
// each tab there (dialog-<tab>.png) for the documentation.

#include "settings/f_setup.h"

#include "components/font_effect_dialog.h"
#include "support/temp_dir.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<Tsetup> OpenDialog(const std::string& appDirectory)
{
    SetupEnvironment environment;
    environment.appDirectory = appDirectory;
    environment.screenHeight = 1080;
    environment.today = [] { return EncodeDate(2024, 1, 11); };
    environment.showMessage = [](const QString&) {};
    environment.showError = [](const QString&) {};
    environment.runFontDialog = [](FontEffectDialog&) { return false; };
    auto setup = std::make_unique<Tsetup>(std::move(environment));
    setup->show();
    return setup;
}

// The widgets placed directly on a tab page, as the user sees them.
QList<QWidget*> PlacedControls(QWidget* page)
{
    QList<QWidget*> controls;
    for (QWidget* child : page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(page))
            controls << child;
    return controls;
}

QString NameOf(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    return widget->objectName() + (label ? QStringLiteral(" \"%1\"").arg(label->text()) : QString());
}

}  // namespace

TEST(SettingsDialogLayout, NoControlCoversAnotherOrLeavesItsPage)
{
    TempDir dir;
    auto setup = OpenDialog(dir.path() + "/");
    auto* pages = setup->findChild<QTabWidget*>(QStringLiteral("pgc1"));
    ASSERT_TRUE(pages);
    for (int tab = 0; tab < pages->count(); ++tab) {
        pages->setCurrentIndex(tab);
        QWidget* page = pages->widget(tab);
        const QList<QWidget*> controls = PlacedControls(page);
        for (int i = 0; i < controls.size(); ++i) {
            EXPECT_TRUE(page->rect().contains(controls[i]->geometry()))
                << pages->tabText(tab).toStdString() << ": " << NameOf(controls[i]).toStdString();
            for (int j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << pages->tabText(tab).toStdString() << ": " << NameOf(controls[i]).toStdString()
                    << " and " << NameOf(controls[j]).toStdString();
        }
    }
}

TEST(SettingsDialogLayout, EveryCaptionFitsItsControl)
{
    TempDir dir;
    auto setup = OpenDialog(dir.path() + "/");
    for (const QLabel* label : setup->findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << NameOf(label).toStdString();
        }
    }
    for (const QAbstractButton* button : setup->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty())
            continue;
        // A push button's hint asks for a comfortable minimum width; its caption needs less.
        const int needed = qobject_cast<const QPushButton*>(button)
                               ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                               : button->sizeHint().width();
        EXPECT_GE(button->width(), needed)
            << button->objectName().toStdString() << " " << button->text().toStdString();
    }
    // A drop-down shows each of its items whole beside its arrow ("10min" in the interval list).
    for (QComboBox* combo : setup->findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const int field = combo->style()
                              ->subControlRect(QStyle::CC_ComboBox, &option,
                                               QStyle::SC_ComboBoxEditField, combo)
                              .width();
        for (int i = 0; i < combo->count(); ++i) {
            const int icon = combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4;
            EXPECT_GE(field, icon + combo->fontMetrics().horizontalAdvance(combo->itemText(i)))
                << combo->objectName().toStdString() << " " << combo->itemText(i).toStdString();
        }
    }
    // The captions that change with the date fit in both their forms.
    const std::pair<const char*, QString> changing[] = {{"lbl_first", QStringLiteral("剩")},
                                                        {"lbl_start", QStringLiteral(" 起始日期")},
                                                        {"lbl_start", QStringLiteral("截止日期")}};
    for (const auto& [name, text] : changing) {
        const auto* label = setup->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_TRUE(label) << name;
        QLabel sample(text);
        sample.setFont(label->font());
        EXPECT_GE(label->width(), sample.sizeHint().width()) << name;
    }
}

TEST(SettingsDialogLayout, WritesPicturesOfEachTabWhenAsked)
{
    const QString folder = qEnvironmentVariable("TARNIK_DIALOG_IMAGES");
    if (folder.isEmpty())
        GTEST_SKIP() << "set TARNIK_DIALOG_IMAGES to a folder to write the pictures";
    ASSERT_TRUE(QDir().mkpath(folder));
    // A folder that holds no settings file, with a name that reads well in the pictures.
    auto setup = OpenDialog("/opt/tarnik-saver/");
    auto* pages = setup->findChild<QTabWidget*>(QStringLiteral("pgc1"));
    ASSERT_TRUE(pages);
    const char* names[] = {"system", "fonts", "background", "scroll", "about"};
    ASSERT_EQ(pages->count(), 5);
    for (int tab = 0; tab < pages->count(); ++tab) {
        pages->setCurrentIndex(tab);
        const QString path = QDir(folder).filePath(QStringLiteral("dialog-%1.png").arg(names[tab]));
        EXPECT_TRUE(setup->grab().save(path)) << path.toStdString();
    }

    // The font-and-effect dialog behind the "字体" buttons, with a shadow and a gradient on.
    FontEffectDialog fonts;
    LabelFont font;
    font.Size = 36;
    TextEffect effect;
    effect.Shadow.Enabled = true;
    effect.Gradual = {true, 0x0000C0, 0xC06000, gsLeftToRight};
    fonts.setLabelFont(font);
    fonts.setEffect(effect);
    fonts.setSampleText(QStringLiteral("Tarnik工作室成立至今"));
    fonts.show();
    const QString path = QDir(folder).filePath(QStringLiteral("dialog-font-effect.png"));
    EXPECT_TRUE(fonts.grab().save(path)) << path.toStdString();
}
