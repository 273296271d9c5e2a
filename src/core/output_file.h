// An output of the run (a report, the findings, the error records, a page).
//
// It is written to a temporary file beside its target, named after it
// (".fc.txt.vortel-dq-XXXXXX"), and moved into place only when the run asks
// for it: a run that fails or is interrupted leaves the target as it was. A
// target that is a symbolic link is replaced at the link's final target (the
// link stays a link); a replaced file keeps its mode, a new one gets 0666 less
// the umask. The name is resolved as the system's open() resolves it (a
// folder that cannot be reached is an error, `..` after a link goes to the
// link target's parent), and an existing target the user may not write is
// refused, as open() would refuse it. A target that is not a regular file (a FIFO, a terminal,
// /dev/stdout), or whose folder cannot take a temporary while the target
// itself is writable, is written directly.
#pragma once

#include <cstdio>
#include <string>

namespace vortel {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();  // discards a temporary still open
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens the output for `name`; `text` for a report, whose lines end as
    // the system's text files end them (CR LF on Windows, LF elsewhere).
    // Returns 0, or the system's error number.
    int open(const std::string& name, bool text = false);
    bool isOpen() const { return file_ != nullptr; }
    std::FILE* file() const { return file_; }
    const std::string& name() const { return name_; }

    // Where the next byte goes (everything written having reached the file),
    // or -1 when the file cannot tell (a pipe, a terminal).
    long long position() const;
    // Cuts the file back to a position it gave, so that what is written next
    // replaces what followed it. Returns 0, or the system's error number.
    int cutBackTo(long long position);

    // True when what was written can be read back: the output is written to
    // a temporary. openToReadBack opens the temporary again for reading
    // (flushed first); null on failure, errno set.
    bool canReadBack() const { return file_ && !temporary_.empty(); }
    std::FILE* openToReadBack() const;

    // Closes the file, everything written having reached it. Returns 0, or the
    // error number of the first failed write, flush or close.
    int close();
    // Moves a closed temporary onto its target. Returns 0 or an error number.
    int place();
    // Closes and removes the temporary; the target stays as it was.
    void discard();

private:
    std::string name_;
    std::string target_;     // where the temporary goes
    std::string temporary_;  // empty when written directly
    std::FILE* file_ = nullptr;
    int slot_ = -1;
};

}  // namespace vortel
