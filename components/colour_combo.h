#pragma once
// A colour picker shaped like a combo box: its drop-down is a palette of the classic sixteen
// system colours plus four soft tints, and a last entry opens the full colour chooser.

#include <QColor>
#include <QComboBox>

#include <functional>
#include <optional>

// Combo box whose items are colours; any colour can be selected, palette or not.
class ColourCombo : public QComboBox {
    Q_OBJECT
public:
    // Opens a full colour chooser starting at the given colour; empty when the user cancels.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    explicit ColourCombo(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    // Selects the colour: its palette entry when it has one, else an entry of its own.
    void setColour(const QColor& colour);

    // Replaces the full colour chooser (QColorDialog by default); tests answer it themselves.
    void setColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }
    // Index of the entry that opens the full colour chooser (the last one).
    int chooserIndex() const { return count() - 1; }

signals:
    void colourChanged(const QColor& colour);

private:
    void onActivated(int index);
    void selectIndexQuietly(int index);
    int indexOfColour(const QColor& colour) const;
    int customIndex() const;

    QColor colour_;
    ColourChooser chooser_;
};
