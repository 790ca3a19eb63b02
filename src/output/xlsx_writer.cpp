// Writes the export's sheets with libxlsxwriter into the atomic writer's temporary file.
#include "output/xlsx_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <xlsxwriter.h>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/numbers.h"

namespace ormevak {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw FileError("Cannot write " + path + ": " + reason);
}

// libxlsxwriter reports its failures on standard error as well as in its result; the result is
// what the user gets, in our one message form, so its own lines are kept off standard error.
class QuietStandardError {
  public:
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int sink = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && sink >= 0) ::dup2(sink, STDERR_FILENO);
        if (sink >= 0) ::close(sink);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_ = -1;
};

// Fills the workbook; returns an empty text on success, else the reason.
std::string fillWorkbook(lxw_workbook* book, const std::vector<Sheet>& sheets) {
    lxw_format* heading = workbook_add_format(book);
    format_set_bold(heading);
    for (const Sheet& sheet : sheets) {
        lxw_error bad = workbook_validate_sheet_name(book, sheet.name.c_str());
        if (bad != LXW_NO_ERROR) return "sheet \"" + sheet.name + "\": " + lxw_strerror(bad);
        lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name.c_str());
        if (ws == nullptr) return "sheet \"" + sheet.name + "\" could not be added";
        if (sheet.headingRows > 0)
            worksheet_freeze_panes(ws, static_cast<lxw_row_t>(sheet.headingRows), 0);
        for (size_t c = 0; c < sheet.columnWidths.size(); ++c) {
            const auto col = static_cast<lxw_col_t>(c);
            worksheet_set_column(ws, col, col, sheet.columnWidths[c], nullptr);
        }
        for (const auto& [position, text] : sheet.cells) {
            const auto row = static_cast<lxw_row_t>(position.first - 1);
            const auto col = static_cast<lxw_col_t>(position.second - 1);
            // The paste reads the texts of numbers as numbers; everything else stays text.
            lxw_format* format = position.first <= sheet.headingRows ? heading : nullptr;
            lxw_error err = isNumericText(text)
                                ? worksheet_write_number(ws, row, col, readNumber(text), format)
                                : worksheet_write_string(ws, row, col, text.c_str(), format);
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
    writeFileThrough(path, [&](const std::string& name) {
        QuietStandardError quiet;
        lxw_workbook* book = workbook_new(name.c_str());
        if (book == nullptr) fail(path, "out of memory");
        const std::string reason = fillWorkbook(book, sheets);
        if (!reason.empty()) {
            lxw_workbook_free(book);
            fail(path, reason);
        }
        errno = 0;
        const lxw_error closed = [book] {
            // The library packs the workbook through temporary files of its own.
            const StopsHeldBack held;
            return workbook_close(book);
        }();
        if (closed != LXW_NO_ERROR) {
            // The system's reason (a full disk) says more than the library's own text.
            fail(path, errno != 0 ? std::strerror(errno) : lxw_strerror(closed));
        }
    });
}

void writeWorkbook(const Project& project, const std::string& path) {
    writeSheets(buildWorkbook(project), path);
}

} // namespace ormevak
