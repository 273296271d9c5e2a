// A file the findings export writes: created in binary mode (bytes of the
// data file pass through unchanged), buffered, and checked for write errors
// when it is closed.
#pragma once

#include <cstdio>
#include <string>

#include "reports/writer.h"

namespace vortel {

class OutputFile {
public:
    // Creates (or empties) the file. False when it cannot be opened.
    bool create(const std::string& name);
    const std::string& name() const { return name_; }
    Writer& out() { return writer_; }
    // Flushes and closes; false when some write did not reach the file.
    bool close();

private:
    std::string name_;
    std::FILE* file_ = nullptr;
    Writer writer_;
};

}  // namespace vortel
