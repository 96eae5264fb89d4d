#include "settings/setup_tab.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace {

// Marks the widgets whose width FitCaptions may grow.
constexpr const char* kGrowsToCaption = "growsToCaption";

}  // namespace

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    label->setProperty(kGrowsToCaption, true);
    return label;
}

QLabel* PlaceRightAlignedLabel(QWidget* parent, const char* name, const QString& text, int right,
                               int top, int width)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setGeometry(right - width, top, width, label->sizeHint().height());
    return label;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, width, kEditHeight);
    return edit;
}

QCheckBox* PlaceCheckBox(QWidget* parent, const char* name, const QString& text, int left, int top,
                         int width, int height)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(left, top, width, height);
    box->setProperty(kGrowsToCaption, true);
    return box;
}

QSpinBox* PlaceSpinBox(QWidget* parent, const char* name, int left, int top, int width, int minimum,
                       int maximum, int step)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    spin->setGeometry(left, top, width, kEditHeight);
    return spin;
}

QRadioButton* PlaceRadioButton(QWidget* parent, const char* name, const QString& text, int left,
                               int top, int width)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, kCheckHeight);
    button->setProperty(kGrowsToCaption, true);
    return button;
}

void FitCaptions(QWidget* root)
{
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->property(kGrowsToCaption).toBool())
            continue;
        const QSize hint = widget->sizeHint();
        widget->resize(std::max(widget->width(), hint.width()),
                       qobject_cast<QLabel*>(widget) ? hint.height() : widget->height());
    }
}
