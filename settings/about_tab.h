#pragma once
// The settings dialog's last tab, "关于": the product icon, title and version. It edits nothing.

#include <QPixmap>
#include <QWidget>

// Tab "关于".
class AboutTab : public QWidget {
    Q_OBJECT
public:
    explicit AboutTab(QWidget* parent = nullptr);
};

// The product icon, drawn at the given size: a tear-off calendar page counting days.
QPixmap ProductIcon(int size);
