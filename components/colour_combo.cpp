#include "components/colour_combo.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace {

struct PaletteEntry {
    QRgb rgb;
    const char* name;
};

// The sixteen colours every Windows palette starts with, then the four soft tints that follow
// them in the system palette (sky blue is the saver's default background).
constexpr std::array<PaletteEntry, 20> kPalette{{
    {0x000000, "黑色"}, {0x800000, "栗色"}, {0x008000, "绿色"}, {0x808000, "橄榄色"},
    {0x000080, "藏青"}, {0x800080, "紫色"}, {0x008080, "蓝绿"}, {0x808080, "灰色"},
    {0xC0C0C0, "银色"}, {0xFF0000, "红色"}, {0x00FF00, "酸橙"}, {0xFFFF00, "黄色"},
    {0x0000FF, "蓝色"}, {0xFF00FF, "紫红"}, {0x00FFFF, "青色"}, {0xFFFFFF, "白色"},
    {0xC0DCC0, "美元绿"}, {0xA6CAF0, "天蓝"}, {0xFFFBF0, "奶油色"}, {0xA0A0A4, "中灰"},
}};

// Marks the entry that holds a colour from outside the palette.
constexpr int kCustomRole = Qt::UserRole + 1;

QIcon Swatch(const QColor& colour)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

QColor Opaque(const QColor& colour)
{
    return QColor(colour.red(), colour.green(), colour.blue());
}

}  // namespace

ColourCombo::ColourCombo(QWidget* parent)
    : QComboBox(parent),
      chooser_([](const QColor& initial, QWidget* owner) -> std::optional<QColor> {
          const QColor chosen = QColorDialog::getColor(initial, owner);
          if (!chosen.isValid())
              return std::nullopt;
          return chosen;
      })
{
    for (const PaletteEntry& entry : kPalette) {
        const QColor colour(entry.rgb);
        addItem(Swatch(colour), QString::fromUtf8(entry.name), colour);
    }
    addItem(QStringLiteral("其他颜色..."));
    colour_ = QColor(kPalette.front().rgb);
    setCurrentIndex(0);
    // Only a choice by the user comes through here; setColour() selects quietly.
    connect(this, &QComboBox::activated, this, &ColourCombo::onActivated);
}

void ColourCombo::setColour(const QColor& requested)
{
    const QColor colour = Opaque(requested);
    int index = indexOfColour(colour);
    if (index < 0) {
        const QString name = colour.name(QColor::HexRgb).toUpper();
        index = customIndex();
        if (index < 0) {
            index = chooserIndex();
            insertItem(index, Swatch(colour), name, colour);
            setItemData(index, true, kCustomRole);
        } else {
            setItemIcon(index, Swatch(colour));
            setItemText(index, name);
            setItemData(index, colour);
        }
    }
    selectIndexQuietly(index);
    if (colour != colour_) {
        colour_ = colour;
        emit colourChanged(colour_);
    }
}

void ColourCombo::onActivated(int index)
{
    if (index == chooserIndex()) {
        // Show the current colour again while the chooser is open, and keep it on cancel.
        selectIndexQuietly(indexOfColour(colour_));
        if (const std::optional<QColor> chosen = chooser_(colour_, this))
            setColour(*chosen);
        return;
    }
    setColour(itemData(index).value<QColor>());
}

void ColourCombo::selectIndexQuietly(int index)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(index);
}

int ColourCombo::indexOfColour(const QColor& colour) const
{
    for (int i = 0; i < chooserIndex(); ++i)
        if (itemData(i).value<QColor>() == colour)
            return i;
    return -1;
}

int ColourCombo::customIndex() const
{
    for (int i = 0; i < chooserIndex(); ++i)
        if (itemData(i, kCustomRole).toBool())
            return i;
    return -1;
}
