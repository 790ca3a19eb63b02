// Writing and reading the project file. Reals the model keeps as floats are written with the
// fewest digits that read back the same float, so a saved project opens to the same values.
#include "project/project_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "design/combined_design.h"
#include "design/design.h"
#include "design/rect_design.h"
#include "model/atomic_file.h"
#include "model/sha256.h"

namespace ormevak {

// The designed R and C rows are stored whole: every input, result and text, so that a project
// opens to exactly the schedule it was saved with. Their values are checked after reading.
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RectDirection, cant, mu, muBd2, pt, ast, bars, spacing, V1, tauV,
                                   tauC, bandAst, bandBars, endBars, bandSpacing, endSpacing)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RectRow, footing, lenL, widB, depth, pedestal, barDia,
                                   netPressure, govCase, pedestalEdited, designed, alongL, alongB,
                                   V2, tauVp, tauCp, texts)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(CombinedSteel, mu, muBd2, pt, ast, bars, spacing)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(CombinedBand, footing, band, cant, mu, muBd2, pt, ast, bars,
                                   spacing, Vp, tauVp, tauCp)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(CombinedRow, combined, length, width, span, cant1, cant2, depth,
                                   pedestal, barDia, netPressure, govCase, pu1, pu2, wu, wBal,
                                   zeroShear, pedestalEdited, designed, top, bottom, bands, distAst,
                                   distSpacing, V1, tauV, tauC, texts)

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr const char* kFormatName = "ORMEVAK project";
// Generous bounds that still catch a damaged value: plan positions within a kilometre square,
// sides and depths within 100 m.
constexpr int64_t kPlanLimit = 1'000'000'000;
constexpr double kSideLimit = 100;

size_t at(int i) {
    return static_cast<size_t>(i);
}

// The shortest decimal that reads back as `f`, as a double for the JSON writer.
double jsonFloat(float f) {
    if (!std::isfinite(f)) return 0;
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, f);
    double d = 0;
    std::from_chars(buffer, r.ptr, d);
    // Double rounding could in principle land on the neighbouring float; then keep it exact.
    return static_cast<float>(d) == f ? d : static_cast<double>(f);
}

Json groupJson(const GroupRecord& g) {
    Json j;
    j["baseSize"] = jsonFloat(g.baseSize);
    j["size"] = jsonFloat(g.size);
    j["depth"] = jsonFloat(g.depth);
    j["pedestal"] = jsonFloat(g.pedestal);
    j["barDia"] = g.barDia;
    j["nosCount"] = g.nosCount;
    Json nos = Json::array();
    for (int k = 1; k <= g.nosCount && at(k) < g.footingNos.size(); ++k)
        nos.push_back(g.footingNos[at(k)]);
    j["footingNos"] = nos;
    j["groupNo"] = g.groupNo;
    j["netPressure"] = jsonFloat(g.netPressure);
    j["govFooting"] = g.govFooting;
    j["govCase"] = g.govCase;
    return j;
}

Json footingJson(const Project& p, int i) {
    const FootingRecord& f = p.footings[at(i)];
    Json j;
    j["joint"] = f.jointNo;
    j["nodeX"] = f.nodeX;
    j["nodeZ"] = f.nodeZ;
    Json loads = Json::array();
    if (at(i) < p.supportReaction.size()) {
        for (int c = 0; c < cap::casesPerSupport; ++c) {
            const float number = p.reaction(i, c, reaction::CaseNo);
            if (number == 0) continue;
            loads.push_back(
                Json::array({std::lround(number), jsonFloat(p.reaction(i, c, reaction::ForceY)),
                             jsonFloat(p.reaction(i, c, reaction::MomX)),
                             jsonFloat(p.reaction(i, c, reaction::MomZ))}));
        }
    }
    j["loads"] = loads;
    j["state"] = f.state;
    j["group"] = f.groupIndex;
    j["mark"] = f.markNo;
    j["x"] = f.x;
    j["z"] = f.z;
    j["offX"] = f.offX;
    j["offZ"] = f.offZ;
    j["lenL"] = jsonFloat(f.lenL);
    j["widB"] = jsonFloat(f.widB);
    return j;
}

