#include "components/font_effect_dialog.h"

#include "components/colour_combo.h"
#include "components/colours.h"
#include "components/font_substitution.h"
#include "components/picture.h"
#include "components/styled_label.h"
#include "components/text_effect_renderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Shows the sample label centred, scaled down when the style is larger than the view.
class SampleView : public QWidget {
public:
    explicit SampleView(const StyledLabel& label, QWidget* parent)
        : QWidget(parent), label_(label)
    {
        setMinimumSize(440, 130);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect area = rect();
        // A light checkerboard shows what opacity and blur let through.
        const QColor light(255, 255, 255), dark(232, 232, 232);
        for (int y = 0; y < area.height(); y += 8)
            for (int x = 0; x < area.width(); x += 8)
                painter.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? dark : light);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(area.adjusted(0, 0, -1, -1));

        const QImage& image = label_.image();
        if (image.isNull())
            return;
        const QRect inner = area.adjusted(4, 4, -4, -4);
        QSize size = image.size() / image.devicePixelRatio();
        if (size.width() > inner.width() || size.height() > inner.height())
            size.scale(inner.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), size);
        target.moveCenter(inner.center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image);
    }

private:
    const StyledLabel& label_;
};

QSpinBox* RangeBox(const char* name, int minimum, int maximum, const QString& suffix = QString())
{
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, maximum);
    box->setSuffix(suffix);
    box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return box;
}

QGroupBox* SwitchGroup(const char* name, const QString& title)
{
    auto* group = new QGroupBox(title);
    group->setObjectName(QString::fromLatin1(name));
    group->setCheckable(true);
    return group;
}

ColourCombo* NamedColourCombo(const char* name)
{
    auto* combo = new ColourCombo;
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

QString PictureFilter()
{
    QStringList patterns;
    for (const char* extension : PictureExtensions())
        patterns << QStringLiteral("*.") + QString::fromLatin1(extension);
    return QStringLiteral("图片 (%1)").arg(patterns.join(QLatin1Char(' ')));
}

}  // namespace

QFont ToQFont(const LabelFont& font)
{
    QFont qfont = LabelQFont(font);
    qfont.setPointSize(std::max(1, font.Size));
    return qfont;
}

LabelFont FromQFont(const QFont& font, const LabelFont& previous)
{
    LabelFont result = previous;
    const QString family = font.family();
    const QString drawnWith = SubstituteFontFamily(QString::fromStdString(previous.Name));
    if (family.compare(drawnWith, Qt::CaseInsensitive) != 0) {
        result.Name = family.toStdString();
        for (const FontSubstitution& entry : FontSubstitutions()) {
            if (family.compare(QString::fromUtf8(entry.family), Qt::CaseInsensitive) == 0) {
                result.Name = entry.faceName;
                break;
            }
        }
    }
    if (font.pointSize() > 0)
        result.Size = font.pointSize();
    else if (font.pixelSize() > 0)
        result.Size = std::max(1, font.pixelSize() * 72 / 96);
    result.Style = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
    return result;
}

FontEffectDialog::FontEffectDialog(QWidget* parent)
    : QDialog(parent),
      sample_(std::make_unique<StyledLabel>()),
      fontChooser_([](const QFont& initial, QWidget* owner) -> std::optional<QFont> {
          bool ok = false;
          const QFont chosen = QFontDialog::getFont(&ok, initial, owner, QStringLiteral("字体"));
          if (!ok)
              return std::nullopt;
          return chosen;
      }),
      pictureChooser_([](QWidget* owner) {
          return QFileDialog::getOpenFileName(owner, QStringLiteral("载入纹理图片"), QString(),
                                              PictureFilter());
      }),
      report_([](const QString& text) {
          QMessageBox::critical(nullptr, QStringLiteral("字体与效果"), text);
      })
{
    setObjectName(QStringLiteral("AAFontDialog"));
    setWindowTitle(QStringLiteral("字体与效果"));
    sample_->setText(QStringLiteral("Tarnik计时器屏保"));
    sample_->setFont(font_);
    sample_->setEffect(effect_);
    buildControls();
    showValues();
}

FontEffectDialog::~FontEffectDialog() = default;

