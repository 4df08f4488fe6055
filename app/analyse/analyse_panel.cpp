#include "analyse_panel.h"

#include "analysis_form.h"
#include "analysis_record.h"

#include "app/chart/live_chart.h"
#include "app/datafile/analysis_readings.h"
#include "app/datafile/data_collection.h"
#include "platform/app_error.h"
#include "settings/ini_document.h"
#include "settings/setting_keys.h"

#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace analyse {

namespace {

constexpr int kWidthInCharacters = 34;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<HP4140DataType> copiesOf(const datafile::DataCollection& readings) {
    std::vector<HP4140DataType> copies;
    copies.reserve(readings.Count());
    for (const auto& reading : readings)
        copies.push_back(*reading);
    return copies;
}

} // namespace

AnalysePanel::AnalysePanel(const datafile::DataCollection& readings, const hp4140::TestConfig& test,
                           chart::LiveChart& chart, QWidget* parent)
    : QGroupBox(QStringLiteral("Analyse"), parent), readings_(readings), test_(test), chart_(chart),
      form_(new QFormLayout(this)), method_(new QComboBox(this)), from_(new QLineEdit(this)),
      to_(new QLineEdit(this)), windowUnit_(new QLabel(this)), type_(new QComboBox(this)),
      results_(new QLabel(this)), note_(new QLabel(this)),
      copy_(new QPushButton(QStringLiteral("Copy"), this)) {
    setObjectName("AnalysePanel");
    form_->addRow(QStringLiteral("&Method:"), method_);
    auto* window = new QWidget(this);
    auto* windowRow = new QHBoxLayout(window);
    windowRow->setContentsMargins(0, 0, 0, 0);
    windowRow->addWidget(from_, 1);
    windowRow->addWidget(new QLabel(QStringLiteral("to"), window));
    windowRow->addWidget(to_, 1);
    windowRow->addWidget(windowUnit_);
    form_->addRow(QStringLiteral("Fr&om:"), window);
    hint_ = new QLabel(QStringLiteral("or Shift+drag on the chart"), this);
    hint_->setEnabled(false);
    form_->addRow(QString(), hint_);
    from_->setPlaceholderText(QStringLiteral("first"));
    to_->setPlaceholderText(QStringLiteral("last"));
    at_ = addField(QStringLiteral("&At:"), QStringLiteral("V"), {});
    threshold_ = addField(QStringLiteral("&Threshold:"), QStringLiteral("A"), {});
    area_ = addField(QStringLiteral("A&rea:"), QStringLiteral("cm²"), {});
    temperature_ =
        addField(QStringLiteral("T&emperature:"), QStringLiteral("K"), QStringLiteral("300"));
    epsOx_ = addField(QStringLiteral("εo&x:"), {}, QStringLiteral("3.9"));
    epsS_ = addField(QStringLiteral("ε&s:"), {}, QStringLiteral("11.7"));
    type_->addItem(QStringLiteral("p"), static_cast<int>(analysis::DopingType::P));
    type_->addItem(QStringLiteral("n"), static_cast<int>(analysis::DopingType::N));
    form_->addRow(QStringLiteral("&Doping:"), type_);
    results_->setWordWrap(true);
    results_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wide enough for a value with its unit; the panel asks for no more, leaving the chart its
    // room.
    results_->setMinimumWidth(fontMetrics().averageCharWidth() * kWidthInCharacters);
    form_->addRow(results_);
    note_->setWordWrap(true);
    note_->setEnabled(false);
    form_->addRow(note_);
    form_->addRow(copy_);
    copy_->setEnabled(false);
    copy_->setToolTip(QStringLiteral(
        "Puts the method, its inputs and the results on the clipboard as text, a line each"));

    offerMethods(datafile::curveOfFunction(test.iFunction));
    for (QLineEdit* field : {from_, to_, at_, threshold_, area_, temperature_, epsOx_, epsS_})
        connect(field, &QLineEdit::editingFinished, this, [this] { analyse(); });
    connect(method_, &QComboBox::activated, this, [this] { analyse(); });
    connect(type_, &QComboBox::activated, this, [this] { analyse(); });
    connect(copy_, &QPushButton::clicked, this, [this] { copy(); });
    connect(&chart, &chart::LiveChart::windowDragged, this,
            [this](double from, double to) { setWindow(from, to); });
}