Json combinedJson(const CombinedRecord& c) {
    Json j;
    j["memberCount"] = c.memberCount;
    Json members = Json::array();
    for (int k = 1; k <= c.memberCount && k <= cap::combinedMembers; ++k)
        members.push_back(c.members[at(k)]);
    j["members"] = members;
    j["xMin"] = jsonFloat(c.xMin);
    j["zMin"] = jsonFloat(c.zMin);
    j["xMax"] = jsonFloat(c.xMax);
    j["zMax"] = jsonFloat(c.zMax);
    j["length"] = jsonFloat(c.length);
    j["width"] = jsonFloat(c.width);
    j["cant1"] = jsonFloat(c.cant1);
    j["cant2"] = jsonFloat(c.cant2);
    j["orientation"] = c.orientation;
    j["halfSkew"] = jsonFloat(c.halfSkew);
    j["span"] = jsonFloat(c.span);
    return j;
}

// Checked access to the parsed JSON; every problem names the file and where in it.
class Reader {
  public:
    explicit Reader(std::string file) : file_(std::move(file)) {}

    [[noreturn]] void fail(const std::string& problem) const {
        throw ProjectFileError(file_, problem);
    }

    const Json& member(const Json& obj, const std::string& where, const char* key) const {
        if (!obj.is_object()) fail(where + " is not a JSON object");
        auto it = obj.find(key);
        if (it == obj.end()) fail(where + " has no \"" + key + "\"");
        return *it;
    }

    int64_t integer(const Json& obj, const std::string& where, const char* key, int64_t lo,
                    int64_t hi) const {
        const Json& v = member(obj, where, key);
        if (!v.is_number_integer()) fail(where + ": \"" + key + "\" is not a whole number");
        // Positive numbers parse as unsigned; anything past 2^62 is out of every range here.
        const int64_t value =
            v.is_number_unsigned()
                ? static_cast<int64_t>(std::min<uint64_t>(v.get<uint64_t>(), uint64_t{1} << 62))
                : v.get<int64_t>();
        if (value < lo || value > hi)
            fail(where + ": \"" + key + "\" is " + std::to_string(value) + ", outside " +
                 std::to_string(lo) + ".." + std::to_string(hi));
        return value;
    }

    int32_t int32(const Json& obj, const std::string& where, const char* key, int64_t lo,
                  int64_t hi) const {
        return static_cast<int32_t>(integer(obj, where, key, lo, hi));
    }

    float real(const Json& obj, const std::string& where, const char* key, double lo,
               double hi) const {
        const Json& v = member(obj, where, key);
        return realValue(v, where + ": \"" + key + "\"", lo, hi);
    }

    float realValue(const Json& v, const std::string& what, double lo, double hi) const {
        if (!v.is_number()) fail(what + " is not a number");
        const double d = v.get<double>();
        if (!std::isfinite(d) || d < lo || d > hi) {
            std::ostringstream s;
            s << what << " is " << d << ", outside " << lo << ".." << hi;
            fail(s.str());
        }
        return static_cast<float>(d);
    }

    std::string text(const Json& obj, const std::string& where, const char* key) const {
        const Json& v = member(obj, where, key);
        if (!v.is_string()) fail(where + ": \"" + key + "\" is not a text");
        return v.get<std::string>();
    }

    bool flag(const Json& obj, const std::string& where, const char* key) const {
        const Json& v = member(obj, where, key);
        if (!v.is_boolean()) fail(where + ": \"" + key + "\" is not true or false");
        return v.get<bool>();
    }

    const Json& array(const Json& obj, const std::string& where, const char* key,
                      size_t maxSize) const {
        const Json& v = member(obj, where, key);
        if (!v.is_array()) fail(where + ": \"" + key + "\" is not a list");
        if (v.size() > maxSize)
            fail(where + ": \"" + key + "\" has " + std::to_string(v.size()) +
                 " entries, more than " + std::to_string(maxSize));
        return v;
    }

  private:
    std::string file_;
};

