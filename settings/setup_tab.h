#pragma once
// Building blocks shared by the tabs of the settings dialog: every control sits at a fixed pixel
// position, is found by its object name, and spin boxes correct typed values to the nearer bound.

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

// The common heights of one-line controls at the dialog's 9-point font.
inline constexpr int kEditHeight = 21;
inline constexpr int kCheckHeight = 17;

// A label whose top-left corner is at (left, top), sized to its text.
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int left, int top);
// A label whose right edge stays at `right` whatever its text, for captions that change.
QLabel* PlaceRightAlignedLabel(QWidget* parent, const char* name, const QString& text, int right,
                               int top, int width);
QLineEdit* PlaceEdit(QWidget* parent, const char* name, int left, int top, int width);
QCheckBox* PlaceCheckBox(QWidget* parent, const char* name, const QString& text, int left, int top,
                         int width, int height = kCheckHeight);
QRadioButton* PlaceRadioButton(QWidget* parent, const char* name, const QString& text, int left,
                               int top, int width);
// A spin box of whole numbers in [minimum, maximum] whose arrows move by `step`; a value set or
// typed outside the range becomes the nearer bound.
QSpinBox* PlaceSpinBox(QWidget* parent, const char* name, int left, int top, int width, int minimum,
                       int maximum, int step);

// Widens every label, check box and radio button placed above to its caption where the caption
// needs more room than its place gives. Call it once the dialog has its final font and style:
// our fonts run a little wider than the 9-point bitmap face the places were made for.
void FitCaptions(QWidget* root);
