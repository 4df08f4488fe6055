#pragma once

// A series kept as a file, NAME.series.ini, in the INI form of the configuration files:
//
//   [Series]   template=, sample=, operator=, comment=, pause=0|1, on_refusal=continue|stop
//   [Step 1]   setup=, device=, label=, value= and the keys the step changes ("txtConfig(6)=2")
//   [Step 2]   ...
// or, instead of the steps, the rule that makes them:
//   [Stepped]  field=, values=A, B, ... or from=, to=, by=; devices=D1, D2, ...; setup= and
//              the keys every step changes
//
// A set-up is a configuration file or a run record, relative to the series file's folder.

#include "series_plan.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace series {

// A series file is small; anything larger is not one.
inline constexpr std::size_t kMostSeriesFileBytes = 1 << 20;

// Reads a series. Raises an AppError whose description names the file and what is wrong: it
// cannot be read, holds no steps, a section or key it does not know, a value that cannot be
// used, a step whose set-up is missing, a key the panel does not have. A step typed without a
// label or value gets one from the keys the steps step (labelOf, valueOf).
SeriesPlan readSeriesFile(const std::filesystem::path& file, const PanelFields& fields);

// The plan as a series file holds it: the rule while it still makes the steps, else every
// step. Reading the text back gives the plan. Raises an AppError for a value one INI line cannot
// hold (a line break).
std::string seriesFileText(const SeriesPlan& plan, const PanelFields& fields);
// Writes the text in one step (the old file or the new one, never a torn one).
void writeSeriesFile(const std::filesystem::path& file, const SeriesPlan& plan,
                     const PanelFields& fields);

// The series' name, by which its summary is named: "vb" for "vb.series.ini".
std::string seriesName(const std::filesystem::path& file);

// The file the step starts from, its relative path taken from the series file's folder; empty
// for a step that starts from the panel.
std::filesystem::path setupPath(const SeriesStep& step, const std::filesystem::path& seriesFile);

// The data path every step of the series fills in: the template, a relative one in the program
// folder's data/, an empty one "<series name>-{step}.txt" there.
std::string dataTemplatePath(const SeriesPlan& plan, const std::filesystem::path& seriesFile,
                             const std::filesystem::path& programFolder);

} // namespace series