GroupRecord readGroup(const Reader& r, const Json& j, const std::string& where, int footings) {
    GroupRecord g;
    g.baseSize = r.real(j, where, "baseSize", 0, kSideLimit);
    g.size = r.real(j, where, "size", 0, kSideLimit);
    g.depth = r.real(j, where, "depth", 0, kSideLimit);
    g.pedestal = r.real(j, where, "pedestal", 0, kSideLimit);
    g.barDia = r.int32(j, where, "barDia", 0, 100);
    g.nosCount = r.int32(j, where, "nosCount", 0, footings);
    const Json& nos = r.array(j, where, "footingNos", static_cast<size_t>(footings));
    if (nos.size() != static_cast<size_t>(g.nosCount))
        r.fail(where + ": \"footingNos\" lists " + std::to_string(nos.size()) +
               " footings, \"nosCount\" says " + std::to_string(g.nosCount));
    g.footingNos.assign(1, 0);
    for (const Json& n : nos) {
        if (!n.is_number_integer() || n.get<int64_t>() < 1 || n.get<int64_t>() > footings)
            r.fail(where + ": \"footingNos\" holds " + n.dump() + ", not a footing 1.." +
                   std::to_string(footings));
        g.footingNos.push_back(n.get<int32_t>());
    }
    g.groupNo = r.int32(j, where, "groupNo", 0, cap::groups);
    g.netPressure = r.real(j, where, "netPressure", -1e9, 1e9);
    g.govFooting = r.int32(j, where, "govFooting", 0, footings);
    g.govCase = r.int32(j, where, "govCase", 0, cap::casesPerSupport - 1);
    return g;
}

StoredFooting readFooting(const Reader& r, const Json& j, const std::string& where,
                          int combinedCount, int groupCount) {
    StoredFooting s;
    FootingRecord& f = s.record;
    f.jointNo = r.int32(j, where, "joint", 1, INT32_MAX);
    f.nodeX = r.int32(j, where, "nodeX", -kPlanLimit, kPlanLimit);
    f.nodeZ = r.int32(j, where, "nodeZ", -kPlanLimit, kPlanLimit);
    const Json& loads = r.array(j, where, "loads", cap::casesPerSupport);
    for (const Json& line : loads) {
        if (!line.is_array() || line.size() != 4)
            r.fail(where + ": a load line is not [case, FORCE-Y, MOM-X, MOM-Z]");
        std::array<float, 4> l{};
        l[0] = r.realValue(line[0], where + ": a load case number", 1, 1e6);
        for (size_t k = 1; k < 4; ++k) l[k] = r.realValue(line[k], where + ": a load", -1e30, 1e30);
        s.loads.push_back(l);
    }
    f.state = r.int32(j, where, "state", kStateDisabled, combinedCount);
    if (f.state < kStateResized && !f.isDisabled())
        r.fail(where + ": \"state\" is " + std::to_string(f.state) +
               ", not 0, -1, -100 or a combined footing");
    f.groupIndex = r.int32(j, where, "group", 0, groupCount);
    f.markNo = r.int32(j, where, "mark", 0, cap::supports);
    f.x = r.int32(j, where, "x", -kPlanLimit, kPlanLimit);
    f.z = r.int32(j, where, "z", -kPlanLimit, kPlanLimit);
    f.offX = r.int32(j, where, "offX", -1, 1);
    f.offZ = r.int32(j, where, "offZ", -1, 1);
    f.lenL = r.real(j, where, "lenL", 0, kSideLimit);
    f.widB = r.real(j, where, "widB", 0, kSideLimit);
    return s;
}

CombinedRecord readCombined(const Reader& r, const Json& j, const std::string& where,
                            int footings) {
    CombinedRecord c;
    c.memberCount = r.int32(j, where, "memberCount", 0, cap::combinedMembers);
    const Json& members = r.array(j, where, "members", cap::combinedMembers);
    if (members.size() != static_cast<size_t>(c.memberCount))
        r.fail(where + ": \"members\" lists " + std::to_string(members.size()) +
               " footings, \"memberCount\" says " + std::to_string(c.memberCount));
    for (size_t k = 0; k < members.size(); ++k) {
        const Json& m = members[k];
        if (!m.is_number_integer() || m.get<int64_t>() < 1 || m.get<int64_t>() > footings)
            r.fail(where + ": \"members\" holds " + m.dump() + ", not a footing 1.." +
                   std::to_string(footings));
        c.members[k + 1] = m.get<int32_t>();
    }
    const double plan = static_cast<double>(kPlanLimit);
    c.xMin = r.real(j, where, "xMin", -plan, plan);
    c.zMin = r.real(j, where, "zMin", -plan, plan);
    c.xMax = r.real(j, where, "xMax", -plan, plan);
    c.zMax = r.real(j, where, "zMax", -plan, plan);
    c.length = r.real(j, where, "length", 0, kSideLimit);
    c.width = r.real(j, where, "width", 0, kSideLimit);
    c.cant1 = r.real(j, where, "cant1", -kSideLimit, kSideLimit);
    c.cant2 = r.real(j, where, "cant2", -kSideLimit, kSideLimit);
    c.orientation = r.int32(j, where, "orientation", 0, 1);
    c.halfSkew = r.real(j, where, "halfSkew", -plan, plan);
    c.span = r.real(j, where, "span", -plan, plan);
    return c;
}

