// A file the findings export writes: an output of the run (a temporary moved
// into place at the end of the run) in binary mode, so that bytes of the data
// file pass through unchanged, with its writer.
#pragma once

#include <string>

#include "core/output_file.h"
#include "core/writer.h"

namespace vortel {

class WrittenOutput {
public:
    // Opens the output. Returns 0 or the system's error number.
    int create(const std::string& name) {
        if (const int error = file_.open(name)) return error;
        writer_.attach(file_.file(), false, name);
        return 0;
    }
    const std::string& name() const { return file_.name(); }
    Writer& out() { return writer_; }
    OutputFile& file() { return file_; }

private:
    OutputFile file_;
    Writer writer_;
};

}  // namespace vortel
