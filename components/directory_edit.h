#pragma once
// A folder field: a line edit for the path with a button beside it that opens the system's
// folder browser and puts the chosen folder into the field.

#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

// Line edit plus browse button; the text is the folder path, typed or chosen.
class DirectoryEdit : public QWidget {
    Q_OBJECT
public:
    // Asks the user for a folder, starting at the given one; empty when the user cancels.
    using FolderBrowser = std::function<QString(QWidget* parent, const QString& start)>;

    explicit DirectoryEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    // Replaces the folder browser (QFileDialog::getExistingDirectory by default).
    void setFolderBrowser(FolderBrowser browser) { browser_ = std::move(browser); }

    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* browseButton() const { return button_; }

    // Opens the folder browser as the button does.
    void browse();

signals:
    // Every change of the text, typed, chosen or set by the program.
    void textChanged(const QString& text);

private:
    QLineEdit* edit_;
    QToolButton* button_;
    FolderBrowser browser_;
};
