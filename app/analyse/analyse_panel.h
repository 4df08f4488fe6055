#pragma once

#include "analysis/method.h"
#include "analysis/record.h"

#include <QGroupBox>

#include <filesystem>
#include <optional>
#include <vector>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace chart {
class LiveChart;
}

namespace datafile {
class DataCollection;
}

namespace hp4140 {
struct TestConfig;
}

namespace settings {
class IniDocument;
}

namespace analyse {

struct FormTexts;

// "Analyse": a method that fits the readings' curve, its window (typed, or dragged on the chart
// with Shift held) and the inputs the method needs; the results with their units and the fit's
// quality, the fit drawn over the readings and the window shown as a band on the chart, and
// "Copy" for the clipboard. Every change analyses the readings again. The results of a run go
// into its run record, once the run has one, so that they show again when the record is loaded.
class AnalysePanel final : public QGroupBox {
    Q_OBJECT

public:
    // The readings and the test whose function they were taken with, and the chart that shows
    // them.
    AnalysePanel(const datafile::DataCollection& readings, const hp4140::TestConfig& test,
                 chart::LiveChart& chart, QWidget* parent = nullptr);

    // A test starts: its readings have no result and no record yet.
    void readingsReset();
    // Analyses the readings as they are now; the lines the run record keeps of it (none while
    // no method is chosen).
    std::vector<analysis::RecordLine> analyseForRecord();
    // The run record the results go to from now on.
    void setRunRecord(const std::filesystem::path& record);
    // A run record loaded: the method, window and inputs it kept, and its results.
    void showRecorded(const settings::IniDocument& record, const std::filesystem::path& path);

    // Runs the chosen method on the readings and shows the result.
    void analyse();
    // Shows the range as the window and analyses.
    void setWindow(double from, double to);

    QComboBox* method() const { return method_; }
    QLineEdit* from() const { return from_; }
    QLineEdit* to() const { return to_; }
    QLineEdit* area() const { return area_; }
    QPushButton* copyButton() const { return copy_; }
    QString resultText() const;
    // Where the results went or came from, or what went wrong with the record.
    QString recordNote() const;

private:
    QLineEdit* addField(const QString& caption, const QString& unit, const QString& placeholder);
    void offerMethods(analysis::Curve curve);
    std::optional<analysis::Method> chosenMethod() const;
    void showRows();
    FormTexts texts() const;
    void showTexts(const FormTexts& texts);
    void showResult();
    void showOverlay(const analysis::Inputs* inputs);
    void writeRecord();
    QString keptNote() const;
    void copy() const;

    const datafile::DataCollection& readings_;
    const hp4140::TestConfig& test_;
    chart::LiveChart& chart_;
    QFormLayout* form_;
    QComboBox* method_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLabel* windowUnit_;
    QLabel* hint_ = nullptr;
    QLineEdit* at_;
    QLineEdit* threshold_;
    QLineEdit* area_;
    QLineEdit* temperature_;
    QLineEdit* epsOx_;
    QLineEdit* epsS_;
    QComboBox* type_;
    QLabel* results_;
    QLabel* note_;
    QPushButton* copy_;
    analysis::Curve curve_ = analysis::Curve::CurrentVoltage;
    std::optional<analysis::Result> result_;
    std::optional<std::filesystem::path> record_;
};

} // namespace analyse
