#pragma once

// The edits a Series window makes to a plan's steps. Each edit of the steps themselves lets the
// rule that made them go: the file then keeps the steps as they are.

#include "series_plan.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace series {

// A step's changes as one line, "txtConfig(6)=2; optionVB(0)=1", and back. Reading raises an
// AppError for a part without "=" or a key the panel does not have.
std::string changesText(const std::vector<FieldChange>& changes);
std::vector<FieldChange> parseChanges(std::string_view text, const PanelFields& fields);

// A stepped field's values as one line: a list, "0, 1, 2", or a range, "0 to 2 by 0.5"; and
// back. Reading leaves the values for the rule's own checks (steppedValues).
std::string valuesText(const SteppedField& stepped);
void setValuesFromText(SteppedField& stepped, std::string_view text);
// A list of names, "D1, D2, D3", without empty ones.
std::vector<std::string> splitList(std::string_view text);
std::string joinList(const std::vector<std::string>& items);

// A new step at the end, a copy of the last one (an empty step in an empty plan); returns its
// place.
std::size_t addStep(SeriesPlan& plan);
// A copy of the step right after it; returns the copy's place.
std::size_t duplicateStep(SeriesPlan& plan, std::size_t step);
void removeStep(SeriesPlan& plan, std::size_t step);
// Moves the step one place up (towards the first) or down; returns where it is now.
std::size_t moveStep(SeriesPlan& plan, std::size_t step, bool up);

} // namespace series