void FontEffectDialog::buildControls()
{
    sampleView_ = new SampleView(*sample_, this);
    sampleView_->setObjectName(QStringLiteral("sample"));

    auto* fontButton = new QPushButton(QStringLiteral("字体..."));
    fontButton->setObjectName(QStringLiteral("fontButton"));
    fontButton->setAutoDefault(false);
    fontDescription_ = new QLabel;
    fontDescription_->setObjectName(QStringLiteral("fontDescription"));
    fontColour_ = NamedColourCombo("fontColour");
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(fontButton);
    fontRow->addWidget(fontDescription_, 1);
    fontRow->addWidget(new QLabel(QStringLiteral("颜色")));
    fontRow->addWidget(fontColour_);

    auto* text = new QGroupBox(QStringLiteral("文字"));
    alpha_ = RangeBox("alpha", 0, 100, QStringLiteral(" %"));
    blur_ = RangeBox("blur", 0, 100);
    noise_ = RangeBox("noise", 0, 255);
    spray_ = RangeBox("spray", 0, 255);
    angle_ = RangeBox("angle", -360, 360, QStringLiteral("°"));
    outline_ = new QCheckBox(QStringLiteral("空心"));
    outline_->setObjectName(QStringLiteral("outline"));
    horzMirror_ = new QCheckBox(QStringLiteral("水平镜像"));
    horzMirror_->setObjectName(QStringLiteral("horzMirror"));
    vertMirror_ = new QCheckBox(QStringLiteral("垂直镜像"));
    vertMirror_->setObjectName(QStringLiteral("vertMirror"));
    auto* textForm = new QFormLayout(text);
    textForm->addRow(QStringLiteral("不透明度"), alpha_);
    textForm->addRow(QStringLiteral("模糊"), blur_);
    textForm->addRow(QStringLiteral("噪点"), noise_);
    textForm->addRow(QStringLiteral("喷溅"), spray_);
    textForm->addRow(QStringLiteral("旋转"), angle_);
    auto* switches = new QHBoxLayout;
    switches->addWidget(outline_);
    switches->addWidget(horzMirror_);
    switches->addWidget(vertMirror_);
    textForm->addRow(switches);

    shadow_ = SwitchGroup("shadow", QStringLiteral("阴影"));
    shadowColour_ = NamedColourCombo("shadowColour");
    shadowAlpha_ = RangeBox("shadowAlpha", 0, 100, QStringLiteral(" %"));
    shadowBlur_ = RangeBox("shadowBlur", 0, 100);
    shadowOffsetX_ = RangeBox("shadowOffsetX", -20, 20);
    shadowOffsetY_ = RangeBox("shadowOffsetY", -20, 20);
    auto* shadowForm = new QFormLayout(shadow_);
    shadowForm->addRow(QStringLiteral("颜色"), shadowColour_);
    shadowForm->addRow(QStringLiteral("不透明度"), shadowAlpha_);
    shadowForm->addRow(QStringLiteral("模糊"), shadowBlur_);
    shadowForm->addRow(QStringLiteral("水平偏移"), shadowOffsetX_);
    shadowForm->addRow(QStringLiteral("垂直偏移"), shadowOffsetY_);

    gradual_ = SwitchGroup("gradual", QStringLiteral("渐变"));
    gradualStart_ = NamedColourCombo("gradualStart");
    gradualEnd_ = NamedColourCombo("gradualEnd");
    gradualStyle_ = new QComboBox;
    gradualStyle_->setObjectName(QStringLiteral("gradualStyle"));
    // In the order of the stored numbers 0 to 5.
    gradualStyle_->addItems({QStringLiteral("从左到右"), QStringLiteral("从右到左"),
                             QStringLiteral("从上到下"), QStringLiteral("从下到上"),
                             QStringLiteral("从中间到左右"), QStringLiteral("从中间到上下")});
    auto* gradualForm = new QFormLayout(gradual_);
    gradualForm->addRow(QStringLiteral("起始颜色"), gradualStart_);
    gradualForm->addRow(QStringLiteral("结束颜色"), gradualEnd_);
    gradualForm->addRow(QStringLiteral("方向"), gradualStyle_);

    texture_ = SwitchGroup("texture", QStringLiteral("纹理"));
    textureMode_ = new QComboBox;
    textureMode_->setObjectName(QStringLiteral("textureMode"));
    // In the order of the stored numbers 0 to 3.
    textureMode_->addItems({QStringLiteral("平铺"), QStringLiteral("拉伸"), QStringLiteral("居中"),
                            QStringLiteral("原始大小")});
    auto* loadButton = new QPushButton(QStringLiteral("载入图片..."));
    loadButton->setObjectName(QStringLiteral("loadTexture"));
    loadButton->setAutoDefault(false);
    auto* clearButton = new QPushButton(QStringLiteral("清除图片"));
    clearButton->setObjectName(QStringLiteral("clearTexture"));
    clearButton->setAutoDefault(false);
    texturePreview_ = new QLabel;
    texturePreview_->setObjectName(QStringLiteral("texturePreview"));
    texturePreview_->setFixedSize(64, 40);
    texturePreview_->setFrameShape(QFrame::StyledPanel);
    texturePreview_->setAlignment(Qt::AlignCenter);
    auto* textureButtons = new QHBoxLayout;
    textureButtons->addWidget(loadButton);
    textureButtons->addWidget(clearButton);
    auto* textureForm = new QFormLayout(texture_);
    textureForm->addRow(QStringLiteral("方式"), textureMode_);
    textureForm->addRow(textureButtons);
    textureForm->addRow(QStringLiteral("图片"), texturePreview_);

    auto* groups = new QGridLayout;
    groups->addWidget(text, 0, 0);
    groups->addWidget(shadow_, 0, 1);
    groups->addWidget(gradual_, 1, 0);
    groups->addWidget(texture_, 1, 1);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName(
        QStringLiteral("ok"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName(
        QStringLiteral("cancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sampleView_, 1);
    layout->addLayout(fontRow);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(fontButton, &QPushButton::clicked, this, &FontEffectDialog::chooseFont);
    connect(loadButton, &QPushButton::clicked, this, &FontEffectDialog::chooseTexture);
    connect(clearButton, &QPushButton::clicked, this, &FontEffectDialog::clearTexture);

    const auto changed = [this] { readControls(); };
    for (QSpinBox* box : {alpha_, blur_, noise_, spray_, angle_, shadowAlpha_, shadowBlur_,
                          shadowOffsetX_, shadowOffsetY_})
        connect(box, &QSpinBox::valueChanged, this, changed);
    for (QCheckBox* box : {outline_, horzMirror_, vertMirror_})
        connect(box, &QCheckBox::toggled, this, changed);
    for (QGroupBox* group : {shadow_, gradual_, texture_})
        connect(group, &QGroupBox::toggled, this, changed);
    for (ColourCombo* combo : {fontColour_, shadowColour_, gradualStart_, gradualEnd_})
        connect(combo, &ColourCombo::colourChanged, this, changed);
    for (QComboBox* combo : {gradualStyle_, textureMode_})
        connect(combo, &QComboBox::currentIndexChanged, this, changed);
}

void FontEffectDialog::setLabelFont(const LabelFont& font)
{
    font_ = font;
    showValues();
}

void FontEffectDialog::setEffect(const TextEffect& effect)
{
    effect_ = effect;
    showValues();
}

void FontEffectDialog::setSampleText(const QString& text)
{
    sample_->setText(text.trimmed().isEmpty() ? QStringLiteral("Tarnik计时器屏保") : text);
    sampleView_->update();
}

bool FontEffectDialog::run()
{
    return exec() == QDialog::Accepted;
}

void FontEffectDialog::showValues()
{
    showing_ = true;
    fontColour_->setColour(ColorFromWindows(font_.Color));
    // A stored value beyond what the dialog offers shows as the nearest bound; it stays as
    // stored unless the user changes something in the dialog.
    alpha_->setValue(effect_.Alpha);
    blur_->setValue(effect_.Blur);
    noise_->setValue(effect_.Noise);
    spray_->setValue(effect_.Spray);
    angle_->setValue(effect_.Angle);
    outline_->setChecked(effect_.Outline);
    horzMirror_->setChecked(effect_.HorzMirror);
    vertMirror_->setChecked(effect_.VertMirror);
    shadow_->setChecked(effect_.Shadow.Enabled);
    shadowColour_->setColour(ColorFromWindows(effect_.Shadow.Color));
    shadowAlpha_->setValue(effect_.Shadow.Alpha);
    shadowBlur_->setValue(effect_.Shadow.Blur);
    shadowOffsetX_->setValue(effect_.Shadow.OffsetX);
    shadowOffsetY_->setValue(effect_.Shadow.OffsetY);
    gradual_->setChecked(effect_.Gradual.Enabled);
    gradualStart_->setColour(ColorFromWindows(effect_.Gradual.StartColor));
    gradualEnd_->setColour(ColorFromWindows(effect_.Gradual.EndColor));
    gradualStyle_->setCurrentIndex(effect_.Gradual.Style < 6 ? effect_.Gradual.Style : 0);
    texture_->setChecked(effect_.Texture.Enabled);
    textureMode_->setCurrentIndex(effect_.Texture.Mode < 4 ? effect_.Texture.Mode : 0);
    showing_ = false;
    showFontDescription();
    refreshSample();
}

void FontEffectDialog::readControls()
{
    if (showing_)
        return;
    font_.Color = ColorToWindows(fontColour_->colour());
    effect_.Alpha = static_cast<uint8_t>(alpha_->value());
    effect_.Blur = static_cast<uint8_t>(blur_->value());
    effect_.Noise = static_cast<uint8_t>(noise_->value());
    effect_.Spray = static_cast<uint8_t>(spray_->value());
    effect_.Angle = static_cast<int16_t>(angle_->value());
    effect_.Outline = outline_->isChecked();
    effect_.HorzMirror = horzMirror_->isChecked();
    effect_.VertMirror = vertMirror_->isChecked();
    effect_.Shadow.Enabled = shadow_->isChecked();
    effect_.Shadow.Color = ColorToWindows(shadowColour_->colour());
    effect_.Shadow.Alpha = static_cast<uint8_t>(shadowAlpha_->value());
    effect_.Shadow.Blur = static_cast<uint8_t>(shadowBlur_->value());
    effect_.Shadow.OffsetX = static_cast<int8_t>(shadowOffsetX_->value());
    effect_.Shadow.OffsetY = static_cast<int8_t>(shadowOffsetY_->value());
    effect_.Gradual.Enabled = gradual_->isChecked();
    effect_.Gradual.StartColor = ColorToWindows(gradualStart_->colour());
    effect_.Gradual.EndColor = ColorToWindows(gradualEnd_->colour());
    effect_.Gradual.Style = static_cast<uint8_t>(gradualStyle_->currentIndex());
    effect_.Texture.Enabled = texture_->isChecked();
    effect_.Texture.Mode = static_cast<uint8_t>(textureMode_->currentIndex());
    refreshSample();
}

void FontEffectDialog::refreshSample()
{
    sample_->setFont(font_);
    sample_->setEffect(effect_);
    sampleView_->update();

    const Picture& picture = effect_.Texture.Picture;
    if (picture.isEmpty()) {
        texturePreview_->setPixmap(QPixmap());
        texturePreview_->setText(QStringLiteral("无"));
    } else {
        texturePreview_->setPixmap(QPixmap::fromImage(picture.image.scaled(
            texturePreview_->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

void FontEffectDialog::showFontDescription()
{
    QStringList parts{QString::fromStdString(font_.Name), QStringLiteral("%1 磅").arg(font_.Size)};
    if (font_.Style.bold)
        parts << QStringLiteral("粗体");
    if (font_.Style.italic)
        parts << QStringLiteral("斜体");
    if (font_.Style.underline)
        parts << QStringLiteral("下划线");
    if (font_.Style.strikeOut)
        parts << QStringLiteral("删除线");
    fontDescription_->setText(parts.join(QStringLiteral("，")));
}

void FontEffectDialog::chooseFont()
{
    const std::optional<QFont> chosen = fontChooser_(ToQFont(font_), this);
    if (!chosen)
        return;
    font_ = FromQFont(*chosen, font_);
    showFontDescription();
    refreshSample();
}

void FontEffectDialog::chooseTexture()
{
    const QString path = pictureChooser_(this);
    if (!path.isEmpty())
        loadTexture(path);
}

bool FontEffectDialog::loadTexture(const QString& path)
{
    try {
        effect_.Texture.Picture = LoadPicture(QFile::encodeName(path).toStdString());
    } catch (const PictureError& error) {
        report_(QString::fromUtf8(error.what()));
        return false;
    }
    refreshSample();
    return true;
}

void FontEffectDialog::clearTexture()
{
    effect_.Texture.Picture = Picture();
    refreshSample();
}
