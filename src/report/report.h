// The calculation report's content: headings, paragraphs and tables of numbers, made from the
// model as it stands, with no drawing in it, so that the same content can be checked without a
// window and written to any format (the PDF of the output module, plain text).
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace ormevak::report {

struct Table {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows; // each as long as headings
    std::vector<bool> numeric;                  // right-aligned columns (numbers)
};

enum class BlockKind { Heading, Paragraph, Table };

struct Block {
    BlockKind kind = BlockKind::Paragraph;
    int level = 1;    // headings: 1 a part of the report, 2 a section within it
    std::string text; // heading or paragraph text
    Table table;
};

struct Content {
    std::string title;   // "Calculation report"
    std::string project; // the analysis file's name, for the running header
    std::vector<Block> blocks;
};

// What the report says about the analysis file it was made from.
struct FileFacts {
    std::string name;     // file name without its folder
    std::string modified; // "2026-12-09 01:58 UTC"
    long long size = 0;   // bytes
    std::string sha256;   // of its bytes
};
// Reads the file whole. Throws FileError "Cannot read PATH: REASON".
FileFacts describeFile(const std::string& path);

struct Inputs {
    FileFacts analysis;
    std::string programVersion;
    std::string runDate; // as it is to be printed
};

// The whole report: cover and basis, footing sizes, one section per schedule row (F, R and C
// rows), checks, quantities.
Content buildReport(const Project& p, const Inputs& inputs);

// The content as plain text (headings underlined, tables aligned), for tests and other formats.
std::string plainText(const Content& content);

// "2026-12-09 01:58 UTC" for a time in seconds since 1970.
std::string utcText(long long secondsSinceEpoch);

} // namespace ormevak::report
