// The main window as a new user meets it on a lab PC: the time left of every kind of test, the
// keys, what the fields and buttons say, the Tab order, and a window that fits a low screen.
// The layout tests run once more at 200 % (QT_SCALE_FACTOR=2).

#include "app/datafile/data_collection.h"
#include "app/panel/config_panel.h"
#include "app/panel/option_group.h"
#include "app/window/main_menus.h"
#include "quenta/numtext/numtext.h"
#include "quenta/quenta.h"
#include "window_on_simulator.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <functional>

namespace {

// Hears of every step of a run, as a headless run's console does.
class ProgressSampler final : public app::RunReporter {
public:
    explicit ProgressSampler(std::function<void()> sample) : sample_(std::move(sample)) {}
    void progressed(const testrun::TestRun& /*run*/) override { sample_(); }

private:
    std::function<void()> sample_;
};

namespace fs = std::filesystem;

fs::path example(const char* name) {
    return testsupport::buildDir() / "share" / "tarvix-4140" / "config" / name;
}

class UsableWindow : public apptest::WindowOnSimulator {
protected:
    UsableWindow() { panelFor(simulated); }

    void activate() {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void key(QKeyCombination keys) {
        QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
    }

    QProgressBar* progressBar() const { return window.findChild<QProgressBar*>(); }
    app::ConfigPanel& config() const { return window.configPanel(); }
};

struct Sample {
    bool running;
    double elapsed;
    int value;
};

struct RunCase {
    const char* name;
    const char* example;
    std::function<void(app::ConfigPanel&)> change;
    bool counted = true; // the readings a stair or sweep gives are known before it starts
};

void ramp(app::ConfigPanel& panel, int index, const char* stepDelay) {
    panel.optionRamp().select(index);
    panel.txtConfig(4)->setText(stepDelay);
}

// I, every I-V ramp and both C-V sweeps: the bar stays within a tenth of the share of the real
// length gone, and ends at exactly its end with the readings and the time the test took.
TEST_F(UsableWindow, TheProgressFollowsEveryKindOfTestToExactlyItsEnd) {
    const RunCase cases[] = {
        {"I", "I_current_vs_time.ini", {}, false},
        {"I-V sweep up", "IV_diode_sweep.ini", {}},
        {"I-V sweep up/dn", "IV_diode_sweep.ini", [](auto& p) { ramp(p, 1, "1"); }},
        {"I-V stair up", "IV_diode_sweep.ini", [](auto& p) { ramp(p, 2, "0.5"); }},
        {"I-V stair up/dn", "IV_diode_sweep.ini", [](auto& p) { ramp(p, 3, "0.1"); }},
        {"C-V sweep up", "CV_mos_capacitor.ini", [](auto& p) { ramp(p, 0, "1"); }},
        {"C-V sweep up/dn", "CV_mos_capacitor.ini", {}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(window.LoadConfigFile(example(c.example).string()));
        if (c.change)
            c.change(config());
        std::vector<Sample> samples;
        ProgressSampler sampler([&] {
            samples.push_back({panel->run().TestRunning(), panel->run().elapsedSeconds(),
                               progressBar()->value()});
        });
        panel->setReporter(&sampler);
        window.cmdStart()->click();
        runToEnd();

        const double length = panel->run().elapsedSeconds();
        ASSERT_GT(length, 5.0);
        for (const Sample& s : samples) {
            if (s.running) {
                EXPECT_NEAR(s.value / 1000.0, s.elapsed / length, 0.1) << s.elapsed << " s";
            }
        }
        panel->setReporter(nullptr);
        EXPECT_EQ(progressBar()->value(), progressBar()->maximum());
        const auto filed = static_cast<int>(application.readings().Count());
        const QString readings = c.counted ? QString("%1 of about %1 readings").arg(filed)
                                           : QString("%1 readings").arg(filed);
        EXPECT_EQ(progressBar()->text(),
                  readings + ", elapsed " +
                      QString::fromStdString(numtext::formatPicture(length, "0.0")) + " s")
            << progressBar()->text().toStdString();
    }
}

TEST_F(UsableWindow, EveryShortcutReachesItsCommandAndNoneWhileItsCommandIsDisabled) {
    const app::MainMenus& menus = window.menus();
    EXPECT_EQ(menus.itemLoadConfig->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(menus.itemSave->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(menus.itemSaveAs->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(menus.itemExit->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_TRUE(window.cmdStart()->toolTip().endsWith("(F5)"));
    EXPECT_TRUE(window.cmdAbort()->toolTip().endsWith("(Shift+F5)"));
    auto* print = window.controls().get<QPushButton>("cmdPrint");
    EXPECT_TRUE(print->toolTip().endsWith("(Ctrl+P)"));

    const fs::path saved = programFolder / "config" / "keys.ini";
    fs::create_directories(saved.parent_path());
    activate(); // a hidden window saves nothing
    ASSERT_TRUE(window.SaveConfigFile(saved.string()));
    config().txtConfig(1)->setText("7");
    key(Qt::CTRL | Qt::Key_S);
    EXPECT_NE(testsupport::fileText(saved).find("txtConfig(1)=7"), std::string::npos);
    key(Qt::CTRL | Qt::Key_O);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown().back().kind, app::ScriptedFileDialogs::Kind::Open);
    dialogs.queueAnswer((programFolder / "config" / "other.ini").string());
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    EXPECT_EQ(dialogs.shown().back().kind, app::ScriptedFileDialogs::Kind::Save);
    EXPECT_TRUE(fs::exists(programFolder / "config" / "other.ini"));
    // A button's key presses the button, shown pressed for a moment first. The print button's
    // printing is not for a test.
    QObject::disconnect(print, &QPushButton::clicked, &window, nullptr);
    QSignalSpy printed(print, &QPushButton::clicked);
    key(Qt::CTRL | Qt::Key_P);
    EXPECT_TRUE(QTest::qWaitFor([&] { return printed.count() == 1; }));

    key(QKeyCombination(Qt::Key_F5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.testRunning(); }));
    const std::string before = testsupport::fileText(programFolder / "config" / "other.ini");
    config().txtConfig(1)->setText("8");
    const std::size_t dialogsShown = dialogs.shown().size();
    for (QKeyCombination disabled :
         {Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::SHIFT | Qt::Key_S,
          Qt::CTRL | Qt::Key_Q, QKeyCombination(Qt::Key_F5)})
        key(disabled);
    QTest::qWait(300); // longer than a button is shown pressed
    EXPECT_EQ(dialogs.shown().size(), dialogsShown);
    EXPECT_EQ(testsupport::fileText(programFolder / "config" / "other.ini"), before);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.testRunning());
    key(Qt::SHIFT | Qt::Key_F5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.testRunning(); }));
    EXPECT_EQ(sim.call<int()>("gpibsim_output_on"), 0);

    key(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(window.isVisible());
}

// What unit each numeric field is in: volts, seconds, or a plain whole number.
const std::map<QString, QString> kUnits{
    {"txtConfig(0)", "V"},          {"txtConfig(1)", "V"},       {"txtConfig(2)", "V"},
    {"txtConfig(3)", "s"},          {"txtConfig(4)", "s"},       {"txtConfig(5)", "V/s"},
    {"txtConfig(6)", "V"},          {"txtConfig(7)", "V"},       {"txtSampleRate", "s"},
    {"txtTotalTestTime", "s"},      {"txtGPIBAddress", ""},      {"txtGPIBBoardId", ""},
    {"txtGraphVoltage(0)", "V"},    {"txtGraphVoltage(1)", "V"}, {"txtGraphTime(0)", "Seconds"},
    {"txtGraphTime(1)", "Seconds"},
};

QString number(double value) {
    return QString::fromStdString(numtext::formatGeneral(value));
}

TEST_F(UsableWindow, EveryFieldAndButtonSaysWhatItDoesAndAccepts) {
    window.show();
    window.leftColumn().showGraphSettings(true); // its fields laid out too
    QApplication::processEvents();
    const auto fields = window.findChildren<quenta::Quenta*>();
    ASSERT_EQ(fields.size(), static_cast<qsizetype>(kUnits.size()));
    for (quenta::Quenta* field : fields) {
        const QString tip = field->ToolTipText();
        SCOPED_TRACE(field->objectName().toStdString() + ": " + tip.toStdString());
        ASSERT_TRUE(kUnits.count(field->objectName()));
        const QString unit = kUnits.at(field->objectName());
        const QString range = number(field->Min()) + " to " + number(field->Max());
        EXPECT_GT(tip.indexOf('\n'), 10); // what it does comes first
        EXPECT_TRUE(tip.contains(range + (unit.isEmpty() ? "." : " " + unit)));
        if (unit.isEmpty()) {
            EXPECT_TRUE(tip.contains("whole numbers"));
            continue;
        }
        // The unit is written beside the field too.
        const auto labels = field->parentWidget()->findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const QLabel* label) {
            return label->text() == unit && label->x() > field->x() &&
                   std::abs(label->geometry().center().y() - field->geometry().center().y()) <
                       field->height();
        }));
    }
    // The settings the instrument would not act on are refused at Start: the tips name the limit.
    EXPECT_TRUE(config().txtConfig(2)->ToolTipText().contains("at least 0.01 V either way"));
    EXPECT_TRUE(config().txtConfig(5)->ToolTipText().contains("a sweep needs 0.001 V/s or more"));
    EXPECT_TRUE(config().txtConfig(4)->ToolTipText().contains("a stair needs 0 s or more"));

