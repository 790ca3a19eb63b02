// The shared model: every table of the structure, the footings, the groups, the combined
// footings and the design rows, numbered from 1 as the system numbers its rows.
#pragma once

#include "model/assert.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ormevak {

// Capacities of the tables. A file that needs more is refused where the data enters.
namespace cap {
inline constexpr int joints = 12500;
inline constexpr int members = 15000;
inline constexpr int betaMembers = 12000;
inline constexpr int columns = 13000;
inline constexpr int beams = 12000;
inline constexpr int supports = 1000;
inline constexpr int casesPerSupport = 36; // case indices 0..35
inline constexpr int gridAxis = 300;       // distinct coordinates along one axis
inline constexpr int gridCell = 32767;     // 16-bit grid cells
inline constexpr int groups = 60;
inline constexpr int combined = 100;
inline constexpr int combinedMembers = 10;
} // namespace cap

// The count of a table whose rows 1..count are in use, checked against the rows it holds.
inline int lastRow(int count, size_t size) {
    ORMEVAK_ASSERT(count >= 0 && static_cast<size_t>(count) < size);
    return count;
}

// The stored values of FootingRecord::state besides k >= 1, member of combined footing k.
inline constexpr int32_t kStateGrouped = 0;     // sized and designed with its size group
inline constexpr int32_t kStateResized = -1;    // resized by hand, designed on its own
inline constexpr int32_t kStateDisabled = -100; // left out of the plan and the design

// One footing under support i (Footings(i)).
struct FootingRecord {
    int32_t jointNo = 0;
    int32_t state = kStateGrouped; // see kStateGrouped..kStateDisabled; k >= 1 combined k
    int32_t groupIndex = 0;
    int32_t markNo = 0;
    int32_t x = 0, z = 0;                                 // plan centre, mm
    int32_t nodeX = 0, nodeZ = 0;                         // support joint, mm
    int32_t offX = 0, offZ = 0;                           // offset steps -1, 0, +1
    float lenL = 0, widB = 0;                             // m
    float reqSide = 0;                                    // m
    float drawX1 = 0, drawX2 = 0, drawZ1 = 0, drawZ2 = 0; // as last drawn, mm
    int32_t colIndex = 0;

    bool isGrouped() const { return state == kStateGrouped; }
    bool isResized() const { return state == kStateResized; }
    bool isDisabled() const { return state == kStateDisabled; }
    bool isCombined() const { return state >= 1; }
    // The combined footing this footing belongs to, or 0.
    int32_t combinedIndex() const { return state >= 1 ? state : 0; }
};

// A size group (Groups) and, with the design fields filled, a schedule row (DesignRows).
struct GroupRecord {
    float baseSize = 0;
    float size = 0;
    float depth = 0;
    float pedestal = 0;
    int32_t barDia = 0;
    int32_t nosCount = 0;
    std::vector<int32_t> footingNos{0}; // entries 1..nosCount; entry 0 stays 0
    int32_t groupNo = 0;
    float netPressure = 0;
    int32_t govFooting = 0;
    int32_t govCase = 0;

    // The last entry of footingNos in use (nosCount), checked against the entries it holds.
    int lastMember() const { return lastRow(nosCount, footingNos.size()); }
};

struct CombinedRecord {
    int32_t memberCount = 0;
    std::array<int32_t, cap::combinedMembers + 1> members{}; // entries 1..10
    float xMin = 0, zMin = 0, xMax = 0, zMax = 0;            // outline, mm
    float length = 0, width = 0;                             // m
    float cant1 = 0, cant2 = 0;                              // m
    int32_t orientation = 0;                                 // 0 along Z, 1 along X
    float halfSkew = 0;                                      // mm
    float span = 0;                                          // mm
};

// One direction of a rectangular footing's design: the bars that run along that side.
struct RectDirection {
    float cant = 0, mu = 0, muBd2 = 0, pt = 0, ast = 0; // m, kN m, N/mm2, %, mm2
    float bars = 0;                                     // bars of the row's diameter
    int32_t spacing = 0;                                // mm
    float V1 = 0, tauV = 0, tauC = 0;                   // one-way shear at d from the face
    // The short direction's steel, split by the central band rule; for the other direction
    // every bar is in the band.
    float bandAst = 0;
    int32_t bandBars = 0, endBars = 0; // endBars: both end strips together
    int32_t bandSpacing = 0, endSpacing = 0;
};

