// The shared model: every table of the structure, the footings, the groups, the combined
// footings and the design rows, numbered from 1 as the system numbers its rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
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

// One footing under support i (Footings(i)).
struct FootingRecord {
    int32_t jointNo = 0;
    int32_t state = 0; // 0 grouped, -1 resized, -100 disabled, k >= 1 member of combined k
    int32_t groupIndex = 0;
    int32_t markNo = 0;
    int32_t x = 0, z = 0;                                 // plan centre, mm
    int32_t nodeX = 0, nodeZ = 0;                         // support joint, mm
    int32_t offX = 0, offZ = 0;                           // offset steps -1, 0, +1
    float lenL = 0, widB = 0;                             // m
    float reqSide = 0;                                    // m
    float drawX1 = 0, drawX2 = 0, drawZ1 = 0, drawZ2 = 0; // as last drawn, mm
    int32_t colIndex = 0;
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

// Components of one reaction line: 0 joint number (case 0 only), 1 load case number,
// 2 FORCE-Y, 3 MOM-X, 4 MOM-Z.
using ReactionLine = std::array<float, 5>;
using SupportCases = std::array<ReactionLine, cap::casesPerSupport>;

// A sparse three-dimensional grid of 16-bit cells keyed by (xi, yi, zi).
class Grid3 {
  public:
    int get(int xi, int yi, int zi) const {
        auto it = cells_.find(key(xi, yi, zi));
        return it == cells_.end() ? 0 : it->second;
    }
    void set(int xi, int yi, int zi, int value) {
        if (value == 0)
            cells_.erase(key(xi, yi, zi));
        else
            cells_[key(xi, yi, zi)] = static_cast<int16_t>(value);
    }
    void clear() { cells_.clear(); }
    // Calls f(xi, yi, zi, value) for every non-zero cell, in no particular order.
    template <typename F> void forEach(F f) const {
        for (const auto& [k, v] : cells_)
            f(static_cast<int>(k >> 40), static_cast<int>((k >> 20) & 0xFFFFF),
              static_cast<int>(k & 0xFFFFF), static_cast<int>(v));
    }
    size_t size() const { return cells_.size(); }

  private:
    static uint64_t key(int xi, int yi, int zi) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(xi)) << 40) |
               (static_cast<uint64_t>(static_cast<uint32_t>(yi)) << 20) |
               static_cast<uint64_t>(static_cast<uint32_t>(zi));
    }
    std::unordered_map<uint64_t, int16_t> cells_;
};

// The shear strength table: rows 0..13 (pt keys in column 0, grades in row 0), columns 0..7.
using ShearTable = std::array<std::array<float, 8>, 14>;

// The captions of one group's three controls in the main window.
struct GroupCaptions {
    std::string check; // "F1", or empty for an empty group
    std::string side;  // the group side
    std::string count; // member count, or empty
};

struct Project {
    // Structure (analysis file reader).
    std::string analysisFilePath;
    int inputUnitFactor = 0; // 1000 metres, 1 millimetres: the unit of the input echo
    int jointCount = 0;
    std::vector<std::array<int32_t, 4>> joints; // 0 number, 1 X, 2 Y, 3 Z (mm)
    int memberCount = 0;
    std::vector<std::array<int32_t, 3>> memberIncidence; // 0 number, 1 start, 2 end joint
    int betaCount = 0;
    std::vector<int32_t> betaMembers{0}; // entries 1..betaCount
    int columnCount = 0;
    std::vector<std::array<int32_t, 5>> columns; // 1 member, 2 length, 3, 4 dimensions
    int beamCount = 0;
    std::vector<std::array<float, 5>> beams;   // 1 member, 2 length, 3, 4 dimensions
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

    int loadCaseCount = 0;
    int currentFooting = 0;
    float factoredLoad = 0;

    ShearTable shearTable{};
    int gradeColumn = 0;

    // Captions the windows show, filled by the core.
    std::string supportsCaption = "Footings";
    std::string loadCasesCaption = "Load Cases";
    std::string gradesCaption = "FCK & Fe";
    std::string mainCaption;
    std::string sizeLabelCaption;

    int supportCount() const {
        return supportReaction.empty() ? 0 : static_cast<int>(supportReaction[0][0][0]);
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
    float designFy(int s, int c) const { return isSizedAsOneKn(s, c) ? 1.0f : reaction(s, c, 2); }
};

} // namespace ormevak
