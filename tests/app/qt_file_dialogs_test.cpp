#include "app/datafile/data_file.h"
#include "app/datafile/qt_file_dialogs.h"
#include "platform/stop_request.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

// Runs the action on the dialog once it is shown, modal.
void whenShown(std::function<void(QFileDialog&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(*dialog);
    });
}

TEST(QtFileDialogs, DataFileSaveDialogShowsTheRequestAndReturnsTheChosenFile) {
    QTemporaryDir program;
    ASSERT_TRUE(QDir(program.path()).mkpath("data"));
    app::QtFileDialogs dialogs(nullptr);
    const QString chosen = program.filePath("data/run7");
    whenShown([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Save Data File As...");
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.directory().absolutePath(), program.filePath("data"));
        EXPECT_EQ(dialog.nameFilters(), QStringList({"Data Files (*.txt)", "All (*.*)"}));
        EXPECT_EQ(dialog.selectedNameFilter(), "Data Files (*.txt)");
        EXPECT_EQ(dialog.defaultSuffix(), "txt");
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();
    });
    const auto answer =
        dialogs.getSaveFileName(datafile::dataFileDialogRequest(program.path().toStdString()));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, (chosen + ".txt").toStdString());
}

TEST(QtFileDialogs, CancelIsNoAnswer) {
    app::QtFileDialogs dialogs(nullptr);
    whenShown([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        dialog.reject();
    });
    EXPECT_FALSE(dialogs.getOpenFileName({"Open", "/tmp", "", {"All (*.*)"}, "", false}));
}

// Told to stop, the program chooses nothing: a dialog that is open gives no file, even one that
// was picked, and no other dialog opens.
TEST(QtFileDialogs, AStopSignalCancelsTheOpenDialogAndEveryOneAfterIt) {
    app::QtFileDialogs dialogs(nullptr);
    whenShown([](QFileDialog& dialog) {
        dialog.selectFile("/tmp/picked.txt");
        platform::noteStopSignal(SIGTERM);
        static_cast<QDialog&>(dialog).accept();
    });
    const app::FileDialogRequest request{"Save", "/tmp", "", {"All (*.*)"}, "", false};
    EXPECT_FALSE(dialogs.getSaveFileName(request));
    EXPECT_FALSE(dialogs.getSaveFileName(request)); // shown, it would fail whenShown's check
    platform::clearStopSignal();
}

} // namespace
