#pragma once
// The font-and-effect dialog: edits one label style (font and every text effect) with a live
// sample drawn exactly as a styled label draws it.

#include "components/label_style.h"

#include <QDialog>
#include <QFont>

#include <functional>
#include <memory>
#include <optional>

class ColourCombo;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class StyledLabel;

// Modal dialog over a copy of a font and an effect; the caller takes them back after OK.
class FontEffectDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a font starting at the given one; empty when the user cancels.
    using FontChooser = std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)>;
    // Asks for a picture file to load as texture; empty when the user cancels.
    using PictureChooser = std::function<QString(QWidget* parent)>;

    explicit FontEffectDialog(QWidget* parent = nullptr);
    ~FontEffectDialog() override;

    void setLabelFont(const LabelFont& font);
    LabelFont labelFont() const { return font_; }
    void setEffect(const TextEffect& effect);
    TextEffect effect() const { return effect_; }
    void setSampleText(const QString& text);
    const StyledLabel& sample() const { return *sample_; }

    // Replace the system dialogs (tests answer them themselves).
    void setFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }
    void setPictureChooser(PictureChooser chooser) { pictureChooser_ = std::move(chooser); }
    void setErrorReporter(std::function<void(const QString&)> report) { report_ = std::move(report); }

    // Runs the dialog modally; true when the user confirmed.
    bool run();

    // What the buttons of the dialog do.
    void chooseFont();
    void chooseTexture();
    void clearTexture();
    // Loads a picture file of any supported kind as the texture; reports a file that fails.
    bool loadTexture(const QString& path);

private:
    void buildControls();
    void showValues();
    void readControls();
    void refreshSample();
    void showFontDescription();

    LabelFont font_;
    TextEffect effect_;
    std::unique_ptr<StyledLabel> sample_;
    bool showing_ = false;  // controls are being filled from the values: no feedback loop
    FontChooser fontChooser_;
    PictureChooser pictureChooser_;
    std::function<void(const QString&)> report_;

    QWidget* sampleView_ = nullptr;
    QLabel* fontDescription_ = nullptr;
    ColourCombo* fontColour_ = nullptr;
    QSpinBox* alpha_ = nullptr;
    QSpinBox* blur_ = nullptr;
    QSpinBox* noise_ = nullptr;
    QSpinBox* spray_ = nullptr;
    QSpinBox* angle_ = nullptr;
    QCheckBox* outline_ = nullptr;
    QCheckBox* horzMirror_ = nullptr;
    QCheckBox* vertMirror_ = nullptr;
    QGroupBox* shadow_ = nullptr;
    ColourCombo* shadowColour_ = nullptr;
    QSpinBox* shadowAlpha_ = nullptr;
    QSpinBox* shadowBlur_ = nullptr;
    QSpinBox* shadowOffsetX_ = nullptr;
    QSpinBox* shadowOffsetY_ = nullptr;
    QGroupBox* gradual_ = nullptr;
    ColourCombo* gradualStart_ = nullptr;
    ColourCombo* gradualEnd_ = nullptr;
    QComboBox* gradualStyle_ = nullptr;
    QGroupBox* texture_ = nullptr;
    QComboBox* textureMode_ = nullptr;
    QLabel* texturePreview_ = nullptr;
};

// The Qt font a label font stands for at the given size in points, face name substituted.
QFont ToQFont(const LabelFont& font);
// The label font for a font chosen in the system's font dialog, starting from `previous`: the
// size and style set of the chosen font, the colour of `previous` (a QFont has none). The face
// name stays the stored one while the chosen family is still what it is drawn with (so 楷体 does
// not turn into 宋体 though both are drawn alike); a family drawn for a Windows face name is kept
// under that name, so the settings stay readable where that face exists.
LabelFont FromQFont(const QFont& font, const LabelFont& previous);
