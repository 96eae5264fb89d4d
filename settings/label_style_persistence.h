#pragma once

#include "components/label_style.h"

#include <optional>
#include <string>

class SettingsFile;
class StyledLabel;

// The style set as the settings file keeps it: "[fsBold,fsUnderline]".
std::string FontStyleToText(const FontStyleSet& style);
// Each style is present when its name occurs anywhere in the text (case-sensitive).
FontStyleSet TextToFontStyle(const std::string& text);

// Writes the section's 24 keys and, when the texture holds a picture, its TextureFile.
// Throws SettingsWriteError / SettingsEncodingError / PictureError; a picture that cannot become a
// JPEG leaves the four font keys written and the effect keys not.
void SaveLabelStyle(SettingsFile& file, const StyledLabel& label, const std::string& section);
// Reads the style into the label; returns a message naming the texture file when that file exists but
// could not be decoded (the picture is skipped, font and effect are set), nullopt otherwise.
std::optional<std::string> LoadLabelStyle(const SettingsFile& file, StyledLabel& label,
                                          const std::string& section);
// The JPEG side file of a style section: directory + section + ".jpg".
std::string TextureFilePath(const std::string& directory, const std::string& section);
