#pragma once

// A run record's section [Analysis], rewritten when its run is analysed again.

#include "analysis/record.h"

#include <filesystem>
#include <span>

namespace analyse {

// Puts the lines in the record's section [Analysis] in place of what it held (no lines: the
// section goes); every other line stays as it was. Raises an AppError naming the record when it
// is not there (53), is no run record, or cannot be read or written.
void writeAnalysisSection(const std::filesystem::path& record,
                          std::span<const analysis::RecordLine> lines);

} // namespace analyse
