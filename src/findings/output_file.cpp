#include "findings/output_file.h"

namespace vortel {

bool OutputFile::create(const std::string& name) {
    name_ = name;
    file_ = std::fopen(name.c_str(), "wb");
    if (!file_) return false;
    writer_.attach(file_, true);
    return true;
}

bool OutputFile::close() {
    if (!file_) return true;
    writer_.flush();
    const bool ok = std::ferror(file_) == 0;
    writer_.close();
    file_ = nullptr;
    return ok;
}

}  // namespace vortel
