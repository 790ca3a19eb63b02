// Writes the export's sheets with libxlsxwriter, through a temporary file renamed into place.
#include "output/xlsx_writer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

#include <xlsxwriter.h>

#include "model/errors.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw FileError("Cannot write " + path + ": " + reason);
}

// Creates an empty file beside the target with a name no one else uses, so that a failure to
// create files there (no folder, no permission) is reported with the system's reason before any
// work, and a half-written workbook never carries the target's name.
std::string createTemporary(const std::string& path) {
    static int counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name =
            path + "." + std::to_string(::getpid()) + "." + std::to_string(++counter) + ".tmp";
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST) fail(path, std::strerror(errno));
    }
    fail(path, "no free temporary name beside it");
}

void removeQuietly(const std::string& name) {
    std::error_code ignored;
    std::filesystem::remove(name, ignored);
}

// Fills the workbook; returns an empty text on success, else the reason.
std::string fillWorkbook(lxw_workbook* book, const std::vector<Sheet>& sheets) {
    for (const Sheet& sheet : sheets) {
        lxw_error bad = workbook_validate_sheet_name(book, sheet.name.c_str());
        if (bad != LXW_NO_ERROR) return "sheet \"" + sheet.name + "\": " + lxw_strerror(bad);
        lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name.c_str());
        if (ws == nullptr) return "sheet \"" + sheet.name + "\" could not be added";
        for (const auto& [position, text] : sheet.cells) {
            const auto row = static_cast<lxw_row_t>(position.first - 1);
            const auto col = static_cast<lxw_col_t>(position.second - 1);
            // The paste reads the texts of numbers as numbers; everything else stays text.
            lxw_error err = isNumericText(text)
                                ? worksheet_write_number(ws, row, col, readNumber(text), nullptr)
                                : worksheet_write_string(ws, row, col, text.c_str(), nullptr);
            if (err != LXW_NO_ERROR) {
                return "sheet \"" + sheet.name + "\" row " + formatInt(position.first) +
                       " column " + formatInt(position.second) + ": " + lxw_strerror(err);
            }
        }
    }
    return {};
}

} // namespace

void writeSheets(const std::vector<Sheet>& sheets, const std::string& path) {
    const std::string temporary = createTemporary(path);

    lxw_workbook* book = workbook_new(temporary.c_str());
    if (book == nullptr) {
        removeQuietly(temporary);
        fail(path, "out of memory");
    }
    const std::string reason = fillWorkbook(book, sheets);
    if (!reason.empty()) {
        lxw_workbook_free(book);
        removeQuietly(temporary);
        fail(path, reason);
    }
    errno = 0;
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        std::string why = lxw_strerror(closed);
        if (errno != 0) why += " (" + std::string(std::strerror(errno)) + ")";
        removeQuietly(temporary);
        fail(path, why);
    }

    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        removeQuietly(temporary);
        fail(path, ec.message());
    }
}

void writeWorkbook(const Project& project, const std::string& path) {
    writeSheets(buildWorkbook(project), path);
}

} // namespace ormevak