std::string describeParseError(const nlohmann::json::parse_error& e, size_t size) {
    if (size == 0) return "the file is empty";
    if (e.byte >= size)
        return "it is truncated (the JSON ends after " + std::to_string(size) +
               " bytes, before it is complete)";
    return "it is not a project file (no valid JSON at byte " + std::to_string(e.byte) + ")";
}

// Texts that are not UTF-8 (a path in a legacy code page) are written with replacement
// characters rather than refused.
std::string dump(const Json& j) {
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// One top-level entry a line, and one line per footing, group, combined footing or schedule row:
// readable and diffable without spreading each reaction over five lines.
std::string layout(const Json& j) {
    std::string out = "{\n";
    for (auto it = j.begin(); it != j.end(); ++it) {
        out += " " + dump(Json(it.key())) + ": ";
        if (it->is_array() && !it->empty() && it->front().is_object()) {
            out += "[\n";
            for (size_t k = 0; k < it->size(); ++k)
                out += "  " + dump((*it)[k]) + (k + 1 < it->size() ? ",\n" : "\n");
            out += " ]";
        } else {
            out += dump(*it);
        }
        out += std::next(it) != j.end() ? ",\n" : "\n";
    }
    return out + "}\n";
}

} // namespace

std::string relativeAnalysisPath(const std::string& analysisPath, const std::string& projectPath) {
    const fs::path analysis = fs::absolute(fs::path(analysisPath)).lexically_normal();
    const fs::path folder = fs::absolute(fs::path(projectPath)).lexically_normal().parent_path();
    const fs::path relative = analysis.lexically_relative(folder);
    if (relative.empty() || analysis.root_name() != folder.root_name())
        return analysis.generic_string();
    return relative.generic_string();
}

std::string projectText(const Project& p, const SoilTexts& soil, const std::string& projectPath,
                        const std::string& analysisSha256) {
    Json j;
    j["format"] = kFormatName;
    j["version"] = kProjectFormatVersion;
    j["analysis"] = {{"file", relativeAnalysisPath(p.analysisFilePath, projectPath)},
                     {"sha256", analysisSha256}};
    j["soil"] = {{"depth", soil.depth}, {"sbc", soil.sbc}};
    j["grades"] = {{"concrete", p.concreteGrade}, {"steel", p.steelGrade}};

    Json footings = Json::array();
    for (int i = 1; i <= p.footingCount; ++i) footings.push_back(footingJson(p, i));
    j["footings"] = footings;

    Json groups = Json::array();
    for (int g = 1; g <= p.groupCount; ++g) {
        Json gj = groupJson(p.groups[at(g)]);
        gj["enabled"] = at(g) < p.groupEnabled.size() && p.groupEnabled[at(g)] != 0;
        const GroupCaptions c =
            at(g) < p.groupCaptions.size() ? p.groupCaptions[at(g)] : GroupCaptions{};
        gj["captions"] = {{"check", c.check}, {"side", c.side}, {"count", c.count}};
        groups.push_back(gj);
    }
    j["groups"] = groups;

    Json combined = Json::array();
    for (int k = 1; k <= p.combinedCount; ++k)
        combined.push_back(combinedJson(p.combinedFootings[at(k)]));
    j["combined"] = combined;

    // Rows past the count are kept too: a later Design reuses what they hold.
    Json rows = Json::array();
    const auto& names = scheduleControlNames();
    for (size_t n = 1; n < p.designRows.size(); ++n) {
        Json rj = groupJson(p.designRows[n]);
        Json texts = Json::object();
        for (size_t c = 0; c < names.size(); ++c)
            texts[names[c]] = n < p.designRowTexts.size() ? p.designRowTexts[n][c] : std::string{};
        rj["texts"] = texts;
        rows.push_back(rj);
    }
    j["designRowCount"] = p.designRowCount;
    j["designRows"] = rows;
    // The rows' serializers are the plain json's; the file keeps its members in order.
    j["rectRows"] = Json::parse(nlohmann::json(p.rectRows).dump());
    j["combinedRows"] = Json::parse(nlohmann::json(p.combinedRows).dump());
    j["currentFooting"] = p.currentFooting;
    j["sizeLabel"] = p.sizeLabelCaption;
    return layout(j);
}