    for (const QPushButton* button : window.findChildren<QPushButton*>())
        EXPECT_GT(button->toolTip().size(), 10) << button->objectName().toStdString();
}

// The registered control a widget belongs to ("txtConfig(3)"); an option group by its name
// alone ("optionRamp"), however many of its buttons Tab stops at.
QString controlOf(const app::frmMain& window, QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (window.controls().find(widget->objectName()) == widget) {
            const QString key = widget->objectName();
            return key.startsWith("option") ? key.section('(', 0, 0) : key;
        }
    return {};
}

TEST_F(UsableWindow, TabGoesThroughThePanelAsItIsRead) {
    activate();
    config().txtGPIBAddress()->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int k = 0; k < 80 && !window.cmdStart()->hasFocus(); ++k) {
        const QString control = controlOf(window, QApplication::focusWidget());
        if (visited.isEmpty() || visited.back() != control)
            visited << control;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList read{"txtGPIBAddress", "txtGPIBBoardId"};
    for (int i = 0; i < 8; ++i)
        read << QString("txtConfig(%1)").arg(i) << QString("sliderConfig(%1)").arg(i);
    read << "optionRamp"
         << "optionCurrentLimit"
         << "optionCurrentLimitVB"
         << "optionVB"
         << "optionFilter"
         << "optionFunction"
         << "txtSampleRate"
         << "txtTotalTestTime"
         << "optionIntegration"
         << "cmdZero";
    EXPECT_EQ(visited, read);
    EXPECT_TRUE(window.cmdStart()->hasFocus());
}

