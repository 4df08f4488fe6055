#include "bus/prologix/library_instance.h"

namespace prologix {

LibraryInstance& libraryInstance() {
    static LibraryInstance instance;
    return instance;
}

} // namespace prologix
