#pragma once

#include <QString>

#include <span>

// One face name as the settings file knows it and the installed family drawn in its place.
struct FontSubstitution {
    const char* faceName;  // UTF-8
    const char* family;
};

// Every face name that is drawn with another installed family.
std::span<const FontSubstitution> FontSubstitutions();

// The family to draw a stored face name with: its substitute when it has one (letter case ignored
// for Latin names), else the name itself, left to the system's own font matching.
QString SubstituteFontFamily(const QString& faceName);
