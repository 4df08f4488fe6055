#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;

namespace diagnostics {

// A modal dialog showing a prompt and a row of buttons captioned by the caller. Unless the flags
// say otherwise, Escape presses the first button and the last one is the default button, first in
// the tab order and focused when the dialog opens. See msg_box_layout.h for the flags and layout.
class oofMSGBox final : public QDialog {
    Q_OBJECT

public:
    oofMSGBox(const QString& prompt, std::int32_t flags, const QStringList& captions,
              QWidget* parent = nullptr);

    // Shows the dialog modally; the caption of the pressed button exactly as given, or "" when the
    // dialog was closed without pressing one.
    static QString ShowModal(const QString& prompt, std::int32_t flags, const QStringList& captions,
                             QWidget* parent = nullptr);

    const QString& pressedCaption() const { return pressedCaption_; }
    QLabel* lblPrompt() const { return lblPrompt_; }
    const std::vector<QPushButton*>& cmdButton() const { return cmdButton_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createButtons(const QStringList& captions);
    void assignCancelAndDefault();
    void cmdButton_Click(QPushButton* button);
    void Form_Activate();
    int toPixelsX(int twips) const;
    int toPixelsY(int twips) const;
    int toTwipsX(int pixels) const;

    std::int32_t flags_;
    bool activated_ = false;
    QString pressedCaption_;
    QLabel* lblPrompt_ = nullptr;
    std::vector<QPushButton*> cmdButton_;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* defaultButton_ = nullptr;
};

} // namespace diagnostics
