#pragma once

#include "hp4140/hp4140_data.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace datafile {

// The current test's readings in the order they were taken. The collection owns each record
// from the moment it is added until it is emptied at the next test start; the table, the chart's
// replot and the data file read it.
class DataCollection {
public:
    void Add(std::unique_ptr<HP4140DataType> reading);
    void RemoveAll() { readings_.clear(); }

    std::size_t Count() const { return readings_.size(); }
    bool empty() const { return readings_.empty(); }
    // Item k from 1, as the readings are numbered.
    const HP4140DataType& Item(std::size_t k) const { return *readings_.at(k - 1); }

    auto begin() const { return readings_.begin(); }
    auto end() const { return readings_.end(); }

private:
    std::vector<std::unique_ptr<HP4140DataType>> readings_;
};

} // namespace datafile
