#include "settings/label_style_persistence.h"

#include "components/jpeg_codec.h"
#include "components/picture.h"
#include "components/styled_label.h"
#include "settings/file_replacement.h"
#include "settings/settings_file.h"

#include <array>
#include <filesystem>

namespace {

// One stored field of the text effect. Reads keep the low bits that fit the field, as the settings
// file holds plain integers: an Alpha of 300 becomes 44.
struct EffectKey {
    const char* key;
    bool boolean;
    int (*get)(const TextEffect&);
    void (*set)(TextEffect&, int);
};

// The effect keys in the order they are written.
constexpr std::array<EffectKey, 20> kEffectKeys = {{
    {"Alpha", false, [](const TextEffect& e) { return int(e.Alpha); },
     [](TextEffect& e, int v) { e.Alpha = uint8_t(v); }},
    {"Blur", false, [](const TextEffect& e) { return int(e.Blur); },
     [](TextEffect& e, int v) { e.Blur = uint8_t(v); }},
    {"Noise", false, [](const TextEffect& e) { return int(e.Noise); },
     [](TextEffect& e, int v) { e.Noise = uint8_t(v); }},
    {"Spray", false, [](const TextEffect& e) { return int(e.Spray); },
     [](TextEffect& e, int v) { e.Spray = uint8_t(v); }},
    {"Angle", false, [](const TextEffect& e) { return int(e.Angle); },
     [](TextEffect& e, int v) { e.Angle = int16_t(v); }},
    {"Outline", true, [](const TextEffect& e) { return int(e.Outline); },
     [](TextEffect& e, int v) { e.Outline = v != 0; }},
    {"HorzMirror", true, [](const TextEffect& e) { return int(e.HorzMirror); },
     [](TextEffect& e, int v) { e.HorzMirror = v != 0; }},
    {"VertMirror", true, [](const TextEffect& e) { return int(e.VertMirror); },
     [](TextEffect& e, int v) { e.VertMirror = v != 0; }},
    {"Shadow", true, [](const TextEffect& e) { return int(e.Shadow.Enabled); },
     [](TextEffect& e, int v) { e.Shadow.Enabled = v != 0; }},
    {"ShadowAlpha", false, [](const TextEffect& e) { return int(e.Shadow.Alpha); },
     [](TextEffect& e, int v) { e.Shadow.Alpha = uint8_t(v); }},
    {"ShadowBlur", false, [](const TextEffect& e) { return int(e.Shadow.Blur); },
     [](TextEffect& e, int v) { e.Shadow.Blur = uint8_t(v); }},
    {"ShadowColor", false, [](const TextEffect& e) { return int(e.Shadow.Color); },
     [](TextEffect& e, int v) { e.Shadow.Color = int32_t(v); }},
    {"ShadowOffsetX", false, [](const TextEffect& e) { return int(e.Shadow.OffsetX); },
     [](TextEffect& e, int v) { e.Shadow.OffsetX = int8_t(v); }},
    {"ShadowOffsetY", false, [](const TextEffect& e) { return int(e.Shadow.OffsetY); },
     [](TextEffect& e, int v) { e.Shadow.OffsetY = int8_t(v); }},
    {"Gradual", true, [](const TextEffect& e) { return int(e.Gradual.Enabled); },
     [](TextEffect& e, int v) { e.Gradual.Enabled = v != 0; }},
    {"GradualStartColor", false, [](const TextEffect& e) { return int(e.Gradual.StartColor); },
     [](TextEffect& e, int v) { e.Gradual.StartColor = int32_t(v); }},
    {"GradualEndColor", false, [](const TextEffect& e) { return int(e.Gradual.EndColor); },
     [](TextEffect& e, int v) { e.Gradual.EndColor = int32_t(v); }},
    {"GradualStyle", false, [](const TextEffect& e) { return int(e.Gradual.Style); },
     [](TextEffect& e, int v) { e.Gradual.Style = uint8_t(v); }},
    {"Texture", true, [](const TextEffect& e) { return int(e.Texture.Enabled); },
     [](TextEffect& e, int v) { e.Texture.Enabled = v != 0; }},
    {"TextureMode", false, [](const TextEffect& e) { return int(e.Texture.Mode); },
     [](TextEffect& e, int v) { e.Texture.Mode = uint8_t(v); }},
}};

constexpr int kGradualStyles = 6;
constexpr int kTextureModes = 4;

struct StyleName {
    bool FontStyleSet::*member;
    const char* name;
};

// The fixed order in which the style set is written.
constexpr std::array<StyleName, 4> kStyleNames = {{
    {&FontStyleSet::bold, "fsBold"},
    {&FontStyleSet::italic, "fsItalic"},
    {&FontStyleSet::underline, "fsUnderline"},
    {&FontStyleSet::strikeOut, "fsStrikeOut"},
}};

// The texture files live in the settings file's folder.
std::string SettingsDirectory(const SettingsFile& file)
{
    const std::string folder = std::filesystem::path(file.path()).parent_path().string();
    return folder.empty() ? std::string() : folder + "/";
}

}  // namespace