void saveProject(const Project& p, const SoilTexts& soil, const std::string& projectPath) {
    std::ifstream in(p.analysisFilePath, std::ios::binary);
    if (!in)
        throw FileError("Cannot write " + projectPath + ": the analysis file " +
                        p.analysisFilePath + " cannot be read");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    writeFileAtomically(projectPath, projectText(p, soil, projectPath, sha256Hex(bytes.str())));
}

namespace {

// The R and C rows: absent in a project saved before they were designed (then none); every
// index must name a footing or combined footing of the project and every value be a number.
void readDesignedRows(const Reader& r, const Json& j, StoredProject& s, int footingCount) {
    const auto finite = [](float v) { return std::isfinite(v); };
    try {
        const auto plain = [&](const char* key) { return nlohmann::json::parse(j.at(key).dump()); };
        if (j.contains("rectRows")) s.rectRows = plain("rectRows").get<std::vector<RectRow>>();
        if (j.contains("combinedRows"))
            s.combinedRows = plain("combinedRows").get<std::vector<CombinedRow>>();
    } catch (const nlohmann::json::exception&) {
        r.fail("its R or C schedule rows are damaged");
    }
    if (s.rectRows.size() > static_cast<size_t>(footingCount) ||
        s.combinedRows.size() > static_cast<size_t>(cap::combined))
        r.fail("it holds more R or C schedule rows than footings");
    for (const RectRow& row : s.rectRows) {
        if (row.footing < 1 || row.footing > footingCount ||
            row.texts.size() != rectControlNames().size() || !finite(row.lenL) ||
            !finite(row.widB) || !finite(row.depth) || !finite(row.pedestal) || row.barDia < 0 ||
            row.barDia > 100 || row.govCase < 0 || row.govCase >= cap::casesPerSupport)
            r.fail("an R schedule row holds a value out of range");
    }
    for (const CombinedRow& row : s.combinedRows) {
        if (row.combined < 1 || row.combined > s.combinedCount ||
            row.texts.size() != combinedControlNames().size() || !finite(row.length) ||
            !finite(row.width) || !finite(row.depth) || !finite(row.pedestal) || row.barDia < 0 ||
            row.barDia > 100 || row.govCase < 0 || row.govCase >= cap::casesPerSupport ||
            std::any_of(row.bands.begin(), row.bands.end(), [&](const CombinedBand& b) {
                return b.footing < 0 || b.footing > footingCount;
            }))
            r.fail("a C schedule row holds a value out of range");
    }
}

// The text as JSON, refused unless it is an ORMEVAK project.
Json projectJson(const Reader& r, const std::string& text) {
    Json j;
    try {
        j = Json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        r.fail(describeParseError(e, text.size()));
    } catch (const nlohmann::json::exception&) {
        // A number too large for a double is the only other refusal of the parser.
        r.fail("it is not a project file (a number is out of range)");
    }
    if (!j.is_object() || !j.contains("format") || j["format"] != kFormatName)
        r.fail("it is not an ORMEVAK project file");
    return j;
}

// The format version, refused when it is newer than this version reads or not one at all.
int formatVersion(const Reader& r, const Json& j) {
    const Json& version = r.member(j, "the project", "version");
    if (!version.is_number_integer())
        r.fail("its format version " + version.dump() + " is not a number");
    const int64_t v =
        version.is_number_unsigned()
            ? static_cast<int64_t>(std::min<uint64_t>(version.get<uint64_t>(), INT64_MAX))
            : version.get<int64_t>();
    if (v > kProjectFormatVersion)
        r.fail("it was written by a newer version of ORMEVAK (project format version " +
               version.dump() + "; this version reads version " +
               std::to_string(kProjectFormatVersion) + ")");
    if (v < 1) r.fail("its format version " + version.dump() + " is unknown");
    return static_cast<int>(v);
}

// The analysis file the project was made from, found beside the project when stored relative.
void readAnalysisEntry(const Reader& r, const Json& j, StoredProject& s,
                       const std::string& projectPath) {
    const Json& analysis = r.member(j, "the project", "analysis");
    s.analysisFile = r.text(analysis, "the analysis entry", "file");
    if (s.analysisFile.empty()) r.fail("it names no analysis file");
    s.analysisSha256 = r.text(analysis, "the analysis entry", "sha256");
    if (s.analysisSha256.size() != 64 ||
        s.analysisSha256.find_first_not_of("0123456789abcdef") != std::string::npos)
        r.fail("the analysis file's SHA-256 is not 64 hexadecimal digits");
    const fs::path stored(s.analysisFile);
    s.analysisResolved = stored.is_absolute()
                             ? stored.string()
                             : (fs::path(projectPath).parent_path() / stored).string();
}

// The footings, the groups and the combined footings; returns the count of footings.
int readPlanTables(const Reader& r, const Json& j, StoredProject& s) {
    const std::string top = "the project";
    // Counts first, so that every index read below can be checked against its table.
    const Json& footings = r.array(j, top, "footings", cap::supports);
    const Json& groups = r.array(j, top, "groups", cap::groups);
    const Json& combined = r.array(j, top, "combined", cap::combined);
    const int footingCount = static_cast<int>(footings.size());
    s.groupCount = static_cast<int>(groups.size());
    s.combinedCount = static_cast<int>(combined.size());
    if (footingCount == 0) r.fail("it holds no footings");

    for (size_t i = 0; i < footings.size(); ++i)
        s.footings.push_back(readFooting(r, footings[i], "footing " + std::to_string(i + 1),
                                         s.combinedCount, s.groupCount));
    for (size_t g = 0; g < groups.size(); ++g) {
        const std::string where = "group " + std::to_string(g + 1);
        s.groups.push_back(readGroup(r, groups[g], where, footingCount));
        s.groupEnabled.push_back(r.flag(groups[g], where, "enabled") ? 1 : 0);
        const Json& c = r.member(groups[g], where, "captions");
        s.groupCaptions.push_back({r.text(c, where + " captions", "check"),
                                   r.text(c, where + " captions", "side"),
                                   r.text(c, where + " captions", "count")});
    }
    for (size_t k = 0; k < combined.size(); ++k)
        s.combinedFootings.push_back(readCombined(
            r, combined[k], "combined footing " + std::to_string(k + 1), footingCount));
    return footingCount;
}

// The square schedule rows with the texts they show.
void readSquareRows(const Reader& r, const Json& j, StoredProject& s, int footingCount) {
    const std::string top = "the project";
    const Json& rows = r.array(j, top, "designRows", cap::groups);
    s.designRowCount = r.int32(j, top, "designRowCount", 0, static_cast<int64_t>(rows.size()));
    const auto& names = scheduleControlNames();
    for (size_t n = 0; n < rows.size(); ++n) {
        const std::string where = "schedule row " + std::to_string(n + 1);
        s.designRows.push_back(readGroup(r, rows[n], where, footingCount));
        const Json& texts = r.member(rows[n], where, "texts");
        std::array<std::string, 20> t;
        for (size_t c = 0; c < names.size(); ++c) t[c] = r.text(texts, where + " texts", names[c]);
        s.designRowTexts.push_back(t);
    }
}

} // namespace