// A rectangular footing resized by hand (state -1), designed on its own: schedule row R<n>.
struct RectRow {
    int32_t footing = 0;
    float lenL = 0, widB = 0;    // m, along X and along Z
    float depth = 0;             // overall depth D, m; 0 designs it afresh
    float pedestal = 0;          // m
    int32_t barDia = 0;          // mm
    float netPressure = 0;       // kN/m2
    int32_t govCase = 0;         // case index
    bool pedestalEdited = false; // an edited pedestal stays when Design runs again
    bool designed = false;
    RectDirection alongL, alongB;
    float V2 = 0, tauVp = 0, tauCp = 0; // punching
    std::vector<std::string> texts;     // in the order of rectControlNames()
};

// The steel of one face of a combined footing.
struct CombinedSteel {
    float mu = 0, muBd2 = 0, pt = 0, ast = 0;
    float bars = 0;
    int32_t spacing = 0;
};

// The transverse band under one column of a combined footing.
struct CombinedBand {
    int32_t footing = 0;
    float band = 0, cant = 0, mu = 0, muBd2 = 0, pt = 0, ast = 0; // m, m, kN m, ...
    float bars = 0;
    int32_t spacing = 0;
    float Vp = 0, tauVp = 0, tauCp = 0; // punching round this column's pedestal
};

// A two-column combined footing designed as a slab on two columns: schedule row C<k>.
struct CombinedRow {
    int32_t combined = 0;
    float length = 0, width = 0, span = 0, cant1 = 0, cant2 = 0; // m
    float depth = 0;
    float pedestal = 0;
    int32_t barDia = 0;
    float netPressure = 0;
    int32_t govCase = 0;    // case index
    float pu1 = 0, pu2 = 0; // factored column loads, kN
    float wu = 0;           // factored net pressure line of the projections, kN/m
    float wBal = 0;         // factored pressure line between the columns, kN/m
    float zeroShear = 0;    // m from the end beyond the first column
    bool pedestalEdited = false;
    bool designed = false;
    CombinedSteel top, bottom;
    std::array<CombinedBand, 2> bands{};
    float distAst = 0;       // mm2 per metre
    int32_t distSpacing = 0; // mm
    float V1 = 0, tauV = 0, tauC = 0;
    std::vector<std::string> texts; // in the order of combinedControlNames()
};

// Components of one reaction line: the joint number (case 0 only), the load case number,
// FORCE-Y, MOM-X and MOM-Z. Support 0 holds no reactions: the first component of its first line
// is the count of supports.
namespace reaction {
enum Component : int { JointNo = 0, CaseNo = 1, ForceY = 2, MomX = 3, MomZ = 4, SupportCount = 0 };
} // namespace reaction
using ReactionLine = std::array<float, 5>;
using SupportCases = std::array<ReactionLine, cap::casesPerSupport>;

// A sparse three-dimensional grid of 16-bit cells keyed by (xi, yi, zi): an open-addressed
// table with linear probing, where a cell of value 0 is an empty slot (0 is never stored).
class Grid3 {
  public:
    int get(int xi, int yi, int zi) const {
        if (count_ == 0) return 0;
        const size_t at = find(key(xi, yi, zi));
        return at == kNone ? 0 : values_[at];
    }
    void set(int xi, int yi, int zi, int value) {
        const uint64_t k = key(xi, yi, zi);
        const auto cell = static_cast<int16_t>(value);
        if (cell == 0) {
            erase(k);
            return;
        }
        if ((count_ + 1) * 2 > keys_.size()) grow();
        size_t i = slot(k);
        while (values_[i] != 0 && keys_[i] != k) i = (i + 1) & mask();
        if (values_[i] == 0) {
            keys_[i] = k;
            ++count_;
        }
        values_[i] = cell;
    }
    void clear() {
        keys_.clear();
        values_.clear();
        count_ = 0;
    }
    // Calls f(xi, yi, zi, value) for every non-zero cell, in no particular order.
    template <typename F> void forEach(F f) const {
        for (size_t i = 0; i < keys_.size(); ++i) {
            if (values_[i] == 0) continue;
            const uint64_t k = keys_[i];
            f(static_cast<int>(k >> 40), static_cast<int>((k >> 20) & 0xFFFFF),
              static_cast<int>(k & 0xFFFFF), static_cast<int>(values_[i]));
        }
    }
    size_t size() const { return count_; }
    // Room for `cells` cells without growing on the way (a grid read from a file knows its count).
    void reserve(size_t cells) {
        size_t room = 16;
        while (room < 2 * cells) room *= 2;
        if (room > keys_.size()) rehash(room);
    }

