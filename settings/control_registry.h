#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace settings {

// The kinds of control a configuration file saves and restores; everything else is Other.
enum class ControlKind { TextBox, NumericField, CheckBox, OptionButton, ComboBox, Label, Other };

struct RegisteredControl {
    QString name;
    std::optional<int> index; // set for a member of a control array
    ControlKind kind = ControlKind::Other;
    QWidget* widget = nullptr;

    // "txtConfig(3)" for an array member, the plain name otherwise.
    QString key() const;
};

// Every named control of a window in the window's creation order, so settings files can save
// and restore them by key in that order. The widgets belong to the window.
class ControlRegistry {
public:
    // Registers the widget and gives it its key as object name.
    template <typename Widget>
    Widget* add(Widget* widget, const QString& name, ControlKind kind,
                std::optional<int> index = std::nullopt) {
        addControl(widget, name, kind, index);
        return widget;
    }

    const std::vector<RegisteredControl>& controls() const { return controls_; }
    // The control of that key ("txtConfig(3)", "cmdStart"), or nullptr.
    QWidget* find(const QString& key) const;
    template <typename Widget> Widget* get(const QString& key) const {
        return qobject_cast<Widget*>(find(key));
    }

private:
    void addControl(QWidget* widget, const QString& name, ControlKind kind,
                    std::optional<int> index);

    std::vector<RegisteredControl> controls_;
};

} // namespace settings