StoredProject parseProject(const std::string& text, const std::string& projectPath) {
    const Reader r(projectPath);
    const Json j = projectJson(r, text);
    const std::string top = "the project";
    StoredProject s;
    s.version = formatVersion(r, j);
    readAnalysisEntry(r, j, s, projectPath);

    const Json& soil = r.member(j, top, "soil");
    s.soil.depth = r.text(soil, "the soil values", "depth");
    s.soil.sbc = r.text(soil, "the soil values", "sbc");
    const Json& grades = r.member(j, top, "grades");
    s.concreteGrade = r.int32(grades, "the grades", "concrete", -32768, 32767);
    s.steelGrade = r.int32(grades, "the grades", "steel", -32768, 32767);

    const int footingCount = readPlanTables(r, j, s);
    readSquareRows(r, j, s, footingCount);
    readDesignedRows(r, j, s, footingCount);
    s.currentFooting = r.int32(j, top, "currentFooting", 0, footingCount);
    s.sizeLabel = r.text(j, top, "sizeLabel");
    return s;
}

StoredProject readProjectFile(const std::string& projectPath) {
    std::ifstream in(projectPath, std::ios::binary);
    if (!in) {
        const std::string problem =
            fs::exists(projectPath) ? "it cannot be read" : "it does not exist";
        throw ProjectFileError(projectPath, problem);
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw ProjectFileError(projectPath, "it cannot be read");
    return parseProject(text.str(), projectPath);
}

} // namespace ormevak