  private:
    static constexpr size_t kNone = SIZE_MAX;
    static uint64_t key(int xi, int yi, int zi) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(xi)) << 40) |
               (static_cast<uint64_t>(static_cast<uint32_t>(yi)) << 20) |
               static_cast<uint64_t>(static_cast<uint32_t>(zi));
    }
    size_t mask() const { return keys_.size() - 1; }
    size_t slot(uint64_t k) const {
        return static_cast<size_t>((k * 0x9E3779B97F4A7C15ull) >> 32) & mask();
    }
    size_t find(uint64_t k) const {
        for (size_t i = slot(k); values_[i] != 0; i = (i + 1) & mask())
            if (keys_[i] == k) return i;
        return kNone;
    }
    void grow() { rehash(keys_.empty() ? 16 : keys_.size() * 2); }
    void rehash(size_t room) {
        std::vector<uint64_t> keys = std::move(keys_);
        std::vector<int16_t> values = std::move(values_);
        keys_.assign(room, 0);
        values_.assign(keys_.size(), 0);
        for (size_t i = 0; i < keys.size(); ++i) {
            if (values[i] == 0) continue;
            size_t j = slot(keys[i]);
            while (values_[j] != 0) j = (j + 1) & mask();
            keys_[j] = keys[i];
            values_[j] = values[i];
        }
    }
    // Backward-shift deletion: the cells after the hole that would no longer be found move up.
    void erase(uint64_t k) {
        if (count_ == 0) return;
        size_t hole = find(k);
        if (hole == kNone) return;
        values_[hole] = 0;
        --count_;
        for (size_t j = (hole + 1) & mask(); values_[j] != 0; j = (j + 1) & mask()) {
            const size_t home = slot(keys_[j]);
            // j stays when its home lies cyclically in (hole, j].
            const bool stays = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
            if (stays) continue;
            keys_[hole] = keys_[j];
            values_[hole] = values_[j];
            values_[j] = 0;
            hole = j;
        }
    }

    std::vector<uint64_t> keys_;
    std::vector<int16_t> values_; // 0: empty slot
    size_t count_ = 0;
};

// The captions of one group's three controls in the main window.
struct GroupCaptions {
    std::string check; // "F1", or empty for an empty group
    std::string side;  // the group side
    std::string count; // member count, or empty
};

// The fields of a row of the joint table.
namespace joint {
enum Field : size_t { Number = 0, X = 1, Y = 2, Z = 3 };
} // namespace joint

// The fields of a row of the member incidence table.
namespace incidence {
enum Field : size_t { Number = 0, Start = 1, End = 2 };
} // namespace incidence

// The fields of a row of the column and beam tables: the member number, its length and the two
// section dimensions in the order the analysis file gives them. For a column (after the BETA
// swap) Dim3 is its size along Z and Dim4 its size along X.
namespace member_row {
enum Field : size_t { Member = 1, Length = 2, Dim3 = 3, Dim4 = 4 };
} // namespace member_row

struct Project {
    // Structure (analysis file reader).
    std::string analysisFilePath;
    int inputUnitFactor = 0; // 1000 metres, 1 millimetres: the unit of the input echo
    int jointCount = 0;
    std::vector<std::array<int32_t, 4>> joints; // fields joint::Field, coordinates in mm
    int memberCount = 0;
    std::vector<std::array<int32_t, 3>> memberIncidence; // fields incidence::Field
    int betaCount = 0;
    std::vector<int32_t> betaMembers{0}; // entries 1..betaCount
    int columnCount = 0;
    std::vector<std::array<int32_t, 5>> columns; // fields member_row::Field
    int beamCount = 0;
    std::vector<std::array<float, 5>> beams;   // fields member_row::Field
    std::vector<SupportCases> supportReaction; // support 0..N
    int concreteGrade = 0;
    int steelGrade = 0;