QLineEdit* AnalysePanel::addField(const QString& caption, const QString& unit,
                                  const QString& placeholder) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* field = new QLineEdit(row);
    field->setPlaceholderText(placeholder);
    layout->addWidget(field, 1);
    if (!unit.isEmpty())
        layout->addWidget(new QLabel(unit, row));
    form_->addRow(caption, row);
    return field;
}

// "None" first, so that a run is analysed only when asked; the method chosen stays where the
// curve offers it.
void AnalysePanel::offerMethods(analysis::Curve curve) {
    const QString chosen = method_->currentText();
    curve_ = curve;
    method_->clear();
    method_->addItem(QStringLiteral("None"));
    for (const analysis::Method method : analysis::methodsFor(curve))
        method_->addItem(qs(analysis::methodName(method)), static_cast<int>(method));
    method_->setCurrentIndex(std::max(method_->findText(chosen), 0));
    windowUnit_->setText(curve == analysis::Curve::CurrentTime ? QStringLiteral("s")
                                                               : QStringLiteral("V"));
    showRows();
}

std::optional<analysis::Method> AnalysePanel::chosenMethod() const {
    const QVariant method = method_->currentData();
    if (!method.isValid())
        return std::nullopt;
    return static_cast<analysis::Method>(method.toInt());
}

// Only the inputs the method uses.
void AnalysePanel::showRows() {
    const std::optional<analysis::Method> method = chosenMethod();
    const analysis::InputUse use = method ? analysis::inputsOf(*method) : analysis::InputUse{};
    const std::pair<QWidget*, bool> rows[] = {{from_->parentWidget(), method.has_value()},
                                              {at_->parentWidget(), use.at},
                                              {threshold_->parentWidget(), use.threshold},
                                              {area_->parentWidget(), use.area},
                                              {temperature_->parentWidget(), use.temperature},
                                              {epsOx_->parentWidget(), use.epsOx},
                                              {epsS_->parentWidget(), use.epsS},
                                              {type_, use.type},
                                              {hint_, method.has_value()}};
    for (const auto& [row, shown] : rows)
        form_->setRowVisible(row, shown);
}

FormTexts AnalysePanel::texts() const {
    const auto text = [](const QLineEdit* field) { return field->text().toStdString(); };
    return {text(from_),
            text(to_),
            text(at_),
            text(threshold_),
            text(area_),
            text(temperature_),
            text(epsOx_),
            text(epsS_),
            static_cast<analysis::DopingType>(type_->currentData().toInt())};
}

void AnalysePanel::showTexts(const FormTexts& texts) {
    const auto show = [](QLineEdit* field, const std::string& text) {
        field->setText(QString::fromStdString(text));
    };
    show(from_, texts.from);
    show(to_, texts.to);
    show(at_, texts.at);
    show(threshold_, texts.threshold);
    show(area_, texts.area);
    show(temperature_, texts.temperature);
    show(epsOx_, texts.epsOx);
    show(epsS_, texts.epsS);
    type_->setCurrentIndex(type_->findData(static_cast<int>(texts.type)));
}

void AnalysePanel::readingsReset() {
    record_.reset();
    result_.reset();
    note_->clear();
    offerMethods(datafile::curveOfFunction(test_.iFunction));
    showResult();
}

