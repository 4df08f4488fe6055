#pragma once

#include <QWidget>
#include <filesystem>

class QLineEdit;
class QTextBrowser;

namespace app {

// The user guide in a window of the program's own, so it opens where no browser is installed:
// its links are followed, its pictures shown, and Ctrl+F searches its text.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const std::filesystem::path& guide, QWidget* parent);

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* findField() const { return findField_; }

    // Selects the next place that holds the text (the one before with `backward`), going round
    // the end of the guide; false, with the field marked, when the guide does not hold it.
    bool find(const QString& text, bool backward = false);

private:
    QWidget* createFindRow();
    void markFound(bool found);

    QTextBrowser* browser_;
    QLineEdit* findField_ = nullptr;
};

} // namespace app