std::string FontStyleToText(const FontStyleSet& style)
{
    std::string text = "[";
    for (const StyleName& entry : kStyleNames) {
        if (!(style.*entry.member))
            continue;
        if (text != "[")
            text += ",";
        text += entry.name;
    }
    return text + "]";
}

FontStyleSet TextToFontStyle(const std::string& text)
{
    FontStyleSet style;
    for (const StyleName& entry : kStyleNames)
        style.*entry.member = text.find(entry.name) != std::string::npos;
    return style;
}

std::string TextureFilePath(const std::string& directory, const std::string& section)
{
    return directory + section + ".jpg";
}

void SaveLabelStyle(SettingsFile& file, const StyledLabel& label, const std::string& section)
{
    const LabelFont& font = label.font();
    file.WriteInteger(section, "FontSize", font.Size);
    file.WriteString(section, "FontName", font.Name);
    file.WriteInteger(section, "FontColor", font.Color);
    file.WriteString(section, "FontStyle", FontStyleToText(font.Style));

    // A held picture is kept even while the texture is switched off, so switching it back on later
    // finds it. A picture that cannot become a JPEG stops the save here, before the effect keys.
    const TextEffect& effect = label.effect();
    if (!effect.Texture.Picture.isEmpty()) {
        const QByteArray jpeg = PictureToJpeg(effect.Texture.Picture);
        const std::string path = TextureFilePath(SettingsDirectory(file), section);
        if (!ReplaceFile(path, jpeg.toStdString()))
            throw SettingsWriteError(path);
    }

    for (const EffectKey& entry : kEffectKeys) {
        if (entry.boolean)
            file.WriteBool(section, entry.key, entry.get(effect) != 0);
        else
            file.WriteInteger(section, entry.key, entry.get(effect));
    }
}

std::optional<std::string> LoadLabelStyle(const SettingsFile& file, StyledLabel& label,
                                          const std::string& section)
{
    LabelFont font;
    font.Name = file.ReadString(section, "FontName", "宋体");
    font.Size = file.ReadInteger(section, "FontSize", 48);
    font.Color = file.ReadInteger(section, "FontColor", 0);
    font.Style = TextToFontStyle(file.ReadString(section, "FontStyle", "[]"));
    label.setFont(font);

    TextEffect effect = label.effect();
    for (const EffectKey& entry : kEffectKeys) {
        const int current = entry.get(effect);
        entry.set(effect, entry.boolean ? int(file.ReadBool(section, entry.key, current != 0))
                                        : file.ReadInteger(section, entry.key, current));
    }
    if (effect.Gradual.Style >= kGradualStyles)
        effect.Gradual.Style = gsLeftToRight;
    if (effect.Texture.Mode >= kTextureModes)
        effect.Texture.Mode = tmTiled;

    // A texture file that cannot be decoded costs only the picture: the caller goes on with the
    // font and effect set, and learns which file failed.
    std::optional<std::string> problem;
    const std::string path = TextureFilePath(SettingsDirectory(file), section);
    std::error_code error;
    if (effect.Texture.Enabled && std::filesystem::is_regular_file(path, error)) {
        try {
            effect.Texture.Picture = LoadPicture(path);
        } catch (const PictureError& failure) {
            problem = failure.what();
            if (problem->find(path) == std::string::npos)
                *problem = path + ": " + *problem;
        }
    }
    label.setEffect(effect);
    return problem;
}
