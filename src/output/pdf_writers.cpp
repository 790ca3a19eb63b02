// Finds and loads the PDF writers' library beside the running program.
#include "output/pdf_writers.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <system_error>

#include "model/errors.h"

namespace ormevak {

namespace {

// The folder of the running program, whatever the folder the run was started from.
std::filesystem::path programFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) throw FileError("Cannot find the folder of the running program: " + ec.message());
    return self.parent_path();
}

const PdfWriters& load() {
    const std::string path = (programFolder() / kPdfWritersFile).string();
    // Every symbol is bound now: a library that does not fit fails here, before any work, not
    // halfway through a file.
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        // The loader's reason starts with the path, already named.
        std::string reason = ::dlerror();
        if (reason.rfind(path + ": ", 0) == 0) reason.erase(0, path.size() + 2);
        throw FileError("Cannot load the PDF writers " + path + ": " + reason);
    }
    using Entry = const PdfWriters* (*)();
    auto entry = reinterpret_cast<Entry>(::dlsym(library, "ormevak_pdf_writers"));
    const PdfWriters* writers = entry != nullptr ? entry() : nullptr;
    if (writers == nullptr || writers->version != kPdfWritersVersion ||
        writers->projectSize != sizeof(Project))
        throw FileError("Cannot load the PDF writers " + path +
                        ": the library was built for another version of the program");
    return *writers; // the library stays loaded until the process ends
}

} // namespace

const PdfWriters& loadPdfWriters() {
    static const PdfWriters& writers = load();
    return writers;
}

} // namespace ormevak
