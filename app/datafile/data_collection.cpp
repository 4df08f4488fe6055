#include "data_collection.h"

#include <stdexcept>

namespace datafile {

void DataCollection::Add(std::unique_ptr<HP4140DataType> reading) {
    if (!reading)
        throw std::invalid_argument("DataCollection::Add: no reading");
    readings_.push_back(std::move(reading));
}

} // namespace datafile