    // Derived grids.
    std::vector<float> levelsX{0}, levelsY{0}, levelsZ{0}; // element 0 = count
    Grid3 nodeGrid, columnGrid, beamGridX, beamGridZ;

    // Soil values.
    std::array<float, 36> allowableBearing{};
    float earthPressure = 0;

    // Footings and what works on them.
    int footingCount = 0;
    std::vector<FootingRecord> footings{FootingRecord{}}; // rows 1..footingCount
    int groupCount = 0;
    std::vector<GroupRecord> groups{GroupRecord{}}; // rows 1..groupCount
    std::vector<char> groupEnabled{0};              // the group check boxes, 1..groupCount
    std::vector<GroupCaptions> groupCaptions{GroupCaptions{}};
    std::vector<int32_t> gridX{0}, gridZ{0}; // element 0 = count
    int combinedCount = 0;
    std::vector<CombinedRecord> combinedFootings{CombinedRecord{}}; // rows 1..combinedCount
    int designRowCount = 0;
    std::vector<GroupRecord> designRows{GroupRecord{}}; // rows 1..designRowCount
    // The twenty texts each schedule row shows, in the order of scheduleControlNames() (design
    // module).
    std::vector<std::array<std::string, 20>> designRowTexts{std::array<std::string, 20>{}};

    // Resized and combined footings designed by the Design command, after the square rows.
    std::vector<RectRow> rectRows;         // R1.. in footing order (element 0 is R1)
    std::vector<CombinedRow> combinedRows; // in combined footing order

    int loadCaseCount = 0;
    int currentFooting = 0;

    // Captions the windows show, filled by the core.
    std::string supportsCaption = "Footings";
    std::string loadCasesCaption = "Load Cases";
    std::string gradesCaption = "FCK & Fe";
    std::string mainCaption;
    std::string sizeLabelCaption;

    // The last row of each numbered table. Every table holds its row 0 and at least as many rows
    // as its count says; the core keeps that so, and a break of it stops here.
    int lastFooting() const { return lastRow(footingCount, footings.size()); }
    int lastGroup() const { return lastRow(groupCount, groups.size()); }
    int lastCombined() const { return lastRow(combinedCount, combinedFootings.size()); }
    int lastDesignRow() const { return lastRow(designRowCount, designRows.size()); }
    int lastDesignRowTexts() const { return lastRow(designRowCount, designRowTexts.size()); }
    // Whether f names a footing of the plan (an index the user or a file gave may not).
    bool hasFooting(int f) const { return f >= 1 && f <= lastFooting(); }
    bool hasCombined(int k) const { return k >= 1 && k <= lastCombined(); }
    bool hasGroup(int g) const { return g >= 1 && g <= lastGroup(); }
    // Rows 1..designRowCount are on the schedule; rows of an earlier, longer run are not.
    bool hasDesignRow(int n) const { return n >= 1 && n <= lastDesignRow(); }
    // Whether f names a footing of the plan whose reactions the table holds.
    bool hasFootingLoads(int f) const {
        return hasFooting(f) && f < static_cast<int>(supportReaction.size());
    }

    int supportCount() const {
        return supportReaction.empty()
                   ? 0
                   : static_cast<int>(supportReaction[0][0][reaction::SupportCount]);
    }
    // Component k of load case index c of support s, as read from the analysis file.
    float& reaction(int s, int c, int k) { return supportReaction.at(s).at(c).at(k); }
    float reaction(int s, int c, int k) const { return supportReaction.at(s).at(c).at(k); }

    // Cases that sizing reported with a FORCE-Y of 0 or less: bit c of entry s. From then on
    // they are sized and designed as a 1 kN load, while the table keeps the value read, so that
    // everything that shows a reaction or a pressure shows the real pull.
    std::vector<uint64_t> sizedAsOneKn;
    bool isSizedAsOneKn(int s, int c) const {
        return s >= 0 && static_cast<size_t>(s) < sizedAsOneKn.size() && c >= 0 && c < 64 &&
               ((sizedAsOneKn[static_cast<size_t>(s)] >> c) & 1u) != 0;
    }
    // FORCE-Y of support s in case c as sizing and design take it.
    float designFy(int s, int c) const {
        return isSizedAsOneKn(s, c) ? 1.0f : reaction(s, c, reaction::ForceY);
    }
};

} // namespace ormevak