// Every widget a layout places lies within its parent (a scrolled panel excepted), beside its
// siblings rather than on them, and at its least size at least, so no text is cut or printed
// over another.
void expectLaidOutCleanly(const QWidget& parent) {
    std::vector<const QWidget*> placed;
    for (const QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow())
            placed.push_back(child);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const QWidget& child = *placed[i];
        const std::string name = child.objectName().toStdString() + " in " +
                                 parent.objectName().toStdString() + " " +
                                 parent.metaObject()->className();
        EXPECT_TRUE(parent.rect().contains(child.geometry())) << name;
        const QSize least = child.minimumSizeHint();
        if (child.sizePolicy().horizontalPolicy() != QSizePolicy::Ignored && least.isValid()) {
            EXPECT_TRUE(child.width() >= least.width() && child.height() >= least.height()) << name;
        }
        for (std::size_t j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(child.geometry().intersects(placed[j]->geometry()))
                << name << " and " << placed[j]->objectName().toStdString();
        if (child.layout())
            expectLaidOutCleanly(child);
        else if (const auto* area = qobject_cast<const QScrollArea*>(&child))
            expectLaidOutCleanly(*area->widget());
    }
}

// A 1280 x 720 screen less a title bar and a desktop panel, and the window at its least size,
// with a test running and its readings in the table.
TEST_F(UsableWindow, FitsALowScreenWithATestRunning) {
    ASSERT_TRUE(window.LoadConfigFile(example("CV_mos_capacitor.ini").string()));
    window.show();
    // With no placement of its own, the window opens within its screen where it can.
    EXPECT_LE(window.height(), std::max(window.screen()->availableSize().height(),
                                        window.minimumSizeHint().height()));
    window.cmdStart()->click();
    clock.advance(std::chrono::seconds(100));
    const QSize least = window.minimumSizeHint();
    EXPECT_LE(least.width(), 990);
    EXPECT_LE(least.height(), 620);
    for (const QSize size : {QSize(1280, 650), least}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        window.resize(size);
        QApplication::processEvents();
        expectLaidOutCleanly(window);
        for (const QPushButton* button : {window.cmdStart(), window.cmdAbort()})
            EXPECT_TRUE(window.rect().contains(
                QRect(button->mapTo(&window, QPoint(0, 0)), button->size())));
    }
    window.resize(1280, 650);
    QApplication::processEvents();
    const QScrollArea* panelArea =
        qobject_cast<QScrollArea*>(config().parentWidget()->parentWidget());
    ASSERT_NE(panelArea, nullptr);
    EXPECT_FALSE(panelArea->verticalScrollBar()->isVisible()); // the whole panel shows
}

TEST_F(UsableWindow, TheTableColumnsAreWideEnoughForTheirValues) {
    auto* table = window.leftColumn().Data();
    auto reading = std::make_unique<HP4140DataType>();
    reading->Timerel = 1234.5016f;
    reading->Voltage = -12.34567f;
    reading->Current = -1.234567E-12f;
    reading->AtCurrentLimit = true;
    window.fileReading(std::move(reading), 1234567);
    const QAbstractItemModel& model = *table->model();
    for (int column = 0; column < model.columnCount(); ++column)
        EXPECT_LE(table->sizeHintForIndex(model.index(1, column)).width(),
                  table->columnWidth(column))
            << model.index(1, column).data().toString().toStdString();
}

} // namespace