void AnalysePanel::analyse() {
    const datafile::AnalysisReadings taken = datafile::analysisReadings(copiesOf(readings_));
    offerMethods(taken.readings.empty()
                     ? datafile::curveOfFunction(test_.iFunction)
                     : datafile::curveOf(test_.iFunction == hp4140::Function::CV, taken.readings));
    result_.reset();
    const std::optional<analysis::Method> method = chosenMethod();
    if (!method) {
        showResult();
        writeRecord();
        return;
    }
    auto inputs = inputsFrom(*method, texts());
    if (const auto* wrong = std::get_if<std::string>(&inputs)) {
        showResult();
        results_->setText(QString::fromStdString(*wrong) + '.');
        return;
    }
    result_ = analysis::analyse(std::get<analysis::Inputs>(inputs), curve_, taken.readings);
    showResult();
    writeRecord();
}

// Nothing to do without a method, so that a run nobody analyses costs nothing more at its end.
std::vector<analysis::RecordLine> AnalysePanel::analyseForRecord() {
    if (!chosenMethod())
        return {};
    analyse();
    return result_ ? analysis::analysisLines(*result_) : std::vector<analysis::RecordLine>();
}

void AnalysePanel::setWindow(double from, double to) {
    const double span = chart_.plot()->xAxis->range().size();
    from_->setText(QString::fromStdString(draggedEndText(from, span)));
    to_->setText(QString::fromStdString(draggedEndText(to, span)));
    analyse();
}

void AnalysePanel::showResult() {
    results_->setText(result_ ? QString::fromStdString(analyse::resultText(*result_)) : QString());
    copy_->setEnabled(result_.has_value());
    const auto inputs = chosenMethod() ? inputsFrom(*chosenMethod(), texts())
                                       : std::variant<analysis::Inputs, std::string>();
    showOverlay(result_ ? &result_->inputs : std::get_if<analysis::Inputs>(&inputs));
}

// The window even before there is a result, so that a run under way shows where it will be
// analysed.
void AnalysePanel::showOverlay(const analysis::Inputs* inputs) {
    chart::AnalysisOverlay overlay;
    if (inputs && chosenMethod()) {
        overlay.shown = true;
        overlay.againstTime = curve_ == analysis::Curve::CurrentTime;
        overlay.from = inputs->from;
        overlay.to = inputs->to;
        if (result_ && !result_->refusal)
            overlay.fitted = result_->fitted;
        overlay.fitName = qs(analysis::methodName(inputs->method)) + QStringLiteral(" fit");
    }
    chart_.setAnalysis(std::move(overlay));
}

// The record was written with the results of the moment, if any.
void AnalysePanel::setRunRecord(const std::filesystem::path& record) {
    record_ = record;
    note_->setText(result_ ? keptNote() : QString());
}

QString AnalysePanel::keptNote() const {
    return QStringLiteral("Kept in the run record ") +
           QString::fromStdString(record_->filename().string());
}

void AnalysePanel::writeRecord() {
    if (!record_)
        return;
    const std::vector<analysis::RecordLine> lines =
        result_ ? analysis::analysisLines(*result_) : std::vector<analysis::RecordLine>();
    try {
        writeAnalysisSection(*record_, lines);
        note_->setText(lines.empty() ? QString() : keptNote());
    } catch (const platform::AppError& error) {
        note_->setText(QStringLiteral("The run record could not be updated: ") +
                       QString::fromStdString(error.description()));
    }
}

void AnalysePanel::showRecorded(const settings::IniDocument& record,
                                const std::filesystem::path& path) {
    const std::optional<analysis::Result> kept =
        analysis::resultFromLines(record.entries(settings::keys::kAnalysisSection));
    if (!kept)
        return;
    offerMethods(kept->curve);
    method_->setCurrentIndex(method_->findText(qs(analysis::methodName(kept->inputs.method))));
    showRows();
    showTexts(textsOf(kept->inputs));
    result_ = kept;
    showResult();
    note_->setText(QStringLiteral("From the run record ") +
                   QString::fromStdString(path.filename().string()));
}

QString AnalysePanel::resultText() const {
    return results_->text();
}

QString AnalysePanel::recordNote() const {
    return note_->text();
}

void AnalysePanel::copy() const {
    if (result_)
        QGuiApplication::clipboard()->setText(QString::fromStdString(copyText(*result_)));
}

} // namespace analyse
