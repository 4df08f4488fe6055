#include "platform/message_box.h"
#include "quenta/property_bag.h"
#include "quenta/quenta.h"
#include "settings/form_controls.h"
#include "support/temp_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using settings::ControlKind;
using testsupport::fileText;
using testsupport::putFile;
using testsupport::TempFolder;

// A small window with one control of every kind that configuration files keep.
class Window {
public:
    Window() {
        auto* layout = new QVBoxLayout(&window);
        field = add(new quenta::Quenta, "txtConfig", ControlKind::NumericField, 3);
        field->setValType(4);
        field->setMax(100);
        field->setMaxLimitEnabled(true);
        field->setText("10");
        path = add(new QLineEdit("/data/run.txt"), "txtPathToData", ControlKind::TextBox);
        check = add(new QCheckBox("Save"), "chkSaveToFile", ControlKind::CheckBox);
        first = add(new QRadioButton("I"), "optionFunction", ControlKind::OptionButton, 0);
        second = add(new QRadioButton("I-V"), "optionFunction", ControlKind::OptionButton, 1);
        first->setChecked(true);
        list = add(new QComboBox, "cmbGraphCurrent", ControlKind::ComboBox, 0);
        list->addItems({"1E-9", "1E-8", "1E-7"});
        label = add(new QLabel("Notes"), "lblNotes", ControlKind::Label);
        add(new QWidget, "frameConfig", ControlKind::Other, 0);
        for (const auto& control : controls.controls())
            layout->addWidget(control.widget);
        window.setObjectName("frmTest");
    }

    template <typename W>
    W* add(W* widget, const char* name, ControlKind kind, std::optional<int> index = std::nullopt) {
        return controls.add(widget, name, kind, index);
    }

    QWidget window;
    settings::ControlRegistry controls;
    quenta::Quenta* field;
    QLineEdit* path;
    QCheckBox* check;
    QRadioButton* first;
    QRadioButton* second;
    QComboBox* list;
    QLabel* label;
};

TEST(FormControls, SavedChangedAndLoadedBackEveryControlIsRestored) {
    TempFolder folder;
    Window w;
    w.window.show();
    w.check->setCheckState(Qt::PartiallyChecked);
    w.list->setCurrentIndex(2);
    ASSERT_TRUE(settings::SaveFormControls(w.window, w.controls, folder / "a.ini", true));
    EXPECT_EQ(fileText(folder / "a.ini"), "[FORM]\ntxtConfig(3)=10\ntxtPathToData=/data/run.txt\n"
                                          "chkSaveToFile=2\noptionFunction(0)=1\n"
                                          "optionFunction(1)=0\ncmbGraphCurrent(0)=2\n");

    w.field->setText("50");
    w.path->setText("/elsewhere.txt");
    w.check->setCheckState(Qt::Unchecked);
    w.second->setChecked(true);
    w.list->setCurrentIndex(0);
    std::vector<std::string> focusPass;
    settings::LoadFormControls(
        w.window, w.controls, folder / "a.ini",
        [&](const settings::RegisteredControl& c) { focusPass.push_back(c.key().toStdString()); });
    EXPECT_EQ(w.field->Text(), "10");
    EXPECT_EQ(w.path->text(), "/data/run.txt");
    EXPECT_EQ(w.check->checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(w.first->isChecked());
    EXPECT_FALSE(w.second->isChecked());
    EXPECT_EQ(w.list->currentIndex(), 2);
    EXPECT_EQ(focusPass, (std::vector<std::string>{"txtConfig(3)", "txtPathToData", "chkSaveToFile",
                                                   "optionFunction(0)", "optionFunction(1)",
                                                   "cmbGraphCurrent(0)"}));
}

TEST(FormControls, AClearedFieldKeepsItsOldValueInTheFile) {
    TempFolder folder;
    Window w;
    w.window.show();
    settings::SaveFormControls(w.window, w.controls, folder / "a.ini", true);
    w.path->clear();
    settings::SaveFormControls(w.window, w.controls, folder / "a.ini", true);
    EXPECT_NE(fileText(folder / "a.ini").find("txtPathToData=/data/run.txt"), std::string::npos);
    settings::LoadFormControls(w.window, w.controls, folder / "a.ini", {});
    EXPECT_EQ(w.path->text(), "/data/run.txt");
}

TEST(FormControls, LoadedTextsAreValidatedAndMissingKeysKeepTheirValues) {
    TempFolder folder;
    Window w;
    putFile(folder / "a.ini", "[form]\nTXTCONFIG(3) = 250\nlblNotes=first&&CRLFsecond\n");
    settings::LoadFormControls(w.window, w.controls, folder / "a.ini", {});
    EXPECT_EQ(w.field->Text(), "100");
    EXPECT_EQ(w.label->text(), "first\nsecond");
    EXPECT_EQ(w.path->text(), "/data/run.txt");
    EXPECT_TRUE(w.first->isChecked());
}

TEST(FormControls, LabelsAreWrittenOnlyWhereTheFileAlreadyHoldsThem) {
    TempFolder folder;
    Window w;
    w.window.show();
    settings::SaveFormControls(w.window, w.controls, folder / "a.ini", false);
    EXPECT_EQ(fileText(folder / "a.ini").find("lblNotes"), std::string::npos);
    putFile(folder / "b.ini", "[FORM]\nlblNotes=old\n");
    settings::SaveFormControls(w.window, w.controls, folder / "b.ini", false);
    EXPECT_NE(fileText(folder / "b.ini").find("lblNotes=Notes"), std::string::npos);
}

TEST(FormControls, AHiddenOrMinimizedWindowWritesNothing) {
    TempFolder folder;
    Window w;
    EXPECT_TRUE(settings::SaveFormControls(w.window, w.controls, folder / "a.ini", true));
    w.window.showMinimized();
    EXPECT_TRUE(settings::SaveFormControls(w.window, w.controls, folder / "a.ini", true));
    EXPECT_FALSE(std::filesystem::exists(folder / "a.ini"));
}

TEST(FormControls, AFileThatCannotBeWrittenIsReportedOnce) {
    TempFolder folder;
    Window w;
    w.window.show();
    putFile(folder / "plain", "x");
    platform::ScopedRecordingMessageBox box;
    EXPECT_FALSE(settings::SaveFormControls(w.window, w.controls, folder / "plain/a.ini", true));
    ASSERT_EQ(box->shown().size(), 1u);
    EXPECT_EQ(box->shown()[0].text.rfind("76: ", 0), 0u) << box->shown()[0].text;
}

} // namespace
