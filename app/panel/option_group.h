#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class QButtonGroup;
class QRadioButton;
class QWidget;

namespace app {

// A control array of option buttons, indexed from 0: at most one is selected, and the selected
// index is the setting. Selecting a button, by the user or by the program, raises Click with
// its index; clearing the selection raises nothing.
class OptionGroup : public QObject {
    Q_OBJECT

public:
    // Creates one button per caption, as children of `parent`, named `name` + "(" + index + ")".
    OptionGroup(const QString& name, const QStringList& captions, QWidget* parent);

    const QString& name() const { return name_; }
    int lowestIndex() const { return 0; }
    int highestIndex() const { return static_cast<int>(buttons_.size()) - 1; }
    QRadioButton* button(int index) const { return buttons_.at(index); }

    // The group a button of any option group belongs to, for code that reaches buttons by key.
    static OptionGroup* groupOf(const QRadioButton* button);

    // The lowest selected index; 0 when no button is selected.
    std::int16_t getOptionButtonSelectedIndex() const;
    bool isSelected(int index) const;
    void select(int index);
    // Leaves every button unselected (as a configuration file may ask).
    void clearSelection();
    // Selects the button, or leaves it unselected (the others stay as they are).
    void setSelected(int index, bool selected);
    void setButtonEnabled(int index, bool enabled);
    // Sets Enabled of every button, from the lowest index to the highest.
    void optionEnableDisable(bool enabled);

signals:
    void Click(int index);

private:
    QString name_;
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
};

} // namespace app
