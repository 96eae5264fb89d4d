#include "components/directory_edit.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

DirectoryEdit::DirectoryEdit(QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      button_(new QToolButton(this)),
      browser_([](QWidget* owner, const QString& start) {
          return QFileDialog::getExistingDirectory(owner, QString(), start);
      })
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_, 1);
    layout->addWidget(button_);
    button_->setText(QStringLiteral("..."));
    button_->setToolTip(QStringLiteral("选择文件夹"));
    button_->setFocusPolicy(Qt::TabFocus);
    setFocusProxy(edit_);

    connect(edit_, &QLineEdit::textChanged, this, &DirectoryEdit::textChanged);
    connect(button_, &QToolButton::clicked, this, &DirectoryEdit::browse);
}

QString DirectoryEdit::text() const
{
    return edit_->text();
}

void DirectoryEdit::setText(const QString& text)
{
    edit_->setText(text);
}

void DirectoryEdit::browse()
{
    // A field that no longer names a folder still lets the browser open somewhere sensible.
    const QString start = QDir(text()).exists() ? text() : QDir::homePath();
    const QString chosen = browser_(this, start);
    if (!chosen.isEmpty())
        setText(QDir::toNativeSeparators(chosen));
}
