#include "option_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QWidget>

namespace app {

OptionGroup::OptionGroup(const QString& name, const QStringList& captions, QWidget* parent)
    : QObject(parent), name_(name), group_(new QButtonGroup(this)) {
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], parent);
        button->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(i));
        group_->addButton(button, i);
        buttons_.push_back(button);
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                emit Click(i);
        });
    }
}

OptionGroup* OptionGroup::groupOf(const QRadioButton* button) {
    return button && button->group() ? qobject_cast<OptionGroup*>(button->group()->parent())
                                     : nullptr;
}

std::int16_t OptionGroup::getOptionButtonSelectedIndex() const {
    for (int i = lowestIndex(); i <= highestIndex(); ++i)
        if (buttons_[i]->isChecked())
            return static_cast<std::int16_t>(i);
    return 0;
}

bool OptionGroup::isSelected(int index) const {
    return buttons_.at(index)->isChecked();
}

void OptionGroup::select(int index) {
    buttons_.at(index)->setChecked(true);
}

void OptionGroup::clearSelection() {
    for (int i = lowestIndex(); i <= highestIndex(); ++i)
        setSelected(i, false);
}

void OptionGroup::setSelected(int index, bool selected) {
    if (selected) {
        select(index);
        return;
    }
    // An exclusive group refuses to uncheck its checked button.
    group_->setExclusive(false);
    buttons_.at(index)->setChecked(false);
    group_->setExclusive(true);
}

void OptionGroup::setButtonEnabled(int index, bool enabled) {
    buttons_.at(index)->setEnabled(enabled);
}

void OptionGroup::optionEnableDisable(bool enabled) {
    for (int i = lowestIndex(); i <= highestIndex(); ++i)
        buttons_[i]->setEnabled(enabled);
}

} // namespace app
