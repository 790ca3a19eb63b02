// The batch tool's result object: the model after the run, as the windows would show it.
#include "batch/result_json.h"

#include <algorithm>
#include <span>
#include <vector>

#include "batch/design_rows_json.h"
#include "batch/json_writer.h"
#include "batch/session.h"
#include "checks/checks.h"
#include "design/design.h"
#include "drawing/quantities.h"
#include "model/side_by_side.h"

namespace ormevak::batch {

namespace {

size_t at(int i) {
    return static_cast<size_t>(i);
}

// Entries 1..n of a list whose entry 0 is not one (as many as it holds).
template <class T> std::span<const T> fromOne(const std::vector<T>& list, size_t n) {
    if (list.empty()) return {};
    return std::span(list).subspan(1, std::min(n, list.size() - 1));
}

// A list whose entry 0 holds its count: the levels and the grid lists.
template <class T> void countedList(JsonWriter& w, const std::vector<T>& list) {
    w.numbers(fromOne(list, list.empty() ? 0 : static_cast<size_t>(list[0])));
}

void intArray(JsonWriter& w, const std::vector<int32_t>& list, int count) {
    w.numbers(fromOne(list, static_cast<size_t>(std::max(count, 0))));
}

// Rows 1..count of the column or the beam table: member, length and the two dimensions, which
// follow one another in a row.
template <class Row> void memberRows(JsonWriter& w, const std::vector<Row>& table, int count) {
    static_assert(member_row::Length == member_row::Member + 1 &&
                  member_row::Dim3 == member_row::Member + 2 &&
                  member_row::Dim4 == member_row::Member + 3);
    w.beginArray();
    for (int r = 1; r <= count; ++r)
        w.numbers(std::span(table[at(r)]).template subspan<member_row::Member, 4>());
    w.endArray();
}

// The object's first fields, which the analysis file alone decides, the member rows among them
// (the largest part of the text, about 30 characters a row); the object is left open.
std::string inputFieldsJson(const Project& p) {
    JsonWriter w;
    w.reserve(1024 + 32 * static_cast<size_t>(p.betaCount + p.columnCount + p.beamCount));
    w.beginObject();
    w.key("analysisFile").value(p.analysisFilePath);
    w.key("unitFactor").value(p.inputUnitFactor);
    w.key("jointCount").value(p.jointCount).key("memberCount").value(p.memberCount);
    w.key("betaMembers");
    intArray(w, p.betaMembers, p.betaCount);
    w.key("columns");
    memberRows(w, p.columns, p.columnCount);
    w.key("beams");
    memberRows(w, p.beams, p.beamCount);
    return w.str();
}

void footings(JsonWriter& w, const Project& p) {
    w.beginArray();
    for (int i = 1; i <= p.footingCount; ++i) {
        const FootingRecord& f = p.footings[at(i)];
        w.beginObject();
        w.key("index").value(i).key("jointNo").value(f.jointNo).key("state").value(f.state);
        w.key("groupIndex").value(f.groupIndex).key("markNo").value(f.markNo);
        w.key("x").value(f.x).key("z").value(f.z).key("nodeX").value(f.nodeX).key("nodeZ").value(
            f.nodeZ);
        w.key("offX").value(f.offX).key("offZ").value(f.offZ);
        w.key("lenL").value(f.lenL).key("widB").value(f.widB).key("reqSide").value(f.reqSide);
        w.key("colIndex").value(f.colIndex);
        w.endObject();
    }
    w.endArray();
}

void groups(JsonWriter& w, const Project& p) {
    w.beginArray();
    for (int i = 1; i <= p.groupCount; ++i) {
        const GroupRecord& g = p.groups[at(i)];
        const GroupCaptions& c = p.groupCaptions[at(i)];
        w.beginObject();
        w.key("index").value(i).key("baseSize").value(g.baseSize).key("size").value(g.size);
        w.key("pedestal").value(g.pedestal).key("barDia").value(g.barDia);
        w.key("nosCount").value(g.nosCount).key("footingNos");
        intArray(w, g.footingNos, g.nosCount);
        w.key("groupNo").value(g.groupNo).key("enabled").value(p.groupEnabled[at(i)] != 0);
        w.key("captions").beginObject();
        w.key("check").value(c.check).key("side").value(c.side).key("count").value(c.count);
        w.endObject();
        w.endObject();
    }
    w.endArray();
}

void combined(JsonWriter& w, const Project& p) {
    w.beginArray();
    for (int k = 1; k <= p.combinedCount; ++k) {
        const CombinedRecord& c = p.combinedFootings[at(k)];
        w.beginObject();
        w.key("index").value(k).key("memberCount").value(c.memberCount).key("members").beginArray();
        for (int m = 1; m <= c.memberCount && m <= cap::combinedMembers; ++m)
            w.value(c.members[at(m)]);
        w.endArray();
        w.key("xMin")
            .value(c.xMin)
            .key("zMin")
            .value(c.zMin)
            .key("xMax")
            .value(c.xMax)
            .key("zMax")
            .value(c.zMax);
        w.key("length").value(c.length).key("width").value(c.width);
        w.key("cant1").value(c.cant1).key("cant2").value(c.cant2);
        w.key("orientation")
            .value(c.orientation)
            .key("halfSkew")
            .value(c.halfSkew)
            .key("span")
            .value(c.span);
        w.endObject();
    }
    w.endArray();
}

void designRows(JsonWriter& w, const Project& p) {
    w.beginArray();
    const auto& names = scheduleControlNames();
    for (int n = 1; n <= p.designRowCount; ++n) {
        const GroupRecord& r = p.designRows[at(n)];
        w.beginObject();
        w.key("row")
            .value(n)
            .key("size")
            .value(r.size)
            .key("nosCount")
            .value(r.nosCount)
            .key("footingNos");
        intArray(w, r.footingNos, r.nosCount);
        w.key("depth")
            .value(r.depth)
            .key("pedestal")
            .value(r.pedestal)
            .key("barDia")
            .value(r.barDia);
        w.key("netPressure")
            .value(r.netPressure)
            .key("govFooting")
            .value(r.govFooting)
            .key("govCase")
            .value(r.govCase);
        w.key("texts").beginObject();
        for (size_t c = 0; c < names.size(); ++c) w.key(names[c]).value(p.designRowTexts[at(n)][c]);
        w.endObject();
        w.endObject();
    }
    w.endArray();
}

void checkList(JsonWriter& w, const std::vector<Check>& checks) {
    w.beginArray();
    for (const Check& c : checks) {
        w.beginObject();
        w.key("id").value(c.id).key("severity").value(severityName(c.severity));
        w.key("footing").value(c.footing).key("row").value(c.row).key("other").value(c.other);
        w.key("case").value(c.loadCase).key("value").value(c.value).key("limit").value(c.limit);
        w.key("text").value(c.text);
        w.endObject();
    }
    w.endArray();
}

void quantityFields(JsonWriter& w, const QuantityValues& v) {
    w.key("concrete").value(static_cast<float>(v.concrete));
    w.key("steel").value(static_cast<float>(v.steel));
    w.key("excavation").value(static_cast<float>(v.excavation));
    w.key("footingConcrete").value(static_cast<float>(v.footingConcrete));
    w.key("pedestalConcrete").value(static_cast<float>(v.pedestalConcrete));
    w.key("levelling").value(static_cast<float>(v.levelling));
}

void quantityList(JsonWriter& w, const Project& p) {
    const Quantities q = computeQuantities(p);
    w.beginObject();
    w.key("rows").beginArray();
    for (const RowQuantities& r : q.rows) {
        w.beginObject();
        w.key("row").value(r.row);
        w.key("count").value(r.count);
        quantityFields(w, r.total);
        w.key("pedestalHeight").value(static_cast<float>(r.pedestalHeight));
        w.key("barsEachWay").value(r.barsEachWay);
        // R and C rows: their bars differ by direction (0 each way).
        if (r.kind != RowKind::Square)
            w.key("barsAlongL").value(r.barsAlongL).key("barsAlongB").value(r.barsAlongB);
        w.key("each").beginObject();
        quantityFields(w, r.each);
        w.endObject();
        w.endObject();
    }
    w.endArray();
    w.key("total").beginObject();
    quantityFields(w, q.total);
    w.endObject();
    w.endObject();
}

// The fields after the first ones, up to the checks, continuing the object.
void modelFields(JsonWriter& w, const Session& s) {
    const Project& p = s.project;
    // Its largest part: the footings (about 200 characters each).
    w.reserve(4096 + 256 * static_cast<size_t>(p.footingCount));
    w.continueObject();
    w.key("supportCount").value(p.supportCount());
    w.key("concreteGrade").value(p.concreteGrade).key("steelGrade").value(p.steelGrade);
    w.key("captions").beginObject();
    w.key("supports").value(p.supportsCaption).key("loadCases").value(p.loadCasesCaption);
    w.key("grades").value(p.gradesCaption).key("main").value(p.mainCaption);
    w.key("sizeLabel").value(p.sizeLabelCaption);
    w.endObject();
    w.key("earthPressure").value(p.earthPressure);
    w.key("allowableBearing").beginArray();
    for (float v : p.allowableBearing) w.value(v);
    w.endArray();
    w.key("loadCaseCount").value(p.loadCaseCount);
    w.key("levels").beginObject();
    w.key("x");
    countedList(w, p.levelsX);
    w.key("y");
    countedList(w, p.levelsY);
    w.key("z");
    countedList(w, p.levelsZ);
    w.endObject();
    w.key("gridX");
    countedList(w, p.gridX);
    w.key("gridZ");
    countedList(w, p.gridZ);
    w.key("footings");
    footings(w, p);
    w.key("groups");
    groups(w, p);
    w.key("combined");
    combined(w, p);
    w.key("designRows");
    designRows(w, p);
    writeDesignedRowsJson(w, p);
    w.key("details").beginArray();
    for (const std::string& d : s.details) w.raw(d);
    w.endArray();
    w.key("messages").beginArray();
    for (const std::string& m : s.prompts.messages) w.value(m);
    w.endArray();
}

} // namespace

std::string resultJson(const Session& s) {
    const Project& p = s.project;
    // Four parts that only read the project are written side by side, each in a writer of its
    // own, and joined in order: the first fields, the fields after them, the checks (with their
    // running) and the quantities, which close the object.
    std::string inputFields;
    JsonWriter model, checks, quantities;
    SideBySide parts({[&] {
                          checks.continueObject().key("checks");
                          checkList(checks, runChecks(p));
                      },
                      [&] { inputFields = inputFieldsJson(p); }, [&] { modelFields(model, s); },
                      [&] {
                          quantities.continueObject().key("quantities");
                          quantityList(quantities, p);
                          quantities.endObject();
                      }},
                     1);
    parts.finish();
    std::string json;
    json.reserve(inputFields.size() + model.str().size() + checks.str().size() +
                 quantities.str().size() + 1);
    json.append(inputFields).append(model.str()).append(checks.str()).append(quantities.str());
    return json;
}

} // namespace ormevak::batch
