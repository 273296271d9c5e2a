// A file an output writes: an output of the run (a temporary moved into place
// at the end of the run) with its writer. The findings outputs write in binary
// mode, so that bytes of the data file pass through unchanged; the text
// reports in text mode, through the run context's writer of their report.
#pragma once

#include <string>

#include "core/output_file.h"
#include "core/writer.h"

namespace vortel {

class WrittenOutput {
public:
    WrittenOutput() = default;
    // Writes through `writer` (left detached when the output goes away).
    explicit WrittenOutput(Writer& writer) : writer_(&writer) {}
    ~WrittenOutput() {
        if (writer_ != &own_) writer_->detach();
    }
    WrittenOutput(const WrittenOutput&) = delete;
    WrittenOutput& operator=(const WrittenOutput&) = delete;

    // Opens the output (`text`: lines end as the system's text files end
    // them). Returns 0 or the system's error number.
    int create(const std::string& name, bool text = false) {
        if (const int error = file_.open(name, text)) return error;
        writer_->attach(file_.file(), false, name);
        return 0;
    }
    const std::string& name() const { return file_.name(); }
    Writer& out() { return *writer_; }
    OutputFile& file() { return file_; }

private:
    OutputFile file_;
    Writer own_;
    Writer* writer_ = &own_;
};

}  // namespace vortel
